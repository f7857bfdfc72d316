// A start-up sized landscape with the Topo and Preview panels on headless canvases, for the map, preview and
// command tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/topo_panel.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "tests/support/engine_test.h"
#include "tests/support/headless_host.h"
#include "tests/ui/ui_test_support.h"

class MapFixture : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    topo_init();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    reset_grid_spacing();
    clear_colors();
    topo_panels_init();
    topo_reset_view();
    derived_data.landscape_changed = 1;
  }
  void TearDown() override {
    topo_panel = nullptr;
    set_landscape_size(258, 258);
  }
  // The last status strip text, or "".
  std::string last_status() { return host_->status_texts.empty() ? "" : host_->status_texts.back(); }
  // The map canvas's palette index at a panel pixel.
  static int32_t map_at(int32_t x, int32_t y) {
    const Canvas* c = topo_canvas();
    return c->pixels[static_cast<size_t>(y) * c->width + x];
  }
  // A ramp of hills: elevation grows with the row.
  static void slope() {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = static_cast<int16_t>(r * 4);
    scan_elevation_range();
  }
  ScopedHeadlessHost host_;
};
