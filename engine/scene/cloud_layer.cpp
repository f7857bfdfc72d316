// The cloud layer pass: projects the pattern grid row by row, culls whole cells against the view and draws each
// visible cell as two semi-transparent triangles, split into displaced quarters near the camera.
#include "engine/scene/cloud_layer.h"

#include <algorithm>
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/core/vectors.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/cloud_pattern.h"

int32_t cloud_strips_drawn = 0;

namespace {

constexpr int32_t kCloudClass = 76;
constexpr int32_t kSkyClass = 33;
constexpr int32_t kPatternOrigin = 120;  // pattern sample at the world origin
constexpr int32_t kSpacingsPerSample = 16;
constexpr double kEarthRadius = 600000.0;

int32_t cloud_grid_step() { return std::clamp(render_settings.grid_step, 1, 128); }

float pattern_x(int32_t c) { return static_cast<float>((c - kPatternOrigin) * kSpacingsPerSample) * grid_spacing_x; }
float pattern_y(int32_t r) { return static_cast<float>((r - kPatternOrigin) * kSpacingsPerSample) * grid_spacing_y; }

CloudCorner mean2(const CloudCorner& a, const CloudCorner& b) {
  CloudCorner m;
  m.x = (a.x + b.x) / 2;
  m.y = (a.y + b.y) / 2;
  m.z = (a.z + b.z) / 2;
  m.distance = (a.distance + b.distance) / 2;
  m.haze = (a.haze + b.haze) / 2;
  m.seed = (a.seed + b.seed) / 2;
  m.density = (a.density + b.density) / 2 + cloud_jitter(trunc_to_i32(m.seed), a.density - b.density);
  return m;
}

CloudCorner mean4(const CloudCorner* k) {
  CloudCorner m;
  m.x = (k[0].x + k[1].x + k[2].x + k[3].x) / 4;
  m.y = (k[0].y + k[1].y + k[2].y + k[3].y) / 4;
  m.z = (k[0].z + k[1].z + k[2].z + k[3].z) / 4;
  m.distance = (k[0].distance + k[1].distance + k[2].distance + k[3].distance) / 4;
  m.haze = (k[0].haze + k[1].haze + k[2].haze + k[3].haze) / 4;
  m.seed = (k[0].seed + k[1].seed + k[2].seed + k[3].seed) / 4;
  m.density = (k[0].density + k[1].density + k[2].density + k[3].density) / 4 +
              cloud_jitter(trunc_to_i32(m.seed), range_of4(k[0].density, k[1].density, k[2].density, k[3].density));
  return m;
}

uint16_t channel16(uint32_t color, int32_t shift) { return static_cast<uint16_t>(((color >> shift) & 255u) * 256u); }

}  // namespace

float cloud_jitter(int32_t seed, float length) {
  return static_cast<float>(random8_from(static_cast<uint32_t>(seed)) * (std::fabs(length) + 0.01f) / 256.0f);
}

float range_of4(float a, float b, float c, float d) {
  return std::max(std::max(a, b), std::max(c, d)) - std::min(std::min(a, b), std::min(c, d));
}

int32_t cloud_curved_altitude(int32_t a, float x, float y) {
  const double dx = static_cast<double>(x) - camera_state.camera_x;
  const double dy = static_cast<double>(y) - camera_state.camera_y;
  const double d = std::sqrt(dx * dx + dy * dy);
  double scaled = d * 30.0 / grid_spacing_x;
  double scaled2 = scaled * scaled;
  // Beyond the sphere's radius (or with no usable spacing) the drop stays at its largest, the radius itself.
  if (!(scaled2 <= kEarthRadius * kEarthRadius)) scaled2 = kEarthRadius * kEarthRadius;
  const double drop = kEarthRadius - std::sqrt(kEarthRadius * kEarthRadius - scaled2);
  const double result = static_cast<double>(a) - (static_cast<double>(a) - landscape_view.base_level) * drop / 4000.0;
  return trunc_to_i32(result);
}

void project_cloud_row(int32_t row, float* buffer, int32_t a) {
  const int32_t g = cloud_grid_step();
  const float y = pattern_y(row);
  for (int32_t c = 0; c < kCloudPatternSide; c += g) {
    const float x = pattern_x(c);
    const float z = static_cast<float>(cloud_curved_altitude(a, x, y));
    world_to_view(x, y, z, &buffer[3 * c], &buffer[3 * c + 1], &buffer[3 * c + 2]);
  }
}

int32_t cloud_cell_culled(const float* previous, const float* current, int32_t c) {
  const int32_t g = cloud_grid_step();
  const float* p[4] = {&previous[3 * c], &previous[3 * (c + g)], &current[3 * c], &current[3 * (c + g)]};
  bool behind = true, left = true, top = true, right = true, bottom = true;
  for (const float* v : p) {
    const float x = v[0], y = v[1];
    const float z = static_cast<float>(trunc_to_i32(v[2]));
    behind = behind && z < 1.0f;
    left = left && x <= -z;
    top = top && y <= -z;
    right = right && x >= z;
    bottom = bottom && y >= z;
  }
  return (behind || left || top || right || bottom) ? 1 : 0;
}

