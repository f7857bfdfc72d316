// A map panel with its own canvas for tests of picks on the map, and scripted clicks on it.
#pragma once

#include "engine/ui/panel_ops.h"
#include "tests/support/headless_host.h"
#include "tests/ui/ui_test_support.h"

namespace maptest {

// Stands in as the map window while it lives.
struct ScopedMapPanel {
  ui_test::TestPanel map{640, 480};
  ScopedMapPanel() { topo_panel = &map.panel; }
  ~ScopedMapPanel() {
    topo_panel = nullptr;
    click_latch = 0;
  }
};

// A left click at the map panel's point (x, y).
inline void left_click(HeadlessHost& h, int32_t x, int32_t y) { ui_test::press_release(h, x, y); }
// A right click there.
inline void right_click(HeadlessHost& h, int32_t x, int32_t y) {
  h.pointer_script.push_back({x, y, kHostButtonRight});
  h.pointer_script.push_back({x, y, 0});
}

}  // namespace maptest
