// Band and cliff classes: altitude quarters, slope bands, strata layers, roughness and jitter of band edges.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/core/vectors.h"


uint8_t strata_bands[256];
int16_t class_band_elevation[256];

void reset_color_class_settings() {
  const TerrainSettings start;
  terrain_settings.cliffs_enabled = start.cliffs_enabled;
  terrain_settings.cliff_mode = start.cliff_mode;
  terrain_settings.cliff_angle = start.cliff_angle;
  terrain_settings.cliff_band_width = start.cliff_band_width;
  terrain_settings.strata_normal_x = start.strata_normal_x;
  terrain_settings.strata_normal_y = start.strata_normal_y;
  terrain_settings.strata_normal_z = start.strata_normal_z;
  terrain_settings.strata_thickness = start.strata_thickness;
  terrain_settings.strata_warp = start.strata_warp;
  terrain_settings.roughness_enabled = start.roughness_enabled;
  terrain_settings.roughness_weight = start.roughness_weight;
  terrain_settings.roughness_radius = start.roughness_radius;
}

namespace {
// The quarter offset * 4 / span (64-bit, truncated; a span of 0 counts as 1) of a band, held to 0..3: a class
// depends on nothing more. With a positive span the quotient is below k (k = 1, 2, 3) exactly when offset * 4
// is below k * span, so the quarter comes from comparisons: saves a 64-bit division per shaded triangle.
int64_t band_quarter_held(int64_t offset, int64_t span) {
  const int64_t x = offset * 4;
  if (span > 0) return x < span ? 0 : x < 2 * span ? 1 : x < 3 * span ? 2 : 3;
  return std::clamp<int64_t>(x / (span == 0 ? 1 : span), 0, 3);
}
}  // namespace

int32_t tree_class(int32_t e) {
  return kClassTree1 + static_cast<int32_t>(band_quarter_held(int64_t{e} - landscape_view.base_level, int64_t{terrain_settings.tree_line} - landscape_view.base_level));
}

int32_t bare_class(int32_t e) {
  return kClassBare1 + static_cast<int32_t>(band_quarter_held(int64_t{e} - terrain_settings.tree_line, int64_t{terrain_settings.snow_line} - terrain_settings.tree_line));
}

int32_t snow_class(int32_t e) {
  return kClassSnow1 + 3 - static_cast<int32_t>(band_quarter_held(int64_t{landscape_view.max_elevation} - e, int64_t{landscape_view.max_elevation} - terrain_settings.snow_line));
}

void compute_altitude_quartiles() {
  for (auto& v : class_band_elevation) v = -32768;
  const auto fill = [](int32_t first, int32_t low, int32_t high) {
    const int32_t d = high - low;
    for (int32_t i = 0; i < 4; ++i) class_band_elevation[first + i] = wrap16(low + d * (2 * i + 1) / 8);
  };
  fill(kClassTree1, landscape_view.base_level, terrain_settings.tree_line);
  fill(kClassBare1, terrain_settings.tree_line, terrain_settings.snow_line);
  fill(kClassSnow1, terrain_settings.snow_line, landscape_view.max_elevation);
}

int16_t class_mean_elevation(int32_t c) {
  if ((c >= 56 && c <= 59) || (c >= 38 && c <= 45)) return class_band_elevation[c];
  return -32768;
}

int32_t cliff_class_by_angle(int32_t a) {
  const int32_t w = terrain_settings.cliff_band_width;
  if (a > terrain_settings.cliff_angle + 3 * w) return 49;
  if (a > terrain_settings.cliff_angle + 2 * w) return 48;
  if (a > terrain_settings.cliff_angle + w) return 47;
  return 46;
}

int32_t strata_class(float x, float y, float z, int32_t j) {
  const double thickness = terrain_settings.strata_thickness == 0 ? 1.0 : static_cast<double>(terrain_settings.strata_thickness);
  const float plane = x * terrain_settings.strata_normal_x + y * terrain_settings.strata_normal_y + z * terrain_settings.strata_normal_z + static_cast<float>(j);
  const int32_t k = trunc_to_i32(plane * 4.0 / thickness);
  return strata_bands[static_cast<uint32_t>(k) & 255];
}

