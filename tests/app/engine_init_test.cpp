// The engine's state after initialisation.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/animation/path_frames.h"
#include "engine/core/landscape_names.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/app/engine_init.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"
#include "engine/raster/frame_buffers.h"
#include "engine/scene/texture_slots.h"
#include "tests/support/engine_test.h"

namespace {

class EngineInitTest : public EngineTest {
 protected:
  void SetUp() override {
    free_path_frames();
    status_reset_state();  // a status text shown by an earlier test must not throttle this one's
  }
  void TearDown() override {
    free_path_frames();
    free_vidmem24();
    free_vidmem8();
    reset_settings_defaults();
    reset_camera_state();
    set_landscape_size(258, 258);
  }
  ScopedHeadlessHost host_;
};

TEST_F(EngineInitTest, BringsUpFlatlandWithItsViewLevelsAndLight) {
  render_settings.grid_step = 4;
  set_landscape_size(100, 60);
  engine_init();

  EXPECT_EQ(image_width, 800);
  EXPECT_EQ(image_height, 600);
  EXPECT_EQ(display_depth, 24);
  EXPECT_NE(vidmem24.rows, nullptr);
  EXPECT_NE(vidmem8.rows, nullptr);

  EXPECT_STREQ(landscape_name, "Flatland");
  EXPECT_EQ(grid_width, 258);
  EXPECT_EQ(grid_height, 258);
  EXPECT_EQ(land_width, 256);
  EXPECT_EQ(elevation_row(128)[128], 240);
  EXPECT_EQ(elevation_row(121)[121], 30);
  EXPECT_GE(elevation_row(5)[200], 1);
  EXPECT_LE(elevation_row(5)[200], 4);
  EXPECT_EQ(landscape_view.max_elevation, 240);
  ASSERT_GE(landscape_view.base_level, 1);
  ASSERT_LE(landscape_view.base_level, 4);

  // The high default view: over the middle of the edge at y = 0, looking at the centre.
  EXPECT_FLOAT_EQ(camera_state.camera_x, 3840.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 0.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 240.0f + (257 * 1000) / 256);  // land_max_side is 257
  EXPECT_FLOAT_EQ(camera_state.target_x, 3840.0f);
  EXPECT_FLOAT_EQ(camera_state.target_y, 3840.0f);
  EXPECT_FLOAT_EQ(camera_state.target_z, static_cast<float>((240 + landscape_view.base_level) / 2));
  EXPECT_EQ(camera_state.camera_bank, 0.0f);
  EXPECT_EQ(render_settings.grid_step, 1);

  // Tree and snow lines at one and two thirds of the elevation range.
  EXPECT_EQ(terrain_settings.tree_line, landscape_view.base_level + (240 - landscape_view.base_level) / 3);
  EXPECT_EQ(terrain_settings.snow_line, landscape_view.base_level + 2 * (240 - landscape_view.base_level) / 3);

  // Derived data stale for every grid step.
  EXPECT_EQ(derived_data.colors_done_step, 256);
  EXPECT_EQ(derived_data.cliffs_done_step, 256);
  EXPECT_EQ(derived_data.shades_done_step, 256);
  EXPECT_EQ(landscape_view.vertical_scale, 1.0f);
  EXPECT_EQ(landscape_view.built_vertical_scale, 1.0f);

  // Sun and ambient light from the Sun (255, 248, 240) and Ambient (240, 248, 255) colours at contrast 192:
  // f = (192 / 255) ^ (1 / 4) = 0.93152.
  // The full-brightness colours go through the integer HSV conversion, so channels below 255 may move by one.
  EXPECT_EQ(light_state.sun_light_r, 237);
  EXPECT_NEAR(light_state.sun_light_g, 231, 1);
  EXPECT_NEAR(light_state.sun_light_b, 223, 1);
  EXPECT_NEAR(light_state.ambient_light_r, 16, 1);
  EXPECT_NEAR(light_state.ambient_light_g, 16, 1);
  EXPECT_EQ(light_state.ambient_light_b, 17);

  EXPECT_EQ(tree_settings.trees_enabled, 0);
  EXPECT_EQ(render_settings.detail_enabled, 1);
  EXPECT_EQ(render_settings.detail_level, 2);
  EXPECT_EQ(texture_slots[34].deformation, 100);
  EXPECT_EQ(texture_slots[88].deformation, 0);
  EXPECT_NE(topo_image, nullptr);
  ASSERT_NE(path_frames, nullptr);
  EXPECT_EQ(path_frame_capacity, 9999);
  EXPECT_EQ(host_->status_texts.front(), std::string("          Initializing          "));
  EXPECT_EQ(host_->cursor, 2);
}

TEST_F(EngineInitTest, RunsAtEightBitsWhenTheDisplayRefusesTrueColour) {
  host_->display_bits_per_pixel = 8;
  engine_init();
  EXPECT_EQ(display_depth, 8);
  EXPECT_EQ(image_width, 800);
}

TEST_F(EngineInitTest, RenderWindowCreationReportsFailure) {
  EXPECT_EQ(register_render_class(), 1);
  EXPECT_EQ(create_render_window(), 1);
  EXPECT_TRUE(host_->messages.empty());
  host_->render_window_create_fails = 1;
  EXPECT_EQ(create_render_window(), 0);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Could not create render window.");
  EXPECT_GE(ensure_deep_stack(), kDeepStackBytes);
}

}  // namespace
