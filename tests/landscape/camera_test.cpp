// Camera and target placement: heading and pitch, locks, map clicks, distances, haze, default views, elevation range.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "tests/support/engine_test.h"

namespace {

class CameraTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(258, 258);
    clear_elevations();
    topo_init();  // zoom 16, origin 0: map pixel (30 + col, 280 - row) is sample (col, row)
  }
  void TearDown() override {
    reset_camera_state();
    set_landscape_size(258, 258);
    reset_settings_defaults();
  }
  ScopedHeadlessHost host_;
};

TEST_F(CameraTest, HeadingAndPitchFollowTheTarget) {
  struct Case {
    float dx, dy, dz, heading, pitch;
  };
  const Case cases[] = {
      {100, 0, 0, -90, 0},  {-100, 0, 0, 90, 0}, {0, 100, 0, 0, 0},     {0, -100, 0, 180, 0},
      {0, 0, 50, 0, 90},    {0, 0, -50, 0, -90}, {0, 0, 0, 0, 90},      {100, 100, 0, -45, 0},
      {0, 100, 100, 0, 45}, {-100, -100, 0, 135, 0}, {100, -100, 0, -135, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy << "," << c.dz);
    set_camera(1000, 2000, 300);
    set_target(1000 + c.dx, 2000 + c.dy, 300 + c.dz);
    EXPECT_NEAR(camera_state.camera_heading, c.heading, 1e-3);
    EXPECT_NEAR(camera_state.camera_pitch, c.pitch, 1e-3);
  }
}

TEST_F(CameraTest, LocksKeepTheLockedCoordinateOfThePointBeingPlaced) {
  set_camera(100, 200, 300);
  set_target(400, 200, 300);
  camera_state.lock_z = 1;
  elevation_row(10)[20] = 500;
  set_camera_from_map(30 + 20, 280 - 10);  // sample (20, 10)
  EXPECT_FLOAT_EQ(camera_state.camera_x, 600.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 300.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 300.0f);
  // The angles still follow: target (400, 200) from camera (600, 300) is dx -200, dy -100.
  EXPECT_NEAR(camera_state.camera_heading, 180.0 - std::atan(200.0 / 100.0) * 57.29577951308232, 1e-3);
  camera_state.lock_z = 0;
  camera_state.lock_x = 1;
  set_target(5, 6, 7);
  EXPECT_FLOAT_EQ(camera_state.target_x, 400.0f);
  EXPECT_FLOAT_EQ(camera_state.target_y, 6.0f);
  EXPECT_FLOAT_EQ(camera_state.target_z, 7.0f);
  // target_from_angles moves the target whatever the locks say.
  set_heading(0.0f);
  EXPECT_FLOAT_EQ(camera_state.target_x, camera_state.camera_x);
}

TEST_F(CameraTest, MapClicksOnAndOffTheLandscape) {
  landscape_view.max_elevation = 900;
  elevation_row(10)[20] = 50;
  elevation_row(11)[21] = 70;  // the cell's highest corner
  set_camera_from_map(30 + 20, 280 - 10);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 170.0f);
  set_target_from_map(30 + 21, 280 - 11);
  EXPECT_FLOAT_EQ(camera_state.target_x, 21 * 30.0f);
  EXPECT_FLOAT_EQ(camera_state.target_z, 70.0f);
  // Off the landscape: map column 300 - 30 is sample 270 > land_width.
  set_camera_from_map(300, 280 - 10);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 900.0f);
  set_target_from_map(300, 280 - 11);
  EXPECT_FLOAT_EQ(camera_state.target_z, 0.0f);
  EXPECT_FLOAT_EQ(camera_state.target_x, 270 * 30.0f);
  camera_state.camera_x = 20 * 30.0f + 5.0f;
  camera_state.camera_y = 10 * 30.0f + 5.0f;
  camera_to_ground();
  EXPECT_FLOAT_EQ(camera_state.camera_z, 170.0f);
}

TEST_F(CameraTest, PicksSetLevelsOnlyOnTheLandscape) {
  elevation_row(5)[6] = 321;
  terrain_settings.tree_line = terrain_settings.snow_line = terrain_settings.sea_level = -1;
  pick_tree_line(36, 275);
  pick_snow_line(36, 275);
  pick_sea_level(36, 275);
  EXPECT_EQ(terrain_settings.tree_line, 321);
  EXPECT_EQ(terrain_settings.snow_line, 321);
  EXPECT_EQ(terrain_settings.sea_level, 321);
  pick_tree_line(29 + 400, 275);
  EXPECT_EQ(terrain_settings.tree_line, 321);
}

