// Placing a smaller landscape file inside a larger grid: the question, automatic and manual placement,
// and that no placement ever writes outside the grid.
#include "engine/files/landscape_placement.h"

#include <gtest/gtest.h>

#include "engine/render/dl4_landscape_file.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/old_landscape_file.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "tests/files/landscape_file_fixture.h"
#include "tests/support/map_clicks.h"

using namespace landtest;

namespace {
// A session file of 258 by 258 samples with origin (ox, oy).
std::string small_session(const std::string& path, int32_t ox, int32_t oy) {
  EXPECT_EQ(set_landscape_size(258, 258), 1);
  fill_grids(21);
  landscape_view.origin_x = ox, landscape_view.origin_y = oy;
  EXPECT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  return path;
}
}  // namespace

TEST_F(LandscapeFileTest, Session258Into514AsksAndPlaces256By256) {
  const std::string path = small_session(file("small.d4s"), 30 * 100, 30 * 50);
  const auto small = fingerprint();
  ASSERT_EQ(set_landscape_size(514, 514), 1);
  fill_grids(22);
  const auto large = fingerprint();
  region_mode = 2;
  landscape_view.origin_x = landscape_view.origin_y = 0;
  host_->yes_no_answers = {0};  // "Auto"
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_EQ(host_->messages[0].text, "Choose placement mode:");
  EXPECT_EQ(host_->messages[0].button1, "Manual");
  EXPECT_EQ(host_->messages[0].button2, "Auto");
  EXPECT_EQ(grid_width, 514);
  for (int32_t r = 0; r < 514; ++r)
    for (int32_t c = 0; c < 514; ++c) {
      const bool inside = c >= 100 && c < 356 && r >= 50 && r < 306;
      const int16_t want = inside ? small.elevations[static_cast<size_t>(r - 50) * 258 + (c - 100)]
                                  : large.elevations[static_cast<size_t>(r) * 514 + c];
      ASSERT_EQ(elevation_row(r)[c], want) << r << "," << c;
    }
}

TEST_F(LandscapeFileTest, AutomaticPlacementOutsideTheRegionIsRefused) {
  struct Case {
    int32_t ox, oy;
  };
  const Case cases[] = {{-30, 0}, {0, -300}, {30 * 300, 0}, {0, 30 * 257}};
  for (const Case& c : cases) {
    const std::string path = small_session(file("small.d4s"), c.ox, c.oy);
    ASSERT_EQ(set_landscape_size(514, 514), 1);
    fill_grids(23);
    region_mode = 2;
    landscape_view.origin_x = landscape_view.origin_y = 0;
    const auto before = fingerprint();
    host_->messages.clear();
    host_->yes_no_answers = {0};
    EXPECT_EQ(load_landscape(path.c_str()), 0);
    ASSERT_EQ(host_->messages.size(), 2u);
    EXPECT_EQ(host_->messages[1].text, "Landscape outside of current region!");
    EXPECT_TRUE(fingerprint() == before);
  }
}

TEST_F(LandscapeFileTest, ManualPickSnapsToWholeTilesInsideTheGrid) {
  ASSERT_EQ(set_landscape_size(514, 514), 1);  // land 512, land_max_side 513
  struct Case {
    int32_t x, y, columns, rows, column, row;
  };
  const Case cases[] = {
      {30, 280, 256, 256, 0, 0},      // bottom left corner of the map
      {200, 100, 256, 256, 256, 256},  // middle: whole tiles
      {285, 25, 256, 256, 256, 256},  // top right: the last whole tile inside
      {0, 400, 256, 256, 0, 0},       // outside the map: never negative
      {284, 26, 300, 200, 0, 200},    // tiles that do not divide the side stay inside
      {600, -200, 100, 100, 400, 400},
  };
  for (const Case& c : cases) {
    int32_t column = -1, row = -1;
    topo_pick_to_tile(c.x, c.y, c.columns, c.rows, &column, &row);
    EXPECT_EQ(column, c.column) << c.x << "," << c.y;
    EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    EXPECT_LE(column + c.columns, land_width);
    EXPECT_LE(row + c.rows, land_height);
  }
}

TEST_F(LandscapeFileTest, ManualPlacementPutsTheFileOnThePickedTile) {
  const std::string path = small_session(file("small.d4s"), 777, 888);
  const auto small = fingerprint();
  ASSERT_EQ(set_landscape_size(514, 514), 1);
  maptest::ScopedMapPanel map;
  region_mode = 2;
  host_->yes_no_answers = {1};          // "Manual"
  maptest::left_click(*host_, 0, 0);  // a click at panel (0, 0): column 0, the top row tile
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  host_->pointer_script.clear();
  EXPECT_EQ(grid_width, 514);
  for (int32_t r = 0; r < 256; ++r)
    for (int32_t c = 0; c < 256; ++c)
      ASSERT_EQ(elevation_row(256 + r)[c], small.elevations[static_cast<size_t>(r) * 258 + c]) << r << "," << c;

  region_mode = 2;
  host_->yes_no_answers = {1};
  maptest::right_click(*host_, 0, 0);  // a right click gives up and loads nothing
  const auto before = fingerprint();
  EXPECT_EQ(load_landscape(path.c_str()), 0);
  host_->pointer_script.clear();
  EXPECT_TRUE(fingerprint() == before);
}

TEST_F(LandscapeFileTest, ManualPlacementWithoutAMapWindowLoadsNothing) {
  const std::string path = small_session(file("small.d4s"), 777, 888);
  ASSERT_EQ(set_landscape_size(514, 514), 1);
  region_mode = 2;
  host_->yes_no_answers = {1};  // "Manual", but there is no map to pick on
  const auto before = fingerprint();
  EXPECT_EQ(load_landscape(path.c_str()), 0);
  EXPECT_TRUE(fingerprint() == before);
}

TEST_F(LandscapeFileTest, LargerCurrentFileInFixedSizeModeIsTooBig) {
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  const std::string path = file("big.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  ASSERT_EQ(set_landscape_size(34, 34), 1);
  region_mode = 2;
  EXPECT_EQ(load_landscape(path.c_str()), 0);
  EXPECT_EQ(first_message(*host_), "Landscape file too big!");
  EXPECT_EQ(grid_width, 34);
}
