// Colour slots of terrain triangles from their corners' markers, and the water colour by slope.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/core/color_classes.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/landscape/water_color.h"
#include "engine/raster/haze.h"
#include "engine/render/quad_shading.h"
#include "tests/support/engine_test.h"

namespace {

class QuadShadingTest : public EngineTest {
 protected:
  void TearDown() override {
    reset_settings_defaults();
    reset_color_class_settings();
  }
};

TEST_F(QuadShadingTest, WaterColourBySlope) {
  const std::pair<int32_t, int32_t> cases[] = {{46, 55}, {90, 55}, {45, 54}, {26, 54}, {25, 53}, {11, 53}};
  for (const auto& [slope, cls] : cases) EXPECT_EQ(water_color_for_slope(slope), cls) << slope;
  // Calm water: one draw of the stream in its current state picks 52 about one time in eight.
  random_seed(99);
  int32_t light = 0;
  for (int32_t i = 0; i < 8000; ++i) {
    const int32_t c = water_color_for_slope(i % 11);
    ASSERT_TRUE(c == 51 || c == 52);
    light += c == 52;
  }
  EXPECT_GT(light, 700);
  EXPECT_LT(light, 1300);
  // The draw is the stream's next value: same state, same colour.
  random_seed(5);
  const int32_t r = random8();
  random_seed(5);
  EXPECT_EQ(water_color_for_slope(3), r < -95 ? 52 : 51);
}

TEST_F(QuadShadingTest, CornerMarkersVoteForTheSlot) {
  terrain_settings.cliffs_enabled = 1;
  terrain_settings.cliff_mode = 1;
  terrain_settings.cliff_angle = 40;
  terrain_settings.snow_line = 1000;
  terrain_settings.tree_line = 500;
  const int32_t land_water = -29900;
  struct Case {
    const char* what;
    int32_t road, water, slope, elevation;
    int32_t expected;
  } cases[] = {
      // Two road corners and a land corner: (-30100 - 30100 - 29900) / 3 = -30033, a road on any slope.
      {"two road corners", -30033, land_water, 80, 100, 88},
      {"one road corner", -29966, land_water, 0, 100, tree_class(100)},
      {"water before cliffs", -29900, -30100, 80, 100, -1},
      {"cliff", -29900, land_water, 41, 100, cliff_class_by_angle(41)},
      {"below the tree line", -29900, land_water, 0, 300, tree_class(300)},
      {"between tree and snow line", -29900, land_water, 0, 700, bare_class(700)},
      {"above the snow line", -29900, land_water, 0, 1200, snow_class(1200)},
      {"beach strip", -29900, -30030, 0, 100, 50},
      {"just land", -29900, -30000, 0, 100, tree_class(100)},
  };
  for (const Case& c : cases) {
    const int32_t slot = triangle_color_slot(c.road, c.water, 5, c.slope, c.elevation, 0, 0, 0, 0, 0);
    if (c.expected == -1) {
      EXPECT_TRUE(slot == 51 || slot == 52) << c.what;  // calm water, the slope taken before the waves
    } else {
      EXPECT_EQ(slot, c.expected) << c.what;
    }
  }
  // Roughness widens the bands: the snow test uses e - roughness, the bands e + roughness.
  EXPECT_EQ(triangle_color_slot(-29900, land_water, 0, 0, 1050, 100, 0, 0, 0, 0), bare_class(1150));
}

TEST_F(QuadShadingTest, BlendedColourIsTheMeanOfBoth) {
  light_state.sun_light_r = light_state.sun_light_g = light_state.sun_light_b = 255;
  light_state.ambient_light_r = light_state.ambient_light_g = light_state.ambient_light_b = 0;
  light_state.auto_exposure = 0;
  light_state.brightness = 104;  // exposure factor 1
  render_settings.haze_density = 0;
  EXPECT_EQ(blend_shade_color(100, 0, 51, 200, 50, 0, 255, 0, 0), shade_color(150, 25, 25, 255, 0, 0));
  EXPECT_EQ(blend_shade_color(-1, 0, 0, 0, 0, 0, 255, 0, 0), shade_color(0, 0, 0, 255, 0, 0));
}

}  // namespace

namespace {

// Faces the cliff test passes over without their slope really are no steeper than the cliff angle, for every
// angle and for faces on both sides of each whole-degree bound, the steepest and the level ones included.
TEST(CliffSlopeShortcut, SkipsOnlyFacesNoSteeperThanTheAngle) {
  std::vector<float> zs = {0.0f, 1.0f, -1.0f, 1e-9f, 0.5f};
  for (int32_t d = 0; d <= 91; ++d) {
    const float c = static_cast<float>(std::cos(d / 57.29577951308232));
    for (float z = c, k = 0; k < 4; ++k) {
      zs.push_back(z);
      zs.push_back(-z);
      z = std::nextafter(z, 2.0f);
    }
    for (float z = c, k = 0; k < 4; ++k) zs.push_back(z = std::nextafter(z, -2.0f));
  }
  for (int32_t i = 0; i <= 2000; ++i) zs.push_back(static_cast<float>(i) / 2000.0f);
  int32_t skipped = 0;
  for (int32_t angle = -3; angle <= 95; ++angle)
    for (const float z : zs) {
      const Vec3f n{0.0f, 0.0f, z};
      if (steeper_than_cliff_possible(n, angle)) continue;
      ++skipped;
      ASSERT_LE(normal_slope(n), angle) << angle << " " << z;
    }
  EXPECT_GT(skipped, 1000);
}

}  // namespace

namespace {

// The highlight is skipped only where the power really truncates to 0: for every sharpness, at the bound and
// the values just under it, and over a sweep of the range below. Each bound sits within a thousandth of the
// true limit, so the shortcut does take most faces.
TEST(HighlightShortcut, SkipsOnlyPowersThatTruncateToZero) {
  EXPECT_EQ(highlight_zero_bound(0), 0.0);
  EXPECT_EQ(highlight_zero_bound(-1), 0.0);
  EXPECT_EQ(highlight_zero_bound(256), 0.0);
  for (int32_t k = 1; k < 256; ++k) {
    const double bound = highlight_zero_bound(k);
    const double limit = std::pow(1.0 / 256.0, 1.0 / k);  // where the product reaches 1
    EXPECT_LT(bound, limit) << k;
    EXPECT_GT(bound, limit * 0.999) << k;
    std::vector<double> rs;
    double r = bound;
    for (int32_t i = 0; i < 8; ++i) rs.push_back(r = std::nextafter(r, 0.0));
    for (int32_t i = 0; i <= 200; ++i) rs.push_back(0.001 + (bound - 0.001) * i / 201.0);
    for (const double x : rs) {
      ASSERT_LT(x, bound);
      ASSERT_EQ(static_cast<int32_t>(std::pow(x, k) * 256.0), 0) << k << " " << x;
    }
  }
}

}  // namespace
