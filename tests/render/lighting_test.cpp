// Face light levels, the vector helpers, detail levels, tree shadows and the landscape shading with cast shadows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/render/lighting.h"
#include "engine/landscape/sun.h"
#include "tests/support/engine_test.h"

namespace {

class LightingTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(130, 130);
    clear_elevations();
    clear_shades();
    user_abort = 0;  // a stop left by an earlier test must not end this one's operations
    render_settings.light_roughness = 0;
    render_settings.grid_step = 1;
    derived_data.shades_done_step = land_width;
  }
  void TearDown() override {
    reset_grid_spacing();
    set_landscape_size(258, 258);
    reset_settings_defaults();
    set_detail_level(1, 2);
  }
  // Sun towards +x at the given declination.
  static void sun_east(float declination) {
    const double d = declination / 57.29577951308232;
    light_state.light_x = static_cast<float>(std::cos(d));
    light_state.light_y = 0.0f;
    light_state.light_z = static_cast<float>(std::sin(d));
    light_state.sun_declination = declination;
    light_state.light_tables_stale = 1;
    derived_data.shades_done_step = land_width;
  }
  ScopedHeadlessHost host_;
};

TEST_F(LightingTest, FaceLightLevels) {
  light_state.light_x = 0.7f, light_state.light_y = 0.0f, light_state.light_z = 0.71f;
  render_settings.exaggerate_shading = 0;
  EXPECT_EQ(light_intensity(60, 0, 0, 0, 60, 0), 181);  // level ground, the light used as stored
  set_flat_intensity();
  EXPECT_EQ(light_state.flat_intensity, 181);
  EXPECT_EQ(light_state.sky_intensity, 181);
  EXPECT_EQ(light_intensity_secondary(60, 0, 0, 0, 60, 0), 25);
  // A face turned away from the sun gets 0, not a negative level.
  EXPECT_EQ(light_intensity(60, 0, 600, 0, 60, 0), 0);
  // 60 degrees to the sun: l = 0.5 gives 128, or 85 with the exaggerating curve.
  light_state.light_x = 0.0f, light_state.light_y = 0.0f, light_state.light_z = 1.0f;
  const int32_t dz = static_cast<int32_t>(std::lround(60.0 * std::tan(60.0 / 57.29577951308232) * 1000));
  EXPECT_NEAR(light_intensity(60000, 0, dz, 0, 60000, 0), 128, 1);
  render_settings.exaggerate_shading = 1;
  EXPECT_NEAR(light_intensity(60000, 0, dz, 0, 60000, 0), 85, 1);
  // A light vector slightly longer than 1 must not push acos out of its domain.
  light_state.light_z = 1.01f;
  EXPECT_EQ(light_intensity(60, 0, 0, 0, 60, 0), 255);
  // Contrast 0 switches lighting off for both.
  light_state.contrast = 0;
  EXPECT_EQ(light_intensity(60, 0, 600, 0, 60, 0), 255);
  EXPECT_EQ(light_intensity_secondary(60, 0, 600, 0, 60, 0), 255);
}

TEST_F(LightingTest, VectorHelpers) {
  Vec3f zero{0, 0, 0};
  vec3_normalize(&zero);
  EXPECT_EQ(zero.z, 1.0f);
  Vec3f a{3, 0, 0}, b{0, 5, 0}, out{};
  vec3_cross_normalized(&a, &b, &out);
  EXPECT_FLOAT_EQ(a.x, 1.0f);  // inputs are left normalised
  EXPECT_FLOAT_EQ(b.y, 1.0f);
  EXPECT_FLOAT_EQ(out.z, 1.0f);
  EXPECT_DOUBLE_EQ(normal_from_edges(1, 0, 0, 2, 0, 0, 0, 0, 1), 0.0);  // zero cross product
  const Vec3f n{0, 0, 1}, up{0, 0, 1}, level{1, 0, 0};
  EXPECT_DOUBLE_EQ(reflect_dot(up, up, n), 1.0);
  EXPECT_DOUBLE_EQ(reflect_z_term(level, n), 1.0);
  EXPECT_DOUBLE_EQ(reflect_z_term(Vec3f{0, 0, 1}, n), 0.0);
}

TEST_F(LightingTest, DetailLevelTable) {
  struct Row {
    int32_t level, size, depth, a, b;
  };
  const Row rows[] = {{0, 32000, 0, 5, 4}, {1, 20, 4, 6, 5}, {2, 15, 6, 7, 6}, {3, 10, 8, 8, 7}, {4, 7, 8, 8, 7}};
  for (const Row& r : rows) {
    set_detail_level(2, r.level);
    EXPECT_EQ(render_settings.detail_enabled, 2);
    EXPECT_EQ(render_settings.detail_level, r.level);
    EXPECT_EQ(max_polygon_size, r.size) << r.level;
    EXPECT_EQ(max_detail_depth, r.depth) << r.level;
    EXPECT_EQ(render_settings.detail_param_a, r.a) << r.level;
    EXPECT_EQ(render_settings.detail_param_b, r.b) << r.level;
  }
  set_detail_level(1, 7);  // stored, thresholds unchanged
  EXPECT_EQ(render_settings.detail_level, 7);
  EXPECT_EQ(render_settings.detail_enabled, 1);
  EXPECT_EQ(max_polygon_size, 7);
}

