// The map read-out: mode letter, world coordinates with the origin under Ctrl, and the elevation.
#include <gtest/gtest.h>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/panels/cursor_position.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"

namespace {

TEST(CursorPosition, ShowsModeCoordinatesAndElevation) {
  ScopedHeadlessHost host;
  reset_settings_defaults();
  reset_grid_spacing();
  status_reset_state();  // an earlier status drawing must not throttle these
  set_landscape_size(258, 258);
  topo_init();
  elevation_row(10)[20] = 123;
  landscape_view.origin_x = 1000;
  landscape_view.origin_y = 2000;
  struct Case {
    int32_t mode, control, px, py;
    const char* text;
  };
  const Case cases[] = {
      {1, 0, 50, 270, "T  X=600     Y=300     Z=123     "},
      {2, 1, 50, 270, "C  X=1600    Y=2300    Z=123     "},
      {7, 0, 50, 270, "O  X=600     Y=300     Z=123     "},
      {0, 0, 50, 270, "   X=600     Y=300     Z=123     "},
      {5, 0, 29 + 400, 270, "V  X=11970   Y=300     Z=0       "},
  };
  for (const Case& c : cases) {
    render_settings.topo_click_mode = c.mode;
    host->control = c.control;
    show_cursor_position(c.px, c.py);
    EXPECT_STREQ(text_buffer, c.text);
  }
  reset_settings_defaults();
}

}  // namespace
