// Rivers, lakes and seas: where rivers end, banks, pits, lake floods, the sea by depth, undo, grid bounds.
#include <gtest/gtest.h>

#include "engine/core/color_classes.h"
#include "engine/landscape/map_plot.h"
#include "engine/landscape/water.h"
#include "engine/ui/panel_record.h"
#include "tests/landscape/edit_fixture.h"

namespace {

class WaterTest : public EditFixture {
 protected:
  static bool water(int32_t y, int32_t x) { return K(y, x) >= kClassWater1 && K(y, x) <= kClassWater5; }
  // Every sample next to water (8 neighbours) that is not water itself lies 0 to 3 m above some water beside it.
  static void expect_banks_just_above_water() {
    for (int32_t y = 1; y < land_height; ++y)
      for (int32_t x = 1; x < land_width; ++x) {
        if (water(y, x)) continue;
        bool near = false, ok = false;
        for (int32_t dy = -1; dy <= 1; ++dy)
          for (int32_t dx = -1; dx <= 1; ++dx)
            if (water(y + dy, x + dx)) {
              near = true;
              const int32_t h = E(y, x) - E(y + dy, x + dx);
              ok = ok || (h >= 0 && h <= 3);
            }
        if (near) {
          EXPECT_TRUE(ok) << y << "," << x;
        }
      }
  }
  static int32_t count_class(uint8_t c) {
    int32_t n = 0;
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) n += K(y, x) == c;
    return n;
  }
};

TEST_F(WaterTest, ARiverRunsDownhillAndEndsAtWater) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(300 - 4 * x);
  for (int32_t y = 0; y < grid_height; ++y) K(y, 40) = kClassWater1;
  create_river(10, 20);
  for (int32_t x = 10; x < 40; ++x) EXPECT_TRUE(water(20, x)) << x;
  EXPECT_FALSE(water(20, 41));
  EXPECT_FALSE(water(20, 9));
  EXPECT_EQ(count_class(kClassWaterMark), 0);
  // The banks of the river end 0 to 3 m above the water beside them.
  for (int32_t x = 11; x < 39; ++x)
    for (int32_t bank_row : {19, 21}) {
      bool ok = false;
      for (int32_t dx = -1; dx <= 1; ++dx) {
        const int32_t h = E(bank_row, x) - E(20, x + dx);
        ok = ok || (h >= 0 && h <= 3);
      }
      EXPECT_TRUE(ok) << bank_row << "," << x;
    }
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  EXPECT_EQ(derived_data.shades_done_step, land_width);
}

TEST_F(WaterTest, TheRiverIsDottedOnTheMapAsItRuns) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(100 + 10 * y);
  topo_reset_view();
  int32_t px = 0, py = 0;
  grid_to_topo(30, 20, &px, &py);
  row_of<uint8_t>(topo_image, kTopoBottom - py)[px - kTopoLeft] = 9;
  create_river(30, 30);
  EXPECT_EQ(map_pixel(px, py), 0);
}

TEST_F(WaterTest, ARiverWithoutWaterEndsInTheBorderStrip) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(100 + 10 * y);
  create_river(30, 30);
  for (int32_t y = 1; y <= 30; ++y) EXPECT_TRUE(water(y, 30)) << y;
  EXPECT_FALSE(water(0, 30));
}

TEST_F(WaterTest, ARiverInAClosedPitFillsItUntilItCanRunOut) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) E(y, x) = static_cast<int16_t>(50 + 10 * x);
  E(20, 30) = E(20, 29) - 3;  // three metres below its lowest neighbour
  create_river(30, 20);
  EXPECT_EQ(E(20, 30), 340);  // raised by one metre a visit up to its lowest neighbour, then it ran out
  EXPECT_TRUE(water(20, 30));
  EXPECT_TRUE(water(20, 2));
}

TEST_F(WaterTest, ALakeBelowItsNeighboursFloodsOnlyItsStartSample) {
  fill(50);
  create_lake(20, 20, 40);
  EXPECT_EQ(E(20, 20), 41);
  EXPECT_TRUE(water(20, 20));
  int32_t wet = 0;
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) wet += water(y, x);
  EXPECT_EQ(wet, 1);
  EXPECT_EQ(E(19, 20), 42);  // 41 + ((50 - 41) & 3)
  EXPECT_EQ(lake_flood_state.depth, 0);
}

