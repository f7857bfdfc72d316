// The altitude profile, the current frame and the path preview: scale and zoom, the profile's hit test and
// altitude drag, making a frame current, aiming ahead, and playing the path with a stop at any frame.
#include <cmath>

#include "engine/animation/path_limits.h"
#include "engine/landscape/camera.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_ops.h"
#include "tests/panels/path_edit_fixture.h"

namespace {

class PathProfile : public PathEditTest {
 protected:
  void SetUp() override {
    PathEditTest::SetUp();
    slope();
    nodes_at({{60, 150}, {110, 170}, {160, 150}, {210, 170}, {240, 120}});
    generate_path_frames(0);
    ASSERT_GT(path_frame_count, 20);
    current_panel = 1306;
  }
  // The profile row of node k's marker as the last drawing placed it.
  static int32_t marker_row(int32_t k) {
    return 430 - static_cast<int32_t>((path_nodes[k].altitude - profile_base_altitude) * profile_scale);
  }
  int32_t profile_pixel(int32_t x, int32_t y) { return path_.canvas.pixels[static_cast<size_t>(y) * 300 + x]; }
};

TEST_F(PathProfile, ScaleAndBaseFollowSpeedAndZoom) {
  vehicle.path_speed = 3000;
  current_frame = 10;
  draw_altitude_profile(current_frame);
  EXPECT_FLOAT_EQ(profile_scale, 140.0f / 3000.0f);
  EXPECT_EQ(profile_base_altitude, static_cast<int32_t>(path_frames[10].altitude - 74.0 / profile_scale));
  // A node 100 metres above the current frame sits about 4.7 pixels higher.
  EXPECT_NEAR(100.0 * profile_scale, 4.67, 0.01);
  // The frame, the centre line and the black background.
  EXPECT_EQ(profile_pixel(29, 317), ui_color_shadow);
  EXPECT_EQ(profile_pixel(271, 431), ui_color_highlight);
  EXPECT_EQ(profile_pixel(150, 320), 5);
  // The flight crosses the centre column 74 rows above the bottom, in green over the ground.
  bool flight = false;
  for (int32_t y = 430 - 76; y <= 430 - 72; ++y) flight |= profile_pixel(151, y) == 6;
  EXPECT_TRUE(flight);
  vehicle.path_speed = 0;
  draw_altitude_profile(current_frame);
  EXPECT_EQ(profile_scale, 1.0f);
}

TEST_F(PathProfile, NearTheStartTheColumnsBeforeFrameZeroStayEmpty) {
  current_frame = 3;
  draw_altitude_profile(3);
  for (int32_t y = 318; y <= 430; ++y) EXPECT_NE(profile_pixel(140, y), 6) << y;
  bool flight = false;
  for (int32_t y = 318; y <= 430; ++y) flight |= profile_pixel(148, y) == 6;
  EXPECT_TRUE(flight);
}

TEST_F(PathProfile, ZoomDoublesHalvesAndResets) {
  for (int i = 0; i < 16; ++i) engine_command(1376, 0, 0, &path_.panel);
  EXPECT_EQ(vehicle.profile_zoom, 32768.0f);
  EXPECT_EQ(path_gadget(1376)->state, kGadgetOff);
  engine_command(1377, 0, 0, &path_.panel);
  EXPECT_EQ(vehicle.profile_zoom, 1.0f);
  for (int i = 0; i < 20; ++i) engine_command(1378, 0, 0, &path_.panel);
  EXPECT_EQ(vehicle.profile_zoom, 3.0517578125e-5f);
  const int32_t frames = path_frame_count;
  path_frame_count = 0;
  engine_command(1377, 0, 0, &path_.panel);
  engine_command(1378, 0, 0, &path_.panel);
  engine_command(1376, 0, 0, &path_.panel);
  EXPECT_EQ(vehicle.profile_zoom, 1.0f);
  path_frame_count = frames;
}

TEST_F(PathProfile, DamagedZoomAndFlatOrSingleNodePathsDrawSafely) {
  const float zooms[] = {0.0f, -5.0f, NAN, INFINITY, 1e30f};
  for (const float z : zooms) {
    vehicle.profile_zoom = z;
    draw_altitude_profile(current_frame);
    EXPECT_GT(profile_scale, 0.0f) << z;
    EXPECT_TRUE(std::isfinite(profile_scale)) << z;
  }
  vehicle.profile_zoom = 1.0f;
  // Every frame at one altitude over flat ground; and a path of one node has no frames to draw.
  clear_elevations();
  for (int32_t i = 0; i < path_frame_count; ++i) path_frames[i].altitude = 100.0f;
  draw_altitude_profile(current_frame);
  nodes_at({{100, 100}});
  generate_path_frames(0);
  draw_altitude_profile(0);
  EXPECT_EQ(drag_node_altitude(150, 356), 0);
  draw_altitude_profile(-7);
  draw_altitude_profile(1 << 30);
}

TEST_F(PathProfile, HitTestCoversTheProfileOnlyWhileThePathPanelIsCurrent) {
  struct Case {
    int32_t panel, x, y, hit;
  } cases[] = {{1306, 30, 318, 1}, {1306, 270, 430, 1}, {1306, 271, 400, 0}, {1306, 100, 431, 0},
               {1306, 29, 400, 0}, {1306, 100, 317, 0}, {1293, 100, 400, 0}};
  for (const Case& c : cases) {
    current_panel = c.panel;
    EXPECT_EQ(profile_hit(&path_.panel, c.x, c.y), c.hit) << c.x << "," << c.y;
  }
}

TEST_F(PathProfile, DraggingAMarkerTenRowsUpAtHalfAPixelPerMetreRaisesTwentyMetres) {
  vehicle.path_speed = 280;  // scale 0.5 at zoom 1
  current_frame = node_start_frames[1];
  draw_altitude_profile(current_frame);
  ASSERT_FLOAT_EQ(profile_scale, 0.5f);
  const int32_t row = marker_row(1);
  ASSERT_GT(row, 318);
  ASSERT_LT(row, 430);
  const float before = path_nodes[1].altitude;
  // The right button does not cancel; the pointer moves up ten rows and clicks.
  host_->pointer_script.push_back({150, row - 4, kHostButtonRight});
  host_->pointer_script.push_back({150, row - 10, 0});
  ui_test::press_release(*host_, 150, row - 10);
  EXPECT_EQ(drag_node_altitude(151, row), 1);
  EXPECT_FLOAT_EQ(path_nodes[1].altitude, before + 20.0f);
  // No marker under the point: nothing.
  EXPECT_EQ(drag_node_altitude(40, 320), 0);
}

TEST_F(PathProfile, DragsKeepTheAltitudeInRangeAtAnyZoom) {
  vehicle.path_speed = 1000000;
  vehicle.profile_zoom = 3.0517578125e-5f;
  current_frame = node_start_frames[1];
  draw_altitude_profile(current_frame);
  const int32_t row = marker_row(1);
  ASSERT_GT(row, 318);
  ASSERT_LT(row, 430);
  ui_test::press_release(*host_, 150, 200);  // above the profile: the row stops at 319
  EXPECT_EQ(drag_node_altitude(150, row), 1);
  EXPECT_EQ(path_nodes[1].altitude, static_cast<float>(kPathAltitudeMax));
}

TEST_F(PathProfile, ProfileClickThroughTheMapHandlerRegeneratesFromTheSlider) {
  vehicle.path_speed = 280;
  set_slider(node_start_frames[1]);
  current_frame = node_start_frames[1];
  draw_altitude_profile(current_frame);
  const int32_t row = marker_row(1);
  const float before = path_nodes[1].altitude;
  path_frames[5].altitude = -999.0f;  // regeneration puts it back
  ui_test::press_release(*host_, 150, row - 4);
  // A click sent by another panel counts too: only the current panel matters.
  PanelRecord other{};
  engine_command(1, 150, row, &other);
  EXPECT_FLOAT_EQ(path_nodes[1].altitude, before + 8.0f);
  EXPECT_NE(path_frames[5].altitude, -999.0f);
  EXPECT_EQ(current_frame, node_start_frames[1]);
}

TEST_F(PathProfile, SetCurrentFramePutsTheCameraThereAndAimsAhead) {
  const CameraState saved = camera_state;
  set_current_frame(-1);
  set_current_frame(path_frame_count);
  EXPECT_EQ(camera_state.camera_x, saved.camera_x);
  EXPECT_EQ(current_frame, 0);
  path_frames[7].heading = 90.0f;
  path_frames[7].pitch = 0.0f;
  path_frames[7].bank = 0.0f;
  vehicle.path_speed = 3000;
  set_current_frame(7);
  EXPECT_EQ(current_frame, 7);
  EXPECT_EQ(camera_state.camera_x, path_frames[7].x);
  EXPECT_EQ(camera_state.camera_y, path_frames[7].y);
  EXPECT_EQ(camera_state.camera_z, path_frames[7].altitude);
  EXPECT_EQ(camera_state.camera_heading, 90.0f);
  // Heading 90 looks along -x; the target lies path_speed / 3 metres ahead at the camera's altitude.
  EXPECT_NEAR(camera_state.target_x - camera_state.camera_x, -1000.0f, 0.5f);
  EXPECT_NEAR(camera_state.target_y - camera_state.camera_y, 0.0f, 0.5f);
  EXPECT_NEAR(camera_state.target_z - camera_state.camera_z, 0.0f, 0.5f);
}

TEST_F(PathProfile, PreviewWaitsOneFrameTimePerFrame) {
  path_frame_count = 5;
  animation_state.frame_rate = 15;
  const uint32_t start = host_->now;
  EXPECT_EQ(preview_path(0, 15, 0), 5);
  EXPECT_GE(host_->now - start, 5u * 66u);
  EXPECT_LT(host_->now - start, 5u * 66u + 20u);
  EXPECT_EQ(current_frame, 4);
  EXPECT_EQ(camera_state.camera_x, path_frames[4].x);
  EXPECT_EQ(path_.panel.disabled, 0);
}

TEST_F(PathProfile, PreviewStopsAtAnyFrameAndLeavesTheCameraOnTheLastShown) {
  for (const int32_t stop_at : {0, 1, 3}) {
    current_frame = 0;
    camera_state.camera_x = -1.0f;
    host_->keys.clear();
    for (int32_t i = 0; i < stop_at; ++i) host_->keys.push_back('a');
    host_->keys.push_back(kKeyEsc);
    host_->advance(1);  // a fresh tick: the first poll reads a key
    const int32_t shown = preview_path(0, 1000, 0);
    EXPECT_EQ(shown, stop_at);
    if (stop_at == 0) {
      EXPECT_EQ(current_frame, 0);
      EXPECT_EQ(camera_state.camera_x, -1.0f);  // nothing shown: the camera stays, only the target is aimed
    } else {
      EXPECT_EQ(current_frame, stop_at - 1);
      EXPECT_EQ(camera_state.camera_x, path_frames[stop_at - 1].x);
    }
  }
}

}  // namespace
