// The 3-D models: depth and leaf thinning by distance, leaves switched off, the crown and trunk factors,
// counters back at rest, reproducible growth and bounded work for any setting.
#include "engine/scene/tree_models.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "engine/raster/frame_buffers.h"
#include "engine/scene/tree_primitives.h"
#include "tests/scene/scene_fixture.h"

namespace {
class TreeModelTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    point_distance = 300.0f;
    light_state.light_x = 0.3f;
    light_state.light_y = -0.4f;
    light_state.light_z = 0.866f;
  }
  using Model = void (*)(int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t, uint32_t, int32_t,
                         int32_t, int32_t);
  static void grow(Model m, int32_t k, int32_t lod, int32_t size = 30) {
    m(3840, 300, 0, size, 90, 0x604020, 0x20A020, 200, lod, 12345, k);
  }
  static void expect_at_rest() {
    EXPECT_EQ(oak_level, 0);
    EXPECT_EQ(palm_level, 0);
    EXPECT_EQ(cactus_b_level, 0);
    EXPECT_EQ(pine_level, 0);
    EXPECT_EQ(bend_depth, 0);
  }
};
}  // namespace

TEST_F(TreeModelTest, OakDepthAndLeafThinningByDistance) {
  struct Case {
    int32_t lod, detail, depth, index;
  };
  const Case cases[] = {{125, 1, 7, 8}, {100, 1, 6, 5}, {40, 1, 4, 6}, {0, 1, 4, 2}, {0, -1, 4, 0}, {125, 2, 8, 8}};
  for (const Case& c : cases) {
    tree_settings.tree_detail = c.detail;
    EXPECT_EQ(tree_model_depth(c.lod, LeafThinning::kOak), c.depth) << c.lod << " " << c.detail;
    EXPECT_EQ(leaf_thin_index, c.index) << c.lod << " " << c.detail;
  }
  // Pine: (f / 2) + 4.
  tree_settings.tree_detail = 1;
  tree_model_depth(125, LeafThinning::kPine);  // f = (125 % 18) / 2 = 8
  EXPECT_EQ(leaf_thin_index, 8);
  tree_model_depth(90, LeafThinning::kPine);  // f = 0, depth 6
  EXPECT_EQ(leaf_thin_index, 4);
  // Any detail a file can give stays within 4..8.
  for (int32_t d : {INT_MIN, -100000, 100000, INT_MAX}) {
    tree_settings.tree_detail = d;
    const int32_t depth = tree_model_depth(INT_MAX, LeafThinning::kPine);
    EXPECT_GE(depth, 4);
    EXPECT_LE(depth, 8);
    EXPECT_GE(leaf_thin_index, 0);
    EXPECT_LE(leaf_thin_index, 8);
  }
}

TEST_F(TreeModelTest, EveryModelDrawsReproduciblyAndComesBackToRest) {
  const Model models[] = {draw_3d_palm, draw_3d_oak, draw_3d_cactus, draw_3d_cactus_b, draw_3d_pine};
  const int32_t kinds[] = {0, 1, 2, 2, 3};
  for (int32_t i = 0; i < 5; ++i) {
    recorded().clear();
    grow(models[i], kinds[i], 60);
    const size_t n = recorded().size();
    const uint64_t h = recorded_hash();
    EXPECT_GT(n, 10u) << i;
    expect_at_rest();
    random_seed(99);  // the stream's state before a tree does not matter
    recorded().clear();
    grow(models[i], kinds[i], 60);
    EXPECT_EQ(recorded_hash(), h) << i;
  }
}

TEST_F(TreeModelTest, SameBranchingFromEveryCameraPosition) {
  // The leaves do not depend on the view: from the south and from the east, at the same distance and detail,
  // an oak and a pine put the same leaves in the same places; only the drawing order changes. Leaves are
  // thinned by their count in drawing order, so the comparison draws every leaf (lod 17: fraction 8, depth 4).
  tree_settings.tree_detail = 4;
  for (Model m : {static_cast<Model>(draw_3d_oak), static_cast<Model>(draw_3d_pine)}) {
    const int32_t k = m == static_cast<Model>(draw_3d_oak) ? 1 : 3;
    std::vector<std::array<float, 9>> views[2];
    for (int32_t view = 0; view < 2; ++view) {
      if (view == 0) {
        look_north(3840.0f, 0.0f, 20.0f);
      } else {
        look_north(3840.0f + 300.0f, 300.0f, 20.0f);
      }
      recorded().clear();
      grow(m, k, 17);
      for (const RecordedPolygon& p : recorded()) {
        if (p.record.vertices[0].slot != 34 + k) continue;
        const PolygonVertex* v = p.record.vertices;
        views[view].push_back({v[0].x, v[0].y, v[0].z, v[1].x, v[1].y, v[1].z, v[2].x, v[2].y, v[2].z});
      }
      std::sort(views[view].begin(), views[view].end());
    }
    EXPECT_GT(views[0].size(), 20u) << k;
    EXPECT_EQ(views[0], views[1]) << k;
  }
}

