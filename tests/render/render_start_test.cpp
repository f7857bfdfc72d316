// The render start: frame buffer checks, derived data, the render window's calls per view mode, light factors.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/view_transform.h"
#include "tests/support/engine_test.h"

namespace {

using Events = std::vector<std::string>;

class RenderStartTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_color_class_settings();  // cliffs on, as the derived-data checks expect
    user_abort = 0;
    set_landscape_size(34, 34);
    scan_elevation_range();
    default_levels();
    mark_derived_stale();
    change_image_size(64, 48);
    host_->window_events.clear();
    host_->messages.clear();
    pointer_hide_count = 1;  // the pointer shown, as between commands
  }
  void TearDown() override {
    user_abort = 0;
    pointer_reset_count();
    free_vidmem24();
    free_vidmem8();
    reset_settings_defaults();
    reset_color_class_settings();
    reset_camera_state();
    set_landscape_size(258, 258);
  }
  ScopedHeadlessHost host_;
};

TEST_F(RenderStartTest, MissingFrameBufferIsReportedAndNothingRenders) {
  struct Case {
    bool free8, free24;
    const char* message;
  };
  const Case cases[] = {
      {true, false, "No vidmem8, cannot render."},
      {false, true, "No vidmem24, cannot render."},
      {true, true, "No vidmem8, cannot render."},
  };
  for (const Case& c : cases) {
    change_image_size(64, 48);
    if (c.free8) free_vidmem8();
    if (c.free24) free_vidmem24();
    host_->messages.clear();
    host_->window_events.clear();
    render_settings.grid_step = 4;
    EXPECT_EQ(render_start(), 0);
    ASSERT_EQ(host_->messages.size(), 1u);
    EXPECT_EQ(host_->messages[0].text, c.message);
    EXPECT_EQ(host_->messages[0].button1, "  OK  ");
    EXPECT_TRUE(host_->window_events.empty());
    EXPECT_EQ(render_settings.grid_step, 1);
    EXPECT_EQ(derived_data.colors_done_step, land_width);  // nothing recomputed
  }
}

TEST_F(RenderStartTest, RenderWindowCallsFollowTheViewMode) {
  const Events shown = {"fit show", "release", "busy on", "fit show", "release", "busy off"};
  struct Case {
    int32_t mode;
    Events events;
  };
  const Case cases[] = {{0, {}}, {1, shown}, {2, shown}, {3, shown}};
  for (const Case& c : cases) {
    render_settings.view_mode = c.mode;
    host_->window_events.clear();
    host_->cursor = 0;
    EXPECT_EQ(render_start(), 1) << c.mode;
    EXPECT_EQ(host_->window_events, c.events) << c.mode;
    if (c.mode == 0) {
      EXPECT_EQ(host_->cursor, 1);  // the arrow comes back
    }
    EXPECT_EQ(pointer_hide_count, 1) << c.mode;  // brackets balanced
  }
}

TEST_F(RenderStartTest, BringsDerivedDataUpToDateAtFullResolution) {
  render_settings.grid_step = 4;
  derived_data.palette_stale = 1;
  camera_state.camera_heading = 90.0f;
  camera_state.camera_pitch = -10.0f;
  set_view_matrix(0.0f, 0.0f, 0.0f);
  host_->now = 5000;
  host_->tick_step = 7;
  EXPECT_EQ(render_start(), 1);
  EXPECT_EQ(render_settings.grid_step, 1);
  EXPECT_EQ(derived_data.colors_done_step, 1);
  EXPECT_EQ(derived_data.cliffs_done_step, 1);
  EXPECT_EQ(derived_data.shades_done_step, 1);
  EXPECT_EQ(derived_data.palette_stale, 0);
  EXPECT_GT(polygon_count, 0);  // counted afresh by the scan converter for this frame
  double built[9];
  std::copy(view_matrix, view_matrix + 9, built);
  set_view_matrix(0.0f, 90.0f, -10.0f);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(built[i], view_matrix[i]) << i;  // the camera's matrix was built
  EXPECT_GE(render_start_ms, 5000u);
  EXPECT_GE(render_end_ms, render_start_ms);
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(RenderStartTest, StopWhilePreparingOpensNoWindow) {
  render_settings.view_mode = 3;
  user_abort = 1;
  EXPECT_EQ(render_start(), -1);
  EXPECT_TRUE(host_->window_events.empty());
  EXPECT_NE(derived_data.colors_done_step, 1);  // the stopped pass is not marked valid

  render_settings.view_mode = 0;
  user_abort = 1;
  host_->cursor = 0;
  EXPECT_EQ(render_start(), -1);
  EXPECT_EQ(host_->cursor, 1);
  EXPECT_EQ(pointer_hide_count, 1);
}

TEST_F(RenderStartTest, LightFactorsSplitByContrast) {
  color_table[77] = {0, 255, 255, 255};
  color_table[78] = {0, 128, 0, 0};  // red at half value becomes full red
  struct Case {
    int32_t contrast;
    int32_t sun, ambient_red;
  };
  // f = (contrast / 255) ^ (1 / 4): 255 gives 1, 0 gives 0, 16 gives 0.50047.
  const Case cases[] = {{255, 255, 0}, {0, 0, 255}, {16, 127, 127}, {192, 237, 17}};
  for (const Case& c : cases) {
    light_state.contrast = c.contrast;
    scheme_sky_colors();
    EXPECT_EQ(light_state.sun_light_r, c.sun) << c.contrast;
    EXPECT_EQ(light_state.sun_light_g, c.sun) << c.contrast;
    EXPECT_EQ(light_state.sun_light_b, c.sun) << c.contrast;
    EXPECT_EQ(light_state.ambient_light_r, c.ambient_red) << c.contrast;
    EXPECT_EQ(light_state.ambient_light_g, 0) << c.contrast;
    EXPECT_EQ(light_state.ambient_light_b, 0) << c.contrast;
  }
}

}  // namespace

// A negative contrast, as a damaged landscape file may bring, gives the sky colours of no contrast
// instead of the root of a negative number.
TEST_F(RenderStartTest, NegativeContrastCountsAsNone) {
  light_state.contrast = 0;
  scheme_sky_colors();
  const int32_t sun = light_state.sun_light_r, ambient = light_state.ambient_light_g;
  for (int32_t contrast : {-1, -255, INT32_MIN}) {
    light_state.contrast = contrast;
    scheme_sky_colors();
    EXPECT_EQ(light_state.sun_light_r, sun) << contrast;
    EXPECT_EQ(light_state.ambient_light_g, ambient) << contrast;
  }
}
