// Fractal generation and roughening: reproducibility, draw order, island border, flat results, sizes, guards.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/core/landscape_names.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/fractal.h"
#include "engine/landscape/fractal_steps.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "tests/support/engine_test.h"

namespace {

class FractalTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(258, 258);
  }
  void TearDown() override {
    set_landscape_size(258, 258);
    reset_settings_defaults();
  }

  static std::vector<int16_t> snapshot() {
    std::vector<int16_t> v;
    for (int32_t r = 0; r < grid_height; ++r) v.insert(v.end(), elevation_row(r), elevation_row(r) + grid_width);
    return v;
  }

  static bool all_zero() {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c)
        if (elevation_row(r)[c] != 0) return false;
    return true;
  }

  ScopedHeadlessHost host_;
};

// The generator's stream, replayed independently: x = x * 1103515245 + 12345, value (x >> 16 & 255) - 128.
struct ReferenceStream {
  uint32_t x;
  int32_t next() {
    x = x * 1103515245u + 12345u;
    return static_cast<int32_t>((x >> 16) & 255) - 128;
  }
  int32_t offset(int32_t s, int32_t roughness) {
    next();
    const int32_t r2 = next(), r3 = next();
    return r2 * r3 * s * roughness / 131072;
  }
};

TEST_F(FractalTest, SameSettingsGiveTheSameLandscapeAndOtherSeedsDiffer) {
  struct Case {
    int32_t island, feature;
  };
  for (const Case c : {Case{1, 1}, Case{1, 8}, Case{0, 1}, Case{0, 2}, Case{0, 4}}) {
    SCOPED_TRACE(testing::Message() << "island " << c.island << " feature " << c.feature);
    terrain_settings.island_mode = c.island;
    terrain_settings.feature_size = c.feature;
    terrain_settings.fractal_seed = 4711;
    generate_fractal_landscape();
    const auto first = snapshot();
    random_seed(99);  // the stream's state before generation must not matter
    generate_fractal_landscape();
    EXPECT_EQ(first, snapshot());
    terrain_settings.fractal_seed = 4712;
    generate_fractal_landscape();
    EXPECT_NE(first, snapshot());
  }
}

TEST_F(FractalTest, MountainCornersTakeTheFirstDrawsInOrder) {
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 12345;
  terrain_settings.fractal_roughness = 300;
  generate_fractal_landscape();
  ReferenceStream ref{12345};
  EXPECT_EQ(elevation_row(0)[0], ref.offset(256, 300));
  EXPECT_EQ(elevation_row(0)[256], ref.offset(256, 300));
  EXPECT_EQ(elevation_row(256)[0], ref.offset(256, 300));
  EXPECT_EQ(elevation_row(256)[256], ref.offset(256, 300));
}

TEST_F(FractalTest, IslandFirstCellDrawsBottomThenRightThenPicksCentre) {
  terrain_settings.island_mode = 1;
  terrain_settings.fractal_seed = 777;
  terrain_settings.fractal_roughness = 400;
  generate_fractal_landscape();
  // Feature size 1 on 256 cells starts at step 32; the first cell's corners are all 0.
  ReferenceStream ref{777};
  const int32_t bottom_mid = ref.offset(32, 400);
  const int32_t right_mid = ref.offset(32, 400);
  const int32_t pick = ref.next() & 3;
  const int32_t candidates[4] = {0, right_mid, 0, bottom_mid};
  // Finer levels never rewrite the step-32 midpoints.
  EXPECT_EQ(elevation_row(32)[16], bottom_mid);
  EXPECT_EQ(elevation_row(16)[32], right_mid);
  EXPECT_EQ(elevation_row(16)[16], candidates[pick]);
}

TEST_F(FractalTest, IslandKeepsItsBorderAtZero) {
  terrain_settings.island_mode = 1;
  terrain_settings.fractal_roughness = 500;
  for (int32_t seed : {1, 2, 3, 1000, -7}) {
    terrain_settings.fractal_seed = seed;
    generate_fractal_landscape();
    bool relief = false;
    for (int32_t i = 0; i <= 256; ++i) {
      ASSERT_EQ(elevation_row(0)[i], 0) << "seed " << seed;
      ASSERT_EQ(elevation_row(256)[i], 0) << "seed " << seed;
      ASSERT_EQ(elevation_row(i)[0], 0) << "seed " << seed;
      ASSERT_EQ(elevation_row(i)[256], 0) << "seed " << seed;
      relief = relief || elevation_row(128)[i] != 0;
    }
    EXPECT_TRUE(relief) << "seed " << seed;
  }
}

TEST_F(FractalTest, RoughnessZeroGivesAFlatLandscapeAndClearsCover) {
  terrain_settings.fractal_roughness = 0;
  for (int32_t island : {0, 1}) {
    cover_row(10)[10].object = 35;
    terrain_settings.island_mode = island;
    terrain_settings.fractal_seed = 31;
    generate_fractal_landscape();
    EXPECT_TRUE(all_zero()) << "island " << island;
    EXPECT_EQ(cover_row(10)[10].object, 0);
  }
}

TEST_F(FractalTest, NamesTheLandscapeAndMarksDerivedDataStale) {
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 42;
  terrain_settings.feature_size = 4;
  derived_data.shades_done_step = derived_data.colors_done_step = derived_data.cliffs_done_step = 1;
  generate_fractal_landscape();
  EXPECT_STREQ(landscape_name, "Fractal MOUNTAIN #42");
  EXPECT_STREQ(landscape_description, "Fractal roughness 100, Feature size 4.");
  EXPECT_EQ(derived_data.shades_done_step, 256);
  EXPECT_EQ(derived_data.colors_done_step, 256);
  EXPECT_EQ(derived_data.cliffs_done_step, 256);
}

