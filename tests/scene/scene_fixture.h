// A fixture for scene-object tests: start-up settings, a small flat landscape, a camera looking north along
// +y from the south edge, small frame buffers, and a recorder of every polygon the objects submit.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/raster/view_transform.h"
#include "engine/render/visibility.h"
#include "engine/scene/scene_polygons.h"
#include "engine/scene/texture_slots.h"
#include "engine/landscape/tree_classes.h"
#include "tests/support/engine_test.h"

struct RecordedPolygon {
  PolygonRecord record;
  ScenePath path;
  int32_t cull;
};

class SceneTest : public EngineTest {
 protected:
  static std::vector<RecordedPolygon>& recorded() {
    static std::vector<RecordedPolygon> polygons;
    return polygons;
  }
  static void record(const PolygonRecord& r, ScenePath path, int32_t cull) {
    recorded().push_back(RecordedPolygon{r, path, cull});
  }

  void SetUp() override {
    reset_all();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    clear_elevations();
    clear_colors();
    clear_shades();
    ASSERT_EQ(set_image_size(64, 48), 1);
    ASSERT_EQ(allocate_frame_buffers(), 1);
    clear_frame_buffers();
    look_north(3840.0f, 0.0f, 200.0f);
    recorded().clear();
    scene_polygon_observer = record;
  }
  void TearDown() override {
    scene_polygon_observer = nullptr;
    recorded().clear();
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    set_landscape_size(258, 258);
    reset_all();
    image_width = 800;
    image_height = 600;
    proj_width = proj_height = 800;
  }
  static void reset_all() {
    reset_settings_defaults();
    reset_camera_state();
    reset_grid_spacing();
    reset_tree_pick_tables();
    texture_slots_free_all();
    texture_slots_init();
    status_reset_state();
    user_abort = 0;
    los_culling = 0;
    point_distance = 0.0f;
  }
  // The camera at (x, y, z) looking along +y, level.
  static void look_north(float x, float y, float z) {
    camera_state.camera_x = x;
    camera_state.camera_y = y;
    camera_state.camera_z = z;
    camera_state.camera_heading = 0.0f;
    camera_state.camera_pitch = 0.0f;
    camera_state.camera_bank = 0.0f;
    set_view_matrix(0.0f, 0.0f, 0.0f);
  }
  static int32_t count_slot(int32_t slot) {
    int32_t n = 0;
    for (const RecordedPolygon& p : recorded()) n += p.record.vertices[0].slot == slot;
    return n;
  }
  // FNV-1a over every recorded vertex: the polygons a drawing submitted, in order.
  static uint64_t recorded_hash() {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](const void* data, size_t n) {
      const uint8_t* b = static_cast<const uint8_t*>(data);
      for (size_t i = 0; i < n; ++i) {
        h ^= b[i];
        h *= 1099511628211ull;
      }
    };
    for (const RecordedPolygon& p : recorded()) {
      mix(&p.record.count, sizeof p.record.count);
      for (int32_t i = 0; i < p.record.count; ++i) mix(&p.record.vertices[i], sizeof(PolygonVertex));
    }
    return h;
  }

  ScopedHeadlessHost host;
};
