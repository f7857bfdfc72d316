// The camera path model: presets, speed bookkeeping, ground height and the bounded node table.
#include <gtest/gtest.h>

#include "tests/animation/path_fixture.h"

namespace {

using PathModel = PathTest;

TEST_F(PathModel, StartsAtTheJetSettings) {
  EXPECT_EQ(vehicle.reserved_a, 1);
  EXPECT_EQ(vehicle.spline_kind, 1);
  EXPECT_EQ(vehicle.banking_enabled, 1);
  EXPECT_EQ(vehicle.vehicle_class, 2);
  EXPECT_EQ(vehicle.pitch_follows_slope, 1);
  EXPECT_EQ(vehicle.path_frame_target, 200);
  EXPECT_EQ(vehicle.path_speed, 3000);
  EXPECT_EQ(vehicle.bank_factor, 10);
  EXPECT_EQ(vehicle.node_height, 100);
  EXPECT_EQ(vehicle.preset_reserved, 15);
  EXPECT_EQ(vehicle.smoothing_passes, 20);
  EXPECT_EQ(vehicle.min_clearance, 30);
  EXPECT_EQ(vehicle.profile_zoom, 1.0f);
  EXPECT_EQ(preset_flag, 0);
  EXPECT_EQ(use_min_clearance, 0);
  EXPECT_EQ(fixed_frame_count, 0);
  EXPECT_EQ(pitch_offset, 0);
}

TEST_F(PathModel, EveryPresetSetsItsRowAndLeavesTheRest) {
  struct Row {
    int32_t id;
    const char* item;
    int32_t cls, bank, height, passes, reserved;
  };
  const Row rows[] = {
      {1379, "Glider", 2, 5, 140, 60, 7},       {1380, "Jet", 2, 10, 100, 20, 15},
      {1381, "Cruise Missile", 2, 20, 70, 20, 7}, {1382, "Helicopter", 2, 20, 100, 20, 15},
      {1383, "Dune Buggy", 3, -2, 50, 20, 10},  {1384, "Motorcycle", 3, 15, 50, 15, 10},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.item);
    reset_path_state();
    vehicle.min_clearance = 77;
    vehicle.path_speed = 1234;
    vehicle.path_frame_target = 321;
    vehicle.spline_kind = 0;
    vehicle.profile_zoom = 2.5f;
    pitch_offset = 9;
    vehicle.pitch_follows_slope = 0;
    apply_vehicle_preset(r.id);
    EXPECT_EQ(vehicle.vehicle_class, r.cls);
    EXPECT_EQ(vehicle.bank_factor, r.bank);
    EXPECT_EQ(vehicle.node_height, r.height);
    EXPECT_EQ(vehicle.smoothing_passes, r.passes);
    EXPECT_EQ(vehicle.preset_reserved, r.reserved);
    EXPECT_EQ(vehicle.pitch_follows_slope, 1);
    EXPECT_EQ(vehicle.banking_enabled, 1);
    EXPECT_EQ(preset_flag, 1);
    EXPECT_EQ(pitch_offset, 0);
    EXPECT_EQ(vehicle.min_clearance, 77);
    EXPECT_EQ(vehicle.path_speed, 1234);
    EXPECT_EQ(vehicle.path_frame_target, 321);
    EXPECT_EQ(vehicle.spline_kind, 0);
    EXPECT_EQ(vehicle.profile_zoom, 2.5f);
  }
  EXPECT_STREQ(vehicle_presets[2].item, "Cruise Missile");
}

