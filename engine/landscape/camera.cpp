// Camera and target placement: the two points, the heading and pitch between them, locks, default views and the elevation range.
#include "engine/landscape/camera.h"

#include <cmath>

#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/landscape/cell_max_elevation.h"

CameraState camera_state;
int32_t max_elevation_col = 0, max_elevation_row = 0;

namespace {
// Truncation toward zero that stays defined beyond the 32-bit range and for NaN.
int32_t trunc_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Angles from atan2_deg lie in 0 to 360; bring them into -180 to 180 (180 itself stays).
float wrap_angle(float a) {
  if (a > 180.0f) a -= 360.0f;
  if (a < -180.0f) a += 360.0f;
  return a;
}

double camera_target_distance() {
  return hypot3(static_cast<double>(camera_state.target_x) - camera_state.camera_x, static_cast<double>(camera_state.target_y) - camera_state.camera_y,
                static_cast<double>(camera_state.target_z) - camera_state.camera_z);
}

int32_t sample_elevation(int32_t col, int32_t row) { return elevation_rows ? elevation_row(row)[col] : 0; }

// The elevation of the sample under a map pixel; false when the pixel lies off the landscape.
bool map_pixel_elevation(int32_t px, int32_t py, int32_t* elevation) {
  float wx, wy;
  int32_t col, row;
  topo_to_world(px, py, &wx, &wy);
  if (!world_to_sample(wx, wy, &col, &row)) return false;
  *elevation = sample_elevation(col, row);
  return true;
}

// Camera over the world point (wx, wy): on the landscape at the highest corner of its cell plus
// camera_height, elsewhere at max_elevation.
void camera_over_point(float wx, float wy) {
  int32_t col, row;
  float z;
  if (world_to_sample(wx, wy, &col, &row))
    z = static_cast<float>(cell_max_elevation(col, row) + camera_state.camera_height);
  else
    z = static_cast<float>(landscape_view.max_elevation);
  set_camera(wx, wy, z);
}
}  // namespace

void reset_camera_state() {
  camera_state = CameraState{};
  max_elevation_col = max_elevation_row = 0;
}

void update_camera_angles() {
  const float dx = camera_state.target_x - camera_state.camera_x;
  const float dy = camera_state.target_y - camera_state.camera_y;
  const float dz = camera_state.target_z - camera_state.camera_z;
  camera_state.camera_heading = wrap_angle(atan2_deg(dx, dy) - 90.0f);
  const float horizontal =
      static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
  camera_state.camera_pitch = wrap_angle(atan2_deg(horizontal, dz));
}

void set_camera(float x, float y, float z) {
  if (!camera_state.lock_x) camera_state.camera_x = x;
  if (!camera_state.lock_y) camera_state.camera_y = y;
  if (!camera_state.lock_z) camera_state.camera_z = z;
  update_camera_angles();
}

void set_target(float x, float y, float z) {
  if (!camera_state.lock_x) camera_state.target_x = x;
  if (!camera_state.lock_y) camera_state.target_y = y;
  if (!camera_state.lock_z) camera_state.target_z = z;
  update_camera_angles();
}

void set_camera_from_map(int32_t px, int32_t py) {
  float wx, wy;
  topo_to_world(px, py, &wx, &wy);
  camera_over_point(wx, wy);
}

void set_target_from_map(int32_t px, int32_t py) {
  float wx, wy;
  int32_t col, row;
  topo_to_world(px, py, &wx, &wy);
  const float z = world_to_sample(wx, wy, &col, &row) ? static_cast<float>(sample_elevation(col, row)) : 0.0f;
  set_target(wx, wy, z);
}

void camera_to_ground() { camera_over_point(camera_state.camera_x, camera_state.camera_y); }

void camera_at_distance(int32_t distance) {
  double d = camera_target_distance();
  if (d == 0.0) d = 0.01;
  const float f = static_cast<float>(distance / d);
  const float px = f * (camera_state.target_x - camera_state.camera_x);
  const float py = f * (camera_state.target_y - camera_state.camera_y);
  const float pz = f * (camera_state.target_z - camera_state.camera_z);
  set_camera(std::trunc(camera_state.target_x - px), std::trunc(camera_state.target_y - py), std::trunc(camera_state.target_z - pz));
}

