// Houses: shapes by type, walls by camera side, roofs, alpha of black houses, shadowed light, zero extents.
#include "engine/scene/houses.h"

#include "tests/scene/scene_fixture.h"

namespace {
class HouseTest : public SceneTest {};
}  // namespace

TEST_F(HouseTest, WallHeightsByTypeAtThirtyMetreSpacing) {
  struct Case {
    int32_t kind, base, lo, hi;
  };
  const Case cases[] = {{68, 15, 2, 5}, {69, 15, 3, 7}, {70, 31, 7, 11}, {71, 31, 31, 46}};
  for (const Case& c : cases) {
    int32_t lo = 1000, hi = -1;
    for (int32_t i = 0; i < 3000; ++i) {
      const HouseShape s = house_shape(15 + 30 * (i % 97), 15 + 30 * (i / 97), c.kind, c.base);
      lo = std::min(lo, s.h);
      hi = std::max(hi, s.h);
      const int32_t full_x = s.gabled ? 2 * s.hx : s.hx, full_y = s.gabled ? 2 * s.hy : s.hy;
      ASSERT_GE(full_x, s.gabled ? 8 : 8) << c.kind;
      ASSERT_LE(full_x, 11) << c.kind;
      ASSERT_LE(full_y, 11) << c.kind;
    }
    EXPECT_EQ(lo, c.lo) << c.kind;
    EXPECT_EQ(hi, c.hi) << c.kind;
  }
}

TEST_F(HouseTest, WallsFacingAwayAreNotBuiltAndRoofsFollowTheShape) {
  // Camera south of the house and inside its x range: only the -y wall and the roofs.
  look_north(3840.0f, 0.0f, 100.0f);
  draw_gabled_house(3840, 1200, 0, 5, 5, 4, 0x808080, 200, 68);
  ASSERT_EQ(recorded().size(), 3u);  // -y wall, -y roof plane, +y roof plane
  for (const RecordedPolygon& p : recorded()) {
    EXPECT_EQ(p.cull, 1);
    EXPECT_EQ(p.path, ScenePath::kCulled);
  }
  EXPECT_FLOAT_EQ(recorded()[0].record.vertices[0].y, 1195.0f);
  // Camera east of and below an office's roof: the +x wall and the -y wall, no roof.
  recorded().clear();
  look_north(5000.0f, 0.0f, 10.0f);
  draw_office_building(3840, 1200, 0, 9, 9, 40, 0x808080, 200, 71);
  ASSERT_EQ(recorded().size(), 2u);
  EXPECT_FLOAT_EQ(recorded()[0].record.vertices[0].x, 3849.0f);
  // From above the roof the flat roof is added.
  recorded().clear();
  look_north(5000.0f, 0.0f, 500.0f);
  draw_office_building(3840, 1200, 0, 9, 9, 40, 0x808080, 200, 71);
  EXPECT_EQ(recorded().size(), 3u);
  // A gable end is a rectangle and a triangle with the apex at 3 h / 2.
  recorded().clear();
  draw_gabled_house(3840, 1200, 0, 5, 5, 5, 0x808080, 200, 69);
  ASSERT_EQ(recorded().size(), 5u);
  EXPECT_EQ(recorded()[0].record.count, 5);
  EXPECT_EQ(recorded()[1].record.count, 4);
  EXPECT_FLOAT_EQ(recorded()[1].record.vertices[1].z, 7.0f);  // (3 * 5) / 2
}

TEST_F(HouseTest, BlackHousesAreTransparentAndShadowedHousesUnlit) {
  look_north(5000.0f, 0.0f, 500.0f);
  color_table[70] = ColorEntry{0, 0, 0, 0};
  draw_house(0, 1215, 3855, 70, 200, 31);
  ASSERT_FALSE(recorded().empty());
  for (const RecordedPolygon& p : recorded())
    for (int32_t i = 0; i < p.record.count; ++i) EXPECT_EQ(p.record.vertices[i].alpha, 0);
  recorded().clear();
  color_table[70] = ColorEntry{0, 120, 100, 80};
  draw_house(0, 1215, 3855, 70, 0x100 | 200, 31);
  ASSERT_FALSE(recorded().empty());
  for (const RecordedPolygon& p : recorded()) {
    EXPECT_EQ(p.record.vertices[0].alpha, 255);
    EXPECT_EQ(p.record.vertices[0].light, 0);
  }
  recorded().clear();
  draw_house(0, 1215, 3855, 70, 200, 31);
  for (const RecordedPolygon& p : recorded()) EXPECT_GT(p.record.vertices[0].light, 0);
}

TEST_F(HouseTest, ZeroExtentFacesDrawNothing) {
  look_north(5000.0f, 0.0f, 500.0f);
  draw_office_building(3840, 1200, 0, 9, 9, 0, 0x808080, 200, 71);  // no height: only the roof
  EXPECT_EQ(recorded().size(), 1u);
  recorded().clear();
  draw_gabled_house(3840, 1200, 0, 0, 0, 0, 0x808080, 200, 68);
  EXPECT_TRUE(recorded().empty());
  recorded().clear();
  grid_spacing_x = grid_spacing_y = 0.0f;  // footprint and height 0
  draw_house(0, 1215, 3855, 71, 200, 31);
  EXPECT_TRUE(recorded().empty());
}

TEST_F(HouseTest, TexturedFacesTakeTheSlotsOfTheirGroup) {
  static uint32_t texels[64];
  for (uint32_t& t : texels) t = 0xFF00FF00u;
  for (int32_t slot : {71, 83, 87}) {
    texture_slots[slot].loaded = static_cast<uint8_t>(slot);
    texture_slots[slot].levels[0] = TextureLevel{8, 8, sizeof texels, texels};
  }
  look_north(5000.0f, 0.0f, 500.0f);
  draw_office_building(3840, 1200, 0, 9, 9, 40, 0x808080, 200, 71);
  ASSERT_EQ(recorded().size(), 3u);
  for (const RecordedPolygon& p : recorded()) {
    EXPECT_EQ(p.path, ScenePath::kTextured);
    EXPECT_EQ(p.record.vertices[1].tu, 8.0f);
    EXPECT_EQ(p.record.vertices[0].tv, 8.0f);
  }
  for (int32_t slot : {71, 83, 87}) {
    texture_slots[slot].loaded = 0;
    texture_slots[slot].levels[0] = TextureLevel{};
  }
}
