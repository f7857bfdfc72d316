// Colour classification: band and cliff class tables, strata, roughness, and colouring of a landscape.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "tests/support/headless_host.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/render/lighting.h"
#include "tests/support/engine_test.h"

namespace {

class ColorClassTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(66, 66);
    clear_elevations();
    clear_colors();
    user_abort = 0;  // a stop left by an earlier test must not end this one's operations
    landscape_view.base_level = 0, terrain_settings.tree_line = 400, terrain_settings.snow_line = 800, landscape_view.max_elevation = 1200;
  }
  void TearDown() override {
    reset_color_class_settings();
    set_landscape_size(258, 258);
    reset_settings_defaults();
  }
  ScopedHeadlessHost host_;
};

TEST_F(ColorClassTest, BandClassTable) {
  struct Case {
    int32_t e, tree, bare, snow;
  };
  // Quarters of 0..400 and 400..800; the snow quarter counts down from the top (3 - (max - e) * 4 / span).
  const Case cases[] = {{0, 56, 38, 42},      {99, 56, 38, 42},    {100, 57, 38, 42},   {250, 58, 38, 42},
                        {399, 59, 38, 42},    {500, 59, 39, 42},   {700, 59, 41, 42},   {900, 59, 41, 42},
                        {1000, 59, 41, 43},   {1199, 59, 41, 45},  {1200, 59, 41, 45},  {-50, 56, 38, 42}};
  for (const Case& c : cases) {
    EXPECT_EQ(tree_class(c.e), c.tree) << c.e;
    EXPECT_EQ(bare_class(c.e), c.bare) << c.e;
    EXPECT_EQ(snow_class(c.e), c.snow) << c.e;
  }
  // Equal lines: the divisor counts as 1.
  terrain_settings.tree_line = landscape_view.base_level = 10;
  terrain_settings.snow_line = 10;
  landscape_view.max_elevation = 10;
  EXPECT_EQ(tree_class(5), 56);
  EXPECT_EQ(bare_class(20), 41);
  EXPECT_EQ(snow_class(10), 45);
}

// The band classes as the quarter rule defines them: the 64-bit quotient offset * 4 / span (a span of 0 counting as
// 1) below 1, 2 or 3. Swept over ordinary, reversed, equal and extreme band lines, so that any shortcut in the
// class functions is held to the division's answers, rounding of negative quotients included.
TEST_F(ColorClassTest, BandClassesFollowTheQuarterDivision) {
  const auto quarter = [](int64_t offset, int64_t span, int32_t first) {
    const int64_t q = offset * 4 / (span == 0 ? 1 : span);
    return q < 1 ? first : q < 2 ? first + 1 : q < 3 ? first + 2 : first + 3;
  };
  struct Lines {
    int32_t base, tree, snow, max;
  };
  const Lines lines[] = {{0, 400, 800, 1200},    {0, 401, 803, 1207},   {500, 100, 50, -20},  {10, 10, 10, 10},
                         {-300, -299, -298, -297}, {INT16_MIN, 0, 1, INT16_MAX}, {INT32_MIN, 0, 7, INT32_MAX},
                         {0, 3, 0, -3}};
  for (const Lines& l : lines) {
    landscape_view.base_level = l.base, terrain_settings.tree_line = l.tree;
    terrain_settings.snow_line = l.snow, landscape_view.max_elevation = l.max;
    for (int64_t e64 = -1500; e64 <= 1500; ++e64) {
      for (const int64_t far : {int64_t{0}, int64_t{INT32_MIN} + 1500, int64_t{INT32_MAX} - 1500}) {
        const int32_t e = static_cast<int32_t>(e64 + far);
        EXPECT_EQ(tree_class(e), quarter(int64_t{e} - l.base, int64_t{l.tree} - l.base, 56)) << e;
        EXPECT_EQ(bare_class(e), quarter(int64_t{e} - l.tree, int64_t{l.snow} - l.tree, 38)) << e;
        const int64_t q = (int64_t{l.max} - e) * 4 / (int64_t{l.max} - l.snow == 0 ? 1 : int64_t{l.max} - l.snow);
        const int64_t down = 3 - q;
        EXPECT_EQ(snow_class(e), down < 1 ? 42 : down < 2 ? 43 : down < 3 ? 44 : 45) << e;
      }
    }
  }
}

TEST_F(ColorClassTest, QuartileElevations) {
  compute_altitude_quartiles();
  EXPECT_EQ(class_mean_elevation(56), 50);
  EXPECT_EQ(class_mean_elevation(59), 350);
  EXPECT_EQ(class_mean_elevation(38), 450);
  EXPECT_EQ(class_mean_elevation(45), 1150);
  EXPECT_EQ(class_mean_elevation(46), -32768);
  EXPECT_EQ(class_mean_elevation(0), -32768);
}

TEST_F(ColorClassTest, CliffClassTable) {
  set_cliff_angle(70);
  EXPECT_EQ(terrain_settings.cliff_band_width, 1);
  set_cliff_angle(45);
  EXPECT_EQ(terrain_settings.cliff_band_width, 7);
  struct Case {
    int32_t slope, cls;
  };
  const Case cases[] = {{46, 46}, {52, 46}, {53, 47}, {59, 47}, {60, 48}, {66, 48}, {67, 49}, {89, 49}};
  for (const Case& c : cases) EXPECT_EQ(cliff_class_by_angle(c.slope), c.cls) << c.slope;

  Vec3f n;
  EXPECT_EQ(face_slope_angle(Vec3f{30, 0, 0}, Vec3f{0, 30, 0}, &n), 0);
  EXPECT_EQ(face_slope_angle(Vec3f{30, 0, 30}, Vec3f{0, 30, 0}, &n), 45);
  EXPECT_EQ(face_slope_angle(Vec3f{30, 0, 0}, Vec3f{30, 0, 0}, &n), 0);  // degenerate face: normal straight up
}