TEST_F(TreeModelTest, LeavesSwitchedOffLeaveBareLimbs) {
  struct Case {
    Model model;
    int32_t k, leaf_slot;
  };
  for (const Case& c : {Case{draw_3d_oak, 1, 35}, Case{draw_3d_palm, 0, 34}, Case{draw_3d_cactus_b, 2, 36},
                        Case{draw_3d_pine, 3, 37}}) {
    point_distance = 4.0f;  // near enough for the thinnest limbs to be drawn on the small image
    tree_settings.tree_leaves[c.k] = 1;
    recorded().clear();
    grow(c.model, c.k, 80);
    EXPECT_GT(count_slot(c.leaf_slot), 0) << c.k;
    tree_settings.tree_leaves[c.k] = 0;
    recorded().clear();
    grow(c.model, c.k, 80);
    EXPECT_EQ(count_slot(c.leaf_slot), 0) << c.k;
    EXPECT_GT(count_slot(64 + c.k), 0) << c.k;
  }
  // The oak's leaf stages still count with leaves off.
  tree_settings.tree_leaves[1] = 0;
  grow(draw_3d_oak, 1, 0);
  EXPECT_GT(leaf_count, 0);
}

TEST_F(TreeModelTest, CrownAndTrunkFactors) {
  for (int32_t lod : {0, 125}) {
    tree_settings.tree_detail = lod == 0 ? 1 : 2;
    grow(draw_3d_palm, 0, lod);
    grow(draw_3d_cactus_b, 2, lod);
    if (lod == 0) {  // depth 4
      EXPECT_EQ(palm_len_factor, 6);
      EXPECT_EQ(cactus_b_len_factor, 12);
    } else {  // depth 8
      EXPECT_EQ(palm_len_factor, 3);
      EXPECT_EQ(cactus_b_len_factor, 6);
    }
  }
  // The first pine continuation is 251/256 of the segment below (with its jitter): a seed whose jitter is 0.
  SegmentRecord s{};
  s.dir_z = 1.0f;
  s.length = 256.0f;
  s.width = 4.0f;
  segment_direction(&s);
  int32_t seed = 0;
  while ((seeded_draw(seed, 13141) & 31) != 16) ++seed;
  SegmentRecord t{};
  pine_twig_segment(s, &t, seed, 255 - 4 * 1, 0, 0, 0);
  EXPECT_FLOAT_EQ(t.length, 251.0f);
  EXPECT_FLOAT_EQ(t.width, 3.0f);
  pine_twig_segment(s, &t, seed, 255 - 4 * 24, 0, 0, 0);
  EXPECT_FLOAT_EQ(t.length, 159.0f);
}

TEST_F(TreeModelTest, CactusAndPineDepths) {
  struct Case {
    int32_t lod, detail, depth;
  };
  for (const Case& c : {Case{0, -1, 8}, Case{120, 2, 16}, Case{60, 1, 8}, Case{90, 1, 11}, Case{INT_MAX, INT_MAX, 16},
                        Case{0, INT_MIN, 8}}) {
    tree_settings.tree_detail = c.detail;
    EXPECT_EQ(cactus_depth(c.lod), c.depth) << c.lod << " " << c.detail;
  }
  // The whorl at trunk level L of a pine with D = 3 d segments has branch depth max(D - L, 2) / 3.
  struct Whorl {
    int32_t D, level, branch_depth;
  };
  for (const Whorl& w : {Whorl{24, 1, 7}, Whorl{24, 3, 7}, Whorl{24, 4, 6}, Whorl{24, 19, 1}, Whorl{24, 22, 0},
                         Whorl{24, 24, 0}, Whorl{12, 1, 3}, Whorl{12, 7, 1}, Whorl{12, 10, 0}})
    EXPECT_EQ(pine_branch_depth(w.D - w.level + 1), w.branch_depth) << w.D << " " << w.level;
  EXPECT_EQ(pine_continuation_factor(1), 251);
  EXPECT_EQ(pine_continuation_factor(24), 159);
}

TEST_F(TreeModelTest, WorkIsBoundedForAnySetting) {
  const Model models[] = {draw_3d_palm, draw_3d_oak, draw_3d_cactus, draw_3d_cactus_b};
  const int32_t kinds[] = {0, 1, 2, 2};
  static int64_t polygons = 0;
  scene_polygon_observer = [](const PolygonRecord&, ScenePath, int32_t) { ++polygons; };
  tree_settings.tree_detail = INT_MAX;
  tree_settings.branch_bend[0] = tree_settings.branch_bend[1] = tree_settings.branch_bend[2] = INT_MAX;
  for (int32_t i = 0; i < 4; ++i) {
    polygons = 0;
    grow(models[i], kinds[i], INT_MAX, 200);
    EXPECT_GT(polygons, 0) << i;
    EXPECT_LT(polygons, 5000000) << i;
    expect_at_rest();
  }
}
