// The view state after a new landscape.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/animation/path_frames.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/view_reset.h"
#include "tests/support/engine_test.h"

namespace {

class ViewResetStateTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(130, 66);
    topo_init();
  }
  void TearDown() override {
    reset_settings_defaults();
    reset_camera_state();
    clear_path();
    set_landscape_size(258, 258);
    topo_init();
  }
  // Changes everything reset_view_state puts back.
  static void disturb() {
    landscape_view.vertical_scale = landscape_view.built_vertical_scale = 3.0f;
    terrain_settings.sea_level = 50;
    render_settings.bbox_enabled = 1;
    camera_state.camera_x = camera_state.camera_y = camera_state.camera_z = 7.0f;
    terrain_settings.tree_line = terrain_settings.snow_line = 1;
    cover_row(10)[10].color_class = 56;
    shade_row(10)[10] = 200;
    derived_data.landscape_changed = 0;
    path_node_count = 8;
    path_frame_count = 100;
    derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = 1;
    derived_data.palette_stale = 0;
    topo_zoom = 3;
  }
  struct Snapshot {
    float vs, bvs, cx, cy, cz, tx, ty, tz;
    int32_t sea, bbox, tree, snow, cover, shade, changed, nodes, frames, colors, cliffs, shades, palette, zoom;
    bool operator==(const Snapshot&) const = default;
  };
  static Snapshot snapshot() {
    return {landscape_view.vertical_scale, landscape_view.built_vertical_scale, camera_state.camera_x, camera_state.camera_y, camera_state.camera_z, camera_state.target_x, camera_state.target_y, camera_state.target_z,
            terrain_settings.sea_level, render_settings.bbox_enabled, terrain_settings.tree_line, terrain_settings.snow_line, cover_row(10)[10].color_class, shade_row(10)[10],
            derived_data.landscape_changed, path_node_count, path_frame_count, derived_data.colors_done_step, derived_data.cliffs_done_step,
            derived_data.shades_done_step, derived_data.palette_stale, topo_zoom};
  }
  ScopedHeadlessHost host_;
};

TEST_F(ViewResetStateTest, PutsViewLevelsDerivedDataAndPathBack) {
  disturb();
  reset_view_state();
  EXPECT_EQ(landscape_view.vertical_scale, 1.0f);
  EXPECT_EQ(landscape_view.built_vertical_scale, 1.0f);
  EXPECT_EQ(terrain_settings.sea_level, 0);
  EXPECT_EQ(render_settings.bbox_enabled, 0);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 1920.0f);  // middle of the 128-cell width
  EXPECT_FLOAT_EQ(camera_state.camera_y, 0.0f);
  EXPECT_FLOAT_EQ(camera_state.target_y, 64 * 30.0f / 2.0f);
  EXPECT_EQ(terrain_settings.tree_line, landscape_view.base_level + (landscape_view.max_elevation - landscape_view.base_level) / 3);
  EXPECT_EQ(terrain_settings.snow_line, landscape_view.base_level + 2 * (landscape_view.max_elevation - landscape_view.base_level) / 3);
  EXPECT_EQ(cover_row(10)[10].color_class, 0);
  EXPECT_EQ(shade_row(10)[10], 0);
  EXPECT_EQ(derived_data.landscape_changed, 1);
  EXPECT_EQ(path_node_count, 0);
  EXPECT_EQ(path_frame_count, 0);
  EXPECT_EQ(derived_data.colors_done_step, 128);
  EXPECT_EQ(derived_data.cliffs_done_step, 128);
  EXPECT_EQ(derived_data.shades_done_step, 128);
  EXPECT_EQ(derived_data.palette_stale, 128);
  EXPECT_EQ(topo_zoom, 129 / 16);  // the whole landscape on the map
}

TEST_F(ViewResetStateTest, TwiceGivesTheSameStateAsOnce) {
  disturb();
  reset_view_state();
  const Snapshot once = snapshot();
  reset_view_state();
  EXPECT_TRUE(snapshot() == once);
}

}  // namespace
