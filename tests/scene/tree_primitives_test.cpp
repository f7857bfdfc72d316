// The 3-D tree primitives: vector rules, sorting, polygon hand-over, the lighting rules, the limb rule and
// the bent limb's split.
#include "engine/scene/tree_primitives.h"

#include <cstring>

#include "engine/raster/frame_buffers.h"
#include "tests/scene/scene_fixture.h"

namespace {
class TreePrimitiveTest : public SceneTest {
 protected:
  // An upright segment 1200 m north of the camera.
  static SegmentRecord upright(float length, float width) {
    SegmentRecord s{};
    s.base_x = 3840.0f;
    s.base_y = 1200.0f;
    s.base_z = 0.0f;
    s.dir_z = 1.0f;
    s.length = length;
    s.width = width;
    s.bark = 0x806040;
    s.leaf = 0x20A020;
    s.shade = 200;
    segment_direction(&s);
    return s;
  }
};
}  // namespace

TEST_F(TreePrimitiveTest, ZeroVectorsCountAsUp) {
  float x = 0, y = 0, z = 0;
  vec3_normalize_or_up(&x, &y, &z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 1.0f);
  EXPECT_DOUBLE_EQ(vec3_cos_angle(Vec3f{0, 0, 0}, Vec3f{0, 0, 1}), 1.0);
  vec3_unit_cross(Vec3f{1, 0, 0}, Vec3f{2, 0, 0}, &x, &y, &z);
  EXPECT_EQ(z, 1.0f);
  float a = 3, b = 0, c = 4;
  vec3_normalize_or_up(&a, &b, &c);
  EXPECT_FLOAT_EQ(a, 0.6f);
  EXPECT_FLOAT_EQ(c, 0.8f);
}

TEST_F(TreePrimitiveTest, ExchangeSortLargestFirstWithItsOwnOrderOfEqualKeys) {
  SegmentRecord r[3] = {};
  SegmentKey pairs[3] = {{&r[0], 1.0f}, {&r[1], 1.0f}, {&r[2], 2.0f}};
  sort_pairs_by_key(pairs, 3);
  EXPECT_EQ(pairs[0].segment, &r[2]);
  EXPECT_EQ(pairs[1].segment, &r[1]);
  EXPECT_EQ(pairs[2].segment, &r[0]);
}

TEST_F(TreePrimitiveTest, PolygonsReachThePipelineAsClosedTriangles) {
  TreePolygon quad{};
  quad.slot = 65;
  quad.count = 4;
  quad.origin_x = 3840;
  quad.origin_y = 1200;
  for (int32_t i = 0; i < 4; ++i) quad.local[i] = TreeVertex{static_cast<float>(i), 0, static_cast<float>(i), 0x102030};
  emit_tree_polygon(&quad, 1);
  ASSERT_EQ(recorded().size(), 2u);
  const int32_t first[4] = {1234, 2345, 3456, 1234}, second[4] = {1234, 3456, 4567, 1234};
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(recorded()[0].record.vertices[i].seed, first[i]);
    EXPECT_EQ(recorded()[1].record.vertices[i].seed, second[i]);
  }
  EXPECT_FLOAT_EQ(recorded()[1].record.vertices[2].x, 3843.0f);
  EXPECT_EQ(recorded()[0].record.vertices[0].r, 0x10 * 256);
  EXPECT_EQ(recorded()[0].path, ScenePath::kWorld);
  recorded().clear();
  TreePolygon tri = quad;
  tri.count = 3;
  tree_settings.tree_textures_enabled = 2;
  emit_tree_polygon(&tri, 1);
  ASSERT_EQ(recorded().size(), 1u);
  EXPECT_EQ(recorded()[0].record.vertices[2].seed, 3546);
  EXPECT_EQ(recorded()[0].path, ScenePath::kDetail);
  emit_tree_polygon(&tri, 0);  // leaves never take the surface-detail path
  EXPECT_EQ(recorded()[1].path, ScenePath::kWorld);
  tri.count = 5;
  emit_tree_polygon(&tri, 1);
  EXPECT_EQ(recorded().size(), 2u);
}

TEST_F(TreePrimitiveTest, LightingRules) {
  light_state.light_x = 0.0f;
  light_state.light_y = 0.0f;
  light_state.light_z = 1.0f;
  // A limb side facing the sun: c = 256, capped at 255, a quarter of the cell's light mixed in.
  EXPECT_EQ(normal_shade(Vec3f{0, 0, 5}, 100), (3 * 255 + 100) / 4);
  // In the terrain's shadow: (3 (c / 8) + light) / 4.
  EXPECT_EQ(normal_shade(Vec3f{0, 0, 5}, 0x100 | 100), (3 * 32 + 100) / 4);
  EXPECT_EQ(normal_shade(Vec3f{0, 0, -1}, 100), 25);
  EXPECT_EQ(two_normal_shade(Vec3f{0, 0, 1}, Vec3f{1, 0, 0}, 0), 170);
  EXPECT_EQ(two_normal_shade(Vec3f{0, 0, 1}, Vec3f{1, 0, 0}, 0x100), 21);
  EXPECT_EQ(tri_normal_shade(Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, 1}, 0), 255);
  EXPECT_EQ(tri_faces_away(Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, 1}), 0);
  EXPECT_EQ(tri_faces_away(Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, -1}), 1);
  // The shadow of a tree or house: the trunk's shade keeps only its high byte.
  const SegmentRecord t = tree_model_trunk(0, 0, 0, 10, 0, 0, 0x200 | 180, 1, 0.33, 8.0, false);
  EXPECT_EQ(t.shade, 0x200u);
  const SegmentRecord u = tree_model_trunk(0, 0, 0, 10, 0, 0, 0x100 | 180, 1, 0.33, 8.0, false);
  EXPECT_EQ(u.shade, 0x100u | 180u);
}

