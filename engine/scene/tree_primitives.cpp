// The 3-D tree primitives: lighting of tree surfaces, tree polygons, limbs, leaves, the child-segment makers,
// the drawing order at a node and the common model set-up. Everything lives on the stack; nothing is allocated.
#include "engine/scene/tree_primitives.h"

#include <algorithm>
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/scene_polygons.h"

constinit thread_local float tree_base_x = 0.0f, tree_base_y = 0.0f, tree_base_z = 0.0f;
constinit thread_local int32_t leaf_thin_index = 0;
const int8_t leaf_thin_table[9] = {4, 4, 3, 3, 3, 2, 2, 1, 1};
constinit thread_local int32_t leaf_count = 0;
constinit thread_local int32_t bend_depth = 0;

namespace {

Vec3f sun() { return Vec3f{light_state.light_x, light_state.light_y, light_state.light_z}; }
Vec3f vec_of(const SegmentRecord& s) { return Vec3f{s.vec_x, s.vec_y, s.vec_z}; }
Vec3f from_camera(const SegmentRecord& s) {
  return Vec3f{s.base_x - camera_state.camera_x, s.base_y - camera_state.camera_y, s.base_z - camera_state.camera_z};
}
Vec3f from_reference(const SegmentRecord& s) {
  return Vec3f{s.base_x - tree_base_x, s.base_y - tree_base_y, s.base_z - tree_base_z};
}
Vec3f sub(Vec3f a, Vec3f b) { return Vec3f{a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3f scaled(Vec3f a, double f) {
  return Vec3f{static_cast<float>(a.x * f), static_cast<float>(a.y * f), static_cast<float>(a.z * f)};
}

// c(n): 256 times the cosine between n and the sun, negative values as 0.
int32_t sun_cosine(Vec3f n) {
  vec3_normalize_or_up(&n.x, &n.y, &n.z);
  const int32_t c = trunc_to_i32(256.0 * vec3_dot(n, sun()));
  return std::max(c, 0);
}

uint32_t shaded(uint32_t colour, int32_t light, int32_t strength, int32_t value) {
  return shade_color(static_cast<int32_t>((colour >> 16) & 255), static_cast<int32_t>((colour >> 8) & 255),
                     static_cast<int32_t>(colour & 255), light, strength, value);
}

void set_local(TreePolygon* p, int32_t i, Vec3f v, uint32_t colour) {
  p->local[i] = TreeVertex{v.x, v.y, v.z, colour};
}

TreePolygon polygon_at(const SegmentRecord& s, int32_t slot, int32_t count) {
  TreePolygon p{};
  p.slot = static_cast<uint16_t>(slot);
  p.count = count;
  p.origin_x = s.base_x;
  p.origin_y = s.base_y;
  p.origin_z = s.base_z;
  return p;
}

void fill_tree_entry(PolygonVertex* v, const TreeVertex& w, int32_t seed, uint16_t slot) {
  v->x = w.x;
  v->y = w.y;
  v->z = w.z;
  v->seed = seed;
  v->r = static_cast<uint16_t>(((w.colour >> 16) & 255) * 256);
  v->g = static_cast<uint16_t>(((w.colour >> 8) & 255) * 256);
  v->b = static_cast<uint16_t>((w.colour & 255) * 256);
  v->alpha = 255;
  v->slot = slot;
  v->light = 0;
  v->tu = v->tv = v->tw = 0.0f;
}

void draw_tree_triangle(const TreePolygon& p, int32_t a, int32_t b, int32_t c, const int32_t seeds[3],
                        int32_t detail) {
  PolygonRecord rec;
  rec.count = 4;
  rec.tx_map = nullptr;
  fill_tree_entry(&rec.vertices[0], p.world[a], seeds[0], p.slot);
  fill_tree_entry(&rec.vertices[1], p.world[b], seeds[1], p.slot);
  fill_tree_entry(&rec.vertices[2], p.world[c], seeds[2], p.slot);
  fill_tree_entry(&rec.vertices[3], p.world[a], seeds[0], p.slot);
  scene_draw_polygon(&rec, tree_settings.tree_textures_enabled != 0 && detail != 0 ? ScenePath::kDetail : ScenePath::kWorld, 0);
}

// The segment's vector for a temporary direction and length (ring and side vectors).
Vec3f turned_vector(const SegmentRecord& s, float dx, float dy, float dz, float length) {
  SegmentRecord r = s;
  r.dir_x = dx;
  r.dir_y = dy;
  r.dir_z = dz;
  r.length = length;
  segment_direction(&r);
  return vec_of(r);
}

// The part shared by every maker: copy, base at the parent's tip, length, width, angle offsets, direction.
void make_child(const SegmentRecord& parent, SegmentRecord* child, double length, double width, int32_t ax,
                int32_t ay, int32_t az) {
  *child = parent;
  child->base_x = parent.base_x + parent.vec_x;
  child->base_y = parent.base_y + parent.vec_y;
  child->base_z = parent.base_z + parent.vec_z;
  child->length = static_cast<float>(length);
  child->width = static_cast<float>(width);
  child->angle_x += static_cast<float>(ax);
  child->angle_y += static_cast<float>(ay);
  child->angle_z += static_cast<float>(az);
  segment_direction(child);
}

int32_t length_jitter(int32_t seed) { return (seeded_draw(seed, 13141) & 31) - 16; }

}  // namespace

Vec3f segment_turned_vector(const SegmentRecord& s, float dx, float dy, float dz, float length) {
  return turned_vector(s, dx, dy, dz, length);
}
Vec3f segment_from_reference(const SegmentRecord& s) { return from_reference(s); }
uint32_t tree_shade_color(uint32_t colour, int32_t light, int32_t strength, int32_t value) {
  return shaded(colour, light, strength, value);
}

int32_t seeded_draw(int32_t seed, int32_t n) { return random8_from(static_cast<uint32_t>(add_wrap32(seed, n))); }

void vec3_normalize_or_up(float* x, float* y, float* z) {
  const double len = std::sqrt(static_cast<double>(*x) * *x + static_cast<double>(*y) * *y +
                               static_cast<double>(*z) * *z);
  if (len == 0.0 || std::isnan(len)) {
    *x = 0.0f;
    *y = 0.0f;
    *z = 1.0f;
    return;
  }
  *x = static_cast<float>(*x / len);
  *y = static_cast<float>(*y / len);
  *z = static_cast<float>(*z / len);
}

double vec3_cos_angle(Vec3f a, Vec3f b) {
  vec3_normalize_or_up(&a.x, &a.y, &a.z);
  vec3_normalize_or_up(&b.x, &b.y, &b.z);
  return vec3_dot(a, b);
}

void vec3_unit_cross(Vec3f a, Vec3f b, float* x, float* y, float* z) {
  float cx = static_cast<float>(static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y);
  float cy = static_cast<float>(static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z);
  float cz = static_cast<float>(static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x);
  vec3_normalize_or_up(&cx, &cy, &cz);
  *x = cx;
  *y = cy;
  *z = cz;
}

int32_t normal_shade(Vec3f n, uint32_t shade) {
  int32_t l = sun_cosine(n);
  if (shade & kShadeTerrainShadow) l /= 8;
  l = std::min(l, 255);
  return (3 * l + static_cast<int32_t>(shade & 255)) / 4;
}

int32_t tri_normal_shade(Vec3f e1, Vec3f e2, Vec3f n, uint32_t shade) {
  const Vec3f L = sun();
  int32_t f = trunc_to_i32(256.0 * normal_from_edges(e1.x, e1.y, e1.z, e2.x, e2.y, e2.z, L.x, L.y, L.z));
  f = std::max(f, 0);
  int32_t l = (2 * f + sun_cosine(n)) / 3;
  if (shade & kShadeTerrainShadow) l /= 8;
  return std::clamp(l, 0, 255);
}

int32_t two_normal_shade(Vec3f na, Vec3f nb, uint32_t shade) {
  int32_t l = (2 * sun_cosine(na) + sun_cosine(nb)) / 3;
  if (shade & kShadeTerrainShadow) l /= 8;
  return std::clamp(l, 0, 255);
}

double specular_cosine(Vec3f n, Vec3f v) {
  vec3_normalize(&n);
  vec3_normalize(&v);
  return reflect_dot(sun(), v, n);
}

int32_t tri_faces_away(Vec3f e1, Vec3f e2, Vec3f p) {
  const double d = normal_from_edges(e1.x, e1.y, e1.z, e2.x, e2.y, e2.z, p.x, p.y, p.z);
  return (d < 0.0 || std::isnan(d)) ? 1 : 0;
}

void tree_highlight(int32_t cls, Vec3f n, float bx, float by, float bz, uint32_t shade, bool shadow_test,
                    int32_t* strength, int32_t* value) {
  *strength = 0;
  *value = 0;
  const ClassAttributes& a = class_attributes[cls & 255];
  if (render_settings.phong_enabled == 0 || a.phong_intensity == 0) return;
  if (shadow_test && (shade & kShadeTerrainShadow)) return;
  double h = specular_cosine(n, Vec3f{camera_state.camera_x - bx, camera_state.camera_y - by, camera_state.camera_z - bz});
  h = std::clamp(h, 0.0, 1.0);
  *value = trunc_to_i32(std::pow(h, a.phong_sharpness) * 256.0);
  *strength = a.phong_intensity;
}

void offset_polygon_vertices(TreePolygon* p) {
  for (int32_t i = 0; i < p->count && i < 4; ++i) {
    p->world[i].x = p->origin_x + p->local[i].x;
    p->world[i].y = p->origin_y + p->local[i].y;
    p->world[i].z = p->origin_z + p->local[i].z;
    p->world[i].colour = p->local[i].colour;
  }
}

void emit_tree_polygon(TreePolygon* p, int32_t detail) {
  if (p->count != 3 && p->count != 4) return;
  offset_polygon_vertices(p);
  if (p->count == 3) {
    static constexpr int32_t kSeeds[3] = {1234, 2345, 3546};
    draw_tree_triangle(*p, 0, 1, 2, kSeeds, detail);
    return;
  }
  static constexpr int32_t kFirst[3] = {1234, 2345, 3456};
  static constexpr int32_t kSecond[3] = {1234, 3456, 4567};
  draw_tree_triangle(*p, 0, 1, 2, kFirst, detail);
  draw_tree_triangle(*p, 0, 2, 3, kSecond, detail);
}

namespace {
// Cosine and sine of the twelve ring angles 0, 30, ..., 360 degrees.
struct RingTable {
  double c[13], s[13];
  RingTable() {
    for (int32_t i = 0; i <= 12; ++i) {
      const double r = (30.0 * i) / kDegreesPerRadian;
      c[i] = std::cos(r);
      s[i] = std::sin(r);
    }
  }
};
const RingTable& ring_table() {
  static const RingTable table;
  return table;
}
}  // namespace

void draw_tree_limb(const SegmentRecord& s, int32_t taper, int32_t k) {
  const Vec3f axis = vec_of(s);
  const Vec3f eye = from_camera(s);
  const int32_t cls = 64 + k;
  // The ring vector at angle a is the segment's rotation of (cos a, sin a, 0) times the width: rotate the two
  // axes once and combine them, instead of rotating every ring vector on its own.
  const Vec3f ax = turned_vector(s, 1.0f, 0.0f, 0.0f, s.width);
  const Vec3f ay = turned_vector(s, 0.0f, 1.0f, 0.0f, s.width);
  const RingTable& t = ring_table();
  struct Edge {
    Vec3f p, q;
    uint32_t colour;
  };
  auto edge_at = [&](int32_t i) {
    const Vec3f ring{static_cast<float>(t.c[i] * ax.x + t.s[i] * ay.x), static_cast<float>(t.c[i] * ax.y + t.s[i] * ay.y),
                     static_cast<float>(t.c[i] * ax.z + t.s[i] * ay.z)};
    Edge e;
    e.p = ring;
    e.q = Vec3f{axis.x + static_cast<float>(taper * static_cast<double>(ring.x) / 256.0),
                axis.y + static_cast<float>(taper * static_cast<double>(ring.y) / 256.0),
                axis.z + static_cast<float>(taper * static_cast<double>(ring.z) / 256.0)};
    const int32_t light = normal_shade(ring, s.shade);
    int32_t strength = 0, value = 0;
    tree_highlight(cls, ring, s.base_x, s.base_y, s.base_z, s.shade, true, &strength, &value);
    e.colour = shaded(s.bark, light, strength, value);
    return e;
  };
  Edge a = edge_at(0);
  for (int32_t i = 0; i < 12; ++i) {
    const Edge b = edge_at(i + 1);
    if (tri_faces_away(sub(a.q, a.p), sub(b.p, a.q), eye) == 0) {
      TreePolygon p = polygon_at(s, cls, 4);
      set_local(&p, 0, a.p, a.colour);
      set_local(&p, 1, a.q, a.colour);
      set_local(&p, 2, b.q, b.colour);
      set_local(&p, 3, b.p, b.colour);
      emit_tree_polygon(&p, 1);
    }
    a = b;
  }
}

int32_t bent_limb_taper(int32_t taper) { return 256 - (256 - taper) / 2; }

void draw_bent_limb(SegmentRecord* s, int32_t taper, int32_t k) {
  ++bend_depth;
  SegmentRecord d = *s;
  const double len = std::sqrt(static_cast<double>(s->vec_x) * s->vec_x + static_cast<double>(s->vec_y) * s->vec_y +
                               static_cast<double>(s->vec_z) * s->vec_z);
  const double size = len * lens_state.lens_scale * render_scale / point_distance;
  if (size < 16.0 || bend_depth >= 6) {
    draw_tree_limb(*s, taper, k);
  } else {
    const double a = tree_settings.branch_bend[k & 3] * len / 200000.0;
    const float tip_x = s->base_x + s->vec_x, tip_y = s->base_y + s->vec_y;
    const double u = random8_from(static_cast<uint32_t>(random_at2(trunc_to_i32(tip_x), trunc_to_i32(tip_y)))) * a;
    const double v = random8() * a;
    const double w = random8() * a;
    s->vec_x = static_cast<float>(s->vec_x / 2.0 + u);
    s->vec_y = static_cast<float>(s->vec_y / 2.0 + v);
    s->vec_z = static_cast<float>(s->vec_z / 2.0 + w);
    d.base_x = s->base_x + s->vec_x;
    d.base_y = s->base_y + s->vec_y;
    d.base_z = s->base_z + s->vec_z;
    d.vec_x = static_cast<float>(d.vec_x / 2.0 - u);
    d.vec_y = static_cast<float>(d.vec_y / 2.0 - v);
    d.vec_z = static_cast<float>(d.vec_z / 2.0 - w);
    const int32_t t2 = bent_limb_taper(taper);
    d.width = static_cast<float>(t2 * static_cast<double>(d.width) / 256.0);
    draw_bent_limb(s, t2, k);
    draw_bent_limb(&d, t2, k);
  }
  --bend_depth;
}

void draw_flat_limb(const SegmentRecord& s, int32_t k) {
  const Vec3f axis = vec_of(s);
  Vec3f side{};
  vec3_unit_cross(axis, from_camera(s), &side.x, &side.y, &side.z);
  side = scaled(side, s.width);
  const Vec3f side6 = scaled(side, 6.0 / 10.0);
  Vec3f m{};
  vec3_unit_cross(side, axis, &m.x, &m.y, &m.z);
  const int32_t light = two_normal_shade(Vec3f{-m.x, -m.y, -m.z}, from_reference(s), s.shade);
  const uint32_t colour = shaded(s.bark, light, 0, 0);
  TreePolygon p = polygon_at(s, 64 + k, 4);
  set_local(&p, 0, side, colour);
  set_local(&p, 1, Vec3f{axis.x + side6.x, axis.y + side6.y, axis.z + side6.z}, colour);
  set_local(&p, 2, Vec3f{axis.x - side6.x, axis.y - side6.y, axis.z - side6.z}, colour);
  set_local(&p, 3, Vec3f{-side.x, -side.y, -side.z}, colour);
  emit_tree_polygon(&p, 1);
}

void draw_lit_segment(SegmentRecord* s, int32_t k) {
  const int32_t cls = 34 + k;
  const int32_t light = two_normal_shade(vec_of(*s), from_reference(*s), s->shade);
  int32_t strength = 0, value = 0;
  tree_highlight(cls, vec_of(*s), s->base_x, s->base_y, s->base_z, s->shade, true, &strength, &value);
  const uint32_t colour = shaded(s->leaf, light, strength, value);
  s->angle_x += 60.0f;
  segment_direction(s);
  const Vec3f w = turned_vector(*s, 1.0f, 0.0f, 0.0f, static_cast<float>(s->length * 3.0 / 10.0));
  const Vec3f v = vec_of(*s);
  TreePolygon p = polygon_at(*s, cls, 4);
  set_local(&p, 0, w, colour);
  set_local(&p, 1, v, colour);
  set_local(&p, 2, Vec3f{-w.x, -w.y, -w.z}, colour);
  set_local(&p, 3, scaled(Vec3f{-v.x, -v.y, -v.z}, 3.0 / 10.0), colour);
  emit_tree_polygon(&p, 0);
}

int32_t limb_measure(const SegmentRecord& s) {
  return trunc_to_i32(static_cast<double>(lens_state.lens_scale) * s.width * render_scale / 0.16 / point_distance);
}

void draw_limb_by_rule(SegmentRecord* s, int32_t taper, int32_t k) {
  const int32_t m = limb_measure(*s);
  if (m >= 8) {
    draw_bent_limb(s, taper, k);
  } else if (m >= 1) {
    draw_flat_limb(*s, k);
  }
}

void sort_pairs_by_key(SegmentKey* pairs, int32_t n) {
  for (int32_t i = 0; i + 1 < n; ++i)
    for (int32_t j = i; j < n; ++j)
      if (pairs[j].key > pairs[i].key) std::swap(pairs[i], pairs[j]);
}

void node_drawing_order(const SegmentRecord* children, int32_t n, const SegmentRecord& s, int32_t* order) {
  SegmentKey pairs[16];
  n = std::min(n, 15);
  for (int32_t i = 0; i < n; ++i)
    pairs[i] = SegmentKey{&children[i],
                          static_cast<float>(vec3_cos_angle(vec_of(children[i]), from_camera(children[i])))};
  const Vec3f tip_from_camera{s.base_x + s.vec_x - camera_state.camera_x, s.base_y + s.vec_y - camera_state.camera_y,
                              s.base_z + s.vec_z - camera_state.camera_z};
  pairs[n] = SegmentKey{&s, static_cast<float>(vec3_cos_angle(Vec3f{-s.vec_x, -s.vec_y, -s.vec_z}, tip_from_camera))};
  sort_pairs_by_key(pairs, n + 1);
  for (int32_t i = 0; i <= n; ++i)
    order[i] = pairs[i].segment == &s ? n : static_cast<int32_t>(pairs[i].segment - children);
}

void oak_child_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz) {
  const int32_t j = length_jitter(seed);
  make_child(parent, child, static_cast<double>(F + j) * parent.length / 256.0, parent.width / 2.0,
             dx + (seeded_draw(seed, 11111) & 31) - 16, dy + (seeded_draw(seed, 22222) & 31) - 16,
             dz + (seeded_draw(seed, 33333) & 63) - 32);
}

void cactus_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                    int32_t dy, int32_t dz) {
  const int32_t j = length_jitter(seed);
  make_child(parent, child, static_cast<double>(F + j) * parent.length / 256.0, parent.width * 19.0 / 20.0,
             dx + seeded_draw(seed, 111111) % 3, dy + seeded_draw(seed, 222222) % 3,
             dz + seeded_draw(seed, 333333) % 3);
}

