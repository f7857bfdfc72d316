// Script keywords of the editing operations: positions in metres, the sea at 0 afterwards, lakes, erosion passes.
#include <gtest/gtest.h>

#include "engine/core/color_classes.h"
#include "engine/landscape/erosion.h"
#include "tests/animation/script_test_fixture.h"

namespace {

class ScriptEditing : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    fill(0);
    clear_colors();
  }
  static void fill(int16_t h) {
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) elevation_row(y)[x] = h;
  }
  static int16_t& E(int32_t y, int32_t x) { return elevation_row(y)[x]; }
  static uint8_t K(int32_t y, int32_t x) { return cover_row(y)[x].color_class; }
};

TEST_F(ScriptEditing, SeaLevelTenOverLandAtFive) {
  fill(5);
  for (int32_t y = 100; y < 150; ++y)
    for (int32_t x = 100; x < 150; ++x) E(y, x) = 60;
  scan_elevation_range();
  EXPECT_EQ(line("SeaLevel 10 99"), 1);
  EXPECT_EQ(terrain_settings.sea_level, 0);
  EXPECT_EQ(E(10, 10), 0);
  EXPECT_TRUE(K(10, 10) >= kClassWater1 && K(10, 10) <= 53);
  EXPECT_EQ(E(99, 120), 1);
  EXPECT_EQ(K(99, 120), kClassBeach);
  EXPECT_EQ(E(120, 120), 50);
  EXPECT_EQ(derived_data.landscape_changed, 1);
  EXPECT_TRUE(host->messages.empty());  // no questions from scripts
}

TEST_F(ScriptEditing, VerticalScaleSmoothStretchAndErode) {
  E(50, 50) = 240;
  EXPECT_EQ(line("VerticalScale 2"), 1);
  EXPECT_EQ(E(50, 50), 480);
  EXPECT_EQ(line("VerticalScale 1.0"), 1);
  EXPECT_EQ(E(50, 50), 240);
  EXPECT_EQ(line("Smooth"), 1);
  EXPECT_EQ(E(50, 50), 125);
  EXPECT_EQ(landscape_view.max_elevation, 125);  // the range is refreshed
  EXPECT_EQ(line("Stretch"), 1);
  fill(10);
  E(20, 20) = 9;
  EXPECT_EQ(line("Erode 3"), 1);
  EXPECT_EQ(erosion_state.passes_run, 3);
  EXPECT_EQ(line("Erode -5"), 1);
  EXPECT_EQ(erosion_state.passes_run, 0);
}

TEST_F(ScriptEditing, RiversAndLakesFromMetres) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(1000 - 3 * x);
  EXPECT_EQ(line("MakeRiver 3015 1500"), 1);  // sample (100, 50)
  EXPECT_TRUE(K(50, 100) >= kClassWater1 && K(50, 100) <= kClassWater5);
  EXPECT_TRUE(K(50, 200) >= kClassWater1 && K(50, 200) <= kClassWater5);
  EXPECT_EQ(K(50, 99), 0);

  derived_data.landscape_changed = 0;
  const int16_t before = E(10, 10);
  EXPECT_EQ(line("MakeLake -100 -100"), 1);  // off the landscape: nothing, but marked changed
  EXPECT_EQ(derived_data.landscape_changed, 1);
  EXPECT_EQ(line("MakeLake 300 300"), 1);     // at the sample's own elevation
  EXPECT_EQ(E(10, 10), before + 1);
  EXPECT_EQ(line("MakeLake 600 600 500"), 1);  // a level below the sample: only it floods
  EXPECT_EQ(E(20, 20), 501);
}

TEST_F(ScriptEditing, EnlargeBeyondTheMiddleIsPulledBack) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(10 + x + y);
  EXPECT_EQ(line("Enlarge 99999 99999 0"), 1);
  EXPECT_EQ(grid_spacing_x, 15.0f);
  EXPECT_EQ(terrain_settings.sea_level, 0);
  // The quarter from (127, 127) fills the grid, duplicated; its lowest ground (264 m) was made the new
  // landscape's base one metre above the sea, so everything moved down by 263 m.
  EXPECT_EQ(E(0, 0), 264 - 263);
  EXPECT_EQ(E(1, 1), 264 - 263);
  EXPECT_EQ(E(0, 2), 265 - 263);
  EXPECT_EQ(E(grid_height - 1, grid_width - 1), 10 + 255 + 255 - 263);  // old sample 127 + 257 / 2
  EXPECT_TRUE(host->messages.empty());
}

}  // namespace
