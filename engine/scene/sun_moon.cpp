// The sun and the moon as textured spheres of astronomical size: band count from the projected size, a
// latitude-longitude grid turned by the body's rotation, and one textured quad per grid facet.
#include "engine/scene/sun_moon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/raster/clip.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/texture_slots.h"

namespace {

constexpr int32_t kSunClass = 77, kMoonClass = 79;
constexpr double kPi = 3.14159265358979323846;

struct SpherePoint {
  float x, y, z;
  float u, v;
  int32_t light;
};

// The slot's full-size texture, or a 1-texel opaque texture of the class colour when the slot holds none.
struct BodyTexture {
  uint32_t single;
  const uint32_t* texels;
  int32_t width, height;
};

BodyTexture body_texture(int32_t slot) {
  BodyTexture t{};
  const TextureSlot& s = texture_slots[slot];
  if (s.loaded != 0 && s.levels[0].pixels && s.levels[0].width > 0 && s.levels[0].height > 0) {
    t.texels = s.levels[0].pixels;
    t.width = static_cast<int32_t>(s.levels[0].width);
    t.height = static_cast<int32_t>(s.levels[0].height);
  } else {
    const ColorEntry& c = color_table[slot];
    t.single = 0xFF000000u | (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
    t.texels = nullptr;
    t.width = t.height = 1;
  }
  return t;
}

void draw_body(float px, float py, float pz, float rx, float ry, float rz, float radius, int32_t lit, int32_t slot) {
  BodyTexture t = body_texture(slot);
  // The one-colour texel outlives the call: a frame drawn on several threads rasterises the body later.
  static uint32_t single_texels[256];
  single_texels[slot & 255] = t.single;
  const uint32_t* texels = t.texels ? t.texels : &single_texels[slot & 255];
  camera_distance_haze(0.0f, 0.0f, 0.0f);
  draw_sky_sphere(px, py, pz, rx, ry, rz, radius, lit, slot, texels, t.width, t.height);
}

void dialog_vector(float x, float y, float z, float distance, float out[3]) {
  const float d = distance != 0.0f ? distance : 0.0f;
  out[0] = d != 0.0f ? x / d : 0.0f;
  out[1] = d != 0.0f ? y / d : 0.0f;
  out[2] = d != 0.0f ? z / d : 0.0f;
}

}  // namespace

int32_t draw_sun() {
  if (sun_moon_state.sun_size == 0) return 1;
  draw_body(sun_moon_state.sun_position_x, sun_moon_state.sun_position_y, sun_moon_state.sun_position_z,
            sun_moon_state.sun_rotation_x, sun_moon_state.sun_rotation_y, sun_moon_state.sun_rotation_z,
            sun_moon_state.sun_radius, 0, kSunClass);
  return 1;
}

int32_t draw_moon() {
  if (sun_moon_state.moon_enabled == 0 || sun_moon_state.moon_size == 0) return 1;
  draw_body(sun_moon_state.moon_position_x, sun_moon_state.moon_position_y, sun_moon_state.moon_position_z,
            sun_moon_state.moon_rotation_x, sun_moon_state.moon_rotation_y, sun_moon_state.moon_rotation_z,
            sun_moon_state.moon_radius, 1, kMoonClass);
  return 1;
}

void advance_sun_moon() {
  sun_moon_state.sun_rotation_x += sun_moon_state.sun_rotation_speed_x;
  sun_moon_state.sun_rotation_y += sun_moon_state.sun_rotation_speed_y;
  sun_moon_state.sun_rotation_z += sun_moon_state.sun_rotation_speed_z;
  sun_moon_state.moon_rotation_x += sun_moon_state.moon_rotation_speed_x;
  sun_moon_state.moon_rotation_y += sun_moon_state.moon_rotation_speed_y;
  sun_moon_state.moon_rotation_z += sun_moon_state.moon_rotation_speed_z;
}

int32_t sky_sphere_bands(double radius, double distance) {
  const double r = static_cast<double>(proj_width) * radius * lens_state.lens_scale / distance;
  const int32_t n = trunc_to_i32(std::sqrt(r));
  return std::clamp(n, 4, 18);
}

int32_t sphere_light(double nx, double ny, double nz) {
  const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (!(len > 0.0)) return 0;
  const double s = (light_state.light_x * nx + light_state.light_y * ny + light_state.light_z * nz) / len;
  if (!(s >= 0.0)) return 0;
  return std::clamp(trunc_to_i32(255.9 * std::sqrt(s)), 0, 255);
}

void draw_sky_sphere(double cx, double cy, double cz, float rx, float ry, float rz, double radius, int32_t lit,
                     int32_t slot, const uint32_t* texels, int32_t width, int32_t height) {
  const int32_t n = sky_sphere_bands(
      radius, hypot3(cx - camera_state.camera_x, cy - camera_state.camera_y, cz - camera_state.camera_z));
  const double step = 90.0 / n;

  // Quick rejection on the six extreme points of the sphere.
  PolygonRecord box{};
  box.count = 6;
  const double ext[6][3] = {{cx + radius, cy, cz}, {cx - radius, cy, cz}, {cx, cy + radius, cz},
                            {cx, cy - radius, cz}, {cx, cy, cz + radius}, {cx, cy, cz - radius}};
  for (int32_t i = 0; i < 6; ++i) {
    box.vertices[i].x = static_cast<float>(ext[i][0]);
    box.vertices[i].y = static_cast<float>(ext[i][1]);
    box.vertices[i].z = static_cast<float>(ext[i][2]);
  }
  world_to_view_polygon(&box);
  if (polygon_may_be_visible(&box) == 0) return;

  // Latitude-longitude grid: rows 0..2n from one pole (texture bottom) to the other (texture row 0).
  const int32_t rows = 2 * n + 1, columns = 4 * n + 1;
  std::vector<SpherePoint> grid(static_cast<size_t>(rows) * columns);
  auto at = [&](int32_t row, int32_t col) -> SpherePoint& { return grid[static_cast<size_t>(row) * columns + col]; };
  const float w = static_cast<float>(width);
  const int32_t h2 = height / 2;
  int32_t i = 0;
  for (double lat = 0.0; lat <= 90.1 && i <= n; lat += step, ++i) {
    const double z = std::sin(lat * kPi / 180.0) * radius;
    const double q = std::cos(lat * kPi / 180.0) * radius;
    int32_t j = 0;
    for (double lon = 0.0; lon <= 360.1 && j < columns; lon += step, ++j) {
      const float px = static_cast<float>(std::cos(lon * kPi / 180.0) * q);
      const float py = static_cast<float>(std::sin(lon * kPi / 180.0) * q);
      const float u = static_cast<float>(w * lon / 360.0);
      at(n + i, j) = {px, py, static_cast<float>(z), u, static_cast<float>(h2 - h2 * lat / 90.0), 0};
      if (i > 0) at(n - i, j) = {px, py, static_cast<float>(-z), u, static_cast<float>(h2 + h2 * lat / 90.0), 0};
    }
  }

  // Turn, light, place and transform every point.
  set_object_matrix(rx, ry, rz);
  for (SpherePoint& p : grid) {
    rotate_by_object(&p.x, &p.y, &p.z);
    p.light = lit == 0 ? 255 : sphere_light(p.x, p.y, p.z);
    float v[3] = {static_cast<float>(p.x + cx), static_cast<float>(p.y + cy), static_cast<float>(p.z + cz)};
    world_to_view_point(v);
    p.x = v[0];
    p.y = v[1];
    p.z = v[2];
  }

  SkySphereFacet facet{};
  facet.count = 4;
  facet.texels = texels;
  facet.width = width;
  facet.height = height;
  for (int32_t a = 0; a < rows - 1; ++a)
    for (int32_t b = 0; b < columns - 1; ++b) {
      // The first row starts off the pole so that the first three corners of every facet are distinct.
      const int32_t corners[4][2] = {{a, b}, {a, b + 1}, {a + 1, b + 1}, {a + 1, b}};
      const int32_t pole[4][2] = {{0, b + 1}, {1, b + 1}, {1, b}, {0, b}};
      const auto& k = a == 0 ? pole : corners;
      for (int32_t m = 0; m < 4; ++m) {
        const SpherePoint& p = at(k[m][0], k[m][1]);
        facet.x[m] = p.x;
        facet.y[m] = p.y;
        facet.z[m] = p.z;
        facet.u[m] = p.u;
        facet.v[m] = p.v;
        facet.light[m] = p.light;
      }
      emit_sky_sphere_polygon(facet, 1, slot);
    }
}

void emit_sky_sphere_polygon(const SkySphereFacet& facet, int32_t cull, int32_t slot) {
  TextureRef texture{facet.texels, facet.width, facet.height, 0, 0, 0};
  const ColorEntry& c = color_table[slot];
  const bool black = c.red == 0 && c.green == 0 && c.blue == 0;
  PolygonRecord p{};
  const int32_t corners = std::clamp(facet.count, 0, kPolygonCapacity - 1);
  p.count = corners + 1;
  p.tx_map = &texture;
  for (int32_t m = 0; m < corners; ++m) {
    PolygonVertex& v = p.vertices[m];
    const uint32_t shaded = shade_color(c.red, c.green, c.blue, facet.light[m], 0, 0);
    v.x = facet.x[m];
    v.y = facet.y[m];
    v.z = facet.z[m];
    v.r = static_cast<uint16_t>(((shaded >> 16) & 255u) * 256u);
    v.g = static_cast<uint16_t>(((shaded >> 8) & 255u) * 256u);
    v.b = static_cast<uint16_t>((shaded & 255u) * 256u);
    v.alpha = black ? 0 : 255;
    v.slot = static_cast<uint16_t>(slot);
    v.tu = facet.u[m];
    v.tv = facet.v[m];
    v.tw = 0.0f;
    v.light = static_cast<uint16_t>(std::clamp(facet.light[m], 0, 255) * 256);
  }
  p.vertices[corners] = p.vertices[0];
  draw_textured_polygon(&p, cull);
}

void set_sun_size(int32_t v) {
  if (v < 0 || v > 99) return;
  sun_moon_state.sun_size = v;
  sun_moon_state.sun_radius = static_cast<float>(v) * 6.923e8f;
}

void set_moon_size(int32_t v) {
  if (v < 0 || v > 99) return;
  sun_moon_state.moon_size = v;
  sun_moon_state.moon_radius = static_cast<float>(v) * 1.728e6f;
}

void sun_position_dialog_vector(float out[3]) {
  dialog_vector(sun_moon_state.sun_position_x, sun_moon_state.sun_position_y, sun_moon_state.sun_position_z,
                sun_moon_state.sun_distance, out);
}

void moon_position_dialog_vector(float out[3]) {
  dialog_vector(sun_moon_state.moon_position_x, sun_moon_state.moon_position_y, sun_moon_state.moon_position_z,
                sun_moon_state.moon_distance, out);
}

void sun_position_dialog_accept(const float unit[3]) {
  sun_moon_state.sun_position_x = sun_moon_state.sun_distance * unit[0];
  sun_moon_state.sun_position_y = sun_moon_state.sun_distance * unit[1];
  sun_moon_state.sun_position_z = sun_moon_state.sun_distance * unit[2];
}

void moon_position_dialog_accept(const float unit[3]) {
  sun_moon_state.moon_position_x = sun_moon_state.moon_distance * unit[0];
  sun_moon_state.moon_position_y = sun_moon_state.moon_distance * unit[1];
  sun_moon_state.moon_position_z = sun_moon_state.moon_distance * unit[2];
}