TEST_F(WaterTest, ALakeFloodsItsBasinToALevelSurface) {
  fill(50);
  for (int32_t y = 20; y < 25; ++y)
    for (int32_t x = 30; x < 36; ++x) E(y, x) = static_cast<int16_t>(10 + x - y);
  create_lake(32, 22, 30);
  for (int32_t y = 20; y < 25; ++y)
    for (int32_t x = 30; x < 36; ++x) {
      EXPECT_EQ(E(y, x), 31);
      EXPECT_TRUE(water(y, x));
    }
  EXPECT_FALSE(water(19, 30));
  EXPECT_EQ(E(19, 30), 34);  // 31 + ((50 - 31) & 3)
  expect_banks_just_above_water();
}

TEST_F(WaterTest, ALakeOverTheWholeGridAndAtTheTopOfTheRangeStaysInside) {
  fill(50);
  create_lake(0, 0, 1000);  // every sample floods, edges included
  for (int32_t y = 0; y <= land_height; ++y)
    for (int32_t x = 0; x <= land_width; ++x) ASSERT_EQ(E(y, x), 1001) << y << "," << x;
  fill(32767);
  clear_colors();
  create_lake(land_width, land_height, 40000);  // the surface cannot wrap below the level
  EXPECT_EQ(E(land_height, land_width), 32767);
  EXPECT_TRUE(water(land_height, land_width));
}

TEST_F(WaterTest, AWindingLakeStopsDescendingAtTheDepthLimit) {
  // One-sample corridors in the even columns, joined alternately at the top and the bottom: every row of the
  // winding path is one more nested fill, far beyond the limit of 3401.
  flat(258, 258);
  fill(0);
  for (int32_t x = 1; x <= land_width; x += 2)
    for (int32_t y = 0; y <= land_height + 1; ++y) {
      const bool gap = (x % 4 == 1) ? y == land_height : y == 0;
      if (!gap) E(y, x) = 100;
    }
  create_lake(0, 0, 10);
  EXPECT_EQ(lake_flood_state.depth, 0);
  EXPECT_TRUE(water(0, 0));
  EXPECT_TRUE(water(200, 4));
  EXPECT_FALSE(water(128, land_width - 1));  // the far corridors stay dry
  const int32_t wet = count_class(kClassWater1) + count_class(52) + count_class(53) + count_class(54) +
                      count_class(kClassWater5);
  EXPECT_GT(wet, 3000);
  EXPECT_LT(wet, 4000);
}

TEST_F(WaterTest, AStoppedLakeKeepsItsMarksUntilTheQuestionRestoresThem) {
  fill(50);
  for (int32_t y = 10; y < 40; ++y)
    for (int32_t x = 10; x < 40; ++x) E(y, x) = 5;
  const auto e0 = elevations();
  const auto c0 = cover();
  host_->tick_step = 1;
  host_->keys = {0, 0, kKeyEsc};
  host_->value_answers = {{1, 20}};
  host_->yes_no_answers = {0};
  int32_t px = 0, py = 0;
  topo_reset_view();
  grid_to_topo(20, 20, &px, &py);
  EXPECT_EQ(lake_command(px, py), -1);
  EXPECT_EQ(host_->messages[0].text, "Desired lake level:");
  EXPECT_EQ(host_->messages[1].text, "Accept lake?");
  EXPECT_EQ(elevations(), e0);
  EXPECT_EQ(cover(), c0);

  host_->keys = {0, 0, kKeyEsc};
  create_lake(20, 20, 20);  // without the question the marks stay
  EXPECT_EQ(lake_flood_state.stopped, 1);
  EXPECT_GT(count_class(kClassWaterMark), 0);
}

TEST_F(WaterTest, RiverCommandNoRestoresAndYesKeeps) {
  hills();
  for (int32_t y = 0; y < grid_height; ++y) K(y, 5) = 40;
  const auto e0 = elevations();
  const auto c0 = cover();
  topo_reset_view();
  int32_t px = 0, py = 0;
  grid_to_topo(30, 30, &px, &py);
  host_->yes_no_answers = {0};
  EXPECT_EQ(river_command(px, py), -1);
  EXPECT_EQ(host_->messages.back().text, "Accept river?");
  EXPECT_EQ(elevations(), e0);
  EXPECT_EQ(cover(), c0);
  host_->yes_no_answers = {1};
  EXPECT_EQ(river_command(px, py), 1);
  EXPECT_NE(cover(), c0);
}