void pine_branch_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                         int32_t dy, int32_t dz) {
  const int32_t j = length_jitter(seed);
  make_child(parent, child, static_cast<double>(F + j) * parent.length / 256.0, parent.width * 8.0 / 10.0,
             dx + seeded_draw(seed, 111111) % 25, dy + seeded_draw(seed, 222222) % 25,
             dz + seeded_draw(seed, 333333) % 45);
}

void pine_twig_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz) {
  const int32_t j = length_jitter(seed);
  make_child(parent, child, static_cast<double>(F + j) * parent.length / 256.0, parent.width * 75.0 / 100.0, dx,
             dy, dz + seeded_draw(seed, 33333) % 180);
}

void palm_frond_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                        int32_t dy, int32_t dz) {
  make_child(parent, child, static_cast<double>(F) * parent.length / 256.0, parent.length / 2.0,
             dx + seeded_draw(seed, 1346456) % 7, dy + seeded_draw(seed, 6424376) % 15,
             dz + seeded_draw(seed, 8456897) % 7);
}

void palm_leaf_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz) {
  make_child(parent, child, static_cast<double>(F) * parent.length / 256.0, parent.length / 16.0,
             dx + seeded_draw(seed, 134456) % 31, dy + seeded_draw(seed, 642476) % 15,
             dz + seeded_draw(seed, 845687) % 31);
}

