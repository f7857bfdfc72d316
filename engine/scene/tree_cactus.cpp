// The 3-D cacti: a columnar cactus with eight curving arms and a straight top, and a stemless rosette grown
// with the palm's frond machinery.
#include <algorithm>

#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/scene/tree_models.h"
#include "engine/scene/tree_primitives.h"

constinit thread_local int32_t cactus_b_level = 0;
constinit thread_local int32_t cactus_b_len_factor = 0;

namespace {
struct Arm {
  int32_t n, dz, gate, grow;
};
constexpr Arm kArms[8] = {{253647, 0, 123456, 912341},   {132435, 45, 234567, 823452}, {643524, 90, 345678, 734563},
                          {843268, 135, 456789, 645674}, {438107, 180, 567890, 556785}, {438107, 225, 678901, 124442},
                          {438107, 270, 265762, 875542}, {438107, 315, 686425, 864971}};

// An arm segment and its continuation; straight arms keep their direction and stop early half as often.
void grow_arm(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k, bool straight) {
  if (depth <= 0) {
    s->length = s->length / 2.0f;
    s->vec_x /= 2.0f;
    s->vec_y /= 2.0f;
    s->vec_z /= 2.0f;
    const int32_t m = limb_measure(*s);
    if (m >= 9) {
      draw_bent_limb(s, 0, k);
    } else if (m >= (straight ? 1 : 2)) {
      draw_flat_limb(*s, k);
    }
    return;
  }
  SegmentRecord next;
  cactus_segment(*s, &next, add_wrap32(seed, 543621), 220, 0, straight ? 0 : -7, 0);
  int32_t order[2];
  node_drawing_order(&next, 1, *s, order);
  for (int32_t idx : order) {
    if (idx == 0) {
      const int32_t mask = straight ? 63 : 31;
      const int32_t d = (seeded_draw(seed, -123456) & mask) != 0 ? depth - 1 : 0;
      grow_arm(&next, add_wrap32(seed, 912341), d, k, straight);
    } else {
      s->length = static_cast<float>(s->length * 10.0 / 9.0);
      s->vec_x = static_cast<float>(s->vec_x * 10.0 / 9.0);
      s->vec_y = static_cast<float>(s->vec_y * 10.0 / 9.0);
      s->vec_z = static_cast<float>(s->vec_z * 10.0 / 9.0);
      draw_limb_by_rule(s, 240, k);
    }
  }
}
}  // namespace

void draw_3d_cactus(int32_t x, int32_t y, int32_t z, int32_t s, int32_t, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t lod, int32_t seed, int32_t k) {
  SegmentRecord trunk = tree_model_trunk(x, y, z, s, bark, leaf, shade, seed, 0.5, 16.0, true);
  grow_cactus(&trunk, seed, cactus_depth(lod), k);
}

int32_t cactus_depth(int32_t lod) {
  // tree_detail may hold any value a file gave: formed in 64 bits and bounded.
  return static_cast<int32_t>(
      std::clamp<int64_t>(static_cast<int64_t>(lod / 10) + 2 * static_cast<int64_t>(tree_settings.tree_detail), 8, 16));
}

void grow_cactus(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  depth = std::clamp(depth, 1, 16);
  const int32_t F = 512 / depth;
  SegmentRecord c[9];
  for (int32_t i = 0; i < 8; ++i) {
    cactus_segment(*s, &c[i], add_wrap32(seed, kArms[i].n), F, 0, 60, kArms[i].dz);
    c[i].width = c[i].width * 5.0f / 8.0f;
  }
  cactus_segment(*s, &c[8], add_wrap32(seed, 438107), F + 5, 0, 0, 0);
  c[8].width = c[8].width * 3.0f / 4.0f;
  int32_t order[10];
  node_drawing_order(c, 9, *s, order);
  for (int32_t idx : order) {
    if (idx < 8) {
      if ((seeded_draw(seed, -kArms[idx].gate) & 7) != 0)
        grow_cactus_arm(&c[idx], add_wrap32(seed, kArms[idx].grow), depth - 1, k);
    } else if (idx == 8) {
      if ((seeded_draw(seed, -489613) & 15) != 0) grow_cactus_arm_b(&c[8], add_wrap32(seed, 864971), depth - 1, k);
    } else {
      draw_limb_by_rule(s, 192, k);
    }
  }
}

void grow_cactus_arm(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) { grow_arm(s, seed, depth, k, false); }
void grow_cactus_arm_b(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) { grow_arm(s, seed, depth, k, true); }

void draw_3d_cactus_b(int32_t x, int32_t y, int32_t z, int32_t s, int32_t, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t lod, int32_t seed, int32_t k) {
  const int32_t d = tree_model_depth(lod, LeafThinning::kNone);
  SegmentRecord trunk = tree_model_trunk(x, y, z, s, bark, leaf, shade, seed, 0.33, 48.0, false);
  grow_cactus_b(&trunk, seed, d, k);
}

void grow_cactus_b(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  if (depth <= 0) return;
  ++cactus_b_level;
  const bool first = cactus_b_level == 1;
  if (first) {
    cactus_b_len_factor = 48 / depth;
    s->vec_x /= 32.0f;
    s->vec_y /= 32.0f;
    s->vec_z /= 32.0f;
  }
  const int32_t cd = 2 * depth + 10, tilt = 9 * depth + 10;
  grow_crown_node(s, seed, first ? cactus_b_len_factor : 256, first ? cactus_b_len_factor : 240, tilt, cd, k,
                  grow_cactus_b, depth - 1, false);
  --cactus_b_level;
}