TEST_F(TreePrimitiveTest, LimbRule) {
  lens_state.lens_scale = 1.0f;
  render_scale = 1;
  point_distance = 6.0f;
  struct Case {
    float width;
    int32_t measure;
  };
  for (const Case& c : {Case{8.0f, 8}, Case{1.0f, 1}, Case{0.9f, 0}, Case{7.0f, 7}})
    EXPECT_EQ(limb_measure(upright(10.0f, c.width)), c.measure) << c.width;
  point_distance = 1200.0f;
  lens_state.lens_scale = 150.0f;  // 8 * 150 / 0.16 / 1200 = 6.25: a flat limb of one quadrilateral
  SegmentRecord flat = upright(20.0f, 8.0f);
  draw_limb_by_rule(&flat, 154, 1);
  ASSERT_EQ(recorded().size(), 2u);
  EXPECT_EQ(recorded()[0].record.vertices[0].slot, 65);
  recorded().clear();
  lens_state.lens_scale = 200.0f;  // 8.33: a bent (twelve-sided) limb
  SegmentRecord round = upright(20.0f, 8.0f);
  draw_limb_by_rule(&round, 154, 1);
  EXPECT_GT(recorded().size(), 2u);
  EXPECT_EQ(bend_depth, 0);
  recorded().clear();
  lens_state.lens_scale = 10.0f;  // below 1: nothing
  SegmentRecord thin = upright(20.0f, 8.0f);
  draw_limb_by_rule(&thin, 154, 1);
  EXPECT_TRUE(recorded().empty());
}

TEST_F(TreePrimitiveTest, BentLimbTapersApproachACylinder) {
  const int32_t from_154[] = {154, 205, 231, 244, 250, 253};
  const int32_t from_0[] = {0, 128, 192, 224, 240, 248};
  for (int32_t i = 0; i + 1 < 6; ++i) {
    EXPECT_EQ(bent_limb_taper(from_154[i]), from_154[i + 1]);
    EXPECT_EQ(bent_limb_taper(from_0[i]), from_0[i + 1]);
  }
  EXPECT_EQ(bent_limb_taper(256), 256);
}

TEST_F(TreePrimitiveTest, BentLimbsSplitAtMostFiveTimes) {
  tree_settings.branch_bend[1] = 50;
  render_scale = 1;
  lens_state.lens_scale = 1.0f;
  point_distance = 1200.0f;
  // Short on screen: exactly one twelve-sided limb, at most 12 sides of two triangles, half of them facing.
  SegmentRecord small = upright(20.0f, 2.0f);
  draw_bent_limb(&small, 154, 1);
  const size_t one = recorded().size();
  EXPECT_GT(one, 0u);
  EXPECT_LE(one, 24u);
  // Very long on screen: 32 pieces.
  recorded().clear();
  lens_state.lens_scale = 1.0e6f;
  SegmentRecord big = upright(20.0f, 2.0f);
  draw_bent_limb(&big, 154, 1);
  EXPECT_GT(recorded().size(), 16 * one);
  EXPECT_LE(recorded().size(), 32u * 24u);
  EXPECT_EQ(bend_depth, 0);
}

TEST_F(TreePrimitiveTest, ChildMakersStartAtTheTipAndScaleTheirParent) {
  const SegmentRecord p = upright(100.0f, 8.0f);
  SegmentRecord c{};
  palm_tip_segment(p, &c, 5, 128, 0, 0, 0);
  EXPECT_FLOAT_EQ(c.base_z, 100.0f);
  EXPECT_FLOAT_EQ(c.length, 50.0f);
  EXPECT_FLOAT_EQ(c.width, 100.0f / 16.0f);  // from the parent's length
  palm_frond_segment(p, &c, 5, 2000, 90, 0, 0);
  EXPECT_FLOAT_EQ(c.width, 50.0f);
  oak_child_segment(p, &c, 77, 192, 0, 0, 0);
  EXPECT_FLOAT_EQ(c.width, 4.0f);
  EXPECT_GE(c.length, 100.0f * 176 / 256 - 0.01f);
  EXPECT_LE(c.length, 100.0f * 207 / 256 + 0.01f);
  // Every draw reseeds: the same seed gives the same child.
  SegmentRecord d{};
  oak_child_segment(p, &d, 77, 192, 0, 0, 0);
  EXPECT_EQ(std::memcmp(&c, &d, sizeof c), 0);
}
