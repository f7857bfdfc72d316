// The 3-D oak: a leaning trunk forking into five branches per level, twigs and one kite leaf per twig.
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/scene/tree_models.h"
#include "engine/scene/tree_primitives.h"

constinit thread_local int32_t oak_level = 0;

namespace {
struct OakChild {
  int32_t n, dx, dy, dz;  // maker seed offset and angle offsets
  int32_t gate, grow;     // gate draw r(-gate) and the child's seed offset
};
constexpr OakChild kOakChildren[5] = {{54321, 0, 0, 0, 12345, 91234},
                                      {65432, 0, 45, 0, 23456, 82345},
                                      {76543, 0, -45, 0, 34567, 73456},
                                      {87654, 45, 0, 0, 45678, 64567},
                                      {98765, -45, 0, 0, 56789, 55678}};
}  // namespace

void draw_3d_oak(int32_t x, int32_t y, int32_t z, int32_t s, int32_t, uint32_t bark, uint32_t leaf, uint32_t shade,
                 int32_t lod, int32_t seed, int32_t k) {
  const int32_t d = tree_model_depth(lod, LeafThinning::kOak);
  SegmentRecord trunk = tree_model_trunk(x, y, z, s, bark, leaf, shade, seed, 0.33, 8.0, false);
  grow_oak(&trunk, seed, d, k);
}

void grow_oak(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k) {
  ++oak_level;
  if (depth >= 2) {
    s->length = static_cast<float>((64 - oak_level) * static_cast<double>(s->length) / 64.0);
    segment_direction(s);
    SegmentRecord c[5];
    for (int32_t i = 0; i < 5; ++i) {
      const OakChild& o = kOakChildren[i];
      oak_child_segment(*s, &c[i], add_wrap32(seed, o.n), 192, o.dx, o.dy, o.dz);
    }
    int32_t order[6];
    node_drawing_order(c, 5, *s, order);
    for (int32_t idx : order) {
      if (idx == 5) {
        draw_limb_by_rule(s, 154, k);
      } else if (seeded_draw(seed, -kOakChildren[idx].gate) % 7 != 0) {
        grow_oak(&c[idx], add_wrap32(seed, kOakChildren[idx].grow), depth - 1, k);
      }
    }
  } else if (depth == 1) {
    s->length = s->length / 2.0f;
    segment_direction(s);
    if (tree_settings.tree_leaves[k & 3] != 0 &&
        static_cast<double>(lens_state.lens_scale) * s->width * render_scale / 0.16 / point_distance >= 1.0) {
      SegmentRecord twig = *s;
      twig.bark = twig.leaf;
      draw_flat_limb(twig, k);
    }
    SegmentRecord c;
    oak_child_segment(*s, &c, add_wrap32(seed, 54321), 192, 0, 0, 0);
    c.length = c.length * 3.0f;
    segment_direction(&c);
    grow_oak(&c, add_wrap32(seed, 12345), 0, k);
  } else {
    ++leaf_count;
    if (leaf_count % leaf_thin_table[leaf_thin_index] == 0 && tree_settings.tree_leaves[k & 3] != 0) {
      s->length = static_cast<float>(s->length * 0.66);
      draw_lit_segment(s, k);
    }
  }
  --oak_level;
}