void palm_tip_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t, int32_t F, int32_t dx, int32_t dy,
                      int32_t dz) {
  make_child(parent, child, static_cast<double>(F) * parent.length / 256.0, parent.length / 16.0, dx, dy, dz);
}

void palm_trunk_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                        int32_t dy, int32_t dz) {
  make_child(parent, child, static_cast<double>(F) * parent.length / 256.0, parent.width,
             dx + seeded_draw(seed, 54237) % 3, dy + seeded_draw(seed, 76902) % 3,
             dz + seeded_draw(seed, 33548) % 31);
}

int32_t tree_model_depth(int32_t lod, LeafThinning thinning) {
  const int32_t l = std::min(lod, 125);
  const int32_t d0 = l / 18;
  const int32_t f = std::clamp((l % 18) / 2, 0, 8);
  if (thinning == LeafThinning::kOak) leaf_thin_index = f;
  if (thinning == LeafThinning::kPine) leaf_thin_index = std::clamp(f / 2 + 4, 0, 8);
  // tree_detail may come from a file with any value: the sum is formed in 64 bits and bounded.
  int64_t d = static_cast<int64_t>(d0) + tree_settings.tree_detail;
  if (d < 4) {
    if (thinning != LeafThinning::kNone) leaf_thin_index = static_cast<int32_t>(std::clamp<int64_t>(2 * d, 0, 8));
    d = 4;
  }
  return static_cast<int32_t>(std::min<int64_t>(d, 8));
}

