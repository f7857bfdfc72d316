// Drawing one tree: per-cell values, the three ways of drawing, the flat drawers' plane and levels, the
// billboard's texture and light, and sizes that must not break the arithmetic.
#include "engine/scene/tree_draw.h"

#include <cmath>
#include <cstring>

#include "engine/scene/flat_trees.h"
#include "engine/scene/tree_models.h"
#include "engine/scene/tree_primitives.h"
#include "tests/scene/scene_fixture.h"

namespace {
class TreeDrawTest : public SceneTest {
 protected:
  // A 4 by 4 texture of opaque red in the kind's slot.
  static void load_texture(int32_t slot, bool with_texels = true) {
    TextureSlot& t = texture_slots[slot];
    static uint32_t texels[16 + 4 + 1 + 8];
    for (uint32_t& p : texels) p = 0xFFFF0000u;
    t.loaded = static_cast<uint8_t>(slot);
    std::memset(t.levels, 0, sizeof t.levels);
    if (with_texels) {
      t.levels[0] = TextureLevel{4, 4, sizeof texels, texels};
      t.levels[1] = TextureLevel{2, 2, 0, texels + 16};
      t.levels[2] = TextureLevel{1, 1, 0, texels + 20};
    }
  }
  void TearDown() override {
    for (int32_t s = 34; s <= 37; ++s) {
      texture_slots[s].loaded = 0;
      std::memset(texture_slots[s].levels, 0, sizeof texture_slots[s].levels);
    }
    SceneTest::TearDown();
  }
};
}  // namespace

TEST_F(TreeDrawTest, ValuesFollowTheCellAloneWhateverTheCameraAndStream) {
  const TreeValues a = tree_values(1815, 3015, 35);
  look_north(100.0f, 9000.0f, 3000.0f);
  random_seed(4711);
  random8();
  const TreeValues b = tree_values(1815, 3015, 35);
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  // The lean of a 3-D trunk comes from the seed only.
  const SegmentRecord t1 = tree_model_trunk(a.x, a.y, 0, a.size, a.bark, a.leaf, 0, a.r1, 0.33, 8.0, false);
  look_north(0.0f, 0.0f, 10.0f);
  const SegmentRecord t2 = tree_model_trunk(b.x, b.y, 0, b.size, b.bark, b.leaf, 0, b.r1, 0.33, 8.0, false);
  EXPECT_EQ(std::memcmp(&t1, &t2, sizeof t1), 0);
}

TEST_F(TreeDrawTest, SizeColourAndPositionJitter) {
  int32_t variant_a = 0;
  constexpr int32_t kTrees = 4000;
  for (int32_t i = 0; i < kTrees; ++i) {
    const int32_t x = 15 + 30 * (i % 200), y = 15 + 30 * (i / 200);
    tree_settings.tree_size[3] = 60;
    const TreeValues t = tree_values(x, y, 37);
    ASSERT_GT(t.size, 60 - 15);
    ASSERT_LT(t.size, 60 + 15);
    ASSERT_LE(std::abs(t.x - x), 11);  // trunc(30 / 2.5) = 12: offsets -11..11
    ASSERT_LE(std::abs(t.y - y), 11);
    ASSERT_GE(t.stem_angle, 82);
    ASSERT_LE(t.stem_angle, 97);
    const int32_t green = static_cast<int32_t>((t.leaf >> 8) & 255);
    ASSERT_LE(std::abs(green - color_table[37].green), 4);
    for (int32_t s : {0, 3, 4, 7}) {
      tree_settings.tree_size[3] = s;
      ASSERT_EQ(tree_values(x, y, 37).size, s);  // no size jitter below 8
    }
    variant_a += tree_values(x, y, 36).cactus_b == 0;
  }
  EXPECT_NEAR(variant_a / static_cast<double>(kTrees), 1.0 / 8.0, 0.02);
  grid_spacing_x = grid_spacing_y = 4.0f;  // below 5 m: no position jitter
  const TreeValues t = tree_values(1815, 3015, 35);
  EXPECT_EQ(t.x, 1815);
  EXPECT_EQ(t.y, 3015);
}

TEST_F(TreeDrawTest, SizeZeroDrawsNothingAndHugeSizesStayFinite) {
  tree_settings.trees_enabled = 1;
  for (int32_t size : {0, -50}) {
    tree_settings.tree_size[1] = size;
    draw_tree(0, 1200, 3840, 35, 200);
    EXPECT_TRUE(recorded().empty()) << size;
  }
  for (int32_t kind = 34; kind <= 37; ++kind) {
    tree_settings.tree_size[kind - 34] = 2000000000;
    point_distance = 1200.0f;
    recorded().clear();
    draw_tree(0, 1200, 3840, kind, 200);
    EXPECT_FALSE(recorded().empty()) << kind;
    for (const RecordedPolygon& p : recorded())
      for (int32_t i = 0; i < p.record.count; ++i) ASSERT_TRUE(std::isfinite(p.record.vertices[i].z)) << kind;
  }
}