TEST_F(PathModel, JetAfterDuneBuggyRestoresThePresetFieldsOnly) {
  apply_vehicle_preset(1383);
  EXPECT_EQ(vehicle.bank_factor, -2);
  EXPECT_EQ(vehicle.vehicle_class, kVehicleGround);
  vehicle.min_clearance = 5;
  rescale_node_speeds(1);  // no nodes: nothing changes
  apply_vehicle_preset(1380);
  EXPECT_EQ(vehicle.vehicle_class, kVehicleAir);
  EXPECT_EQ(vehicle.bank_factor, 10);
  EXPECT_EQ(vehicle.node_height, 100);
  EXPECT_EQ(vehicle.smoothing_passes, 20);
  EXPECT_EQ(vehicle.preset_reserved, 15);
  EXPECT_EQ(preset_flag, 1);
  EXPECT_EQ(vehicle.min_clearance, 5);
  EXPECT_EQ(vehicle.path_speed, 3000);
}

TEST_F(PathModel, OtherCommandIdsChangeNothing) {
  for (int32_t id : {0, 1378, 1385, -1}) apply_vehicle_preset(id);
  EXPECT_EQ(preset_flag, 0);
  EXPECT_EQ(vehicle.bank_factor, 10);
}

TEST_F(PathModel, SpeedBookkeeping) {
  set_nodes({node(0, 0, 0, 2999.6f), node(0, 0, 0, 3000.6f)});
  average_node_speed();
  EXPECT_EQ(vehicle.path_speed, 3000);

  rescale_node_speeds(6000);
  EXPECT_FLOAT_EQ(path_nodes[0].speed, 5999.2f);
  EXPECT_EQ(vehicle.path_speed, 6000);

  rescale_node_speeds(0);
  EXPECT_EQ(path_nodes[0].speed, 0.0f);
  EXPECT_EQ(path_nodes[1].speed, 0.0f);
  EXPECT_EQ(vehicle.path_speed, 1);

  // A path speed of 0 (a damaged file) has no ratio: the nodes take the new speed.
  vehicle.path_speed = 0;
  rescale_node_speeds(2500);
  EXPECT_EQ(path_nodes[0].speed, 2500.0f);
  EXPECT_EQ(vehicle.path_speed, 2500);

  path_node_count = 0;
  vehicle.path_speed = 700;
  rescale_node_speeds(50);
  average_node_speed();
  EXPECT_EQ(vehicle.path_speed, 700);
}

TEST_F(PathModel, GroundHeightIsTheHighestOfFiveSamples) {
  landscape_view.base_level = -7;
  elevation_row(10)[20] = 5;
  elevation_row(9)[20] = 11;   // below
  elevation_row(10)[21] = 13;  // right
  elevation_row(11)[22] = 99;  // diagonal: not a neighbour
  // Column 20, row 10: x in [600, 630), y in [300, 330).
  EXPECT_EQ(ground_height_at(615.0f, 305.0f), 13);
  elevation_row(0)[0] = 40;
  struct Case {
    float x, y;
    int32_t expected;
  };
  const Case cases[] = {
      {-29.0f, 0.0f, 40},       // less than a spacing to the left: column 0
      {0.0f, -29.9f, 40},       // less than a spacing below: row 0
      {-30.0f, 0.0f, -7},       // further out: base level
      {0.0f, -31.0f, -7},
      {7680.0f, 7680.0f, 0},    // the last column and row
      {7710.0f, 10.0f, -7},     // beyond the last column
      {NAN, 10.0f, -7},
      {1e30f, 1e30f, -7},
  };
  for (const Case& c : cases) EXPECT_EQ(ground_height_at(c.x, c.y), c.expected) << c.x << "," << c.y;
  vehicle.node_height = 140;
  EXPECT_EQ(node_height_at(615.0f, 305.0f), 153.0);
  free_landscape_grids();
  EXPECT_EQ(ground_height_at(10.0f, 10.0f), -7);
  ASSERT_EQ(set_landscape_size(258, 258), 1);
}

TEST_F(PathModel, NewNodesTakeGroundPlusNodeHeightAndPathSpeed) {
  fill_elevations(250);
  vehicle.path_speed = 4200;
  const PathNode n = make_path_node(900.0f, 1200.0f);
  EXPECT_EQ(n.altitude, 350.0f);
  EXPECT_EQ(n.speed, 4200.0f);
  EXPECT_EQ(n.target_state, 0);
  EXPECT_EQ(n.roll, 0);
  EXPECT_EQ(n.reserved, 0);
}