void build_strata_bands() {
  random_seed(1324354);
  int32_t i = 0;
  while (i < 256) {
    const int32_t n = std::abs(random8()) % 6;
    const int32_t c = (random8() & 3) + kClassCliff1;
    for (int32_t k = i; k < i + n && k < 256; ++k) strata_bands[k] = static_cast<uint8_t>(c);
    i += n;
  }
}

void set_cliff_angle(int32_t a) {
  terrain_settings.cliff_angle = a;
  // In 64 bits: an angle from a damaged file may be any 32-bit value.
  const int64_t w = (int64_t{67} - a) / 3;
  terrain_settings.cliff_band_width = w < 1 ? 1 : static_cast<int32_t>(w);
}

void cliffs_on() {
  terrain_settings.cliffs_enabled = 1;
  build_strata_bands();
}

void cliffs_off() {
  terrain_settings.cliffs_enabled = 0;
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

void roughness_on() {
  terrain_settings.roughness_enabled = 1;
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

void roughness_off() {
  terrain_settings.roughness_enabled = 0;
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

int32_t cell_roughness(int32_t col, int32_t row, int32_t radius) {
  if (!terrain_settings.roughness_enabled) return 0;
  const int32_t dc = trunc_to_i32(static_cast<float>(radius) / grid_spacing_x);
  const int32_t dr = trunc_to_i32(static_cast<float>(radius) / grid_spacing_y);
  // In 64 bits: a tiny sample spacing makes the reach huge.
  const int32_t c0 = static_cast<int32_t>(std::max<int64_t>(int64_t{col} - dc, 0));
  const int32_t c1 = static_cast<int32_t>(std::min<int64_t>(int64_t{col} + dc, land_width));
  const int32_t r0 = static_cast<int32_t>(std::max<int64_t>(int64_t{row} - dr, 0));
  const int32_t r1 = static_cast<int32_t>(std::min<int64_t>(int64_t{row} + dr, land_height));
  const int32_t e = elevation_row(row)[col];
  const int32_t cols[3] = {c0, col, c1};
  const int32_t rows[3] = {r0, row, r1};
  int32_t s = 0;
  for (int32_t ri = 0; ri < 3; ++ri)
    for (int32_t ci = 0; ci < 3; ++ci) {
      if (ri == 1 && ci == 1) continue;
      const int32_t n = elevation_row(rows[ri])[cols[ci]];
      if (n != -32768) s += e - n;
    }
  // A radius setting of 0 would divide by zero; it counts as 1.
  const float divisor = terrain_settings.roughness_radius == 0 ? 1.0f : static_cast<float>(terrain_settings.roughness_radius);
  int64_t t = trunc_to_i32(static_cast<float>(s) * (grid_spacing_x + grid_spacing_y) / divisor);
  t = t * (int64_t{landscape_view.max_elevation} - landscape_view.base_level) / 128;
  return wrap32((t * terrain_settings.roughness_weight) >> 11);
}

int32_t cell_jitter(int32_t col, int32_t row) { return cell_jitter_from_hash(random_at2(col, row)); }

int32_t cell_jitter_from_hash(int32_t hash) {
  return static_cast<int32_t>(int64_t{hash & 255} * terrain_settings.strata_warp / 1024);
}

int32_t face_slope_angle(const Vec3f& a, const Vec3f& b, Vec3f* n) {
  n->x = static_cast<float>(static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y);
  n->y = static_cast<float>(static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z);
  n->z = static_cast<float>(static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x);
  vec3_normalize(n);
  double z = std::fabs(static_cast<double>(n->z));
  if (z > 1.0) z = 1.0;
  return trunc_to_i32(std::acos(z) * 57.29577951308232);
}
