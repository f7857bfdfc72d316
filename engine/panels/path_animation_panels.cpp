// The Path and Animation panels: path editing modes, vehicle choice, speed, frame and altitude read-outs,
// the frame slider, and the animation output buttons.
#include <initializer_list>
#include <cstdio>

#include "engine/animation/path_model.h"
#include "engine/core/settings.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/panel_rows.h"
#include "engine/panels/tool_panels.h"

PanelRecord path_panel{};
PanelRecord animation_panel{};
char path_frame_readout[32];
char path_altitude_readout[32];

namespace {
using namespace panel_rows;
GadgetRecord path_gadgets[20];
GadgetRecord animation_gadgets[10];
char path_speed_text[16], rate_text[16];
MenuItem vehicle_items[8];
constexpr int32_t kPathModeButtons[8] = {1362, 1365, 1366, 1364, 1367, 1368, 1400, 1401};
constexpr int32_t kPathEditorMode = 1363;

void build_vehicle_items() {
  struct Row {
    uint32_t id;
    const char* text;
    const char* tip;
  };
  const Row rows[7] = {{1379, "Glider", "Use glider flight dynamics."},
                       {1380, "Jet", "Use jet flight dynamics."},
                       {1381, "Cruise Missile", "Use cruise missle flight dynamics."},
                       {1382, "Helicopter", "Use helicoptor flight dynamics."},
                       {1383, "Dune Buggy", "Use dune buggy driving dynamics."},
                       {1384, "Motorcycle", "Use motor cycle riding dynamics."},
                       {1385, "Custom", "Customize the vehicle dynamics."}};
  for (int32_t k = 0; k < 7; ++k) vehicle_items[k] = MenuItem{1, 0, rows[k].id, rows[k].text, 0, rows[k].tip, 8, 538};
  vehicle_items[7] = MenuItem{};
}

GadgetRecord readout(int32_t y, char* buffer) {
  GadgetRecord g = gadget_table::make(kGadgetLabel, 0, 30, y, 0, nullptr, nullptr, 0, 0, 0, buffer, 32);
  return g;
}
}  // namespace

void path_panel_create() {
  build_vehicle_items();
  std::snprintf(path_frame_readout, sizeof path_frame_readout, "%-30s", "");
  std::snprintf(path_altitude_readout, sizeof path_altitude_readout, "%-30s", "");
  GadgetRecord* g = path_gadgets;
  int32_t i = 0;
  g[i++] = button(0, 30, 12, 1362, "      Create a new path       ", "Erase any existing nodes and start a new path.");
  GadgetRecord vehicles = gadget_table::make(kGadgetDropDown, 0, 30, 40, 0, " Vehicle type ", "Select a vehicle type.");
  vehicles.extra.items = vehicle_items;
  g[i++] = vehicles;
  g[i++] = button(0, 158, 40, 1373, " Closed loop  ", "Create a closed loop path (the last node is attached to the first).");
  g[i++] = label(30, 68, "Speed..................");
  g[i++] = int_field(222, 68, 1374, 6, path_speed_text, "The average distance between frames -- in centimeters.");
  g[i++] = button(1, 30, 96, 1365, "   Add node   ", "Add another node to the path.");
  g[i++] = button(1, 158, 96, 1366, " Remove node  ", "Remove an individual node.");
  g[i++] = button(1, 30, 124, 1364, "  Edit node   ", "Numerically specify a nodes properties.");
  g[i++] = button(1, 30, 152, 1367, "  Set target  ", "Set a \"target\" (associated with a node).");
  g[i++] = button(1, 158, 152, 1368, " Unset target ", "Remove a \"target\" (associated with a node).");
  g[i++] = button(1, 30, 180, 1400, "   Add roll   ", "Add a barrel roll (associated with a node).");
  g[i++] = button(1, 158, 180, 1401, " Remove roll  ", "Remove a barrel roll (associated with a node).");
  g[i++] = button(0, 158, 236, 1396, " Export path  ", "Export the current path as a script (.SCR) file.");
  g[i++] = button(0, 30, 264, 1370, "         Preview path         ", "See a wire frame animation of the current path.");
  g[i++] = readout(296, path_altitude_readout);
  g[i++] = button(0, 14, 341, 1376, "+", "Zoom in on the altitude display.");
  g[i++] = button(0, 14, 364, 1377, "=", "Reset the altitude display zoom.");
  g[i++] = button(0, 14, 387, 1378, "-", "Zoom out on the altitide display.");
  g[i++] = readout(436, path_frame_readout);
  g[i++] = gadget_table::make(kGadgetHSlider, 0, 30, 460, 1372, nullptr, "Position along path.", 0, 216, 1);
  tool_panel_setup(path_panel, "Path", kPanelPath, path_panel_init, gadget_table::link(g, i));
}

