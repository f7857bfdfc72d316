// Per-sample light levels of the landscape and the terrain's cast shadow, found by marching towards the sun.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/render/lighting.h"

ShadowRay shadow_ray = {};

namespace {

void rebuild_shadow_ray() {
  const float ax = std::fabs(light_state.light_x);
  const float ay = std::fabs(light_state.light_y);
  ShadowRay& r = shadow_ray;
  if (ay <= ax) {
    r.step_x = light_state.light_x >= 0.0f ? 1.0f : -1.0f;
    r.step_y = (light_state.light_y / ax) * grid_spacing_x / grid_spacing_y;
    r.step_z = (light_state.light_z / ax) * grid_spacing_x;
  } else {
    r.step_y = light_state.light_y >= 0.0f ? 1.0f : -1.0f;
    r.step_x = (light_state.light_x / ay) * grid_spacing_y / grid_spacing_x;
    r.step_z = (light_state.light_z / ay) * grid_spacing_y;
  }
  const float s = static_cast<float>(render_settings.grid_step);
  r.step_x *= s;
  r.step_y *= s;
  r.step_z *= s;
  // A sun straight overhead or a zero spacing gives infinite or undefined steps; the checked
  // conversion turns them into the nearest limit (or 0), which ends the ray at its first step.
  r.step_x1024 = trunc_to_i32(static_cast<double>(r.step_x) * 1024.0);
  r.step_y1024 = trunc_to_i32(static_cast<double>(r.step_y) * 1024.0);
  r.step_z1024 = trunc_to_i32(static_cast<double>(r.step_z) * 1024.0);
}

// Light levels by gradient: within one shading run a level depends only on (gx, gy) and whether the
// sample is in shadow, and the same gradients recur all over a landscape, so each is computed once.
class LevelCache {
 public:
  explicit LevelCache(int32_t d) : d_(d) {
    for (auto& e : entries_) e.valid = 0;
  }
  int32_t level(int32_t gx, int32_t gy, int32_t shadow) {
    const uint32_t h = (static_cast<uint32_t>(gx) * 0x9E3779B1u ^ static_cast<uint32_t>(gy) * 0x85EBCA77u ^
                        static_cast<uint32_t>(shadow) * 0xC2B2AE3Du) >> (32 - kBits);
    Entry& e = entries_[h];
    if (e.valid && e.gx == gx && e.gy == gy && e.shadow == shadow) return e.level;
    const int32_t v = shadow ? light_intensity_secondary(d_, 0, gx, 0, d_, gy) : light_intensity(d_, 0, gx, 0, d_, gy);
    e = {gx, gy, static_cast<int16_t>(v), static_cast<uint8_t>(shadow), 1};
    return v;
  }

 private:
  static constexpr int kBits = 12;
  struct Entry {
    int32_t gx, gy;
    int16_t level;
    uint8_t shadow, valid;
  };
  int32_t d_;
  Entry entries_[1 << kBits];
};

// The highest elevation of each block of 32 by 32 samples, so that a rising
// ray can pass over a whole block at once when it is already above everything in it. Only an
// acceleration: the samples passed over could not have hidden the sun, so the result is the same as
// stepping through them.
struct BlockMax {
  static constexpr int32_t kLevels = 1;
  static constexpr int32_t kShifts[kLevels] = {5};  // largest first when there are several sizes
  int32_t columns[kLevels] = {};
  std::vector<int16_t> max[kLevels];
  void build() {
    for (int32_t l = 0; l < kLevels; ++l) {
      const int32_t sh = kShifts[l];
      columns[l] = (land_width >> sh) + 1;
      const int32_t rows = (land_height >> sh) + 1;
      max[l].assign(static_cast<size_t>(columns[l]) * rows, -32768);
      for (int32_t r = 0; r <= land_height; ++r) {
        const int16_t* e = elevation_row(r);
        int16_t* m = &max[l][static_cast<size_t>(r >> sh) * columns[l]];
        for (int32_t c = 0; c <= land_width; ++c)
          if (e[c] > m[c >> sh]) m[c >> sh] = e[c];
      }
    }
  }
};

// How many more steps of size step keep the fixed-point coordinate v inside [lo, hi) (all in 1/1024 cells).
inline int64_t steps_inside(int64_t v, int64_t step, int64_t lo, int64_t hi) {
  if (step > 0) return (hi - 1 - v) / step;
  if (step < 0) return (v - lo) / -step;
  return INT64_MAX;
}

// Marches from sample (row, col) towards the sun in the fixed-point steps of shadow_ray.
int32_t march_shadow_ray(int32_t row, int32_t col, const BlockMax* blocks) {
  const int64_t sx = shadow_ray.step_x1024, sy = shadow_ray.step_y1024, sz = shadow_ray.step_z1024;
  // The dominant step is always at least one cell, so the ray leaves the grid in a bounded number of steps.
  if (sx == 0 && sy == 0) return 0;
  const int64_t x_end = static_cast<int64_t>(land_width) * 1024;
  const int64_t y_end = static_cast<int64_t>(land_height) * 1024;
  const int64_t z_top = static_cast<int64_t>(landscape_view.max_elevation) * 1024;
  const double z_start = (static_cast<double>(elevation_row(row)[col]) + shadow_ray.step_z / 2.0f) * 1024.0;
  // A start already above the top (or undefined, from an infinite step) ends the ray as lit.
  if (!(z_start < static_cast<double>(z_top))) return 0;
  int64_t x = static_cast<int64_t>(col) * 1024;
  int64_t y = static_cast<int64_t>(row) * 1024;
  int64_t z = trunc_to_i64(z_start);
  // A sun far below the horizon gives a ray that sinks by more than any elevation span per step (without
  // limit as the sun goes straight down). Below kFloor every elevation lies above the ray, so holding the
  // height and the sinking step at that depth changes no outcome and keeps the sums inside 64 bits.
  constexpr int64_t kFloor = -(int64_t{1} << 26);
  if (z < kFloor) z = kFloor;
  const int64_t sz_kept = sz < kFloor ? kFloor : sz;
  // Skipping needs a ray that never sinks.
  if (sz < 0) blocks = nullptr;
  for (;;) {
    x += sx;
    y += sy;
    z += sz_kept;
    if (z < kFloor) z = kFloor;
    if (x < 0 || x > x_end || y < 0 || y > y_end || z >= z_top) return 0;
    const int64_t h = z / 1024;
    if (static_cast<int64_t>(elevation_row(static_cast<int32_t>(y >> 10))[x >> 10]) > h) return 1;
    if (blocks) {
      for (int32_t l = 0; l < BlockMax::kLevels; ++l) {
        const int32_t sh = BlockMax::kShifts[l] + 10;
        const int64_t bx = x >> sh, by = y >> sh;
        if (blocks->max[l][static_cast<size_t>(by) * blocks->columns[l] + static_cast<size_t>(bx)] > h) continue;
        int64_t k = steps_inside(x, sx, bx << sh, (bx + 1) << sh);
        const int64_t ky = steps_inside(y, sy, by << sh, (by + 1) << sh);
        if (ky < k) k = ky;
        x += k * sx;
        y += k * sy;
        z += k * sz;
        break;
      }
    }
  }
}

}  // namespace