TEST_F(LightingTest, TreeShadowMarksTheCornerAwayFromTheSun) {
  tree_settings.trees_enabled = 1;
  cover_row(20)[10].object = 35;  // oak
  cover_row(40)[40].object = 36;  // cactus: no shadow
  light_state.light_x256 = 100, light_state.light_y256 = 100;
  shade_row(5)[5] = kShadeObjectShadow;  // a stale mark is cleared
  mark_tree_shadows();
  EXPECT_TRUE(shade_row(20)[10] & kShadeObjectShadow);
  EXPECT_FALSE(shade_row(5)[5] & kShadeObjectShadow);
  EXPECT_FALSE(shade_row(40)[40] & kShadeObjectShadow);
  light_state.light_x256 = -100, light_state.light_y256 = -100;
  mark_tree_shadows();
  EXPECT_FALSE(shade_row(20)[10] & kShadeObjectShadow);
  EXPECT_TRUE(shade_row(21)[11] & kShadeObjectShadow);
  // Coarser steps leave the marks alone.
  render_settings.grid_step = 2;
  light_state.light_x256 = 100, light_state.light_y256 = 100;
  mark_tree_shadows();
  EXPECT_TRUE(shade_row(21)[11] & kShadeObjectShadow);
}

// A north-south wall 100 m high at column 60 on level ground, the sun in the east: the shadow falls west
// of the wall, about height / tan(declination) metres long.
class WallShadowTest : public LightingTest {
 protected:
  void SetUp() override {
    LightingTest::SetUp();
    for (int32_t r = 0; r < grid_height; ++r) elevation_row(r)[60] = 100;
    landscape_view.max_elevation = 100;
    render_settings.shadows_enabled = 1;
  }
  int32_t shadow_length(int32_t row) {
    int32_t n = 0;
    for (int32_t c = 0; c < 60; ++c) n += (shade_row(row)[c] & kShadeTerrainShadow) ? 1 : 0;
    return n;
  }
};

TEST_F(WallShadowTest, LengthFollowsDeclination) {
  for (float decl : {10.0f, 20.0f, 30.0f, 45.0f, 60.0f}) {
    sun_east(decl);
    ASSERT_EQ(shade_landscape(), 1);
    const double cells = 100.0 / std::tan(decl / 57.29577951308232) / 30.0;
    // The ray starts half a step up, so the last shadowed sample lies about half a cell short of the full length.
    EXPECT_NEAR(shadow_length(64), cells - 0.5, 1.0) << decl;
    // Shadowed level ground keeps the faint light from above; lit level ground gets the sun's level.
    EXPECT_EQ(shade_row(64)[59] & kShadeTerrainShadow, kShadeTerrainShadow);
    if (decl <= 30.0f) {
      EXPECT_EQ(shade_row(64)[57] & kShadeIntensityMask, 25) << decl;
    }
    EXPECT_EQ(shade_row(64)[20], light_intensity(60, 0, 0, 0, 60, 0)) << decl;  // far from the wall: lit
    EXPECT_FALSE(shade_row(64)[61] & kShadeTerrainShadow);  // east of the wall is lit
  }
  for (float decl : {85.0f, 89.0f}) {
    sun_east(decl);
    ASSERT_EQ(shade_landscape(), 1);
    for (int32_t r = 0; r < land_height; ++r) ASSERT_EQ(shadow_length(r), 0) << decl;
  }
}

TEST_F(WallShadowTest, ValidShadingIsKeptAndStopIsReported) {
  sun_east(30.0f);
  ASSERT_EQ(shade_landscape(), 1);
  EXPECT_EQ(derived_data.shades_done_step, 1);
  shade_row(64)[57] = 0;
  EXPECT_EQ(shade_landscape(), 1);  // still valid: nothing recomputed
  EXPECT_EQ(shade_row(64)[57], 0);
  derived_data.shades_done_step = land_width;
  user_abort = 1;
  EXPECT_EQ(shade_landscape(), -1);
  EXPECT_EQ(derived_data.shades_done_step, land_width);
  EXPECT_EQ(shade_landscape(), 1);
  EXPECT_EQ(shade_row(64)[57], 25 | kShadeTerrainShadow);
}

