// The map and preview on headless canvases, a stand-in Path panel with the gadgets the path commands read,
// the frame array and a small sloping landscape: the stage of the path editor's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/animation/path_camera.h"
#include "engine/animation/path_model.h"
#include "engine/animation/path_spline.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/path_draw.h"
#include "engine/panels/path_editor.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/path_tools.h"
#include "engine/ui/panel_draw.h"
#include "tests/panels/map_fixture.h"
#include "tests/support/map_clicks.h"

class PathEditTest : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    alloc_path_frames();
    ASSERT_NE(path_frames, nullptr);
    using gadget_table::make;
    int i = 0;
    gadgets_[i++] = make(kGadgetButton, 0, 30, 12, 1362, "      Create a new path       ", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 158, 40, 1373, " Closed loop  ", nullptr);
    gadgets_[i++] = make(kGadgetInteger, 0, 222, 68, 1374, nullptr, nullptr, 3000, 6, 0, speed_text_, 16);
    const int32_t tools[][3] = {{1365, 30, 96},  {1366, 158, 96},  {1364, 30, 124}, {1367, 30, 152},
                                {1368, 158, 152}, {1400, 30, 180}, {1401, 158, 180}};
    for (const auto& t : tools) gadgets_[i++] = make(kGadgetButton, 1, t[1], t[2], t[0], "    tool      ", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 158, 236, 1396, " Export path  ", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 30, 264, 1370, "         Preview path         ", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 14, 341, 1376, "+", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 14, 364, 1377, "=", nullptr);
    gadgets_[i++] = make(kGadgetButton, 0, 14, 387, 1378, "-", nullptr);
    gadgets_[i++] = make(kGadgetHSlider, 0, 30, 460, 1372, nullptr, nullptr, 0, 216, 1);
    path_.panel.gadgets = gadget_table::link(gadgets_, i);
    std::snprintf(path_.panel.name, sizeof path_.panel.name, "Path");
    path_.panel.id = kPanelPath;
    control_panels[kPanelPath] = &path_.panel;
    render_settings.topo_click_mode = 1363;
    set_topo_mode(2);
  }
  void TearDown() override {
    control_panels[kPanelPath] = nullptr;
    MapFixture::TearDown();
  }

  // The map pixel of a world point.
  static void pixel(float wx, float wy, int32_t* x, int32_t* y) { world_to_topo(wx, wy, x, y); }
  // Nodes at map pixels, their map pixels recorded as drawing would.
  void nodes_at(std::initializer_list<std::pair<int32_t, int32_t>> pixels) {
    path_node_count = 0;
    for (const auto& p : pixels) {
      float wx, wy;
      topo_to_world(p.first, p.second, &wx, &wy);
      append_path_node(make_path_node(wx, wy), p.first, p.second);
    }
  }
  // A left click on the map sent as the command handler gets it.
  void map_click(int32_t x, int32_t y) { engine_command(1, x, y, topo_panel); }
  // The Path panel's slider value.
  void set_slider(int32_t v) { gadget_table::find(path_.panel.gadgets, 1372)->value = v; }
  GadgetRecord* path_gadget(int32_t id) { return gadget_table::find(path_.panel.gadgets, id); }
  // The messages shown so far, joined by "|".
  std::string messages() {
    std::string s;
    for (const auto& m : host_->messages) s += (s.empty() ? "" : "|") + m.text;
    return s;
  }

  ui_test::TestPanel path_{300, 500};
  GadgetRecord gadgets_[20]{};
  char speed_text_[16] = {};
};
