// The display palette: copying entries in and out and loading it into the render window.
#include <cstring>

#include "engine/raster/frame_buffers.h"
#include "engine/raster/render_window.h"

PaletteEntry display_palette[256] = {};

void set_palette(const PaletteEntry* entries, int32_t first, int32_t count) {
  if (!entries || first < 0 || first >= 256 || count <= 0) return;
  if (count > 256 - first) count = 256 - first;
  uint8_t rgb[256 * 3];
  for (int32_t i = 0; i < count; ++i) {
    display_palette[first + i] = entries[i];
    rgb[i * 3 + 0] = entries[i].red;
    rgb[i * 3 + 1] = entries[i].green;
    rgb[i * 3 + 2] = entries[i].blue;
  }
  render_set_palette(rgb, first, count);
}

void get_palette(PaletteEntry* entries, int32_t first, int32_t count) {
  if (!entries || first < 0 || first >= 256 || count <= 0) return;
  if (count > 256 - first) count = 256 - first;
  for (int32_t i = 0; i < count; ++i) {
    entries[i].red = display_palette[first + i].red;
    entries[i].green = display_palette[first + i].green;
    entries[i].blue = display_palette[first + i].blue;
  }
}

int32_t refresh_display_palette() {
  render_window_fit(1);
  if (display_depth == 8) set_palette(display_palette, 0, 256);
  render_window_release();
  return 1;
}
