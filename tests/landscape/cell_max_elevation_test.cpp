// The highest corner of a cell, including cells at the landscape's far edges.
#include <gtest/gtest.h>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/landscape/cell_max_elevation.h"

namespace {

TEST(CellMaxElevation, HighestOfTheFourCornersWithinTheGrid) {
  ScopedHeadlessHost host;
  ASSERT_EQ(set_landscape_size(8, 6), 1);  // 6 by 4 cells
  clear_elevations();
  elevation_row(2)[3] = -5;
  elevation_row(2)[4] = -9;
  elevation_row(3)[3] = -7;
  elevation_row(3)[4] = -2;
  EXPECT_EQ(cell_max_elevation(3, 2), -2);
  elevation_row(2)[4] = 40;
  EXPECT_EQ(cell_max_elevation(3, 2), 40);
  // The last landscape sample reaches the guard sample behind it.
  elevation_row(5)[7] = 77;
  EXPECT_EQ(cell_max_elevation(6, 4), 77);
  // Cells off the grid read nothing.
  EXPECT_EQ(cell_max_elevation(-1, 0), 0);
  EXPECT_EQ(cell_max_elevation(8, 0), 0);
  EXPECT_EQ(cell_max_elevation(7, 5), 77);
  set_landscape_size(258, 258);
}

}  // namespace
