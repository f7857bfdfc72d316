// Recursive fractal subdivision of a terrain quad: midpoints reseeded from their own seed, far children first.
#include <algorithm>
#include <cstdint>

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/quad_shading.h"
#include "engine/render/terrain_quad.h"

namespace {

// The mean of two seeds: the 32-bit sum with wrap-around, divided as a signed integer.
inline int32_t seed_mean2(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)) / 2;
}
inline int32_t seed_mean4(int32_t a, int32_t b, int32_t c, int32_t d) {
  const uint32_t sum = static_cast<uint32_t>(a) + static_cast<uint32_t>(b) + static_cast<uint32_t>(c) +
                       static_cast<uint32_t>(d);
  return static_cast<int32_t>(sum) / 4;
}

}  // namespace

QuadVertex quad_edge_midpoint(const QuadVertex& a, const QuadVertex& b, int32_t depth, float size) {
  QuadVertex m;
  m.seed = seed_mean2(a.seed, b.seed);
  m.x = (a.x + b.x) / 2.0f;
  m.y = (a.y + b.y) / 2.0f;
  m.tu = (a.tu + b.tu) / 2.0f;
  m.tv = (a.tv + b.tv) / 2.0f;
  m.distance = (a.distance + b.distance) / 2.0f;
  m.haze = (a.haze + b.haze) / 2.0f;
  m.roughness_scale = (a.roughness_scale + b.roughness_scale) / 2.0f;
  m.road_marker = (a.road_marker + b.road_marker) / 2;
  m.tree_shadow = (a.tree_shadow + b.tree_shadow) / 2;
  m.cast_shadow = (a.cast_shadow + b.cast_shadow) / 2;
  m.roughness = (a.roughness + b.roughness) / 2;
  m.jitter = (a.jitter + b.jitter) / 2;
  m.red = (a.red + b.red) / 2;
  m.green = (a.green + b.green) / 2;
  m.blue = (a.blue + b.blue) / 2;
  const int32_t dither = band_dither_offset(m.seed);
  m.water_marker = (a.water_marker + b.water_marker) / 2 + dither / 4;
  m.color_elevation = (a.color_elevation + b.color_elevation) / 2 + dither;
  float delta = midpoint_displacement(depth, size, m.roughness_scale, m.seed);
  if (m.water_marker < -30000) delta /= 2.0f;  // water and beach stay flatter
  m.z = (a.z + b.z) / 2.0f + delta;
  // An edge along x moves its midpoint mostly across the edge, in y, and an edge along y mostly in x.
  const float jx = horizontal_jitter(static_cast<float>(m.seed) + m.x + m.y, b.y - a.y) * m.roughness_scale;
  const float jy = horizontal_jitter(static_cast<float>(m.seed) + m.x - m.y, b.x - a.x) * m.roughness_scale;
  m.x += jx;
  m.y += jy;
  return m;
}

