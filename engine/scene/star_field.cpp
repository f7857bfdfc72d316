// The star field: a fixed map of 10,000 star directions and colours, each drawn as a pixel far out from the camera.
#include "engine/scene/star_field.h"

#include <cmath>
#include <cstring>

#include "engine/host/host.h"
#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"
#include "engine/raster/clip.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/polygon_tape.h"
#include "engine/raster/span_output.h"
#include "engine/raster/view_transform.h"

StarRecord* starmap = nullptr;

namespace {

constexpr int32_t kSkyClass = 33, kHazeClass = 26, kSkyHazeClass = 25;
constexpr int32_t kStarDistance = 16000;

// Red, green and blue of Sky, Haze and SkyHaze as the last stars_on found them.
uint8_t saved_sky_colors[9];
bool starmap_failure_reported = false;

void save_color(int32_t entry, uint8_t* out) {
  out[0] = color_table[entry].red;
  out[1] = color_table[entry].green;
  out[2] = color_table[entry].blue;
}

void put_color(int32_t entry, uint8_t r, uint8_t g, uint8_t b) {
  color_table[entry].red = r;
  color_table[entry].green = g;
  color_table[entry].blue = b;
}

}  // namespace

void build_starmap() {
  if (!starmap) {
    starmap = static_cast<StarRecord*>(host().alloc_zeroed(sizeof(StarRecord) * kStarCount));
    if (!starmap) {
      if (!starmap_failure_reported) requester("Insufficient memory (starmap)", "  OK  ", nullptr);
      starmap_failure_reported = true;
      return;
    }
  }
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));
  random8();
  random8();
  random8();
  for (int32_t i = 0; i < kStarCount; ++i) {
    int32_t dx = random8(), dy = random8(), dz = random8();
    if (dz == 0) dz = 1;
    int32_t len = static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
    if (len == 0) len = 1;
    const int32_t f = kStarDistance / len;
    StarRecord& s = starmap[i];
    s.dx = static_cast<int16_t>(dx * f);
    s.dy = static_cast<int16_t>(dy * f);
    s.dz = static_cast<int16_t>(dz * f);
    const int32_t base = (random8() & 127) + 32;
    s.r = static_cast<uint8_t>(base + (random8() & 31));
    s.g = static_cast<uint8_t>(base + (random8() & 31));
    s.b = static_cast<uint8_t>(base + (random8() & 31));
  }
}

void reset_star_field_state() { std::memset(saved_sky_colors, 0, sizeof saved_sky_colors); }

void free_starmap() {
  if (starmap) host().free_block(starmap);
  starmap = nullptr;
  starmap_failure_reported = false;
}

int32_t draw_stars() {
  if (sun_moon_state.stars_enabled == 0 || !starmap) return 1;
  for (int32_t i = 0; i < kStarCount; ++i) {
    const StarRecord& s = starmap[i];
    draw_star(trunc_to_i32(s.dx + camera_state.camera_x), trunc_to_i32(s.dy + camera_state.camera_y),
              trunc_to_i32(s.dz + camera_state.camera_z), (uint32_t{s.r} << 16) | (uint32_t{s.g} << 8) | s.b);
  }
  return 1;
}

void draw_star(int32_t x, int32_t y, int32_t z, uint32_t color) {
  const uint32_t half = (((color >> 16) & 255u) / 2) << 16 | (((color >> 8) & 255u) / 2) << 8 | (color & 255u) / 2;
  PolygonRecord p{};
  p.count = 1;
  p.vertices[0].x = static_cast<float>(x);
  p.vertices[0].y = static_cast<float>(y);
  p.vertices[0].z = static_cast<float>(z);
  world_to_view_polygon(&p);
  if (polygon_may_be_visible(&p) == 0) return;
  polygon_project(&p);
  const float sx = p.vertices[0].x, sy = p.vertices[0].y;
  if (!(sx >= 0.0f && sx <= static_cast<float>(proj_width - 1) && sy >= 0.0f &&
        sy <= static_cast<float>(proj_height - 1)))
    return;
  if (render_settings.antialias_mode != 0) {
    for (int32_t j = 0; j <= 2; ++j)
      for (int32_t i = 0; i <= 2; ++i) {
        const bool corner = (i != 1) && (j != 1);
        plot_star_pixel(static_cast<int32_t>(sx + static_cast<float>(i)),
                        static_cast<int32_t>(sy + static_cast<float>(j)), corner ? half : color);
      }
  } else {
    plot_star_pixel(static_cast<int32_t>(sx), static_cast<int32_t>(sy), color);
  }
}

void plot_star_pixel(int32_t column, int32_t row, uint32_t color) {
  const int32_t image_row = row - (proj_height - image_height) / 2;
  if (image_row < 0 || image_row >= image_height || column < 0 || column >= image_width) return;
  SpanPixel span[1];
  span[0].r = static_cast<uint16_t>(((color >> 16) & 255u) * 256u);
  span[0].g = static_cast<uint16_t>(((color >> 8) & 255u) * 256u);
  span[0].b = static_cast<uint16_t>((color & 255u) * 256u);
  span[0].alpha = 255;
  span[0].slot = kSkyClass;
  if (banded_tape != nullptr) {
    tape_record_pixel(banded_tape, image_row, column, span[0]);
  } else {
    output_hzline(image_row, column, column, span);
  }
}

void stars_on() {
  save_color(kSkyClass, saved_sky_colors);
  save_color(kHazeClass, saved_sky_colors + 3);
  save_color(kSkyHazeClass, saved_sky_colors + 6);
  put_color(kSkyClass, 0, 0, 1);
  put_color(kHazeClass, 16, 16, 16);
  put_color(kSkyHazeClass, 16, 16, 24);
  sun_moon_state.stars_enabled = 1;
}

void stars_off() {
  put_color(kSkyClass, saved_sky_colors[0], saved_sky_colors[1], saved_sky_colors[2]);
  put_color(kHazeClass, saved_sky_colors[3], saved_sky_colors[4], saved_sky_colors[5]);
  put_color(kSkyHazeClass, saved_sky_colors[6], saved_sky_colors[7], saved_sky_colors[8]);
  sun_moon_state.stars_enabled = 0;
}

void moon_on() { sun_moon_state.moon_enabled = 1; }
void moon_off() { sun_moon_state.moon_enabled = 0; }