int32_t cast_shadow_cell(int32_t row, int32_t col) {
  if (light_state.sun_declination >= 85.0f) return 0;
  if (light_state.light_tables_stale) {
    rebuild_shadow_ray();
    light_state.light_tables_stale = 0;
  }
  return march_shadow_ray(row, col, nullptr);
}

namespace {
// The shading's own use of the ray, passing over blocks that lie below it.
int32_t cast_shadow_cell_fast(int32_t row, int32_t col, const BlockMax& blocks) {
  if (light_state.sun_declination >= 85.0f) return 0;
  if (light_state.light_tables_stale) {
    rebuild_shadow_ray();
    light_state.light_tables_stale = 0;
  }
  return march_shadow_ray(row, col, &blocks);
}
}  // namespace

int32_t shade_landscape() {
  if (derived_data.shades_done_step <= render_settings.grid_step) return 1;
  light_state.light_x256 = trunc_to_i32(static_cast<double>(light_state.light_x) * 256.0);
  light_state.light_y256 = trunc_to_i32(static_cast<double>(light_state.light_y) * 256.0);
  light_state.light_z256 = trunc_to_i32(static_cast<double>(light_state.light_z) * 256.0);
  light_state.light_tables_stale = 1;
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));

  const int32_t s = render_settings.grid_step > 0 ? render_settings.grid_step : 1;
  const int32_t d = trunc_to_i32(2.0 * static_cast<double>(grid_spacing_x));
  auto cache = std::make_unique<LevelCache>(d);
  BlockMax blocks;
  if (render_settings.shadows_enabled) blocks.build();
  // The last sample a difference may use: at coarse steps col + s can pass the row's end.
  const int32_t last_col = land_width;
  for (int32_t row = 0; row < land_height; row += s) {
    if (poll_user_abort() == -1) return -1;
    show_progress("Shade", row, land_height);
    const int32_t next = row + s < grid_height ? row + s : row;
    const int32_t prev = row - s >= 0 ? row - s : row;
    const int16_t* e = elevation_row(row);
    const int16_t* en = elevation_row(next);
    const int16_t* ep = elevation_row(prev);
    uint16_t* out = shade_row(row);
    for (int32_t col = 0; col < land_width; col += s) {
      const int32_t shadow = render_settings.shadows_enabled ? cast_shadow_cell_fast(row, col, blocks) : 0;
      int32_t right = col + s;
      int32_t gx;
      if (right <= last_col) {
        gx = col - s < 0 ? (e[right] - e[col]) / s : (e[right] - e[col - s]) / (2 * s);
      } else {
        // Near the row's end at coarse steps: the difference towards the row's last sample.
        right = last_col;
        const int32_t left = col - s < 0 ? col : col - s;
        gx = right > left ? (e[right] - e[left]) / (right - left) : 0;
      }
      const int32_t gy = (en[col] - ep[col]) / (2 * s);
      int32_t level = cache->level(gx, gy, shadow);
      if (render_settings.light_roughness != 0) level += rand_amplitude(render_settings.light_roughness) >> 4;
      level = clamp_i32(level, 0, 255);
      if (shadow) level |= kShadeTerrainShadow;
      out[col] = static_cast<uint16_t>(level);
    }
  }
  // Guard samples repeat the last computed column and row.
  for (int32_t row = 0; row <= land_height; ++row) shade_row(row)[land_width] = shade_row(row)[land_width - 1];
  for (int32_t col = 0; col <= land_width; ++col) shade_row(land_height)[col] = shade_row(land_height - 1)[col];

  set_flat_intensity();
  derived_data.shades_done_step = render_settings.grid_step;
  return 1;
}