TEST_F(PathModel, InsertAndDeleteMoveNodesPixelsAndStartFrames) {
  set_nodes({node(1, 0, 0), node(2, 0, 0), node(3, 0, 0)});
  for (int32_t i = 0; i < 4; ++i) node_start_frames[i] = 10 * i;
  node_topo_x[1] = 41;
  ASSERT_EQ(insert_path_node(1, node(9, 0, 0), 77, 88), 1);
  EXPECT_EQ(path_node_count, 4);
  EXPECT_EQ(path_nodes[1].x, 9.0f);
  EXPECT_EQ(path_nodes[2].x, 2.0f);
  EXPECT_EQ(node_topo_x[1], 77);
  EXPECT_EQ(node_topo_x[2], 41);
  EXPECT_EQ(node_start_frames[2], 10);
  EXPECT_EQ(node_start_frames[4], 30);
  EXPECT_EQ(insert_path_node(6, node(0, 0, 0), 0, 0), 0);
  EXPECT_EQ(insert_path_node(-1, node(0, 0, 0), 0, 0), 0);
  ASSERT_EQ(delete_path_node(1), 1);
  EXPECT_EQ(path_node_count, 3);
  EXPECT_EQ(path_nodes[1].x, 2.0f);
  EXPECT_EQ(node_topo_x[1], 41);
  EXPECT_EQ(delete_path_node(3), 0);
}

TEST_F(PathModel, AFullNodeTableRefusesWithAMessage) {
  for (int32_t i = 0; i < kPathNodeCapacity; ++i) ASSERT_EQ(append_path_node(node(i, 0, 0), i, 0), 1);
  EXPECT_TRUE(host->messages.empty());
  EXPECT_EQ(append_path_node(node(5, 5, 5), 0, 0), 0);
  EXPECT_EQ(insert_path_node(0, node(5, 5, 5), 0, 0), 0);
  EXPECT_EQ(path_node_count, kPathNodeCapacity);
  EXPECT_EQ(path_nodes[0].x, 0.0f);
  ASSERT_EQ(host->messages.size(), 2u);
  EXPECT_EQ(host->messages[0].text, "The path holds at most 1000 nodes.");
  EXPECT_EQ(host->messages[0].button1, "  OK  ");
}

TEST_F(PathModel, AccessorsAndCurrentFrameReadOuts) {
  set_vehicle_class(3);
  set_pitch_mode(0);
  set_pitch_offset(-12);
  set_bank_factor(25);
  set_smoothing_passes(7);
  set_node_height(333);
  set_min_clearance(44);
  set_closed_loop(1);
  EXPECT_EQ(get_vehicle_class(), 3);
  EXPECT_EQ(get_pitch_mode(), 0);
  EXPECT_EQ(get_pitch_offset(), -12);
  EXPECT_EQ(get_bank_factor(), 25);
  EXPECT_EQ(get_smoothing_passes(), 7);
  EXPECT_EQ(get_node_height(), 333);
  EXPECT_EQ(get_min_clearance(), 44);
  EXPECT_EQ(get_closed_loop(), 1);
  EXPECT_EQ(get_path_speed(), 3000);

  EXPECT_EQ(current_frame_altitude(), 0);
  EXPECT_EQ(current_frame_ground(), 0);
  fill_elevations(120);
  straight_frames(3, 30.0f, 456.9f);
  current_frame = 2;
  EXPECT_EQ(get_frame_count(), 3);
  EXPECT_EQ(get_current_frame(), 2);
  EXPECT_EQ(current_frame_altitude(), 456);
  EXPECT_EQ(current_frame_ground(), 120);
}

}  // namespace
