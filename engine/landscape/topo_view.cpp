// Scroll, zoom and origin of the topographic map, and the pixel / world / grid conversions built on them.
#include "engine/landscape/topo_view.h"

#include <cmath>

RowTable topo_image = nullptr;
int32_t topo_zoom = 16;
int32_t topo_center_x = 128, topo_center_y = 128;
int32_t topo_origin_x = 0, topo_origin_y = 0;
int32_t topo_mode = 0;

namespace {
// A zoom of 0 (a landscape smaller than 16 samples) would divide by zero: one sample per 16 pixels at least.
inline int32_t zoom_used() { return topo_zoom < 1 ? 1 : topo_zoom; }

inline int32_t clamp_i32(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Truncation toward zero that stays defined for values beyond the 32-bit range and for NaN.
int32_t trunc_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}
}  // namespace

void topo_derive_origin() {
  const int32_t z = zoom_used();
  const int32_t half_map = (z * 256 / 2) / 16;
  topo_origin_x = topo_center_x * land_max_side / 256 - half_map;
  topo_origin_y = topo_center_y * land_max_side / 256 - half_map;
}

void topo_derive_center() {
  const int32_t z = zoom_used();
  const int32_t half_map = (z * 256 / 2) / 16;
  const int32_t l = land_max_side < 1 ? 1 : land_max_side;
  topo_center_x = static_cast<int32_t>((static_cast<int64_t>(topo_origin_x) + half_map) * 256 / l);
  topo_center_y = static_cast<int32_t>((static_cast<int64_t>(topo_origin_y) + half_map) * 256 / l);
}

void topo_init() {
  topo_center_x = topo_center_y = 128;
  topo_zoom = 16;
  topo_derive_origin();
  if (!topo_image) topo_image = alloc_rows(kTopoSize, kTopoSize, 1);
}

void topo_get_view(int32_t* center_x, int32_t* center_y, int32_t* zoom) {
  if (center_x) *center_x = topo_center_x;
  if (center_y) *center_y = topo_center_y;
  if (zoom) *zoom = topo_zoom;
}

void topo_set_view(int32_t center_x, int32_t center_y, int32_t zoom) {
  topo_center_x = clamp_i32(center_x, 0, 255);
  topo_center_y = clamp_i32(center_y, 0, 255);
  topo_zoom = zoom < 1 ? 1 : zoom;
  topo_derive_origin();
}

void topo_reset_view() {
  topo_center_x = topo_center_y = 128;
  topo_zoom = land_max_side / 16;
  if (topo_zoom < 1) topo_zoom = 1;
  topo_derive_origin();
}

void topo_to_world(int32_t px, int32_t py, float* wx, float* wy) {
  const int32_t z = zoom_used();
  // The integer quotient origin * 16 / zoom first, the rest in single precision.
  const int32_t kx = px - kTopoLeft + topo_origin_x * 16 / z;
  const int32_t ky = kTopoBottom - py + topo_origin_y * 16 / z;
  *wx = static_cast<float>(kx) * grid_spacing_x * static_cast<float>(z) / 16.0f;
  *wy = static_cast<float>(ky) * grid_spacing_y * static_cast<float>(z) / 16.0f;
}

void world_to_topo(float wx, float wy, int32_t* px, int32_t* py) {
  const double z = zoom_used();
  const float fx = static_cast<float>(static_cast<double>(-topo_origin_x) * 16.0 / z +
                                      (static_cast<double>(wx) / grid_spacing_x * 16.0) / z);
  const float fy = static_cast<float>(static_cast<double>(-topo_origin_y) * 16.0 / z +
                                      (static_cast<double>(wy) / grid_spacing_y * 16.0) / z);
  *px = trunc_i32(kTopoLeft + static_cast<double>(fx));
  *py = trunc_i32(kTopoBottom - static_cast<double>(fy));
}

void grid_to_topo(int32_t col, int32_t row, int32_t* px, int32_t* py) {
  const int32_t z = zoom_used();
  *px = kTopoLeft + (-topo_origin_x * 16) / z + (col * 16) / z;
  *py = kTopoBottom - ((-topo_origin_y * 16) / z + (row * 16) / z);
}

bool world_to_sample(float wx, float wy, int32_t* col, int32_t* row) {
  const int32_t c = trunc_i32(static_cast<double>(wx / grid_spacing_x));
  const int32_t r = trunc_i32(static_cast<double>(wy / grid_spacing_y));
  if (col) *col = c;
  if (row) *row = r;
  return c >= 0 && c <= land_width && r >= 0 && r <= land_height;
}
