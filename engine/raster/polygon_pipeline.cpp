// The polygon pipeline's drawing entry points, projection, back-face test and vertex colour helpers.
#include "engine/raster/polygon_pipeline.h"

#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/scan_convert.h"
#include "engine/raster/surface_detail.h"
#include "engine/raster/view_transform.h"

namespace {

inline int32_t bounded_count(const PolygonRecord* p) {
  if (p->count < 0) return 0;
  return p->count > kPolygonCapacity ? kPolygonCapacity : p->count;
}

inline uint16_t clamp_channel(int64_t v) {
  if (v < 0) return 0;
  if (v > 65535) return 65535;
  return static_cast<uint16_t>(v);
}

}  // namespace

void polygon_project(PolygonRecord* polygon) {
  const float hw = static_cast<float>(proj_width / 2);
  const float hh = static_cast<float>(proj_height / 2);
  const int32_t n = bounded_count(polygon);
  for (int32_t i = 0; i < n; ++i) {
    PolygonVertex& v = polygon->vertices[i];
    if (v.z == 0.0f) v.z = 1.0f;
    v.x = project_view_coordinate(hw, v.x, v.z);
    v.y = project_view_coordinate(hh, v.y, v.z);
  }
}

void project_and_rasterize(PolygonRecord* polygon) {
  polygon_project(polygon);
  rasterize_polygon(polygon);
}

namespace {

// Clips the polygon when needed and hands what is left in view to draw.
void clip_known_then(PolygonRecord* polygon, bool needs_clipping, void (*draw)(PolygonRecord*)) {
  PolygonRecord* target = polygon;
  PolygonRecord scratch;
  if (needs_clipping) {
    target = clip_polygon_all(polygon, &scratch);
    // Clipped away, or down to a segment: nothing of the polygon is in view.
    if (target->count < 4) return;
  }
  draw(target);
}

}  // namespace

void clip_project_and_rasterize(PolygonRecord* polygon) {
  clip_known_then(polygon, polygon_needs_clipping(polygon) != 0, project_and_rasterize);
}

void draw_visible_polygon_view(PolygonRecord* polygon, bool needs_clipping) {
  clip_known_then(polygon, needs_clipping, project_and_rasterize);
}

void draw_visible_textured_polygon(PolygonRecord* polygon, bool needs_clipping) {
  if (polygon_is_backface(polygon)) return;
  clip_known_then(polygon, needs_clipping, subdivide_textured_polygon);
}

void draw_polygon_view(PolygonRecord* polygon) {
  if (!polygon_may_be_visible(polygon)) return;
  clip_project_and_rasterize(polygon);
}

void draw_polygon_world(PolygonRecord* polygon) {
  world_to_view_polygon(polygon);
  draw_polygon_view(polygon);
}

void draw_polygon_culled(PolygonRecord* polygon, int32_t cull) {
  if (cull != 0 && polygon_is_backface(polygon)) return;
  draw_polygon_view(polygon);
}

void draw_textured_polygon(PolygonRecord* polygon, int32_t cull) {
  if (cull != 0 && polygon_is_backface(polygon)) return;
  if (!polygon_may_be_visible(polygon)) return;
  clip_known_then(polygon, polygon_needs_clipping(polygon) != 0, subdivide_textured_polygon);
}

void draw_polygon_detail(PolygonRecord* polygon) {
  if (!polygon_may_be_visible(polygon)) return;
  if (current_detail_param_b() != 0) {
    subdivide_polygon(polygon);
  } else {
    draw_polygon_view(polygon);
  }
}

int32_t polygon_is_backface(const PolygonRecord* polygon) {
  // Fewer than three entries have no face to turn away.
  if (polygon->count < 3) return 0;
  const PolygonVertex* p = polygon->vertices;
  const double ax = static_cast<double>(p[1].x) - p[0].x;
  const double ay = static_cast<double>(p[1].y) - p[0].y;
  const double az = static_cast<double>(p[1].z) - p[0].z;
  const double bx = static_cast<double>(p[2].x) - p[1].x;
  const double by = static_cast<double>(p[2].y) - p[1].y;
  const double bz = static_cast<double>(p[2].z) - p[1].z;
  const double nx = ay * bz - az * by;
  const double ny = az * bx - ax * bz;
  const double nz = ax * by - ay * bx;
  return p[1].x * nx + p[1].y * ny + p[1].z * nz >= 0.0 ? 1 : 0;
}

void jitter_vertex_color(PolygonVertex* vertex, int32_t depth) {
  if (depth < 1) depth = 1;
  random8_from(static_cast<uint32_t>(vertex->seed));
  const int64_t a = rand_amplitude(render_settings.light_roughness);
  const int64_t offset = (a * 32) / (static_cast<int64_t>(depth) + 3);
  vertex->r = clamp_channel(vertex->r + offset);
  vertex->g = clamp_channel(vertex->g + offset);
  vertex->b = clamp_channel(vertex->b + offset);
}

void polygon_flat_color(const PolygonRecord* source, PolygonRecord* destination) {
  const int32_t n = bounded_count(source);
  destination->count = n;
  destination->tx_map = source->tx_map;
  if (n == 0) return;
  int64_t sr = 0, sg = 0, sb = 0, sa = 0;
  for (int32_t i = 0; i < n; ++i) {
    sr += source->vertices[i].r;
    sg += source->vertices[i].g;
    sb += source->vertices[i].b;
    sa += source->vertices[i].alpha;
  }
  const uint16_t mr = static_cast<uint16_t>((sr + n / 2) / n);
  const uint16_t mg = static_cast<uint16_t>((sg + n / 2) / n);
  const uint16_t mb = static_cast<uint16_t>((sb + n / 2) / n);
  const uint16_t ma = static_cast<uint16_t>((sa + n / 2) / n);
  for (int32_t i = 0; i < n; ++i) {
    PolygonVertex& d = destination->vertices[i];
    d = source->vertices[i];
    d.r = mr;
    d.g = mg;
    d.b = mb;
    d.alpha = ma;
  }
}