void target_from_angles() {
  const int32_t l = int_hypot3(trunc_i32(camera_state.target_x - camera_state.camera_x), trunc_i32(camera_state.target_y - camera_state.camera_y),
                               trunc_i32(camera_state.target_z - camera_state.camera_z));
  SegmentRecord s{};
  s.unit_x = 0.0f;
  s.unit_y = 1.0f;
  s.unit_z = 0.0f;
  s.length = static_cast<float>(l);
  s.angle_x = camera_state.camera_pitch;
  s.angle_y = camera_state.camera_bank;
  s.angle_z = camera_state.camera_heading;
  segment_direction(&s);
  camera_state.target_x = camera_state.camera_x + s.vector_x;
  camera_state.target_y = camera_state.camera_y + s.vector_y;
  camera_state.target_z = camera_state.camera_z + s.vector_z;
}

void set_heading(float angle) {
  camera_state.camera_heading = angle;
  target_from_angles();
}

void set_pitch(float angle) {
  camera_state.camera_pitch = angle;
  target_from_angles();
}

void pick_tree_line(int32_t px, int32_t py) {
  int32_t e;
  if (map_pixel_elevation(px, py, &e)) terrain_settings.tree_line = e;
}

void pick_snow_line(int32_t px, int32_t py) {
  int32_t e;
  if (map_pixel_elevation(px, py, &e)) terrain_settings.snow_line = e;
}

void pick_sea_level(int32_t px, int32_t py) {
  int32_t e;
  if (map_pixel_elevation(px, py, &e)) terrain_settings.sea_level = e;
}

void auto_haze() {
  int32_t n = trunc_i32(camera_target_distance());
  if (n < 1) n = 1;
  render_settings.haze_density = 1000000 / n;
  if (render_settings.haze_density > 10000) render_settings.haze_density = 10000;
}

void default_view() {
  camera_state.lock_x = camera_state.lock_y = camera_state.lock_z = 0;
  const float mid_x = static_cast<float>(land_max_side) * grid_spacing_x / 2.0f;
  set_camera(mid_x, static_cast<float>(land_height) * grid_spacing_y, static_cast<float>(landscape_view.max_elevation));
  set_target(mid_x, 0.0f, static_cast<float>(landscape_view.base_level));
  camera_state.camera_bank = 0.0f;
  terrain_settings.fractal_roughness = 100;
  terrain_settings.line_roughness = 100;
  terrain_settings.tree_line = landscape_view.base_level + (landscape_view.max_elevation - landscape_view.base_level) / 4;
  terrain_settings.snow_line = landscape_view.base_level + 2 * (landscape_view.max_elevation - landscape_view.base_level) / 3;
  render_settings.grid_step = 1;
}

void default_view_high() {
  const int32_t z = landscape_view.max_elevation + (land_max_side * 1000) / 256;
  const float mid_x = static_cast<float>(land_width) * grid_spacing_x / 2.0f;
  set_camera(mid_x, 0.0f, static_cast<float>(z));
  set_target(mid_x, static_cast<float>(land_height) * grid_spacing_y / 2.0f,
             static_cast<float>((landscape_view.max_elevation + landscape_view.base_level) / 2));
}

void default_levels() {
  terrain_settings.tree_line = landscape_view.base_level + (landscape_view.max_elevation - landscape_view.base_level) / 3;
  terrain_settings.snow_line = landscape_view.base_level + 2 * (landscape_view.max_elevation - landscape_view.base_level) / 3;
}

void scan_elevation_range() {
  landscape_view.base_level = 32767;
  landscape_view.max_elevation = -32767;
  max_elevation_col = max_elevation_row = 0;
  if (elevation_rows) {
    // The last two sample rows and columns (the last landscape sample and the guard) are not scanned.
    for (int32_t r = 0; r <= land_height - 2 && r < grid_height; ++r) {
      const int16_t* row = elevation_row(r);
      for (int32_t c = 0; c <= land_width - 2 && c < grid_width; ++c) {
        const int32_t e = row[c];
        if (e != 0 && e != -32768 && e < landscape_view.base_level) landscape_view.base_level = e;
        if (e > landscape_view.max_elevation) {
          landscape_view.max_elevation = e;
          max_elevation_col = c;
          max_elevation_row = r;
        }
      }
    }
  }
  if (landscape_view.base_level > landscape_view.max_elevation) landscape_view.base_level = landscape_view.max_elevation;
}
