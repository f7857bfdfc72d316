// Colour prediction: fills the palette histogram with the colours a render of the current scene is
// expected to contain, by shading the scheme, landscape samples, texture maps, sky, clouds and horizon.
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/render/palette_predict.h"
#include "engine/render/palette_predict_steps.h"
#include "engine/render/palette_predict_sources.h"
#include "engine/scene/texture_slots.h"

#include <cstdlib>

PredictCloudLining predict_cloud_lining = nullptr;

namespace {
constexpr int32_t kSkyClass = 33;
constexpr int32_t kHorizonClass = 32;
constexpr int32_t kCloudClass = 76;
constexpr int32_t kSkyHazeSlot = 25;
constexpr int32_t kHazeSlot = 26;

// Puts the haze of a point at distance d in place for shade_color.
void set_haze_distance(int32_t d) {
  point_distance = static_cast<float>(d);
  haze_factor = static_cast<float>(d) * static_cast<float>(d) / 500.0f;
}

// A haze distance of 0..8192 drawn from the dither noise.
void set_random_haze() {
  const int32_t s1 = dither_random();
  const int32_t s2 = dither_random();
  set_haze_distance(std::abs(s1 * s2 / 2));
}

bool texture_loaded(int32_t k) { return texture_slots[k].loaded != 0; }

// Adds every light level first, first + step, ... below 256 of one colour.
void add_light_ramp(int32_t r, int32_t g, int32_t b, int32_t first, int32_t step, int32_t weight) {
  for (int32_t light = first; light < 256; light += step) histogram_add(shade_color(r, g, b, light, 0, 0), weight);
}

void predict_scheme_colors() {
  for (int32_t k = 0; k < 256; ++k) {
    if (texture_loaded(k)) continue;
    const ColorEntry& e = color_table[k];
    if (e.red == 0 && e.green == 0 && e.blue == 0) continue;
    const int32_t phong = class_attributes[k].phong_intensity;
    for (int32_t d = 7; d < 7000; d += 333) {
      set_haze_distance(d);
      for (int32_t light = 1; light < 256; light += 7) {
        histogram_add(shade_color(e.red, e.green, e.blue, light, 0, 0), 11);
        if (render_settings.phong_enabled && phong != 0)
          histogram_add(shade_color(e.red, e.green, e.blue, light, phong, dither_random()), 11);
      }
    }
  }
}

// The cell `ahead` samples further along the cover grid read as one block of rows: past the row's end
// it continues in the next row; past the last row it stays on the last sample.
const CoverCell& cover_cell_ahead(int32_t row, int32_t col, int32_t ahead) {
  int32_t c = col + ahead;
  while (c >= grid_width && row + 1 < grid_height) {
    c -= grid_width;
    ++row;
  }
  if (c >= grid_width) c = grid_width - 1;
  return cover_row(row)[c];
}

void predict_landscape_samples() {
  if (cover_rows == nullptr || grid_width <= 0 || grid_height <= 0) return;
  int32_t row_step = land_height / 32, col_step = land_width / 32;
  if (row_step < 1) row_step = 1;
  if (col_step < 1) col_step = 1;
  const int32_t rows = land_height < grid_height ? land_height : grid_height;
  const int32_t cols = land_width < grid_width ? land_width : grid_width;
  for (int32_t r = 0; r < rows; r += row_step) {
    const CoverCell* line = cover_row(r);
    for (int32_t c = 0; c < cols; c += col_step) {
      set_random_haze();
      const int32_t k = line[c].color_class;
      const int32_t shown = (k >= 34 && k <= 37) ? k + 22 : k;  // leaves are predicted as their ground
      const ColorEntry& e = color_table[shown];
      add_light_ramp(e.red, e.green, e.blue, 0, 11, 1);
      const ColorEntry& a = color_table[k];
      const ColorEntry& b = color_table[cover_cell_ahead(r, c, 8).color_class];
      add_light_ramp((a.red + b.red) / 2, (a.green + b.green) / 2, (a.blue + b.blue) / 2, 0, 13, 1);
    }
  }
}

// Samples about `parts` by `parts` texels of one level.
void predict_texture_level(const TextureLevel& level, uint32_t parts) {
  if (level.pixels == nullptr || level.width == 0 || level.height == 0) return;
  uint32_t row_step = level.height / parts, col_step = level.width / parts;
  if (row_step < 1) row_step = 1;
  if (col_step == 0) col_step = 15;
  for (uint32_t y = 0; y < level.height; y += row_step) {
    const uint32_t* line = level.pixels + static_cast<size_t>(y) * level.width;
    for (uint32_t x = 0; x < level.width; x += col_step) {
      set_random_haze();
      const uint32_t p = line[x];
      add_light_ramp((p >> 16) & 255, (p >> 8) & 255, p & 255, 0, 17, 1);
    }
  }
}

void predict_textures() {
  for (int32_t k = 0; k < 256; ++k) {
    if (!texture_loaded(k)) continue;
    predict_texture_level(texture_slots[k].levels[0], 15);
    predict_texture_level(texture_slots[k].levels[2], 5);
  }
}

void predict_background() {
  const ColorEntry& sky = color_table[kSkyClass];
  light_state.haze_color_slot = kSkyHazeSlot;
  for (int32_t d = 0; d < 32000; d += 1000) {
    set_haze_distance(d);
    histogram_add(shade_color(sky.red, sky.green, sky.blue, light_state.sky_intensity, 0, 0), 555);
  }
  const ColorEntry& cloud = color_table[kCloudClass];
  const uint32_t cloud_rgb = (static_cast<uint32_t>(cloud.red) << 16) | (cloud.green << 8) | cloud.blue;
  light_state.haze_color_slot = kSkyHazeSlot;
  for (int32_t d = 0; d < 32000; d += 1000) {
    set_haze_distance(d);
    const uint32_t alpha = static_cast<uint32_t>(dither_random() >> 3) & 255;
    uint32_t c = (alpha << 24) | cloud_rgb;
    if (predict_cloud_lining != nullptr) c = predict_cloud_lining(c);
    histogram_add(shade_color((c >> 16) & 255, (c >> 8) & 255, c & 255, light_state.sky_intensity, 0, 0), 555);
  }
  const ColorEntry& horizon = color_table[kHorizonClass];
  light_state.haze_color_slot = kHazeSlot;
  for (int32_t d = 0; d < 32000; d += 1000) {
    set_haze_distance(d);
    histogram_add(shade_color(horizon.red, horizon.green, horizon.blue, light_state.flat_intensity, 0, 0), 444);
  }
}
}  // namespace

void predict_colors() {
  random_seed(0);
  show_status("Predicting colors");
  predict_scheme_colors();
  predict_landscape_samples();
  predict_textures();
  predict_background();
}