TEST_F(ColorClassTest, StrataBandsAreReproducible) {
  build_strata_bands();
  uint8_t first[256];
  std::memcpy(first, strata_bands, sizeof first);
  random_seed(777);
  random8();
  std::memset(strata_bands, 0, sizeof strata_bands);
  build_strata_bands();
  EXPECT_EQ(std::memcmp(first, strata_bands, sizeof first), 0);
  for (uint8_t c : strata_bands) {
    EXPECT_GE(c, 46);
    EXPECT_LE(c, 49);
  }
  // Layers are strata_thickness / 4 thick along the normal; negative positions wrap into the table.
  EXPECT_EQ(strata_class(0, 0, 0, 0), strata_bands[0]);
  EXPECT_EQ(strata_class(0, 0, 5, 0), strata_bands[1]);
  EXPECT_EQ(strata_class(0, 0, -5, 0), strata_bands[255]);
  // A thickness of 0 must not divide by zero: it counts as 1.
  terrain_settings.strata_thickness = 0;
  EXPECT_EQ(strata_class(0, 0, 2, 0), strata_bands[8]);
}

TEST_F(ColorClassTest, RoughnessTerm) {
  elevation_row(10)[10] = 100;  // a peak on flat ground
  // s = 8 * 100; t = 800 * 60 / 200 = 240; t = 240 * 1200 / 128 = 2250; (2250 * 100) >> 11 = 109.
  EXPECT_EQ(cell_roughness(10, 10, 200), 109);
  elevation_row(10)[10] = -100;
  EXPECT_EQ(cell_roughness(10, 10, 200), -110);  // arithmetic shift rounds down
  // A radius setting of 0 must not divide by zero.
  terrain_settings.roughness_radius = 0;
  elevation_row(10)[10] = 100;
  EXPECT_EQ(cell_roughness(10, 10, 0), 0);  // neighbours are the sample itself
  EXPECT_NE(cell_roughness(10, 10, 200), 0);
  // A sample spacing of almost nothing makes the reach huge: it stays at the landscape's edges.
  terrain_settings.roughness_radius = 200;
  grid_spacing_x = grid_spacing_y = 1e-30f;
  EXPECT_EQ(cell_roughness(10, 10, 200), cell_roughness(10, 10, 1 << 30));
  grid_spacing_x = grid_spacing_y = 30.0f;
  roughness_off();
  EXPECT_EQ(cell_roughness(10, 10, 200), 0);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
}

TEST_F(ColorClassTest, ColoringKeepsPlacedClassesAndSteps) {
  terrain_settings.roughness_enabled = 0;
  terrain_settings.line_roughness = 0;  // no jitter of band edges
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = static_cast<int16_t>(c * 20);
  cover_row(5)[5].color_class = 52;   // water
  cover_row(5)[6].color_class = 50;   // beach
  cover_row(5)[7].color_class = 88;   // road
  cover_row(3)[3].color_class = 200;  // an odd sample at step 2 keeps its class
  render_settings.grid_step = 2;
  derived_data.colors_done_step = land_width;
  ASSERT_EQ(color_landscape(), 1);
  EXPECT_EQ(derived_data.colors_done_step, 2);
  EXPECT_EQ(cover_row(5)[5].color_class, 52);
  EXPECT_EQ(cover_row(5)[6].color_class, 50);
  EXPECT_EQ(cover_row(5)[7].color_class, 88);
  EXPECT_EQ(cover_row(3)[3].color_class, 200);
  EXPECT_EQ(cover_row(4)[0].color_class, 56);
  EXPECT_EQ(cover_row(4)[30].color_class, 40);  // 600 m: (600 - 400) * 4 / 400 = 2
  EXPECT_EQ(cover_row(4)[50].color_class, 43);  // 1000 m: 3 - 200 * 4 / 400 = 1

  // Cliffs: a steep wall makes cliff of roads but never of water.
  render_settings.grid_step = 1;
  for (int32_t r = 0; r < grid_height; ++r) elevation_row(r)[21] = 1000;
  cover_row(8)[20].color_class = 88;
  cover_row(9)[20].color_class = 53;
  derived_data.cliffs_done_step = land_width;
  ASSERT_EQ(color_cliffs(), 1);
  EXPECT_EQ(cover_row(8)[20].color_class, 49);
  EXPECT_EQ(cover_row(9)[20].color_class, 53);
}

TEST_F(ColorClassTest, FlatLandHasNoCliffs) {
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) cover_row(r)[c].color_class = 56;
  derived_data.cliffs_done_step = land_width;
  ASSERT_EQ(color_cliffs(), 1);
  for (int32_t r = 0; r < land_height; ++r)
    for (int32_t c = 0; c < land_width; ++c) ASSERT_EQ(cover_row(r)[c].color_class, 56);
}

}  // namespace

// Any stored cliff angle, as a damaged landscape file may bring, gives a band width without overflow.
TEST_F(ColorClassTest, CliffBandWidthForAnyAngle) {
  struct Case {
    int32_t angle, width;
  };
  const Case cases[] = {{INT32_MIN, 715827905}, {-2, 23}, {INT32_MAX, 1}};
  for (const Case& c : cases) {
    set_cliff_angle(c.angle);
    EXPECT_EQ(terrain_settings.cliff_band_width, c.width) << c.angle;
  }
}
