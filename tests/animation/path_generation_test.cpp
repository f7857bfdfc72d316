// Spline frame generation: segments, spacing, loops, targets, the frame array's limit and the
// faults of degenerate input.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "tests/animation/path_fixture.h"

namespace {

using PathGeneration = PathTest;

double step_length(int32_t i) {
  const PathFrame& a = path_frames[i - 1];
  const PathFrame& b = path_frames[i];
  const double dx = b.x - a.x, dy = b.y - a.y, dz = b.altitude - a.altitude;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Four nodes in a straight line along +y, 600 metres apart.
std::vector<PathNode> line_nodes(float speed) {
  std::vector<PathNode> nodes;
  for (int i = 0; i < 4; ++i) nodes.push_back(PathTest::node(3000.0f, 1000.0f + 600.0f * i, 500.0f, speed));
  return nodes;
}

TEST_F(PathGeneration, FourOpenNodesGiveOneSegmentFromNodeOneToNodeTwo) {
  set_nodes(line_nodes(3000.0f));
  generate_path_frames(0);
  ASSERT_GT(path_frame_count, 10);
  EXPECT_EQ(node_start_frames[1], 0);
  for (int32_t i = 0; i < path_frame_count; ++i) EXPECT_EQ(path_frames[i].node_index, 1);
  // A uniform B-spline over evenly spaced collinear points runs from node 1 to node 2.
  EXPECT_NEAR(path_frames[0].y, 1600.0f, 0.01);
  EXPECT_NEAR(path_frames[path_frame_count - 1].y, 2200.0f, 30.0);
  // A speed of 3000 cm per frame: frames about 30 metres apart.
  for (int32_t i = 1; i < path_frame_count; ++i) {
    EXPECT_GE(step_length(i), 30.0 - 1e-3);
    EXPECT_LT(step_length(i), 30.0 * 1.2);
  }
  EXPECT_EQ(path_frame_count, 20);
  EXPECT_TRUE(all_finite());
  EXPECT_EQ(host->cursor, 1);
}

TEST_F(PathGeneration, SpeedsBelowTenCountAsTen) {
  set_nodes(line_nodes(10.0f));
  generate_path_frames(0);
  const int32_t at_ten = path_frame_count;
  std::vector<float> ys;
  for (int32_t i = 0; i < at_ten; ++i) ys.push_back(path_frames[i].y);
  set_nodes(line_nodes(3.0f));
  generate_path_frames(0);
  ASSERT_EQ(path_frame_count, at_ten);
  for (int32_t i = 0; i < at_ten; ++i) EXPECT_EQ(path_frames[i].y, ys[i]);
  EXPECT_GT(at_ten, 5000);  // 10 cm per frame over 600 metres
}

TEST_F(PathGeneration, FewerThanFourNodesGiveNoFrames) {
  auto nodes = line_nodes(3000.0f);
  set_nodes({nodes[0], nodes[1], nodes[2]});
  path_frame_count = 5;
  generate_path_frames(0);
  EXPECT_EQ(path_frame_count, 0);
  ASSERT_EQ(append_path_node(nodes[3], 0, 0), 1);
  generate_path_frames(0);
  EXPECT_GT(path_frame_count, 0);
}

TEST_F(PathGeneration, ClosedLoopCoversEverySegmentAndReturnsToItsStart) {
  set_nodes({node(2000, 2000, 400), node(4000, 2000, 400), node(4000, 4000, 400), node(2000, 4000, 400)});
  closed_loop = 1;
  generate_path_frames(0);
  EXPECT_EQ(closed_loop_work, 1);
  ASSERT_GT(path_frame_count, 100);
  for (int32_t k = 1; k <= 4; ++k) {
    const int32_t first = node_start_frames[k];
    ASSERT_LT(first, path_frame_count);
    EXPECT_EQ(path_frames[first].node_index, k % 4) << k;
    if (first > 0) {
      EXPECT_NE(path_frames[first - 1].node_index, k % 4);
    }
  }
  EXPECT_EQ(node_start_frames[1], 0);
  EXPECT_EQ(node_first_frame(0), node_start_frames[4]);
  const PathFrame& last = path_frames[path_frame_count - 1];
  const double gap = std::hypot(last.x - path_frames[0].x, last.y - path_frames[0].y);
  EXPECT_LT(gap, 60.0);
  EXPECT_TRUE(all_finite());
}

TEST_F(PathGeneration, FixedFrameCountBezierSpacesByTheFrameTarget) {
  // Nodes 1 .. n - 2 are 6000 metres apart along their chords; 200 frames over them.
  set_nodes({node(1000, 500, 500), node(1000, 1000, 500), node(4000, 1000, 500), node(4000, 4000, 500),
             node(4000, 4500, 500)});
  vehicle.spline_kind = 0;
  fixed_frame_count = 1;
  vehicle.path_frame_target = 200;
  vehicle.smoothing_passes = 0;
  generate_path_frames(0);
  ASSERT_GT(path_frame_count, 150);
  EXPECT_LT(path_frame_count, 215);
  for (int32_t i = 1; i < path_frame_count; ++i) {
    if (path_frames[i].node_index != path_frames[i - 1].node_index) continue;
    EXPECT_GE(step_length(i), 30.0 - 1e-3);
    EXPECT_LT(step_length(i), 33.5);  // about ten curve samples per frame
  }
  EXPECT_EQ(path_frames[0].x, 1000.0f);
  EXPECT_EQ(path_frames[0].y, 1000.0f);
}

TEST_F(PathGeneration, TargetsHoldBlendAndRelease) {
  auto nodes = line_nodes(3000.0f);
  nodes[1].target_state = kTargetLook;
  nodes[1].target_x = 5000.0f;
  nodes[1].target_y = 1800.0f;
  nodes[1].target_z = 100.0f;
  set_nodes(nodes);
  generate_path_frames(0);
  ASSERT_GT(path_frame_count, 2);
  for (int32_t i = 0; i < path_frame_count; ++i) {
    EXPECT_EQ(path_frames[i].has_target, 1);
    EXPECT_EQ(path_frames[i].target_x, 5000.0f);
    EXPECT_EQ(path_frames[i].target_y, 1800.0f);
    EXPECT_EQ(path_frames[i].target_z, 100.0f);
  }
  // Heading toward the target, ahead and to the +x side: a little past 270 (which looks along +x).
  EXPECT_NEAR(path_frames[0].heading, 270.0 + std::atan2(200.0, 2000.0) * 180.0 / M_PI, 0.5);

  // Node 2 releases: the view returns to the direction of travel by the segment's end.
  nodes[2].target_state = kTargetRelease;
  set_nodes(nodes);
  generate_path_frames(0);
  const int32_t n = path_frame_count;
  EXPECT_EQ(path_frames[0].target_x, 5000.0f);
  const PathFrame& end = path_frames[n - 1];
  EXPECT_NEAR(end.target_x, end.x, 1e-3);
  EXPECT_GT(end.target_y, end.y + 100.0f);

  // Node 1 plain, node 2 looks: the view turns toward node 2's target.
  nodes[1].target_state = kTargetNone;
  nodes[2].target_state = kTargetLook;
  nodes[2].target_x = 100.0f;
  nodes[2].target_y = 2000.0f;
  nodes[2].target_z = 0.0f;
  set_nodes(nodes);
  generate_path_frames(0);
  EXPECT_NEAR(path_frames[0].target_x, path_frames[0].x, 1e-3);
  EXPECT_EQ(path_frames[path_frame_count - 1].target_x, 100.0f);

  nodes[2].target_state = kTargetNone;
  set_nodes(nodes);
  generate_path_frames(0);
  for (int32_t i = 0; i < path_frame_count; ++i) EXPECT_EQ(path_frames[i].has_target, 0);
}

TEST_F(PathGeneration, CoincidentNodesGiveFramesNeverNaN) {
  for (uint8_t kind : {1, 0}) {
    SCOPED_TRACE(kind);
    vehicle.spline_kind = kind;
    // All four at one point, then two pairs of coincident neighbours.
    set_nodes({node(900, 900, 300), node(900, 900, 300), node(900, 900, 300), node(900, 900, 300)});
    generate_path_frames(0);
    EXPECT_EQ(path_frame_count, 1);
    EXPECT_TRUE(all_finite());
    set_nodes({node(900, 900, 300), node(900, 900, 300), node(1500, 900, 300), node(1500, 900, 300),
               node(2100, 900, 300)});
    closed_loop = 1;
    generate_path_frames(0);
    EXPECT_GT(path_frame_count, 10);
    EXPECT_TRUE(all_finite());
    closed_loop = 0;
  }
}

TEST_F(PathGeneration, SpeedsOfZeroOrBelowEndAndGiveFrames) {
  for (uint8_t kind : {1, 0}) {
    for (int32_t speed : {0, -3000, INT32_MIN}) {
      SCOPED_TRACE(speed);
      vehicle.spline_kind = kind;
      vehicle.path_speed = speed;
      set_nodes(line_nodes(static_cast<float>(speed)));
      generate_path_frames(0);
      EXPECT_GT(path_frame_count, 0);
      EXPECT_LE(path_frame_count, path_frame_capacity);
      EXPECT_TRUE(all_finite());
    }
  }
  // A fixed frame count over coincident nodes has a speed value of 0.
  vehicle.spline_kind = 0;
  fixed_frame_count = 1;
  set_nodes({node(900, 900, 300), node(900, 900, 300), node(900, 900, 300), node(900, 900, 300)});
  generate_path_frames(0);
  EXPECT_EQ(path_frame_count, 1);
}

TEST_F(PathGeneration, AFullFrameArrayStopsWithAMessage) {
  // 1 cm per frame over kilometres is far more than the array holds.
  vehicle.spline_kind = 0;
  vehicle.path_speed = 1;
  set_nodes(line_nodes(1.0f));
  generate_path_frames(0);
  EXPECT_EQ(path_frame_count, path_frame_capacity);
  EXPECT_EQ(path_frames_overflowed, 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Too many frames: the flight ends at frame 9999.");
  // A loop of many segments marks the segments past the end as frameless.
  host->messages.clear();
  vehicle.spline_kind = 1;
  std::vector<PathNode> nodes;
  for (int i = 0; i < 8; ++i) nodes.push_back(node(1000.0f + 700.0f * (i % 2), 1000.0f + 700.0f * i, 300, 10));
  set_nodes(nodes);
  closed_loop = 1;
  generate_path_frames(0);
  EXPECT_EQ(path_frame_count, path_frame_capacity);
  EXPECT_EQ(node_start_frames[8], path_frame_capacity);
  EXPECT_EQ(host->messages.size(), 1u);
}

TEST_F(PathGeneration, HugeSettingsFromAFileStillEnd) {
  std::vector<PathNode> nodes = line_nodes(3000.0f);
  nodes[1].roll = INT32_MIN;
  nodes[2].roll = INT32_MAX;
  set_nodes(nodes);
  vehicle.smoothing_passes = INT32_MAX;
  vehicle.min_clearance = INT32_MAX;
  use_min_clearance = 1;
  generate_path_frames(0);
  EXPECT_GT(path_frame_count, 0);
  EXPECT_TRUE(all_finite());
  vehicle.vehicle_class = kVehicleGround;
  vehicle.min_clearance = INT32_MIN;
  generate_path_frames(0);
  EXPECT_EQ(path_frames[0].altitude, -10000.0f);
}

TEST_F(PathGeneration, AStopRequestSkipsTheRemainingSmoothing) {
  set_nodes(line_nodes(3000.0f));
  vehicle.smoothing_passes = 1000;
  user_abort = 1;
  generate_path_frames(0);
  EXPECT_EQ(user_abort, 0);
  EXPECT_GT(path_frame_count, 0);
  EXPECT_TRUE(all_finite());
}

TEST_F(PathGeneration, StatusTextsCursorAndRedrawHooks) {
  static int before = 0, after = 0;
  before = after = 0;
  path_draw_hooks.before = [] { ++before; };
  path_draw_hooks.after = [] { ++after; };
  set_nodes(line_nodes(3000.0f));
  current_frame = 500;
  generate_path_frames(1);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(current_frame, path_frame_count - 1);
  generate_path_frames(0);
  EXPECT_EQ(before, 1);
  current_frame = -4;
  generate_path_frames(0);
  EXPECT_EQ(current_frame, 0);
  EXPECT_EQ(host->cursor, 1);
  ASSERT_FALSE(host->status_texts.empty());
}

}  // namespace
