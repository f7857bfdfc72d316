// The block maxima of the minimum grid and the block walk of a sight line, against straightforward references.
#include <algorithm>
#include <vector>

#include "engine/core/maths.h"
#include "engine/core/random.h"
#include "engine/render/min_grid.h"
#include "engine/render/sight_blocks.h"
#include "engine/render/sight_line.h"
#include "engine/render/visibility.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

class SightLineTest : public TerrainRenderTest {
 protected:
  // Rough ground with ridges, spikes on the last landscape row and column and a few no-data holes, on a grid one
  // sample wider and taller than a multiple of every block size, so the last blocks are one sample thick.
  void rough_grid() {
    ASSERT_EQ(set_landscape_size(257, 97), 1);
    ASSERT_EQ(grid_width % 256, 1);
    ASSERT_EQ(grid_height % 32, 1);
    random_seed(23);
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) {
        int32_t z = (random8() & 127) + ((c % 43 < 2 || r % 19 < 2) ? 300 : 0);
        if ((random8() & 127) == 0) z += 800;
        elevation_row(r)[c] = static_cast<int16_t>(z);
      }
    for (int32_t c = 0; c < grid_width; c += 5) elevation_row(land_height - 1)[c] = 1500;
    for (int32_t r = 0; r < grid_height; r += 7) elevation_row(r)[land_width - 1] = 1400;
    for (const auto& hole : {std::pair{40, 30}, std::pair{41, 30}, std::pair{200, 60}, std::pair{5, 90}})
      elevation_row(hole.second)[hole.first] = -32768;
    render_settings.grid_step = 1;
    render_settings.backface_culling = 1;
    build_min_elevation_grid();
    build_sight_blocks();
    ASSERT_EQ(sight_blocks_valid(), 1);
  }

  void TearDown() override {
    sight_blocks_invalidate();
    sight_line_ceiling = 32767;
    TerrainRenderTest::TearDown();
  }
};

// The plain definition: some step of the incremental stepper, started at the end with the smaller main index,
// lies inside the grid, below the ceiling, and under a higher minimum-grid value.
int32_t plain_sight_line(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                         int32_t height_b, bool along_columns, int32_t ceiling) {
  if (main_b < main_a) {
    std::swap(main_a, main_b);
    std::swap(cross_a, cross_b);
    std::swap(height_a, height_b);
  }
  LineStepper cross, height;
  line_stepper_init(&cross, main_a, main_b, cross_a, cross_b);
  line_stepper_init(&height, main_a, main_b, height_a, height_b);
  for (int32_t m = main_a; m < main_b; ++m) {
    const int32_t r = along_columns ? cross.value : m, c = along_columns ? m : cross.value;
    if (height.value < ceiling && r >= 0 && c >= 0 && r < grid_height && c < grid_width &&
        min_elevation_row(r)[c] > height.value)
      return 1;
    line_stepper_advance(&cross);
    line_stepper_advance(&height);
  }
  return 0;
}

TEST_F(SightLineTest, EveryLevelHoldsTheMaximumOfItsBlock) {
  rough_grid();
  const SightBlockLevel* levels = sight_block_levels();
  for (int32_t i = 0; i < kSightBlockLevels; ++i) {
    const SightBlockLevel& level = levels[i];
    const int32_t side = 1 << level.shift;
    ASSERT_EQ(level.columns, (grid_width + side - 1) / side);
    ASSERT_EQ(level.rows, (grid_height + side - 1) / side);
    for (int32_t br = 0; br < level.rows; ++br)
      for (int32_t bc = 0; bc < level.columns; ++bc) {
        int32_t highest = INT16_MIN;
        for (int32_t r = br * side; r < std::min((br + 1) * side, grid_height); ++r)
          for (int32_t c = bc * side; c < std::min((bc + 1) * side, grid_width); ++c)
            highest = std::max<int32_t>(highest, min_elevation_row(r)[c]);
        ASSERT_EQ(level.highest[br * level.columns + bc], highest) << i << " " << br << " " << bc;
      }
  }
}