TEST_F(WaterTest, StartPointsOffTheLandscapeChangeNothing) {
  hills();
  const auto e0 = elevations();
  const auto c0 = cover();
  const int32_t starts[][2] = {{-1, 5}, {5, -1}, {land_width + 1, 0}, {0, land_height + 1}, {-100000, 100000}};
  for (const auto& s : starts) {
    create_river(s[0], s[1]);
    create_lake(s[0], s[1], 1000);
  }
  EXPECT_EQ(elevations(), e0);
  EXPECT_EQ(cover(), c0);
  // A click off the map still asks its question.
  host_->yes_no_answers = {1};
  EXPECT_EQ(river_command(-5000, -5000), 1);
  EXPECT_EQ(host_->messages.back().text, "Accept river?");
  EXPECT_EQ(elevations(), e0);
}

TEST_F(WaterTest, RiversStartedOnTheEdgesStayInsideTheGrid) {
  hills();
  create_river(0, 0);
  create_river(land_width, land_height);
  create_river(land_width, 0);
  EXPECT_TRUE(water(0, 0));
  EXPECT_TRUE(water(land_height, land_width));
}

TEST_F(WaterTest, SeaLevelTenOverLandAtFive) {
  fill(5);
  for (int32_t y = 20; y < 40; ++y)
    for (int32_t x = 20; x < 40; ++x) E(y, x) = 40;
  scan_elevation_range();
  ASSERT_EQ(landscape_view.base_level, 5);
  terrain_settings.sea_level = 10;
  create_sea();
  for (int32_t y = 0; y <= land_height; ++y)
    for (int32_t x = 0; x <= land_width; ++x) {
      const bool hill = y >= 20 && y < 40 && x >= 20 && x < 40;
      const bool shore = !hill && y >= 19 && y <= 40 && x >= 19 && x <= 40 &&
                         !((y == 19 || y == 40) && (x == 19 || x == 40));
      if (hill) {
        ASSERT_EQ(E(y, x), 30) << y << "," << x;
      } else if (shore) {
        ASSERT_EQ(K(y, x), kClassBeach) << y << "," << x;
        ASSERT_EQ(E(y, x), 1) << y << "," << x;
      } else {
        ASSERT_TRUE(K(y, x) >= kClassWater1 && K(y, x) <= 53) << y << "," << x;
        ASSERT_EQ(E(y, x), 0) << y << "," << x;
      }
    }
}

TEST_F(WaterTest, SeaCommandNoRestoresElevationsCoverAndHeights) {
  hills();
  for (int32_t y = 0; y < grid_height; ++y) K(y, 7) = kClassRoad1;
  cover_row(3)[3].object = 9;
  scan_elevation_range();
  terrain_settings.sea_level = 45;
  camera_state.camera_z = 123.25f;
  camera_state.target_z = 77.5f;
  const auto e0 = elevations();
  const auto c0 = cover();
  host_->yes_no_answers = {1, 0};  // erase old water, then reject the sea
  EXPECT_EQ(sea_command(), -1);
  EXPECT_EQ(host_->messages[0].text, "Erase old Rivers/Lakes/Seas?");
  EXPECT_EQ(host_->messages[1].text, "Accept Sea?");
  EXPECT_EQ(elevations(), e0);
  EXPECT_EQ(cover(), c0);
  EXPECT_EQ(camera_state.camera_z, 123.25f);
  EXPECT_EQ(camera_state.target_z, 77.5f);

  host_->yes_no_answers = {0, 1};
  EXPECT_EQ(sea_command(), 1);
  EXPECT_EQ(camera_state.camera_z, 123.25f - 45.0f);
}

TEST_F(WaterTest, WithoutUndoSpaceCancelChangesNothing) {
  hills();
  const auto e0 = elevations();
  RowTable saved = min_elevation_rows;
  min_elevation_rows = nullptr;
  host_->yes_no_answers = {0, 0};
  EXPECT_EQ(river_command(100, 100), -1);
  EXPECT_EQ(sea_command(), -1);
  min_elevation_rows = saved;
  EXPECT_EQ(elevations(), e0);
  EXPECT_EQ(host_->messages[0].text, "Not Enough memory for UNDO buffer.");
}

}  // namespace
