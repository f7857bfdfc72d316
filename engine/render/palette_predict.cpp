// The palette commands: prediction before a render, the palette of the finished image, and loading it.
#include "engine/render/palette_predict.h"
#include "engine/render/palette_predict_steps.h"

#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"

namespace {
// The palette size comes from scripts and files; outside 2..256 it would index past the palette.
void clamp_palette_colors() {
  if (render_settings.palette_colors < 2) render_settings.palette_colors = 2;
  if (render_settings.palette_colors > 256) render_settings.palette_colors = 256;
}

constexpr int32_t kWhite555 = 32767;  // (248, 248, 248)
constexpr int32_t kGrey555 = 15855;   // (120, 120, 120)
}  // namespace

int32_t make_palette() {
  if (render_settings.palette_locked || derived_data.palette_stale == 0) return 1;
  clamp_palette_colors();
  show_progress("Palette", 0, 100);
  zero_color_cache();
  predict_colors();
  count_histogram();
  set_palette_entry_555(0, 0);
  palette_slots_left = static_cast<uint32_t>(render_settings.palette_colors - 1);
  return pick_palette_colors(1);
}

void histogram_image() {
  if (vidmem24.rows == nullptr) return;
  const int32_t width = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t height = image_height < vidmem24.height ? image_height : vidmem24.height;
  int32_t step = image_width / 640;
  if (step < 1) step = 1;
  for (int32_t y = 0; y < height; y += step) {
    const uint32_t* row = vidmem24_row(y);
    for (int32_t x = 0; x < width; x += step) histogram_add(row[x], 1);
  }
}

int32_t ui_make_palette() {
  if (render_settings.palette_locked || derived_data.palette_stale == 0) return 1;
  clamp_palette_colors();
  show_progress("Palette", 0, 100);
  zero_color_cache();
  histogram_image();
  count_histogram();
  if (histogram_colors < 1) histogram_colors = 1;
  palette_slots_left = static_cast<uint32_t>(render_settings.palette_colors);
  // Black, white and grey are always present; each takes its slot and its neighbourhood.
  const int32_t fixed[3] = {0, kWhite555, kGrey555};
  for (int32_t i = 0; i < 3; ++i) {
    set_palette_entry_555(i, fixed[i]);
    merge_nearby_colors(fixed[i]);
  }
  return pick_palette_colors(3);
}

void reset_palette() {
  set_display_palette();
  clear_color_cache();
}