TEST_F(SightLineTest, BlockWalkGivesThePlainWalksAnswerOnAnyLine) {
  rough_grid();
  // Ends inside, on the edges and beyond the grid; heights under, among and far above the ground; both axes;
  // every ceiling the walk may see, and one among the ground's heights.
  const int32_t ceilings[] = {32767, min_elevation_highest, 250};
  const int32_t heights[] = {-20000, -5, 60, 140, 310, 420, 900, 2500, 200000};
  random_seed(5);
  int32_t hidden = 0, seen = 0;
  for (int32_t n = 0; n < 60000; ++n) {
    const bool along_columns = (n & 1) != 0;
    const int32_t main_limit = along_columns ? grid_width : grid_height;
    const int32_t cross_limit = along_columns ? grid_height : grid_width;
    auto index = [](int32_t limit) { return static_cast<int32_t>((random8() & 255) * 256 + (random8() & 255)) % (limit + 40) - 20; };
    const int32_t main_a = index(main_limit), main_b = index(main_limit);
    const int32_t cross_a = index(cross_limit), cross_b = index(cross_limit);
    const int32_t height_a = heights[(random8() & 255) % 9] + (random8() & 31);
    const int32_t height_b = (n % 7 == 0) ? height_a : heights[(random8() & 255) % 9] - (random8() & 31);
    const int32_t ceiling = ceilings[(n >> 1) % 3];
    ASSERT_EQ(sight_line_fits_blocks(main_a, cross_a, height_a, main_b, cross_b, height_b), 1);
    const int32_t plain = plain_sight_line(main_a, cross_a, height_a, main_b, cross_b, height_b, along_columns, ceiling);
    ASSERT_EQ(sight_line_over_blocks(main_a, cross_a, height_a, main_b, cross_b, height_b, along_columns, ceiling),
              plain)
        << main_a << " " << cross_a << " " << height_a << " " << main_b << " " << cross_b << " " << height_b << " "
        << along_columns << " " << ceiling;
    hidden += plain;
    seen += 1 - plain;
  }
  EXPECT_GT(hidden, 5000);
  EXPECT_GT(seen, 5000);
}

TEST_F(SightLineTest, LinesTheBlockWalkCannotTakeFallBackToThePlainWalk) {
  rough_grid();
  struct Case {
    int32_t main_a, cross_a, height_a, main_b, cross_b, height_b;
    int32_t fits;
  };
  const Case cases[] = {
      {10, 10, 100, 90, 200, 500, 1},
      {0, 0, 0, kSightLineMaxSteps, 5, 0, 1},
      {0, 0, 0, kSightLineMaxSteps + 1, 5, 0, 0},
      {-kSightLineMaxValue, 0, 0, 10, 5, 0, 0},
      {10, 10, kSightLineMaxValue - 1, 90, 20, -kSightLineMaxValue + 1, 1},
      {10, 10, kSightLineMaxValue, 90, 20, 0, 0},
      {10, 10, 50, 90, 20, INT32_MIN, 0},
      {10, 10, INT32_MAX, 90, 20, 50, 0},
  };
  for (const Case& k : cases)
    EXPECT_EQ(sight_line_fits_blocks(k.main_a, k.cross_a, k.height_a, k.main_b, k.cross_b, k.height_b), k.fits)
        << k.main_a << " " << k.main_b << " " << k.height_a << " " << k.height_b;
  sight_blocks_invalidate();
  EXPECT_EQ(sight_line_fits_blocks(10, 10, 100, 90, 200, 500), 0);

  // Through the public test, points at far-out heights get the same answer with and without the block maxima,
  // wherever the camera stands.
  const float cameras[][3] = {{128 * 30, 48 * 30, 700}, {0, 0, 90}, {256 * 30, 96 * 30, 2000}, {255 * 30, 10 * 30, 150}};
  const int32_t tops[] = {-(1 << 24), -kSightLineMaxValue, -40000, 0, 200, 32767, kSightLineMaxValue, 1 << 24};
  int32_t hidden = 0;
  for (const auto& cam : cameras) {
    camera_state.camera_x = cam[0], camera_state.camera_y = cam[1], camera_state.camera_z = cam[2];
    for (const int32_t top : tops)
      for (int32_t row = 0; row < land_height; row += 6)
        for (int32_t col = 0; col < land_width; col += 9) {
          sight_blocks_invalidate();
          const int32_t plain = terrain_hides_point(col, row, top);
          build_sight_blocks();
          ASSERT_EQ(terrain_hides_point(col, row, top), plain) << col << " " << row << " " << top << " " << cam[2];
          hidden += plain;
        }
  }
  EXPECT_GT(hidden, 100);
}

}  // namespace