namespace {

QuadVertex centre_point(const QuadVertex& a, const QuadVertex& b, const QuadVertex& c, const QuadVertex& d,
                        int32_t depth, float size) {
  QuadVertex m;
  m.seed = seed_mean4(a.seed, b.seed, c.seed, d.seed);
  m.x = (a.x + b.x + c.x + d.x) / 4.0f;
  m.y = (a.y + b.y + c.y + d.y) / 4.0f;
  m.tu = (a.tu + b.tu + c.tu + d.tu) / 4.0f;
  m.tv = (a.tv + b.tv + c.tv + d.tv) / 4.0f;
  m.distance = (a.distance + b.distance + c.distance + d.distance) / 4.0f;
  m.haze = (a.haze + b.haze + c.haze + d.haze) / 4.0f;
  m.roughness_scale = (a.roughness_scale + b.roughness_scale + c.roughness_scale + d.roughness_scale) / 4.0f;
  m.road_marker = (a.road_marker + b.road_marker + c.road_marker + d.road_marker) / 4;
  m.tree_shadow = (a.tree_shadow + b.tree_shadow + c.tree_shadow + d.tree_shadow) / 4;
  m.cast_shadow = (a.cast_shadow + b.cast_shadow + c.cast_shadow + d.cast_shadow) / 4;
  m.roughness = (a.roughness + b.roughness + c.roughness + d.roughness) / 4;
  m.jitter = (a.jitter + b.jitter + c.jitter + d.jitter) / 4;
  m.red = (a.red + b.red + c.red + d.red) / 4;
  m.green = (a.green + b.green + c.green + d.green) / 4;
  m.blue = (a.blue + b.blue + c.blue + d.blue) / 4;
  const int32_t dither = band_dither_offset(m.seed);
  m.water_marker = (a.water_marker + b.water_marker + c.water_marker + d.water_marker) / 4 + dither / 4;
  m.color_elevation = (a.color_elevation + b.color_elevation + c.color_elevation + d.color_elevation) / 4 + dither;
  float delta = midpoint_displacement(depth, size, m.roughness_scale, m.seed);
  if (m.water_marker < -30000) delta /= 2.0f;
  m.z = (a.z + b.z + c.z + d.z) / 4.0f + delta;
  return m;
}

// The split of a quad given by its corner records, which the caller keeps: each child refers to its parent's
// corners and midpoints instead of copying four 80-byte records into a quad of its own.
void subdivide_corners(const QuadVertex* const c[4], float size, float subdiv_size, int32_t texture_level,
                       int32_t depth) {
  float d = c[0]->distance + c[1]->distance + c[2]->distance + c[3]->distance;
  if (d == 0.0f) d = 1.0f;
  const float p = subdiv_size * 10.0f * static_cast<float>(render_scale) * lens_state.lens_scale / d;
  // The detail settings can be typed in freely; the bounds keep one cell from splitting without end.
  const int32_t depth_limit = std::min(max_detail_depth, kMaxTerrainDetailDepth);
  const int32_t size_limit = std::max(max_polygon_size, kMinTerrainPolygonSize);
  if (static_cast<float>(size_limit) > p || depth > depth_limit) {
    shade_quad_corners(c, texture_level);
    return;
  }

  const float cx = (c[0]->x + c[1]->x + c[2]->x + c[3]->x) / 4.0f;
  const float cy = (c[0]->y + c[1]->y + c[2]->y + c[3]->y) / 4.0f;
  int32_t order[4];
  if (cy > camera_state.camera_y) {
    if (cx <= camera_state.camera_x) {
      order[0] = 2, order[1] = 3, order[2] = 0, order[3] = 1;
    } else {
      order[0] = 3, order[1] = 2, order[2] = 1, order[3] = 0;
    }
  } else if (cx <= camera_state.camera_x) {
    order[0] = 0, order[1] = 1, order[2] = 2, order[3] = 3;
  } else {
    order[0] = 1, order[1] = 0, order[2] = 3, order[3] = 2;
  }

  const QuadVertex top = quad_edge_midpoint(*c[0], *c[1], depth, size);
  const QuadVertex left = quad_edge_midpoint(*c[0], *c[2], depth, size);
  const QuadVertex bottom = quad_edge_midpoint(*c[2], *c[3], depth, size);
  const QuadVertex right = quad_edge_midpoint(*c[1], *c[3], depth, size);
  const QuadVertex centre = centre_point(*c[0], *c[1], *c[2], *c[3], depth, size);

  const float child_size = size / 2.0f;
  const float child_subdiv_size = subdiv_size / 2.0f;
  for (int32_t i = 0; i < 4; ++i) {
    const QuadVertex* child[4];
    switch (order[i]) {
      case 0:
        child[0] = c[0], child[1] = &top, child[2] = &left, child[3] = &centre;
        break;
      case 1:
        child[0] = &top, child[1] = c[1], child[2] = &centre, child[3] = &right;
        break;
      case 2:
        child[0] = &left, child[1] = &centre, child[2] = c[2], child[3] = &bottom;
        break;
      default:
        child[0] = &centre, child[1] = &right, child[2] = &bottom, child[3] = c[3];
        break;
    }
    subdivide_corners(child, child_size, child_subdiv_size, texture_level, depth + 1);
  }
}

}  // namespace

QuadVertex quad_centre_point(const TerrainQuad& quad, int32_t depth) {
  return centre_point(quad.corner[0], quad.corner[1], quad.corner[2], quad.corner[3], depth, quad.size);
}

void subdivide_quad(const TerrainQuad& q, int32_t depth) {
  const QuadVertex* const corners[4] = {&q.corner[0], &q.corner[1], &q.corner[2], &q.corner[3]};
  subdivide_corners(corners, q.size, q.subdiv_size, q.texture_level, depth);
}