TEST_F(LightingTest, SunStraightOverheadOrZeroSpacingEndsRays) {
  render_settings.shadows_enabled = 1;
  light_state.light_x = 0.0f, light_state.light_y = 0.0f, light_state.light_z = 1.0f;
  light_state.sun_declination = 80.0f;  // inconsistent on purpose: steps become infinite
  elevation_row(10)[10] = 50;
  landscape_view.max_elevation = 50;
  ASSERT_EQ(shade_landscape(), 1);
  grid_spacing_y = 0.0f;
  light_state.light_x = 0.5f, light_state.light_y = 0.5f, light_state.light_z = 0.7f;
  derived_data.shades_done_step = land_width;
  ASSERT_EQ(shade_landscape(), 1);
}

// At steps 4 and 8 on a width that is not a multiple of the step, the x difference of a row's last sample
// must stay inside the row: here the next row starts with a cliff that a read past the row would see.
TEST_F(LightingTest, CoarseStepsStayInsideTheRow) {
  set_landscape_size(99, 99);  // 97 cells
  clear_elevations();
  clear_shades();
  for (int32_t c = 0; c < 12; ++c) elevation_row(1)[c] = 30000;
  landscape_view.max_elevation = 30000;
  light_state.light_x = 0.7f, light_state.light_y = 0.0f, light_state.light_z = 0.71f;
  render_settings.shadows_enabled = 0;
  for (int32_t step : {4, 8}) {
    render_settings.grid_step = step;
    derived_data.shades_done_step = land_width;
    ASSERT_EQ(shade_landscape(), 1);
    const int32_t last = (land_width - 1) / step * step;
    EXPECT_EQ(shade_row(0)[last], 181) << step;
    EXPECT_EQ(shade_row(0)[last - step], 181) << step;
  }
}

}  // namespace

namespace {

// The shading passes over blocks that lie below a rising ray; its shadow bits must equal those of the
// plain ray of cast_shadow_cell for every sample, whatever the sun's direction.
TEST_F(LightingTest, ShadingShadowsMatchThePlainRay) {
  set_landscape_size(203, 171);
  random_seed(4242);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      elevation_row(r)[c] = static_cast<int16_t>(300 + 250 * std::sin(c * 0.07) * std::cos(r * 0.05) + random8());
  landscape_view.max_elevation = 0;
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) landscape_view.max_elevation = std::max<int32_t>(landscape_view.max_elevation, elevation_row(r)[c]);
  render_settings.shadows_enabled = 1;
  struct Sun {
    float x, y, decl;
  };
  const Sun suns[] = {{0.6f, 0.8f, 5}, {-0.8f, 0.6f, 12}, {-0.3f, -0.95f, 25}, {1.0f, -0.1f, 3}, {0.7f, 0.7f, 45}};
  for (int32_t step : {1, 2}) {
    render_settings.grid_step = step;
    for (const Sun& s : suns) {
      const double d = s.decl / 57.29577951308232;
      light_state.light_x = static_cast<float>(s.x * std::cos(d)), light_state.light_y = static_cast<float>(s.y * std::cos(d));
      light_state.light_z = static_cast<float>(std::sin(d));
      light_state.sun_declination = s.decl;
      derived_data.shades_done_step = land_width;
      ASSERT_EQ(shade_landscape(), 1);
      int32_t shadowed = 0;
      for (int32_t r = 0; r < land_height; r += step)
        for (int32_t c = 0; c < land_width; c += step) {
          const int32_t bit = (shade_row(r)[c] & kShadeTerrainShadow) ? 1 : 0;
          ASSERT_EQ(bit, cast_shadow_cell(r, c)) << "sun " << s.x << "," << s.y << "," << s.decl << " at " << c << "," << r;
          shadowed += bit;
        }
      EXPECT_GT(shadowed, 0) << s.decl;
    }
  }
}

}  // namespace

namespace {

// A sun below the horizon, down to straight down: every sample inside the grid lies in shadow and the
// ray's fixed-point sums stay exact (the sanitizer reports any overflow).
TEST_F(LightingTest, SunBelowTheHorizonDownToStraightDownShadowsEverything) {
  set_landscape_size(33, 33);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = 100;
  landscape_view.max_elevation = 100;
  render_settings.shadows_enabled = 1;
  render_settings.grid_step = 1;
  for (float decl : {-90.0f, -89.999f, -60.0f, -5.0f}) {
    light_state.sun_azimuth = 30.0f;
    light_state.sun_declination = decl;
    update_sun_vector();
    light_state.light_tables_stale = 1;
    derived_data.shades_done_step = land_width;
    ASSERT_EQ(shade_landscape(), 1) << decl;
    for (int32_t r = 1; r < land_height - 1; ++r)
      for (int32_t c = 1; c < land_width - 1; ++c) ASSERT_EQ(cast_shadow_cell(r, c), 1) << decl << " at " << c << "," << r;
  }
}

}  // namespace