void draw_cloud_cell(int32_t c, int32_t r, int32_t a, int32_t e) {
  const int32_t g = cloud_grid_step();
  CloudCell cell;
  const int32_t cols[4] = {c, c + g, c, c + g};
  const int32_t rows[4] = {r, r, r + g, r + g};
  for (int32_t k = 0; k < 4; ++k) {
    CloudCorner& q = cell.corner[k];
    q.seed = static_cast<float>(random_at2(cols[k], rows[k]));
    q.x = pattern_x(cols[k]);
    q.y = pattern_y(rows[k]);
    q.z = static_cast<float>(cloud_curved_altitude(a, q.x, q.y));
    q.distance = camera_distance_haze(q.x, q.y, static_cast<float>(e));
    q.haze = haze_factor;
    q.density = static_cast<float>(cloud_pattern[rows[k] * kCloudPatternSide + cols[k]]);
  }
  cell.size = static_cast<float>(g * kSpacingsPerSample) * grid_spacing_x;
  if (cloud_settings.cloud_subdiv_depth == 0) {
    shade_cloud_polygon(cell);
  } else {
    subdivide_cloud_polygon(cell, 0);
  }
}

void subdivide_cloud_polygon(const CloudCell& cell, int32_t depth) {
  const CloudSettings& s = cloud_settings;
  float p = -1.0f;
  if (s.cloud_subdiv_depth != 0) {
    float divisor =
        (cell.corner[0].distance + cell.corner[1].distance + cell.corner[2].distance + cell.corner[3].distance) * 8.0f;
    if (divisor == 0.0f) divisor = 1.0f;
    p = (static_cast<float>(render_scale) * std::fabs(cell.size) * lens_state.lens_scale * 16.0f) / divisor;
  }
  if (static_cast<float>(s.cloud_subdiv_size) > p || depth > s.cloud_subdiv_depth) {
    shade_cloud_polygon(cell);
    return;
  }
  const CloudCorner* k = cell.corner;
  const CloudCorner m01 = mean2(k[0], k[1]);
  const CloudCorner m02 = mean2(k[0], k[2]);
  const CloudCorner m23 = mean2(k[2], k[3]);
  const CloudCorner m13 = mean2(k[1], k[3]);
  const CloudCorner centre = mean4(k);
  const float half = cell.size / 2;
  const CloudCell quarter[4] = {
      {{k[0], m01, m02, centre}, half},
      {{m01, k[1], centre, m13}, half},
      {{m02, centre, k[2], m23}, half},
      {{centre, m13, m23, k[3]}, half},
  };
  // Farthest quarter first.
  const float mx = (k[0].x + k[1].x + k[2].x + k[3].x) / 4;
  const float my = (k[0].y + k[1].y + k[2].y + k[3].y) / 4;
  static const int32_t orders[4][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}};
  const int32_t which = (my <= camera_state.camera_y ? 0 : 2) + (mx <= camera_state.camera_x ? 0 : 1);
  for (int32_t i : orders[which]) subdivide_cloud_polygon(quarter[i], depth + 1);
}

void shade_cloud_polygon(const CloudCell& cell) {
  const ClassAttributes& attr = class_attributes[kSkyClass];
  const Vec3f light{light_state.light_x, light_state.light_y, light_state.light_z};
  PolygonVertex v[4] = {};
  for (int32_t k = 0; k < 4; ++k) {
    const CloudCorner& q = cell.corner[k];
    const int32_t i = std::clamp(trunc_to_i32(q.density), 0, 255);
    const uint32_t color = cloud_ramp[i];
    haze_factor = q.haze;
    Vec3f dir{q.x - camera_state.camera_x, q.y - camera_state.camera_y, q.z - camera_state.camera_z};
    vec3_normalize(&dir);
    double l = vec3_dot(dir, light);
    if (!(l > 0.0)) l = 0.0;
    const int32_t highlight = trunc_to_i32(std::pow(l, static_cast<double>(attr.phong_sharpness)) * 256.0);
    const uint32_t shaded =
        shade_color(static_cast<int32_t>((color >> 16) & 255), static_cast<int32_t>((color >> 8) & 255),
                    static_cast<int32_t>(color & 255), light_state.flat_intensity, attr.phong_intensity, highlight);
    v[k].x = q.x;
    v[k].y = q.y;
    v[k].z = q.z;
    v[k].r = channel16(shaded, 16);
    v[k].g = channel16(shaded, 8);
    v[k].b = channel16(shaded, 0);
    v[k].alpha = static_cast<uint16_t>(color >> 24);
    v[k].slot = kCloudClass;
  }
  static const int32_t triangles[2][3] = {{0, 1, 3}, {0, 3, 2}};
  for (const auto& t : triangles) {
    // The four entries are set whole; the pipeline never reads past the count, so the rest is not cleared.
    PolygonRecord p;
    p.count = 4;
    p.tx_map = nullptr;
    p.vertices[0] = v[t[0]];
    p.vertices[1] = v[t[1]];
    p.vertices[2] = v[t[2]];
    p.vertices[3] = v[t[0]];
    draw_polygon_world(&p);
  }
}

int32_t render_clouds() {
  cloud_strips_drawn = 0;
  if (clouds_enabled == 0) return 1;
  build_cloud_color_ramp();
  const int32_t a = cloud_settings.cloud_altitude;
  const int32_t e = landscape_view.max_elevation;
  const int32_t g = cloud_grid_step();
  static float rows[2][3 * kCloudPatternSide];
  float* previous = rows[0];
  float* current = rows[1];
  project_cloud_row(0, previous, a);
  for (int32_t r = 0; r < kCloudPatternSide - g; r += g) {
    if (poll_user_abort() == -1) return -1;
    show_progress("Clouds", r, kCloudPatternSide);
    project_cloud_row(r + g, current, a);
    for (int32_t c = 0; c < kCloudPatternSide - g; c += g)
      if (!cloud_cell_culled(previous, current, c)) draw_cloud_cell(c, r, a, e);
    ++cloud_strips_drawn;
    std::swap(previous, current);
  }
  return 1;
}
