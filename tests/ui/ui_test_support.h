// Test helpers for the panel toolkit: scripted pointer presses on gadgets and a fresh screen state.
#pragma once

#include "tests/support/headless_host.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/screen.h"

namespace ui_test {

// The canvas point at the middle of a gadget's hit box.
inline void gadget_centre(const PanelRecord& p, const GadgetRecord& g, int32_t* x, int32_t* y) {
  *x = p.x0 + (g.hit_x0 + g.hit_x1) / 2;
  *y = p.y0 + (g.hit_y0 + g.hit_y1) / 2;
}

// A left press at the canvas point, then the release at (rx, ry).
inline void press_release(HeadlessHost& h, int32_t x, int32_t y, int32_t rx, int32_t ry) {
  h.pointer_script.push_back({x, y, kHostButtonLeft});
  h.pointer_script.push_back({rx, ry, 0});
}
inline void press_release(HeadlessHost& h, int32_t x, int32_t y) { press_release(h, x, y, x, y); }

// A left click in the middle of the gadget.
inline void click_gadget(HeadlessHost& h, const PanelRecord& p, const GadgetRecord& g) {
  int32_t x = 0, y = 0;
  gadget_centre(p, g, &x, &y);
  press_release(h, x, y);
}

// Screen and toolkit state as at start-up, with the UI palette built.
inline void fresh_screen() {
  screen_reset_state();
  gui_init(nullptr);
  panel_input_reset();
}

// A static panel of the given size with its own canvas, as the front end would make it.
struct TestPanel {
  PanelRecord panel{};
  Canvas canvas;
  TestPanel(int32_t width, int32_t height) {
    panel.x1 = width - 1;
    panel.y1 = height - 1;
    panel.width = width;
    panel.height = height;
    canvas.resize(width, height);
    panel.canvas = &canvas;
  }
};

}  // namespace ui_test