void animation_panel_create() {
  GadgetRecord* g = animation_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 40, "Animation speed........");
  g[i++] = int_field(222, 40, 1117, 6, rate_text, "Playback frame rate for AVI and FLC creation.");
  struct Row {
    int32_t y, id;
    const char* text;
    const char* tip;
  };
  const Row rows[8] = {
      {96, 1114, "          Create AVI          ", "Create an animation in Windows AVI format (direct color)."},
      {124, 1112, "          Create FLC          ", "Create an animation in Autodesk FLC format (palettized color)."},
      {180, 1110, "      Create PCX series       ", "Create an animation as a series of 8bit PCX images."},
      {208, 1108, "      Create BMP series       ", "Create an animation as a series of 24bit BMP images."},
      {236, 1109, "      Create JPG series       ", "Create an animation as a series of 24bit JPG images."},
      {264, 1107, "      Create TGA series       ", "Create an animation as a series of 24bit TGA images."},
      {404, 1116, "          View AVI            ", "View an AVI animation."},
      {432, 1115, "          View FLC            ", "View a FLC animation."},
  };
  for (const Row& r : rows) g[i++] = button(1, 30, r.y, r.id, r.text, r.tip);
  tool_panel_setup(animation_panel, "Animation", kPanelAnimation, animation_panel_init, gadget_table::link(g, i));
}

int32_t path_panel_sync() {
  GadgetRecord* list = path_panel.gadgets;
  if (!list) return 1;
  int32_t& mode = render_settings.topo_click_mode;
  if (mode == 0) mode = kPathEditorMode;
  for (const int32_t id : kPathModeButtons) set_state(list, id, mode == id);
  set_state(list, 1373, get_closed_loop() != 0);
  for (const int32_t id : {1370, 1376, 1377, 1378}) set_state(list, id, false);
  const int32_t frames = get_frame_count();
  if (GadgetRecord* s = gadget_table::find(list, 1372)) {
    s->value = get_current_frame();
    s->range = frames > 0 ? frames : 1;
  }
  set_value(list, 1374, get_path_speed());
  char text[64];
  std::snprintf(text, sizeof text, "Frame %d of %d", get_current_frame(), frames);
  std::snprintf(path_frame_readout, sizeof path_frame_readout, "%-30.31s", text);
  const int32_t z = current_frame_altitude();
  std::snprintf(text, sizeof text, " Z = %-8d   H = %d", z, z - current_frame_ground());
  std::snprintf(path_altitude_readout, sizeof path_altitude_readout, "%-30.31s", text);
  if (altitude_profile_hook) altitude_profile_hook(get_current_frame());
  return 1;
}

int32_t animation_panel_sync() {
  GadgetRecord* list = animation_panel.gadgets;
  if (!list) return 1;
  set_value(list, 1117, animation_state.frame_rate);
  for (const int32_t id : {1114, 1112, 1110, 1108, 1109, 1107, 1116, 1115}) set_state(list, id, false);
  return 1;
}

int32_t path_panel_init(PanelRecord*) {
  // No background fill: the altitude profile area keeps what the path editor drew.
  return tool_panel_draw(path_panel, false, path_panel_sync);
}
int32_t animation_panel_init(PanelRecord*) { return tool_panel_draw(animation_panel, true, animation_panel_sync); }