SegmentRecord tree_model_trunk(int32_t x, int32_t y, int32_t z, int32_t s, uint32_t bark, uint32_t leaf,
                               uint32_t shade, int32_t seed, double length_factor, double width_divisor,
                               bool ref_at_tip) {
  SegmentRecord t{};
  t.angle_x = static_cast<float>((seeded_draw(seed, 563265) & 7) - 4);
  t.angle_y = static_cast<float>((seeded_draw(seed, 102927) & 7) - 4);
  t.angle_z = static_cast<float>((seeded_draw(seed, 698657) & 31) - 16);
  t.base_x = static_cast<float>(x);
  t.base_y = static_cast<float>(y);
  t.base_z = static_cast<float>(z);
  t.dir_x = 0.0f;
  t.dir_y = 0.0f;
  t.dir_z = 1.0f;
  t.length = static_cast<float>(s * length_factor);
  t.width = static_cast<float>(t.length / width_divisor);
  t.bark = bark;
  t.leaf = leaf;
  t.shade = (shade & kShadeObjectShadow) ? (shade & 0xFF00u) : shade;
  segment_direction(&t);
  tree_base_x = t.base_x + (ref_at_tip ? t.vec_x : 0.0f);
  tree_base_y = t.base_y + (ref_at_tip ? t.vec_y : 0.0f);
  tree_base_z = t.base_z + (ref_at_tip ? t.vec_z : 0.0f);
  leaf_count = 0;
  return t;
}
