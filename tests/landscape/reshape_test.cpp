// Reshaping tools: smoothing weights and order, rescaling, mirrors, border keys, stretch, Cloudify, no-data samples.
#include <gtest/gtest.h>

#include "engine/core/color_classes.h"
#include "engine/core/grid_edges.h"
#include "engine/landscape/reshape.h"
#include "tests/landscape/edit_fixture.h"

namespace {

using ReshapeTest = EditFixture;

TEST_F(ReshapeTest, OneSmoothingPassOverALoneSample) {
  const int32_t y = 20, x = 30;
  E(y, x) = 240;
  smooth_landscape();
  EXPECT_EQ(E(y, x), 125);
  EXPECT_EQ(E(y - 1, x), 21);
  EXPECT_EQ(E(y, x - 1), 22);
  EXPECT_EQ(E(y, x + 1), 12);
  EXPECT_EQ(E(y + 1, x), 12);
  EXPECT_EQ(E(y - 1, x - 1), 10);
  EXPECT_EQ(E(y - 1, x + 1), 12);
  EXPECT_EQ(E(y + 1, x - 1), 7);
  EXPECT_EQ(E(y + 1, x + 1), 7);
  EXPECT_EQ(E(y - 2, x), 0);
}

TEST_F(ReshapeTest, FlatLandscapeIsUnchangedBySmoothingAndMirrors) {
  fill(37);
  const auto before = elevations();
  smooth_landscape();
  EXPECT_EQ(elevations(), before);
  flip_rows();
  flip_columns();
  EXPECT_EQ(elevations(), before);
}

TEST_F(ReshapeTest, SmoothingBordersAndCornersUseTheirBorderNeighbours) {
  const int32_t g = land_width + 1, r = land_height + 1;
  E(0, 0) = 30;
  E(r, g) = 90;
  E(10, 0) = 100;
  smooth_landscape();
  // Worked by hand in the order of the passes: inner samples, left and right columns, top and bottom rows, corners.
  EXPECT_EQ(E(1, 1), 1);    // (30 + 12) / 24
  EXPECT_EQ(E(1, 0), 7);    // (0 + 30 + 1 + 0) / 4
  EXPECT_EQ(E(0, 1), 7);    // (0 + 30 + 1 + 0) / 4
  EXPECT_EQ(E(0, 0), 14);   // (30 + 7 + 7) / 3
  EXPECT_EQ(E(r, g), 45);   // (90 + 23 + 23) / 3
  EXPECT_EQ(E(9, 0), 26);   // (0 + 0 + 4 + 100) / 4
  EXPECT_EQ(E(10, 0), 33);  // (100 + 26 + 9 + 0) / 4
}

TEST_F(ReshapeTest, VerticalScaleTwoThenOne) {
  hills();
  E(5, 5) = kNoDataElevation;
  E(6, 6) = 7;
  const auto before = elevations();
  landscape_view.vertical_scale = 2.0f;
  rescale_vertical();
  EXPECT_EQ(landscape_view.built_vertical_scale, 2.0f);
  const auto doubled = elevations();
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(doubled[i], before[i] == kNoDataElevation ? kNoDataElevation : before[i] * 2) << i;
  landscape_view.vertical_scale = 1.0f;
  rescale_vertical();
  EXPECT_EQ(elevations(), before);
  EXPECT_EQ(landscape_view.built_vertical_scale, 1.0f);
  // Half and back loses the odd metres.
  landscape_view.vertical_scale = 0.5f;
  rescale_vertical();
  landscape_view.vertical_scale = 1.0f;
  rescale_vertical();
  EXPECT_EQ(E(6, 6), 6);
  EXPECT_EQ(E(5, 5), kNoDataElevation);
  EXPECT_FALSE(host_->progress_texts.empty());
}

TEST_F(ReshapeTest, HugeScaleWrapsWithoutUndefinedConversion) {
  E(3, 3) = 30000;
  landscape_view.vertical_scale = 1.0e9f;
  rescale_vertical();  // the product saturates before the 16-bit store wraps it
  EXPECT_EQ(E(3, 3), static_cast<int16_t>(static_cast<uint16_t>(0xFFFF)));
}

TEST_F(ReshapeTest, ScaleZeroFlattensAndTheNextScaleHasNoFactorBack) {
  hills();
  landscape_view.vertical_scale = 0.0f;
  rescale_vertical();
  EXPECT_EQ(E(9, 9), 0);
  E(4, 4) = 12;  // set after flattening
  landscape_view.vertical_scale = 1.0f;
  rescale_vertical();
  EXPECT_EQ(E(4, 4), 12);
  EXPECT_EQ(E(9, 9), 0);
  EXPECT_EQ(landscape_view.built_vertical_scale, 1.0f);
}

TEST_F(ReshapeTest, MirroringTwiceIsTheIdentityAndGuardsStay) {
  hills();
  const int32_t g = land_width + 1, r = land_height + 1;
  const int16_t guard_col = E(10, g), guard_row = E(r, 10);
  const auto before = elevations();
  flip_rows();
  EXPECT_EQ(E(0, 4), before[static_cast<size_t>(land_height) * grid_width + 4]);
  EXPECT_EQ(E(10, g), guard_col);
  EXPECT_EQ(E(r, 10), guard_row);
  flip_rows();
  EXPECT_EQ(elevations(), before);
  flip_columns();
  EXPECT_EQ(E(7, 0), before[static_cast<size_t>(7) * grid_width + land_width]);
  flip_columns();
  EXPECT_EQ(elevations(), before);
  EXPECT_EQ(derived_data.shades_done_step, land_width);
}

TEST_F(ReshapeTest, BorderKeys) {
  hills();
  const int32_t g = land_width + 1, r = land_height + 1;
  const int16_t guard_col = E(10, g), guard_row = E(r, 10), guard_corner = E(r, g);
  zero_grid_border();
  for (int32_t i = 0; i <= land_width; ++i) {
    EXPECT_EQ(E(0, i), 0);
    EXPECT_EQ(E(land_height, i), 0);
  }
  for (int32_t i = 0; i <= land_height; ++i) {
    EXPECT_EQ(E(i, 0), 0);
    EXPECT_EQ(E(i, land_width), 0);
  }
  EXPECT_EQ(E(10, g), guard_col);
  EXPECT_EQ(E(r, 10), guard_row);
  EXPECT_EQ(E(r, g), guard_corner);

  hills();
  replicate_grid_edges();
  for (int32_t y = 0; y < grid_height; ++y) {
    EXPECT_EQ(E(y, land_width), E(y, land_width - 1)) << y;
    EXPECT_EQ(E(y, g), E(y, land_width)) << y;
  }
  for (int32_t x = 0; x < grid_width; ++x) {
    EXPECT_EQ(E(land_height, x), E(land_height - 1, x)) << x;
    EXPECT_EQ(E(r, x), E(land_height, x)) << x;
  }
}

TEST_F(ReshapeTest, CloudifyOfAFlatLandscapeIsZeroAndTheTopKeepsTheRange) {
  fill(120);
  cloudify();
  EXPECT_EQ(elevations(), std::vector<int16_t>(static_cast<size_t>(grid_width) * grid_height, 0));

  fill(0);
  E(10, 10) = 10;
  E(20, 20) = 170;
  E(30, 30) = 20;  // (10 / 160) ^ (1/4) = 0.5 of the range
  cloudify();
  EXPECT_EQ(E(10, 10), 0);
  EXPECT_EQ(E(20, 20), 160);
  EXPECT_EQ(E(30, 30), 80);
  EXPECT_EQ(E(40, 40), 0);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
}

TEST_F(ReshapeTest, StretchAddsTheRoughnessTermAndSkipsNoData) {
  hills();
  terrain_settings.feature_size = 1;
  roughness_off();
  const auto before = elevations();
  stretch_landscape();
  EXPECT_EQ(elevations(), before);  // no roughness term: nothing changes

  roughness_on();
  scan_elevation_range();
  E(20, 20) = kNoDataElevation;
  const auto with_gap = elevations();
  std::vector<int32_t> expected(with_gap.begin(), with_gap.end());
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      const size_t i = static_cast<size_t>(y) * grid_width + x;
      if (with_gap[i] != kNoDataElevation) expected[i] = static_cast<int16_t>(with_gap[i] + cell_roughness(x, y, 120) / 4);
    }
  stretch_landscape();
  const auto after = elevations();
  for (size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i], expected[i]) << i;
  EXPECT_EQ(E(20, 20), kNoDataElevation);
  for (int32_t dy = -1; dy <= 1; ++dy)
    for (int32_t dx = -1; dx <= 1; ++dx) EXPECT_TRUE((dx == 0 && dy == 0) || E(20 + dy, 20 + dx) > -1000);
  EXPECT_EQ(host_->status_texts.empty(), false);
}

TEST_F(ReshapeTest, StretchWithFeatureSizeZeroChangesNothing) {
  hills();
  roughness_on();
  terrain_settings.feature_size = 0;
  const auto before = elevations();
  stretch_landscape();
  EXPECT_EQ(elevations(), before);
}

TEST_F(ReshapeTest, SmoothingLeavesNoDataAloneAndDoesNotSpreadIt) {
  fill(50);
  E(20, 20) = kNoDataElevation;
  E(0, 5) = kNoDataElevation;
  smooth_landscape();
  EXPECT_EQ(E(20, 20), kNoDataElevation);
  EXPECT_EQ(E(0, 5), kNoDataElevation);
  for (int32_t dy = -1; dy <= 1; ++dy)
    for (int32_t dx = -1; dx <= 1; ++dx)
      if (dx || dy) {
        EXPECT_EQ(E(20 + dy, 20 + dx), 50) << dy << "," << dx;
      }
  EXPECT_EQ(E(0, 4), 50);
  EXPECT_EQ(E(0, 6), 50);
  EXPECT_EQ(E(1, 5), 50);
}

}  // namespace
