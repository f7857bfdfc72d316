// The 3-D pine: a trunk of short segments with a whorl of six branches at each, forking three ways level by
// level and ending in needle clusters; lower whorls get more levels, which gives the cone shape.
#include <algorithm>

#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/scene/tree_models.h"
#include "engine/scene/tree_primitives.h"

constinit thread_local int32_t pine_level = 0;

namespace {
struct Branch {
  int32_t n, dz, gate, grow;
};
constexpr Branch kBranches[6] = {{253647, 0, 123456, 912341},   {132435, 60, 234567, 823452},
                                 {643524, 120, 345678, 734563}, {843268, 180, 456789, 645674},
                                 {438107, 240, 567890, 556785}, {438107, 300, 678901, 124442}};
}  // namespace

void draw_3d_pine(int32_t x, int32_t y, int32_t z, int32_t s, int32_t, uint32_t bark, uint32_t leaf, uint32_t shade,
                  int32_t lod, int32_t seed, int32_t k) {
  const int32_t d = tree_model_depth(lod, LeafThinning::kPine);
  SegmentRecord trunk = tree_model_trunk(x, y, z, s, bark, leaf, shade, seed, 0.1, 12.0, false);
  grow_pine(&trunk, seed, 3 * d, k);
}

int32_t pine_branch_depth(int32_t depth) { return std::max(depth - 1, 2) / 3; }
int32_t pine_continuation_factor(int32_t level) { return 255 - 4 * level; }

void grow_pine(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  if (depth <= 0) return;
  ++pine_level;
  const int32_t b = pine_branch_depth(depth);
  SegmentRecord c[7];
  for (int32_t i = 0; i < 6; ++i) {
    pine_branch_segment(*s, &c[i], add_wrap32(seed, kBranches[i].n), 150, 0, 65, kBranches[i].dz);
    c[i].width = c[i].width / 3.0f;
  }
  pine_twig_segment(*s, &c[6], add_wrap32(seed, 543219), pine_continuation_factor(pine_level), 0, 0, 0);
  int32_t order[8];
  node_drawing_order(c, 7, *s, order);
  for (int32_t idx : order) {
    if (idx < 6) {
      if ((seeded_draw(seed, -kBranches[idx].gate) & 15) != 0)
        grow_pine_branches(&c[idx], add_wrap32(seed, kBranches[idx].grow), b, k);
    } else if (idx == 6) {
      grow_pine(&c[6], add_wrap32(seed, 132435), depth - 1, k);
    } else {
      draw_limb_by_rule(s, 192, k);
    }
  }
  --pine_level;
}

void grow_pine_branches(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  if (depth <= 0) {
    ++leaf_count;
    if (leaf_count % leaf_thin_table[leaf_thin_index] == 0 && tree_settings.tree_leaves[k & 3] != 0) {
      s->length = s->length * 2.0f;
      draw_lit_segment(s, k);
    }
    return;
  }
  SegmentRecord c[3];
  pine_branch_segment(*s, &c[0], add_wrap32(seed, 118822), 180, 60, 0, 0);
  pine_branch_segment(*s, &c[1], add_wrap32(seed, 773622), 180, -60, 0, 0);
  pine_branch_segment(*s, &c[2], add_wrap32(seed, 543621), 180, 0, 0, 0);
  c[0].width = c[0].width / 2.0f;
  c[1].width = c[1].width / 2.0f;
  static constexpr int32_t kGates[3] = {123456, 234567, 345678};
  static constexpr int32_t kGrow[3] = {912341, 823452, 918273};
  int32_t order[4];
  node_drawing_order(c, 3, *s, order);
  for (int32_t idx : order) {
    if (idx < 3) {
      if ((seeded_draw(seed, -kGates[idx]) & 7) != 0) grow_pine_branches(&c[idx], add_wrap32(seed, kGrow[idx]), depth - 1, k);
    } else {
      draw_limb_by_rule(s, 220, k);
    }
  }
}
