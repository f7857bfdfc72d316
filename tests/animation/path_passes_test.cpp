// The frame passes: altitudes, clearance, headings, banks, barrel rolls and pitches.
#include <gtest/gtest.h>

#include "tests/animation/path_fixture.h"

namespace {

using PathPasses = PathTest;

TEST_F(PathPasses, StraightLevelPathFliesLevel) {
  straight_frames(12, 30.0f, 500.0f);
  pitch_offset = 7;
  make_headings();
  for (int i = 0; i < 20; ++i) smooth_headings();
  make_banks();
  for (int i = 0; i < 40; ++i) smooth_banks();
  make_pitches();
  for (int i = 0; i < 10; ++i) smooth_pitches();
  for (int32_t i = 0; i < path_frame_count; ++i) {
    EXPECT_EQ(path_frames[i].heading, 0.0f) << i;
    EXPECT_EQ(path_frames[i].bank, 0.0f) << i;
    EXPECT_EQ(path_frames[i].pitch, 7.0f) << i;
  }
}

TEST_F(PathPasses, HeadingsLookAlongTheStepCounterClockwise) {
  // Steps along +y, -x, -y and +x give 0, 90, 180 and 270.
  const float xs[] = {0, 0, -30, -30, 0}, ys[] = {0, 30, 30, 0, 0};
  path_frame_count = 5;
  for (int i = 0; i < 5; ++i) {
    path_frames[i] = PathFrame{};
    path_frames[i].x = 1000 + xs[i];
    path_frames[i].y = 1000 + ys[i];
  }
  make_headings();
  EXPECT_EQ(path_frames[0].heading, 0.0f);
  EXPECT_EQ(path_frames[1].heading, 90.0f);
  EXPECT_EQ(path_frames[2].heading, 180.0f);
  EXPECT_EQ(path_frames[3].heading, 270.0f);
  // The open path's last frame extrapolates 2 * 270 - 180 = 360, kept within 0 .. 360.
  EXPECT_EQ(path_frames[4].heading, 0.0f);
  // A frame with a target looks at it.
  path_frames[0].has_target = 1;
  path_frames[0].target_x = 1000 - 50;
  path_frames[0].target_y = 1000;
  make_headings();
  EXPECT_EQ(path_frames[0].heading, 90.0f);
}

TEST_F(PathPasses, HeadingsAcrossNorthAverageToNorth) {
  path_frame_count = 3;
  path_frames[0].heading = 350.0f;
  path_frames[1].heading = 0.0f;
  path_frames[2].heading = 10.0f;
  smooth_headings();
  EXPECT_NEAR(path_frames[1].heading, 0.0f, 1e-4);
  path_frames[1].heading = 355.0f;
  smooth_headings();
  EXPECT_NEAR(path_frames[1].heading, 358.3333f, 1e-3);
}

TEST_F(PathPasses, ThirtyFrameClockwiseRollOnALevelPath) {
  straight_frames(40, 30.0f, 500.0f);
  make_banks();
  for (int32_t i = 0; i < 40; ++i) path_frames[i].node_index = i < 5 ? 1 : 2;
  insert_barrel_roll(node_first_frame(2), 30, 1);
  EXPECT_EQ(node_first_frame(2), 5);
  EXPECT_EQ(node_first_frame(9), 40);
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(path_frames[i].bank, 0.0f);
  for (int32_t k = 0; k < 30; ++k) {
    const float expected = k < 15 ? 12.0f * (k + 1) : k < 29 ? 12.0f * (k + 1) - 360.0f : 0.0f;
    EXPECT_NEAR(path_frames[5 + k].bank, expected, 1e-4) << k;
  }
  EXPECT_EQ(path_frames[5 + 14].bank, 180.0f);
  EXPECT_NEAR(path_frames[5 + 15].bank, -168.0f, 1e-4);
  EXPECT_NEAR(path_frames[5 + 28].bank, -12.0f, 1e-4);
  for (int32_t i = 35; i < 40; ++i) EXPECT_EQ(path_frames[i].bank, 0.0f);
}

TEST_F(PathPasses, RollsCounterClockwiseWrapOnLoopsAndNeedAGrid) {
  straight_frames(10, 30.0f, 500.0f);
  insert_barrel_roll(8, 4, 0);  // open path: only frames 8 and 9
  EXPECT_EQ(path_frames[8].bank, -90.0f);
  EXPECT_EQ(path_frames[9].bank, -180.0f);
  EXPECT_EQ(path_frames[0].bank, 0.0f);
  straight_frames(10, 30.0f, 500.0f);
  closed_loop_work = 1;
  insert_barrel_roll(8, 4, 0);  // a loop goes on from frame 0
  EXPECT_NEAR(path_frames[0].bank, 90.0f, 1e-4);  // -270 folded
  EXPECT_EQ(path_frames[1].bank, 0.0f);
  straight_frames(10, 30.0f, 500.0f);
  insert_barrel_roll(-1, 4, 1);
  free_landscape_grids();
  insert_barrel_roll(0, 4, 1);
  ASSERT_EQ(set_landscape_size(258, 258), 1);
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(path_frames[i].bank, 0.0f);
}

TEST_F(PathPasses, BanksFollowTheTurnAndTheSpeed) {
  // A left turn (toward increasing heading) banks negative with a positive factor.
  path_frame_count = 3;
  path_frames[0] = PathFrame{};
  path_frames[1] = PathFrame{};
  path_frames[2] = PathFrame{};
  path_frames[0].y = -30.0f;
  path_frames[2].x = -30.0f;
  path_frames[2].y = 30.0f;
  vehicle.bank_factor = 1;
  make_banks();
  // s = sin 45 degrees; bank = -s * 1 * 1500 / (30 * sqrt 2) = -25.
  EXPECT_NEAR(path_frames[1].bank, -25.0f, 1e-4);
  EXPECT_EQ(path_frames[0].bank, path_frames[1].bank);
  EXPECT_EQ(path_frames[2].bank, path_frames[1].bank);
  vehicle.bank_factor = 10;
  make_banks();
  EXPECT_EQ(path_frames[1].bank, -90.0f);  // limited
  // Short paths fly level.
  path_frame_count = 2;
  make_banks();
  EXPECT_EQ(path_frames[0].bank, 0.0f);
  EXPECT_EQ(path_frames[1].bank, 0.0f);
}

TEST_F(PathPasses, SmoothedBanksLieInZeroTo360AndAreWrittenInPlace) {
  path_frame_count = 4;
  const float banks[] = {0.0f, -30.0f, 0.0f, 0.0f};
  for (int i = 0; i < 4; ++i) path_frames[i].bank = banks[i];
  smooth_banks();
  // Frame 1: (0 - 30 + 0) / 3 = -10, folded to 350; frame 2 then sees 350 and 0, 0.
  EXPECT_NEAR(path_frames[1].bank, 350.0f, 1e-4);
  EXPECT_NEAR(path_frames[2].bank, 356.6667f, 1e-3);
}

TEST_F(PathPasses, PitchesFromTheClimbAngleFoldedAndSmoothed) {
  path_frame_count = 3;
  for (int i = 0; i < 3; ++i) {
    path_frames[i] = PathFrame{};
    path_frames[i].y = 100.0f * i;
  }
  path_frames[1].altitude = 100.0f;  // climb 45 degrees, then descend 45
  make_pitches();
  EXPECT_NEAR(path_frames[0].pitch, 45.0f, 1e-4);
  EXPECT_NEAR(path_frames[1].pitch, 315.0f, 1e-4);
  EXPECT_NEAR(path_frames[2].pitch, 315.0f, 1e-4);  // the last frame uses the step that led to it
  smooth_pitches();
  EXPECT_NEAR(path_frames[0].pitch, 45.0f, 1e-4);
  EXPECT_NEAR(path_frames[1].pitch, (45.0f - 90.0f - 45.0f) / 4.0f, 1e-4);
  EXPECT_NEAR(path_frames[2].pitch, -45.0f, 1e-4);
  pitch_offset = -5;
  constant_pitch();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(path_frames[i].pitch, -5.0f);
}

TEST_F(PathPasses, OneFramePathStaysWithinTheArray) {
  // The frame array's slot before frame 0 does not exist: one frame must not read it.
  path_frame_count = 1;
  path_frames[0] = PathFrame{};
  path_frames[0].x = 100.0f;
  pitch_offset = 3;
  make_headings();
  make_banks();
  make_pitches();
  smooth_headings();
  smooth_banks();
  smooth_pitches();
  smooth_altitudes();
  EXPECT_EQ(path_frames[0].heading, 0.0f);
  EXPECT_EQ(path_frames[0].bank, 0.0f);
  EXPECT_EQ(path_frames[0].pitch, 3.0f);
  path_frame_count = 2;
  path_frames[1] = PathFrame{};
  path_frames[1].x = 70.0f;
  make_headings();
  EXPECT_EQ(path_frames[0].heading, 90.0f);
  EXPECT_EQ(path_frames[1].heading, 90.0f);
}

TEST_F(PathPasses, AltitudesSmoothOneTwoOneWithLoopWrap) {
  path_frame_count = 4;
  const float a[] = {0.0f, 40.0f, 0.0f, 80.0f};
  for (int i = 0; i < 4; ++i) path_frames[i].altitude = a[i];
  smooth_altitudes();
  EXPECT_EQ(path_frames[0].altitude, 0.0f);
  EXPECT_EQ(path_frames[1].altitude, 20.0f);
  EXPECT_EQ(path_frames[2].altitude, 30.0f);
  EXPECT_EQ(path_frames[3].altitude, 80.0f);
  for (int i = 0; i < 4; ++i) path_frames[i].altitude = a[i];
  closed_loop = 1;
  smooth_altitudes();
  EXPECT_EQ(path_frames[0].altitude, 30.0f);
  EXPECT_EQ(path_frames[3].altitude, 40.0f);
}

TEST_F(PathPasses, RaiseWindowWidthFollowsTheSmoothingPasses) {
  straight_frames(9, 30.0f, 100.0f);
  vehicle.smoothing_passes = 0;
  raise_altitudes_window(4, 140.0f);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(path_frames[i].altitude, i == 4 ? 140.0f : 100.0f) << i;
  straight_frames(9, 30.0f, 100.0f);
  vehicle.smoothing_passes = 3;
  raise_altitudes_window(4, 140.0f);
  EXPECT_EQ(path_frames[4].altitude, 140.0f);
  EXPECT_NEAR(path_frames[3].altitude, 100.0f + 20.0f * 1.5f, 1e-4);  // cos 60 degrees
  EXPECT_NEAR(path_frames[6].altitude, 100.0f + 20.0f * 0.5f, 1e-4);
  EXPECT_EQ(path_frames[7].altitude, 100.0f);
}

TEST_F(PathPasses, ClearanceLiftsAPathOutOfAHill) {
  // A hill under frames 10 .. 19 rising to 300 metres; the path flies at 250.
  straight_frames(30, 30.0f, 250.0f);
  for (int32_t r = 40; r < 50; ++r)
    for (int32_t c = 95; c < 106; ++c) elevation_row(r)[c] = 300;
  ASSERT_EQ(ground_height_at(path_frames[15].x, path_frames[15].y), 300);
  EXPECT_GT(enforce_clearance(30.0f), 0);
  for (int32_t i = 0; i < 30; ++i)
    EXPECT_GE(path_frames[i].altitude - ground_height_at(path_frames[i].x, path_frames[i].y), 27.0f) << i;
  // The off value -10000 measures once and changes nothing.
  straight_frames(30, 30.0f, 250.0f);
  EXPECT_EQ(enforce_clearance(-10000.0f), 0);
  EXPECT_EQ(path_frames[15].altitude, 250.0f);
}

TEST_F(PathPasses, GroundVehicleStartsAtGroundPlusClearance) {
  straight_frames(5, 30.0f, 0.0f);
  fill_elevations(60);
  altitudes_from_ground(30.0f);
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(path_frames[i].altitude, 90.0f);
}

TEST_F(PathPasses, LimitsOfPassesAndClearances) {
  vehicle.smoothing_passes = INT32_MAX;
  EXPECT_EQ(bounded_smoothing_passes(), kMaxSmoothingPasses);
  vehicle.smoothing_passes = -5;
  EXPECT_EQ(bounded_smoothing_passes(), 0);
  EXPECT_EQ(bounded_clearance(INT32_MAX), kMaxClearance);
  EXPECT_EQ(bounded_clearance(INT32_MIN), -kMaxClearance);
  EXPECT_EQ(bounded_clearance(30), 30);
}

}  // namespace
