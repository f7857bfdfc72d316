// The status line and the progress read-out as drawn on the map canvas, with their throttles on the virtual clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "tests/support/engine_test.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"

namespace {
class StatusCanvas : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    reset_settings_defaults();
    status_reset_state();
    h->now = 1000;
    topo = topo_canvas();
    std::fill(topo->pixels.begin(), topo->pixels.end(), ui_color_face);
    own.resize(10, 10);
    acquire_dc(&own);  // the engine draws elsewhere meanwhile
  }
  void TearDown() override {
    status_reset_state();
    reset_settings_defaults();
  }
  uint8_t at(int32_t x, int32_t y) const { return topo->pixels[static_cast<size_t>(y) * topo->width + x]; }
  // The strip's pixels (x 30 to 286, rows 1 to 16).
  std::vector<uint8_t> strip() const {
    std::vector<uint8_t> out;
    for (int32_t y = 1; y <= 16; ++y)
      for (int32_t x = 30; x <= 286; ++x) out.push_back(at(x, y));
    return out;
  }
  bool column_has_black(int32_t x) const {
    for (int32_t y = 1; y <= 16; ++y)
      if (at(x, y) == ui_color_black) return true;
    return false;
  }
  ScopedHeadlessHost h;
  Canvas* topo = nullptr;
  Canvas own;
};
}  // namespace

TEST_F(StatusCanvas, StatusTextIsCentredOnTheStripAndThrottled) {
  show_status("Rendering");  // 9 characters: starts at cell 11, x 118
  EXPECT_EQ(current_hwnd, &own);  // the current canvas is given back
  bool black_before = false;
  for (int32_t x = 30; x < 118; ++x) black_before |= column_has_black(x);
  EXPECT_FALSE(black_before);
  EXPECT_TRUE(column_has_black(118 + 1));  // the "R"
  const std::vector<uint8_t> drawn = strip();
  h->advance(30);
  show_status("Other text");  // within 55 ms: not drawn
  EXPECT_EQ(strip(), drawn);
  h->advance(30);
  show_status("Other text");
  EXPECT_NE(strip(), drawn);
  write_canvas_png(*topo, artifacts_folder() + "/ui/status_strip.png");
}

TEST_F(StatusCanvas, ProgressBarAndItsLastStep) {
  show_progress("Rendering", 98, 100);
  h->advance(10);
  show_progress("Rendering", 99, 100);  // the last step draws even 10 ms later
  EXPECT_EQ(at(283, 16), ui_color_text);    // filled to x 283
  EXPECT_EQ(at(284, 16), ui_color_shadow);  // the rest of the strip
  EXPECT_EQ(at(286, 1), ui_color_shadow);
  EXPECT_EQ(at(287, 1), ui_color_face);     // nothing beyond the strip
  EXPECT_EQ(h->titles.back(), "Rendering: 99%");
  // "Rendering: 99%" is 14 characters centred on x 158: from x 102.
  EXPECT_FALSE(column_has_black(101));
  EXPECT_TRUE(column_has_black(103));
  const std::vector<uint8_t> drawn = strip();
  h->advance(10);
  show_progress("Rendering", 50, 100);  // not the last step, within 165 ms: nothing
  EXPECT_EQ(strip(), drawn);
  h->advance(200);
  show_progress("Rendering", -5, 100);  // a negative count never draws left of the strip
  EXPECT_EQ(at(29, 5), ui_color_face);
  EXPECT_EQ(at(31, 16), ui_color_shadow);
  write_canvas_png(*topo, artifacts_folder() + "/ui/progress_strip.png");
}

TEST_F(StatusCanvas, LandscapeNameClearsTheStrip) {
  show_progress("Eroding", 40, 100);
  const std::string saved = landscape_file_name;
  std::snprintf(landscape_file_name, sizeof landscape_file_name, "%s", "island.d4s");
  status_show_landscape_name();
  std::snprintf(landscape_file_name, sizeof landscape_file_name, "%s", saved.c_str());
  for (int32_t x = 30; x <= 286; ++x) EXPECT_NE(at(x, 16), ui_color_shadow) << x;
  EXPECT_EQ(h->titles.back(), "Dalvenor Image");
}