TEST_F(FractalTest, NonGenerableSizesBecomeTheNextFixedSize) {
  struct Case {
    int32_t points_x, points_y, cells;
  };
  for (const Case c : {Case{302, 202, 256}, Case{259, 259, 256}, Case{702, 702, 512}, Case{514, 258, 512},
                       Case{1026, 1026, 1024}, Case{2102, 2102, 2048}}) {
    SCOPED_TRACE(testing::Message() << c.points_x << " x " << c.points_y);
    ASSERT_EQ(set_landscape_size(c.points_x, c.points_y), 1);
    generate_fractal_landscape();
    EXPECT_EQ(land_width, c.cells);
    EXPECT_EQ(land_height, c.cells);
    if (c.points_x != c.cells + 2) {
      EXPECT_EQ(region_mode, 1);  // resized through the keep-size choice
    }
    EXPECT_TRUE(fractal_size_generable());
  }
  set_landscape_size(258, 258);
}

TEST_F(FractalTest, FailedResizeLeavesTheOddLandscapeUntouched) {
  ASSERT_EQ(set_landscape_size(303, 201), 1);
  const auto before = snapshot();
  host_->fail_at_size = 1;  // every allocation fails: the resize keeps the old grids
  generate_fractal_landscape();
  host_->fail_at_size = 0;
  EXPECT_EQ(land_width, 301);
  EXPECT_EQ(land_height, 199);
  EXPECT_EQ(before, snapshot());
}

TEST_F(FractalTest, WalksStayInsideOddAndNonSquareGrids) {
  // Run under the address sanitizer: no pass may read or write beyond the grid on any size.
  for (auto size : {std::pair{303, 201}, std::pair{201, 303}, std::pair{37, 37}, std::pair{3, 3}}) {
    ASSERT_EQ(set_landscape_size(size.first, size.second), 1);
    random_seed(5);
    fractal_from_corners(32);
    fractal_diamond_square(32);
    fractal_midpoint_pick(64);
    roughen_midpoint(16);
    roughen_by_slope();
  }
}

TEST_F(FractalTest, FeatureSizeOutOfRangeBehavesLikeItsNearestValue) {
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 9;
  terrain_settings.feature_size = 1;
  generate_fractal_landscape();
  const auto fs1 = snapshot();
  terrain_settings.feature_size = 8;
  generate_fractal_landscape();
  const auto fs8 = snapshot();
  for (int32_t fs : {0, -3}) {
    terrain_settings.feature_size = fs;
    generate_fractal_landscape();
    EXPECT_EQ(snapshot(), fs1) << "feature size " << fs;
  }
  for (int32_t fs : {9, 1000}) {
    terrain_settings.feature_size = fs;
    generate_fractal_landscape();
    EXPECT_EQ(snapshot(), fs8) << "feature size " << fs;
  }
}

TEST_F(FractalTest, RoughenBySlopeKeepsBorderAndRoughness) {
  terrain_settings.fractal_roughness = 250;
  terrain_settings.feature_size = 1;
  const auto before = snapshot();
  roughen_landscape();
  EXPECT_EQ(terrain_settings.fractal_roughness, 250);
  const auto after = snapshot();
  EXPECT_NE(before, after);
  for (int32_t i = 0; i <= 256; ++i) {
    EXPECT_EQ(elevation_row(0)[i], before[i]);
    EXPECT_EQ(elevation_row(256)[i], before[256 * 258 + i]);
    EXPECT_EQ(elevation_row(i)[0], before[i * 258]);
    EXPECT_EQ(elevation_row(i)[256], before[i * 258 + 256]);
  }
}

TEST_F(FractalTest, RoughenMidpointKeepsLatticeAndIsReproducible) {
  terrain_settings.fractal_roughness = 300;
  terrain_settings.fractal_seed = 17;
  for (int32_t fs : {2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << "feature size " << fs);
    set_landscape_size(258, 258);
    const auto before = snapshot();
    terrain_settings.feature_size = fs;
    roughen_landscape();
    EXPECT_EQ(terrain_settings.fractal_roughness, 300);
    const int32_t s = 2 * fs;
    for (int32_t r = 0; r < 258; r += s)
      for (int32_t c = 0; c < 258; c += s) ASSERT_EQ(elevation_row(r)[c], before[r * 258 + c]);
  }
  // Same start, same seed: the same roughened result.
  set_landscape_size(258, 258);
  random_seed(3);
  make_default_landscape();
  terrain_settings.feature_size = 4;
  roughen_landscape();
  const auto a = snapshot();
  random_seed(3);
  make_default_landscape();
  roughen_landscape();
  EXPECT_EQ(a, snapshot());
}

TEST_F(FractalTest, RoughenWithRoughnessZeroChangesNothingOnFlatOrAtFeatureSizeOne) {
  terrain_settings.fractal_roughness = 0;
  terrain_settings.feature_size = 1;
  const auto before = snapshot();
  roughen_landscape();
  EXPECT_EQ(before, snapshot());
  clear_elevations();
  for (int32_t fs : {2, 4, 8}) {
    terrain_settings.feature_size = fs;
    roughen_landscape();
    EXPECT_TRUE(all_zero()) << "feature size " << fs;
  }
}

TEST_F(FractalTest, RoughenWithFeatureSizeZeroOrHugeDoesNotFail) {
  terrain_settings.fractal_roughness = 100;
  for (int32_t fs : {0, -5, 1 << 30}) {
    terrain_settings.feature_size = fs;
    roughen_landscape();
    EXPECT_EQ(terrain_settings.fractal_roughness, 100);
  }
}

}  // namespace
