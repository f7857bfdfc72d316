// The scene control panels on headless canvases, with helpers that set a gadget the way a click or an edit
// leaves it and send its command, and that close whatever pop-up the command opened.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "engine/panels/cloud_panel.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/scene_panels.h"
#include "engine/panels/texture_map_panels.h"
#include "engine/panels/tree_control_panel.h"
#include "tests/panels/map_fixture.h"

class SceneCommands : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    scene_panels_create();
    for (int32_t t = kPanelCamera; t <= kPanelTexture; ++t) {
      canvases_[t].resize(300, 500);
      control_panels[t]->canvas = &canvases_[t];
    }
  }
  void TearDown() override {
    close_popups();
    for (int32_t t = kPanelCamera; t <= kPanelTexture; ++t) {
      control_panels[t]->canvas = nullptr;
      control_panels[t] = nullptr;
    }
    MapFixture::TearDown();
  }
  static PanelRecord* panel(int32_t type) { return control_panels[type]; }
  static GadgetRecord& gadget(int32_t type, int32_t id) {
    GadgetRecord* g = gadget_table::find(panel(type)->gadgets, id);
    EXPECT_NE(g, nullptr) << "panel " << type << " has no gadget " << id;
    static GadgetRecord none{};
    return g ? *g : none;
  }
  // Sends the command as the panel's gadget would: state set (buttons), value set (fields and sliders).
  static void press(int32_t type, int32_t id, int32_t state) {
    gadget(type, id).state = state;
    engine_command(static_cast<uint32_t>(id), 0, 0, panel(type));
  }
  static void enter(int32_t type, int32_t id, int32_t value) {
    GadgetRecord& g = gadget(type, id);
    g.value = value;
    if (g.text && g.text_size > 0) std::snprintf(g.text, static_cast<size_t>(g.text_size), "%d", value);
    engine_command(static_cast<uint32_t>(id), 0, 0, panel(type));
  }
  static void enter_float(int32_t type, int32_t id, float value) {
    gadget_set_value_float(gadget(type, id), value);
    engine_command(static_cast<uint32_t>(id), 0, 0, panel(type));
  }
  // Frees every pop-up a command opened, as the front end does once the window has gone.
  static void close_popups() {
    if (getvect_state.panel) {
      PanelRecord* parent = getvect_state.panel->parent;
      panel_free(getvect_state.panel);
      reset_getvect_state();
      enable_panel_gadgets(parent);
    }
    for (PanelRecord* p : {texture_map_panel, cloud_panel, tree_control_panel})
      if (p) panel_free(p);
  }
  // The number of pop-ups on the panel's child stack.
  static int32_t children(int32_t type) {
    int32_t n = 0;
    for (PanelRecord* c = panel(type)->child; c; c = c->sibling) ++n;
    return n;
  }
  Canvas canvases_[kPanelTexture + 1];
};

// The settings the scene commands change, back at their start values between the cases of a table.
#include "engine/core/color_classes.h"
#include "engine/landscape/waves.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
inline void reset_scene_settings() {
  reset_settings_defaults();
  reset_color_class_settings();
  reset_wave_settings();
  reset_cloud_settings();
  reset_star_field_state();
}
