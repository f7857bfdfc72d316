// A fixture for camera path tests: a headless host, fresh path records, the frame array and a
// small landscape (flat unless a test shapes it).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/animation/path_model.h"
#include "engine/animation/path_passes.h"
#include "engine/animation/path_scripts.h"
#include "engine/animation/path_spline.h"
#include "engine/animation/script_dialog_buffers.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "tests/support/engine_test.h"

class PathTest : public EngineTest {
 protected:
  void SetUp() override {
    render_abort = 0;
    free_path_frames();
    path_draw_hooks = PathDrawHooks{};
    path_preview_hooks = PathPreviewHooks{};
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    clear_elevations();
    alloc_path_frames();
    ASSERT_NE(path_frames, nullptr);
  }
  void TearDown() override {
    free_path_frames();
    reset_engine_state();
  }

  // A new empty folder under the system's temporary folder.
  static std::filesystem::path make_temp_dir(const char* prefix) {
    std::random_device seed;
    std::mt19937_64 pick(seed());
    for (;;) {
      const auto p = std::filesystem::temp_directory_path() / (prefix + std::to_string(pick()));
      if (std::filesystem::create_directory(p)) return p;
    }
  }


 public:
  // A node at a world point with an altitude and a speed.
  static PathNode node(float x, float y, float z, float speed = 3000.0f) {
    PathNode n{};
    n.x = x;
    n.y = y;
    n.altitude = z;
    n.speed = speed;
    return n;
  }

 protected:
  static void set_nodes(const std::vector<PathNode>& nodes) {
    path_node_count = 0;
    for (const PathNode& n : nodes) ASSERT_EQ(append_path_node(n, 0, 0), 1);
  }
  // Every elevation sample set to h.
  static void fill_elevations(int16_t h) {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = h;
  }
  // Level straight frames along +y, spaced metres apart, at the given altitude.
  static void straight_frames(int32_t count, float spacing, float altitude) {
    path_frame_count = count;
    for (int32_t i = 0; i < count; ++i) {
      PathFrame& f = path_frames[i];
      f = PathFrame{};
      f.x = 3000.0f;
      f.y = 1000.0f + i * spacing;
      f.altitude = altitude;
    }
  }
  static bool all_finite() {
    for (int32_t i = 0; i < path_frame_count; ++i) {
      const PathFrame& f = path_frames[i];
      for (float v : {f.x, f.y, f.altitude, f.bank, f.heading, f.pitch})
        if (!std::isfinite(v)) return false;
    }
    return true;
  }

  ScopedHeadlessHost host;
};
