// Visibility tests and the clip passes against the square view pyramid.
#include "engine/raster/clip.h"

#include <cmath>
#include <cstring>

namespace {

// Entries a record can safely be read at: its count bounded to the record's room.
inline int32_t readable_count(const PolygonRecord* p) {
  if (p->count < 0) return 0;
  return p->count > kPolygonCapacity ? kPolygonCapacity : p->count;
}

// An integer attribute between the inside value a and the outside value b: the difference scaled by t as a float,
// added to a and truncated. Computed without overflow for the full range of a 32-bit seed.
inline int32_t lerp_int(int32_t a, int32_t b, float t) {
  const float d = static_cast<float>(static_cast<int64_t>(b) - static_cast<int64_t>(a));
  const float v = static_cast<float>(a) + d * t;
  if (!(v > -4.0e18f && v < 4.0e18f)) return a;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(v))));
}

inline uint16_t lerp_u16(uint16_t a, uint16_t b, float t) {
  return static_cast<uint16_t>(lerp_int(a, b, t));
}

// The crossing vertex from inside vertex a towards outside vertex b at parameter t, all attributes interpolated;
// the caller then places the position on the plane.
inline PolygonVertex crossing(const PolygonVertex& a, const PolygonVertex& b, float t) {
  PolygonVertex m;
  m.x = a.x + (b.x - a.x) * t;
  m.y = a.y + (b.y - a.y) * t;
  m.z = a.z + (b.z - a.z) * t;
  m.tu = a.tu + (b.tu - a.tu) * t;
  m.tv = a.tv + (b.tv - a.tv) * t;
  m.tw = a.tw + (b.tw - a.tw) * t;
  m.r = lerp_u16(a.r, b.r, t);
  m.g = lerp_u16(a.g, b.g, t);
  m.b = lerp_u16(a.b, b.b, t);
  m.alpha = lerp_u16(a.alpha, b.alpha, t);
  m.slot = lerp_u16(a.slot, b.slot, t);
  m.light = lerp_u16(a.light, b.light, t);
  m.seed = lerp_int(a.seed, b.seed, t);
  return m;
}

struct RightPlane {
  static bool inside(const PolygonVertex& v) { return v.x - v.z <= 0.0f; }
  static float distance(const PolygonVertex& v) { return v.x - v.z; }
  static void place(PolygonVertex& m) { m.x = m.z; }
};
struct LeftPlane {
  static bool inside(const PolygonVertex& v) { return -v.z - v.x <= 0.0f; }
  static float distance(const PolygonVertex& v) { return -v.z - v.x; }
  static void place(PolygonVertex& m) { m.x = -m.z; }
};
struct BottomPlane {
  static bool inside(const PolygonVertex& v) { return v.y - v.z <= 0.0f; }
  static float distance(const PolygonVertex& v) { return v.y - v.z; }
  static void place(PolygonVertex& m) { m.y = m.z; }
};
struct TopPlane {
  static bool inside(const PolygonVertex& v) { return -v.z - v.y <= 0.0f; }
  static float distance(const PolygonVertex& v) { return -v.z - v.y; }
  static void place(PolygonVertex& m) { m.y = -m.z; }
};
struct NearPlane {
  static bool inside(const PolygonVertex& v) { return v.z > 0.0f; }
  static float distance(const PolygonVertex& v) { return -v.z; }
  static void place(PolygonVertex& m) { m.z = 1.0f; }
};

// One pass. Every crossing is interpolated from the inside vertex towards the outside one, so two polygons sharing
// an edge get identical crossing points whichever way they list it. At most kPolygonCapacity - 1 vertices are kept
// so that the closing entry always fits.
template <typename Plane>
void clip_pass(const PolygonRecord* src, PolygonRecord* dst) {
  constexpr int32_t kMaxOut = kPolygonCapacity - 1;
  const int32_t n = readable_count(src);
  PolygonVertex* out = dst->vertices;
  int32_t k = 0;
  for (int32_t i = 0; i + 1 < n; ++i) {
    const PolygonVertex& a = src->vertices[i];
    const PolygonVertex& b = src->vertices[i + 1];
    const bool a_in = Plane::inside(a);
    const bool b_in = Plane::inside(b);
    if (a_in) {
      if (k < kMaxOut) out[k++] = a;
      if (!b_in) {
        const float da = Plane::distance(a), db = Plane::distance(b);
        PolygonVertex m = crossing(a, b, da / (da - db));
        Plane::place(m);
        if (k < kMaxOut) out[k++] = m;
      }
    } else if (b_in) {
      const float db = Plane::distance(b), da = Plane::distance(a);
      PolygonVertex m = crossing(b, a, db / (db - da));
      Plane::place(m);
      if (k < kMaxOut) out[k++] = m;
    }
  }
  if (k == 0) {
    std::memset(&out[0], 0, sizeof(PolygonVertex));
  } else {
    out[k] = out[0];
  }
  dst->count = k + 1;
  dst->tx_map = src->tx_map;
}

}  // namespace

int32_t polygon_may_be_visible(const PolygonRecord* polygon) {
  const int32_t n = readable_count(polygon);
  if (n == 0) return 0;
  const PolygonVertex* v = polygon->vertices;
  // One pass gathers every entry's answers without early exits: the entries are few and the tests cheap.
  uint32_t any = 0, all = ~0u;
  for (int32_t i = 0; i < n; ++i) {
    const uint32_t f = view_point_flags(v[i].x, v[i].y, v[i].z);
    any |= f;
    all &= f;
  }
  return view_flags_may_be_visible(any, all) ? 1 : 0;
}

int32_t polygon_needs_clipping(const PolygonRecord* polygon) {
  const int32_t n = readable_count(polygon);
  const PolygonVertex* v = polygon->vertices;
  for (int32_t i = 0; i < n; ++i) {
    if ((view_point_flags(v[i].x, v[i].y, v[i].z) & kViewOutside) != 0) return 1;
  }
  return 0;
}

void clip_polygon_right(const PolygonRecord* source, PolygonRecord* destination) {
  clip_pass<RightPlane>(source, destination);
}
void clip_polygon_left(const PolygonRecord* source, PolygonRecord* destination) {
  clip_pass<LeftPlane>(source, destination);
}
void clip_polygon_bottom(const PolygonRecord* source, PolygonRecord* destination) {
  clip_pass<BottomPlane>(source, destination);
}
void clip_polygon_top(const PolygonRecord* source, PolygonRecord* destination) {
  clip_pass<TopPlane>(source, destination);
}
void clip_polygon_near(const PolygonRecord* source, PolygonRecord* destination) {
  clip_pass<NearPlane>(source, destination);
}

PolygonRecord* clip_polygon_all(PolygonRecord* polygon, PolygonRecord* scratch) {
  clip_polygon_right(polygon, scratch);
  clip_polygon_left(scratch, polygon);
  clip_polygon_bottom(polygon, scratch);
  clip_polygon_top(scratch, polygon);
  clip_polygon_near(polygon, scratch);
  return scratch;
}
