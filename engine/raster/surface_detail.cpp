// Surface detail and texture subdivision: recursive splitting of view-space polygons before projection.
#include "engine/raster/surface_detail.h"

#include <cmath>

#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/raster/clip.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/polygon_pipeline.h"

constinit thread_local int32_t detail_depth = 0;
constinit thread_local int32_t texture_split_depth = 0;
constinit thread_local int32_t detail_override_a = -1, detail_override_b = -1;

int32_t current_detail_param_a() { return detail_override_a >= 0 ? detail_override_a : render_settings.detail_param_a; }
int32_t current_detail_param_b() { return detail_override_b >= 0 ? detail_override_b : render_settings.detail_param_b; }

namespace {

// Float to integer truncating toward zero, held to a range where the size measure cannot overflow (NaN gives 0).
inline int32_t trunc_bounded(float f) {
  constexpr float kLimit = 1073741824.0f;  // 2^30
  if (f >= -kLimit && f <= kLimit) return static_cast<int32_t>(f);
  if (f < -kLimit) return -1073741824;
  if (f > kLimit) return 1073741824;
  return 0;
}

// Surface-detail midpoint: positions and texture halved in floats, channels by a shift, seed in 32-bit arithmetic.
inline PolygonVertex detail_midpoint(const PolygonVertex& a, const PolygonVertex& b) {
  PolygonVertex m;
  m.x = (a.x + b.x) / 2.0f;
  m.y = (a.y + b.y) / 2.0f;
  m.z = (a.z + b.z) / 2.0f;
  m.tu = (a.tu + b.tu) / 2.0f;
  m.tv = (a.tv + b.tv) / 2.0f;
  m.tw = (a.tw + b.tw) / 2.0f;
  m.r = static_cast<uint16_t>((a.r + b.r) >> 1);
  m.g = static_cast<uint16_t>((a.g + b.g) >> 1);
  m.b = static_cast<uint16_t>((a.b + b.b) >> 1);
  m.alpha = static_cast<uint16_t>((a.alpha + b.alpha) >> 1);
  m.slot = static_cast<uint16_t>((a.slot + b.slot) >> 1);
  m.light = static_cast<uint16_t>((a.light + b.light) >> 1);
  m.seed = add_wrap32(a.seed, b.seed) / 2;
  return m;
}

// Texture midpoint: as above, except that the channels, opacity and slot are halved by division.
inline PolygonVertex texture_midpoint(const PolygonVertex& a, const PolygonVertex& b) {
  PolygonVertex m = detail_midpoint(a, b);
  m.r = static_cast<uint16_t>((a.r + b.r) / 2);
  m.g = static_cast<uint16_t>((a.g + b.g) / 2);
  m.b = static_cast<uint16_t>((a.b + b.b) / 2);
  m.alpha = static_cast<uint16_t>((a.alpha + b.alpha) / 2);
  m.slot = static_cast<uint16_t>((a.slot + b.slot) / 2);
  return m;
}

inline void set_triangle(PolygonRecord* t, const TextureRef* tx, const PolygonVertex& a, const PolygonVertex& b,
                         const PolygonVertex& c) {
  t->count = 4;
  t->tx_map = tx;
  t->vertices[0] = a;
  t->vertices[1] = b;
  t->vertices[2] = c;
  t->vertices[3] = a;
}

inline float edge_length(const PolygonVertex& a, const PolygonVertex& b) {
  const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The surface-detail size measure of a triangle in signed integers: half the summed x and y extents, scaled to the
// image size and the detail shift, divided by the nearest depth. Computed wide and saturated so that settings read
// from a file cannot overflow it.
}  // namespace

int32_t detail_size_measure(const PolygonRecord* p) {
  const int32_t n = p->count < 1 ? 1 : (p->count > kPolygonCapacity ? kPolygonCapacity : p->count);
  const PolygonVertex* v = p->vertices;
  int32_t x_min = trunc_bounded(v[0].x), x_max = x_min;
  int32_t y_min = trunc_bounded(v[0].y), y_max = y_min;
  int32_t z_min = trunc_bounded(v[0].z);
  for (int32_t i = 1; i < n; ++i) {
    if (v[i].x < static_cast<float>(x_min)) {
      x_min = trunc_bounded(v[i].x);
    } else if (v[i].x > static_cast<float>(x_max)) {
      x_max = trunc_bounded(v[i].x);
    }
    if (v[i].y < static_cast<float>(y_min)) {
      y_min = trunc_bounded(v[i].y);
    } else if (v[i].y > static_cast<float>(y_max)) {
      y_max = trunc_bounded(v[i].y);
    }
    if (v[i].z < static_cast<float>(z_min)) z_min = trunc_bounded(v[i].z);
  }
  if (z_min < 2) z_min = 1;
  int64_t s = (static_cast<int64_t>(x_max) - x_min + (static_cast<int64_t>(y_max) - y_min)) / 2;
  s = s * render_scale / 640;
  int32_t shift = current_detail_param_a();
  if (shift < 0) shift = 0;
  if (shift > 24) shift = 24;
  constexpr int64_t kCap = int64_t{1} << 36;
  if (s > kCap) s = kCap;
  if (s < -kCap) s = -kCap;
  s = s * (int64_t{1} << shift) / z_min;
  if (s > INT32_MAX) return INT32_MAX;
  if (s < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(s);
}

float texture_size_measure(const PolygonRecord* p) {
  const int32_t n = p->count < 1 ? 1 : (p->count > kPolygonCapacity ? kPolygonCapacity : p->count);
  const PolygonVertex* v = p->vertices;
  float x_min = v[0].x, x_max = v[0].x, y_min = v[0].y, y_max = v[0].y, z_min = v[0].z, z_max = v[0].z;
  for (int32_t i = 1; i < n; ++i) {
    if (v[i].x < x_min) x_min = v[i].x;
    if (v[i].x > x_max) x_max = v[i].x;
    if (v[i].y < y_min) y_min = v[i].y;
    if (v[i].y > y_max) y_max = v[i].y;
    if (v[i].z < z_min) z_min = v[i].z;
    if (v[i].z > z_max) z_max = v[i].z;
  }
  const float dx = x_max - x_min, dy = y_max - y_min, dz = z_max - z_min;
  if (z_min <= 0.0f) z_min = 0.01f;
  const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
  return static_cast<float>(render_scale) * d / z_min;
}

namespace {

void draw_texture_leaf(PolygonRecord* piece) {
  if (polygon_may_be_visible(piece)) clip_project_and_rasterize(piece);
}

}  // namespace

void subdivide_polygon(PolygonRecord* polygon) {
  ++detail_depth;
  const int32_t n = polygon->count < 0 ? 0 : (polygon->count > kPolygonCapacity ? kPolygonCapacity : polygon->count);
  if (n >= 4) {
    const int32_t limit = current_detail_param_b() < kMaxDetailDepth ? current_detail_param_b() : kMaxDetailDepth;
    const int32_t s = detail_size_measure(polygon);
    if (s >= 2 && detail_depth < limit) {
      const PolygonVertex p0 = polygon->vertices[0];
      const PolygonVertex p1 = polygon->vertices[1];
      const PolygonVertex p2 = polygon->vertices[2];
      PolygonVertex m01 = detail_midpoint(p0, p1);
      PolygonVertex m12 = detail_midpoint(p1, p2);
      PolygonVertex m20 = detail_midpoint(p2, p0);
      jitter_vertex_color(&m01, detail_depth);
      jitter_vertex_color(&m12, detail_depth);
      jitter_vertex_color(&m20, detail_depth);
      PolygonRecord child;
      set_triangle(&child, polygon->tx_map, p0, m01, m20);
      subdivide_polygon(&child);
      set_triangle(&child, polygon->tx_map, p1, m12, m01);
      subdivide_polygon(&child);
      set_triangle(&child, polygon->tx_map, p2, m20, m12);
      subdivide_polygon(&child);
      set_triangle(&child, polygon->tx_map, m01, m12, m20);
      subdivide_polygon(&child);
    } else if (render_settings.gouraud_enabled) {
      draw_polygon_view(polygon);
    } else {
      PolygonRecord flat;
      polygon_flat_color(polygon, &flat);
      draw_polygon_view(&flat);
    }
  }
  --detail_depth;
}

void subdivide_textured_polygon(PolygonRecord* polygon) {
  if (!polygon_may_be_visible(polygon)) return;
  ++texture_split_depth;
  const int32_t n = polygon->count > kPolygonCapacity ? kPolygonCapacity : polygon->count;
  const PolygonVertex* v = polygon->vertices;
  const float s = texture_size_measure(polygon);
  // A measure that is not a number is drawn as it is rather than split to the depth limit.
  if (!(s >= 64.0f) || texture_split_depth > kMaxTextureSplitDepth || n < 4) {
    draw_texture_leaf(polygon);
  } else if (n < 5) {
    const PolygonVertex p0 = v[0], p1 = v[1], p2 = v[2];
    const float l01 = edge_length(p0, p1);
    const float l12 = edge_length(p1, p2);
    const float l20 = edge_length(p2, v[3]);
    int32_t longest = 0;
    float best = l01;
    if (l12 > best) {
      longest = 1;
      best = l12;
    }
    if (l20 > best) longest = 2;
    PolygonRecord half;
    const TextureRef* tx = polygon->tx_map;
    if (longest == 0) {
      const PolygonVertex m = texture_midpoint(p0, p1);
      set_triangle(&half, tx, p0, m, p2);
      subdivide_textured_polygon(&half);
      set_triangle(&half, tx, m, p1, p2);
      subdivide_textured_polygon(&half);
    } else if (longest == 1) {
      const PolygonVertex m = texture_midpoint(p1, p2);
      set_triangle(&half, tx, p0, p1, m);
      subdivide_textured_polygon(&half);
      set_triangle(&half, tx, p0, m, p2);
      subdivide_textured_polygon(&half);
    } else {
      const PolygonVertex m = texture_midpoint(p2, v[3]);
      set_triangle(&half, tx, p0, p1, m);
      subdivide_textured_polygon(&half);
      set_triangle(&half, tx, p1, p2, m);
      subdivide_textured_polygon(&half);
    }
  } else {
    // Four or more corners: cut along the diagonal from entry 0 to entry h.
    const int32_t h = (n - 1) / 2;
    PolygonRecord piece;
    piece.tx_map = polygon->tx_map;
    for (int32_t i = 0; i <= h; ++i) piece.vertices[i] = v[i];
    piece.vertices[h + 1] = v[0];
    piece.count = h + 2;
    subdivide_textured_polygon(&piece);
    piece.vertices[0] = v[0];
    for (int32_t i = h; i < n; ++i) piece.vertices[i - h + 1] = v[i];
    piece.count = n - h + 1;
    subdivide_textured_polygon(&piece);
  }
  --texture_split_depth;
}