TEST_F(TreeDrawTest, FlatTreesTurnTheirPlaneTowardsTheCamera) {
  tree_settings.tree_size[3] = 60;
  struct Case {
    float cx, cy, heading;
    bool constant_x;
  };
  // Tree at (3840, 1200): camera due south (dx 0 < dy): plane of constant Y; due east: constant X; diagonal
  // (dx = dy): constant X.
  for (const Case& c : {Case{3840.0f, 0.0f, 0.0f, false}, Case{5040.0f, 1200.0f, 90.0f, true},
                        Case{2640.0f, 0.0f, -45.0f, true}}) {
    camera_state.camera_x = c.cx;
    camera_state.camera_y = c.cy;
    camera_state.camera_heading = c.heading;
    set_view_matrix(0.0f, c.heading, 0.0f);
    recorded().clear();
    draw_tree(0, 1200, 3840, 37, 200);
    ASSERT_FALSE(recorded().empty());
    const PolygonVertex* v = recorded()[0].record.vertices;
    if (c.constant_x) {
      EXPECT_EQ(v[0].x, v[1].x);
      EXPECT_EQ(v[1].x, v[2].x);
    } else {
      EXPECT_EQ(v[0].y, v[1].y);
      EXPECT_EQ(v[1].y, v[2].y);
    }
  }
}

TEST_F(TreeDrawTest, FarFlatTreesKeepTheirMinimumLevels) {
  tree_settings.tree_size[0] = tree_settings.tree_size[3] = 30;
  point_distance = 1.0e7f;  // lod far below 0
  draw_tree(0, 1200, 3840, 37, 200);
  // A far pine is drawn at level 1: a leaf-coloured trunk and up to five leaf-coloured branches.
  EXPECT_GE(recorded().size(), 1u);
  EXPECT_LE(recorded().size(), 6u);
  EXPECT_EQ(count_slot(37), static_cast<int32_t>(recorded().size()));
  recorded().clear();
  draw_tree(0, 1200, 3840, 34, 200);
  // A palm always gets its bark-coloured trunk and its fronds.
  EXPECT_EQ(recorded()[0].record.vertices[0].slot, 64);
  EXPECT_GT(count_slot(34), 5);
}

TEST_F(TreeDrawTest, FlatTrianglesTakeTheCellLightAndThePathOfTheTextureSetting) {
  tree_settings.tree_size[1] = 25;
  point_distance = 600.0f;
  draw_tree(0, 1200, 3840, 35, 0x100 | 200);
  ASSERT_FALSE(recorded().empty());
  for (const RecordedPolygon& p : recorded()) {
    EXPECT_EQ(p.path, ScenePath::kWorld);
    EXPECT_EQ(p.record.count, 4);
    EXPECT_EQ(p.record.vertices[0].alpha, 255);
  }
  const uint64_t shadowed = recorded_hash();
  recorded().clear();
  draw_tree(0, 1200, 3840, 35, 200);
  EXPECT_EQ(recorded_hash(), shadowed);  // flat trees ignore the shadow bits
  recorded().clear();
  tree_settings.tree_textures_enabled = 2;
  render_settings.detail_param_a = 1;
  render_settings.detail_param_b = 2;
  draw_tree(0, 1200, 3840, 35, 200);
  for (const RecordedPolygon& p : recorded()) EXPECT_EQ(p.path, ScenePath::kDetail);
  EXPECT_EQ(render_settings.detail_param_a, 1);
  EXPECT_EQ(render_settings.detail_param_b, 2);
}

TEST_F(TreeDrawTest, BillboardsWhileThreeDimensionalTreesAreOff) {
  load_texture(35);
  tree_settings.tree_size[1] = 25;
  point_distance = 600.0f;
  draw_tree(0, 1200, 3840, 35, 200);
  ASSERT_EQ(recorded().size(), 1u);
  const RecordedPolygon& bb = recorded()[0];
  EXPECT_EQ(bb.path, ScenePath::kTextured);
  EXPECT_EQ(bb.cull, 0);
  EXPECT_EQ(bb.record.count, 5);
  EXPECT_EQ(bb.record.vertices[0].alpha, 0);
  EXPECT_GT(bb.record.vertices[0].light, 0);
  // Texture row 0 at the top of the billboard.
  EXPECT_NE(bb.record.tx_map, nullptr);
  EXPECT_GT(bb.record.vertices[0].tv, 0.0f);
  EXPECT_EQ(bb.record.vertices[3].tv, 0.0f);
  recorded().clear();
  draw_tree(0, 1200, 3840, 35, 0x100 | 200);
  ASSERT_EQ(recorded().size(), 1u);
  EXPECT_EQ(recorded()[0].record.vertices[0].light, 0);  // the terrain's cast shadow
  recorded().clear();
  tree_settings.trees_3d = 1;
  draw_tree(0, 1200, 3840, 35, 200);
  for (const RecordedPolygon& p : recorded()) EXPECT_NE(p.path, ScenePath::kTextured);
}

TEST_F(TreeDrawTest, LoadedSlotWithoutTexelsDrawsTheFlatTree) {
  load_texture(37, false);
  tree_settings.tree_size[3] = 60;
  draw_tree(0, 1200, 3840, 37, 200);
  ASSERT_FALSE(recorded().empty());
  for (const RecordedPolygon& p : recorded()) EXPECT_EQ(p.record.tx_map, nullptr);
}

TEST_F(TreeDrawTest, AdjustRgbClamps) {
  EXPECT_EQ(adjust_rgb(0x00FF8000u, 10), 0x00FF8A0Au);
  EXPECT_EQ(adjust_rgb(0x00050505u, -10), 0x00000000u);
}