TEST_F(CameraTest, HeadingAndPitchMoveTheTargetOnItsSphere) {
  set_camera(1000, 1000, 100);
  set_target(1000, 1100, 100);
  set_heading(90.0f);
  EXPECT_NEAR(camera_state.target_x, 900.0f, 1e-3);
  EXPECT_NEAR(camera_state.target_y, 1000.0f, 1e-3);
  set_heading(0.0f);
  set_pitch(30.0f);
  EXPECT_NEAR(camera_state.target_y, 1000.0f + 86.6025f, 1e-3);
  EXPECT_NEAR(camera_state.target_z, 150.0f, 1e-3);
  EXPECT_FLOAT_EQ(camera_state.camera_pitch, 30.0f);
}

TEST_F(CameraTest, CameraAtDistanceKeepsTheDirectionAndSurvivesACoincidentTarget) {
  set_camera(0, 0, 0);
  set_target(0, 1000, 0);
  camera_at_distance(250);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 750.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 0.0f);
  set_camera(10, 10, 10);
  set_target(10, 10, 10);
  camera_at_distance(100);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 10.0f);
  EXPECT_TRUE(std::isfinite(camera_state.camera_heading));
}

TEST_F(CameraTest, AutoHazeFromTheDistance) {
  struct Case {
    float distance;
    int32_t haze;
  };
  for (const Case c : {Case{50, 10000}, Case{100, 10000}, Case{1000, 1000}, Case{3000, 333}, Case{0, 10000},
                       Case{0.5f, 10000}, Case{4e9f, 0}}) {
    set_camera(0, 0, 0);
    set_target(0, c.distance, 0);
    auto_haze();
    EXPECT_EQ(render_settings.haze_density, c.haze) << c.distance;
  }
}

TEST_F(CameraTest, ElevationRangeSkipsZerosAndTheLastTwoRowsAndColumns) {
  scan_elevation_range();
  EXPECT_EQ(landscape_view.base_level, 0);
  EXPECT_EQ(landscape_view.max_elevation, 0);
  elevation_row(3)[4] = 17;
  elevation_row(7)[8] = 400;
  elevation_row(9)[1] = 400;      // later in row order: not kept
  elevation_row(2)[2] = -32768;   // no data
  elevation_row(255)[10] = 9000;  // second-last sample row: not scanned
  elevation_row(10)[256] = 9000;  // last sample column: not scanned
  scan_elevation_range();
  EXPECT_EQ(landscape_view.base_level, 17);
  EXPECT_EQ(landscape_view.max_elevation, 400);
  EXPECT_EQ(max_elevation_col, 8);
  EXPECT_EQ(max_elevation_row, 7);
}

TEST_F(CameraTest, DefaultViewsAndLevels) {
  landscape_view.base_level = 100;
  landscape_view.max_elevation = 500;
  camera_state.lock_x = camera_state.lock_y = 1;
  default_view();
  EXPECT_EQ(camera_state.lock_x + camera_state.lock_y + camera_state.lock_z, 0);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 257 * 30.0f / 2);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 256 * 30.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 500.0f);
  EXPECT_FLOAT_EQ(camera_state.target_y, 0.0f);
  EXPECT_FLOAT_EQ(camera_state.target_z, 100.0f);
  EXPECT_NEAR(camera_state.camera_heading, 180.0f, 1e-4);
  EXPECT_EQ(terrain_settings.tree_line, 200);
  EXPECT_EQ(terrain_settings.snow_line, 366);
  EXPECT_EQ(render_settings.grid_step, 1);
  EXPECT_EQ(terrain_settings.fractal_roughness, 100);
  default_view_high();
  EXPECT_FLOAT_EQ(camera_state.camera_z, 500.0f + 1003);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 0.0f);
  EXPECT_FLOAT_EQ(camera_state.target_x, 256 * 30.0f / 2);
  EXPECT_FLOAT_EQ(camera_state.target_z, 300.0f);
  default_levels();
  EXPECT_EQ(terrain_settings.tree_line, 233);
  EXPECT_EQ(terrain_settings.snow_line, 366);
}

}  // namespace
