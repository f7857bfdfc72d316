// Landscape grids: row tables, fills, resizing with out-of-memory injection, flat landscapes and the default terrain.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/landscape_names.h"
#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "tests/support/engine_test.h"

namespace {

class GridTest : public EngineTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(set_landscape_size(258, 258), 1);
  }
  void TearDown() override { set_landscape_size(258, 258); }
  ScopedHeadlessHost host_;
};

TEST_F(GridTest, RowTableIsZeroedAndNullTerminated) {
  RowTable t = alloc_rows(7, 5, 4);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t[5], nullptr);
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(static_cast<uint8_t*>(t[r]) - static_cast<uint8_t*>(t[0]), r * 28);
    for (int c = 0; c < 7; ++c) EXPECT_EQ(row_of<uint32_t>(t, r)[c], 0u);
  }
  free_rows(t);
  free_rows(nullptr);
}

TEST_F(GridTest, RowTableAllocationFailureLeavesNothing) {
  const long live = host_->live_blocks;
  host_->fail_after = 1;  // the pointer table succeeds, the block fails
  EXPECT_EQ(alloc_rows(10, 10, 2), nullptr);
  EXPECT_EQ(host_->live_blocks, live);
  host_->fail_after = 0;
  EXPECT_EQ(alloc_rows(10, 10, 2), nullptr);
  EXPECT_EQ(host_->live_blocks, live);
}

TEST_F(GridTest, FillsAndCopiesIgnoreNonPositiveCounts) {
  uint16_t a[4] = {1, 2, 3, 4}, b[4] = {9, 9, 9, 9};
  fill_u16(a, 0, 7);
  fill_u16(a, -3, 7);
  copy_u16(a, b, 0);
  copy_u16(a, b, -1);
  fill_u8(a, -1, 0);
  copy_u8(a, b, -2);
  fill_u32(a, -1, 0);
  EXPECT_EQ(a[0], 1);
  EXPECT_EQ(b[0], 9);
  copy_u16(a, b, 3);
  EXPECT_EQ(b[2], 3);
  EXPECT_EQ(b[3], 9);
  uint32_t w[3] = {};
  fill_u32(w, 2, 0xDEADBEEF);
  EXPECT_EQ(w[1], 0xDEADBEEFu);
  EXPECT_EQ(w[2], 0u);
}

TEST_F(GridTest, DefaultLandscapeShape) {
  EXPECT_EQ(grid_width, 258);
  EXPECT_EQ(land_width, 256);
  EXPECT_EQ(land_max_side, 257);
  EXPECT_EQ(land_min_side, 257);
  for (int r = 0; r < grid_height; ++r) {
    const int16_t* row = elevation_row(r);
    for (int c = 0; c < grid_width; ++c) {
      const bool in_pyramid = r >= 121 && r <= 135 && c >= 121 && c <= 135;
      if (in_pyramid) {
        const int k = std::max(std::abs(r - 128), std::abs(c - 128));
        EXPECT_EQ(row[c], 240 - 30 * k) << r << "," << c;
      } else {
        EXPECT_GE(row[c], 1);
        EXPECT_LE(row[c], 4);
      }
    }
  }
  EXPECT_EQ(elevation_row(128)[128], 240);
}

TEST_F(GridTest, SameSizeKeepsCoverAndShadeButReplacesElevations) {
  cover_row(5)[6] = {50, 72};
  shade_row(7)[8] = 0x1FF;
  elevation_row(9)[9] = 5000;
  RowTable before = cover_rows;
  EXPECT_EQ(set_landscape_size(258, 258), 1);
  EXPECT_EQ(cover_rows, before);
  EXPECT_EQ(cover_row(5)[6].color_class, 50);
  EXPECT_EQ(shade_row(7)[8], 0x1FF);
  EXPECT_LE(elevation_row(9)[9], 4);
}

TEST_F(GridTest, ResizeToNonSquareSetsSizeFieldsAndZeroesGrids) {
  ASSERT_EQ(set_landscape_size(302, 202), 1);
  EXPECT_EQ(grid_width, 302);
  EXPECT_EQ(grid_height, 202);
  EXPECT_EQ(land_width, 300);
  EXPECT_EQ(land_height, 200);
  EXPECT_EQ(land_max_side, 301);
  EXPECT_EQ(land_min_side, 201);
  EXPECT_EQ(grid_alloc_width, 302);
  EXPECT_EQ(elevation_row(100)[150], 240);  // pyramid centred at (100, 150)
  EXPECT_EQ(cover_row(201)[301].color_class, 0);
  EXPECT_EQ(min_elevation_rows[202], nullptr);
}

TEST_F(GridTest, OutOfMemoryKeepsTheLandscape) {
  elevation_row(3)[3] = 1234;
  cover_row(3)[3] = {56, 35};
  const RowTable elevations = elevation_rows;
  // Each grid is one pointer table and one block; fail the third grid's block.
  for (long fail_after : {0L, 1L, 2L, 5L, 7L}) {
    host_->fail_after = fail_after;
    EXPECT_EQ(set_landscape_size(514, 514), 0) << fail_after;
    host_->fail_after = -1;
    EXPECT_EQ(grid_width, 258);
    EXPECT_EQ(land_width, 256);
    EXPECT_EQ(elevation_rows, elevations);
    EXPECT_EQ(elevation_row(3)[3], 1234);
    EXPECT_EQ(cover_row(3)[3].object, 35);
  }
}

TEST_F(GridTest, InvalidSizesAreRefused) {
  for (auto [x, y] : {std::pair{2, 258}, {258, 0}, {-5, -5}, {8195, 258}, {258, 100000}}) {
    EXPECT_EQ(set_landscape_size(x, y), 0) << x << "x" << y;
    EXPECT_EQ(grid_width, 258);
  }
}

TEST_F(GridTest, LargestSizeComputesBytesIn64Bits) {
  // 8194 x 8194 x 2 bytes fits in 32 bits, but the size must not be computed in 16 or wrap;
  // with allocations refused above 64 MiB the request fails cleanly and the landscape stays.
  host_->fail_at_size = 64u << 20;
  EXPECT_EQ(set_landscape_size(8194, 8194), 0);
  EXPECT_EQ(grid_width, 258);
}

TEST_F(GridTest, NewFlatland) {
  struct Case {
    int32_t command, result, width, region;
  } cases[] = {{1055, 1, 514, 2}, {1054, 1, 258, 2}, {1059, 1, 258, 1}, {1000, 0, 258, 1}};
  for (const auto& c : cases) {
    set_landscape_name("Something");
    if (c.command == 1000) region_mode = 1;
    EXPECT_EQ(new_flatland(c.command), c.result) << c.command;
    EXPECT_STREQ(landscape_name, "Flatland");
    EXPECT_EQ(grid_width, c.width);
    EXPECT_EQ(region_mode, c.region);
  }
  // An unknown command leaves region_mode alone.
  region_mode = 2;
  EXPECT_EQ(new_flatland(42), 0);
  EXPECT_EQ(region_mode, 2);
  // 1059 keeps the grid contents.
  elevation_row(1)[1] = 777;
  EXPECT_EQ(new_flatland(1059), 1);
  EXPECT_EQ(elevation_row(1)[1], 777);
}

TEST_F(GridTest, ClearGrids) {
  cover_row(10)[10] = {1, 2};
  shade_row(257)[257] = 3;
  clear_colors();
  clear_shades();
  clear_elevations();
  EXPECT_EQ(cover_row(10)[10].object, 0);
  EXPECT_EQ(shade_row(257)[257], 0);
  EXPECT_EQ(elevation_row(128)[128], 0);
}

}  // namespace
