// The 3-D palm: one leaning trunk carrying a chain of crown segments, each with six fronds of midrib segments
// and leaflets. The frond grower also serves the second cactus variant.
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/scene/tree_models.h"
#include "engine/scene/tree_primitives.h"

constinit thread_local int32_t palm_level = 0;
constinit thread_local int32_t palm_len_factor = 0;

namespace {
struct Frond {
  int32_t n, dz, gate, grow;
};
constexpr Frond kFronds[6] = {{253647, 0, 123456, 912341},   {132435, 60, 234567, 823452},
                              {643524, 120, 345678, 734563}, {843268, 180, 456789, 645674},
                              {438107, 240, 567890, 556785}, {438107, 300, 678901, 124442}};
}  // namespace

void draw_3d_palm(int32_t x, int32_t y, int32_t z, int32_t s, int32_t, uint32_t bark, uint32_t leaf, uint32_t shade,
                  int32_t lod, int32_t seed, int32_t k) {
  const int32_t d = tree_model_depth(lod, LeafThinning::kNone);
  SegmentRecord trunk = tree_model_trunk(x, y, z, s, bark, leaf, shade, seed, 0.9, 48.0, true);
  grow_palm(&trunk, seed, d, k);
}

// The crown node shared by the palm and the second cactus variant: six frond bases and the next crown
// segment; grow_next continues the chain and draw_self draws the node's own segment (or nothing).
void grow_crown_node(SegmentRecord* s, int32_t seed, int32_t frond_f, int32_t next_f, int32_t tilt, int32_t fronds,
                     int32_t k, void (*grow_next)(SegmentRecord*, int32_t, int32_t, int32_t), int32_t next_depth,
                     bool draw_self) {
  SegmentRecord c[7];
  for (int32_t i = 0; i < 6; ++i) {
    palm_leaf_segment(*s, &c[i], add_wrap32(seed, kFronds[i].n), frond_f, 0, tilt, kFronds[i].dz);
    c[i].width = c[i].length / 16.0f;
  }
  palm_trunk_segment(*s, &c[6], add_wrap32(seed, 543219), next_f, 0, 0, 0);
  int32_t order[8];
  node_drawing_order(c, 7, *s, order);
  for (int32_t idx : order) {
    if (idx < 6) {
      if ((seeded_draw(seed, -kFronds[idx].gate) & 15) != 0)
        grow_palm_crown(&c[idx], add_wrap32(seed, kFronds[idx].grow), fronds, k);
    } else if (idx == 6) {
      grow_next(&c[6], add_wrap32(seed, 132435), next_depth, k);
    } else if (draw_self) {
      draw_limb_by_rule(s, 120, k);
    }
  }
}

void grow_palm(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  if (depth <= 0) return;
  ++palm_level;
  if (palm_level == 1) palm_len_factor = 24 / depth;
  const int32_t cd = 3 * depth + 20, tilt = 15 * depth + 10;
  const bool first = palm_level == 1;
  grow_crown_node(s, seed, first ? palm_len_factor : 256, first ? palm_len_factor : 240, tilt, cd, k, grow_palm,
                  depth - 1, first);
  --palm_level;
}

void grow_palm_crown(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  if (depth <= 0) return;
  SegmentRecord c[3];
  palm_frond_segment(*s, &c[0], add_wrap32(seed, 118822), 2000, 90, 0, 0);
  palm_frond_segment(*s, &c[1], add_wrap32(seed, 773622), 2000, -90, 0, 0);
  palm_tip_segment(*s, &c[2], add_wrap32(seed, 543621), 250, 0, 2, 0);
  int32_t order[4];
  node_drawing_order(c, 3, *s, order);
  for (int32_t idx : order) {
    switch (idx) {
      case 0:
        if ((seeded_draw(seed, -123456) & 7) != 0 && tree_settings.tree_leaves[k & 3] != 0) draw_palm_frond(c[0], k);
        break;
      case 1:
        if ((seeded_draw(seed, -234567) & 7) != 0 && tree_settings.tree_leaves[k & 3] != 0) draw_palm_frond(c[1], k);
        break;
      case 2: grow_palm_crown(&c[2], add_wrap32(seed, 918273), depth - 1, k); break;
      default: draw_limb_by_rule(s, 240, k); break;
    }
  }
}

void draw_palm_frond(const SegmentRecord& s, int32_t k) {
  const Vec3f w = segment_turned_vector(s, 0.0f, 1.0f, 0.0f, s.width);
  const Vec3f v{s.vec_x, s.vec_y, s.vec_z};
  const int32_t light = tri_normal_shade(v, w, segment_from_reference(s), s.shade);
  int32_t strength = 0, value = 0;
  tree_highlight(34 + k, v, s.base_x, s.base_y, s.base_z, s.shade, false, &strength, &value);
  const uint32_t colour = tree_shade_color(s.leaf, light, strength, value);
  TreePolygon p{};
  p.slot = static_cast<uint16_t>(34 + k);
  p.count = 3;
  p.origin_x = s.base_x;
  p.origin_y = s.base_y;
  p.origin_z = s.base_z;
  p.local[0] = TreeVertex{w.x, w.y, w.z, colour};
  p.local[1] = TreeVertex{v.x, v.y, v.z, colour};
  p.local[2] = TreeVertex{-w.x, -w.y, -w.z, colour};
  emit_tree_polygon(&p, 0);
}
