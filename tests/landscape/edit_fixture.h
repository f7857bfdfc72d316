// A small landscape for the editing tests: flat grids of a chosen size, snapshots of elevations and cover cells.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/topo_view.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "tests/support/engine_test.h"
#include "tests/support/headless_host.h"

class EditFixture : public EngineTest {
 protected:
  void SetUp() override {
    topo_init();
    random_seed(1);
    flat(66, 66);
  }
  void TearDown() override { set_landscape_size(258, 258); }

  // A flat grid of the given sample counts (guards included), every elevation and cover cell 0.
  static void flat(int32_t samples_x, int32_t samples_y, int16_t height = 0) {
    ASSERT_EQ(set_landscape_size(samples_x, samples_y), 1);
    reset_grid_spacing();
    fill(height);
    clear_colors();
  }
  static void fill(int16_t height) {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = height;
  }
  static int16_t& E(int32_t row, int32_t col) { return elevation_row(row)[col]; }
  static uint8_t& K(int32_t row, int32_t col) { return cover_row(row)[col].color_class; }

  static std::vector<int16_t> elevations() {
    std::vector<int16_t> v;
    for (int32_t r = 0; r < grid_height; ++r) v.insert(v.end(), elevation_row(r), elevation_row(r) + grid_width);
    return v;
  }
  static std::vector<uint8_t> cover() {
    std::vector<uint8_t> v(static_cast<size_t>(grid_width) * grid_height * 2);
    for (int32_t r = 0; r < grid_height; ++r)
      std::memcpy(v.data() + static_cast<size_t>(r) * grid_width * 2, cover_rows[r], grid_width * 2);
    return v;
  }
  // A landscape with some relief: a deterministic pattern of hills, every sample set.
  static void hills() {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c)
        elevation_row(r)[c] = static_cast<int16_t>(20 + (r * 7 + c * 13) % 50 + ((r / 8 + c / 8) % 3) * 30);
  }

  ScopedHeadlessHost host_;
};
