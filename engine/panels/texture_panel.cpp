// The Texture control panel's gadget table, synchronisation and drawing.
#include "engine/panels/texture_panel.h"

#include <cstring>

#include "engine/core/settings.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/render/terrain_quad.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

PanelRecord texture_panel{};

namespace {
using gadget_table::make;
GadgetRecord gadgets[24];
char field_text[2][16];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord label(int32_t y, const char* text) { return make(kGadgetLabel, 0, 30, y, 0, text, nullptr); }
GadgetRecord toggle(int32_t y, int32_t id, const char* tip) {
  GadgetRecord g = make(kGadgetButton, 0, 222, y, id, kOn, tip);
  g.extra.off_text = kOff;
  return g;
}
GadgetRecord int_field(int32_t y, int32_t id, int32_t slot, const char* tip) {
  std::memcpy(field_text[slot], "---------------", 16);
  return make(kGadgetInteger, 0, 222, y, id, nullptr, tip, 0, 6, 0, field_text[slot], 16);
}
void set_state(int32_t id, bool on) {
  if (GadgetRecord* g = gadget_table::find(texture_panel.gadgets, id)) g->state = on ? kGadgetOn : kGadgetOff;
}
void set_value(int32_t id, int32_t v) {
  if (GadgetRecord* g = gadget_table::find(texture_panel.gadgets, id)) g->value = v;
}
}  // namespace

void texture_panel_create() {
  int32_t i = 0;
  gadgets[i++] = label(8, "       Texture controls       ");
  gadgets[i++] = label(64, "3D surface detail......");
  gadgets[i++] = make(kGadgetButton, 8, 218, 64, 1009, "O", "Don't add any 3D surface detail (off).");
  gadgets[i++] = make(kGadgetButton, 8, 234, 64, 1010, "L", "Add a little 3D surface detail.");
  gadgets[i++] = make(kGadgetButton, 8, 250, 64, 1011, "M", "Add a moderate amount of 3D surface detail.");
  gadgets[i++] = make(kGadgetButton, 8, 266, 64, 1012, "H", "Add a lot of 3D surface detail.");
  gadgets[i++] = label(92, "Large scale roughness..");
  gadgets[i++] = int_field(92, 1014, 0, "3D surface detail roughness at large scales.");
  gadgets[i++] = label(120, "Small scale roughness..");
  gadgets[i++] = int_field(120, 1015, 1, "3D surface detail roughness at small scales.");
  gadgets[i++] = label(148, "Horizontal deformation.");
  gadgets[i++] = toggle(148, 1016, "Enables horiztontal deformation as well as vertical.");
  gadgets[i++] = label(204, "Blend colors...........");
  gadgets[i++] = toggle(204, 1226, "Blends colors lending a natural, \"dirty\" look.");
  gadgets[i++] = label(232, "Gouraud coloring.......");
  gadgets[i++] = toggle(232, 1062, "Smear colors lending a water-color effect.");
  gadgets[i++] = make(kGadgetButton, 0, 30, 344, 1317, "        Sky texture maps      ", "Select 2D texture maps for the Sun and Moon.");
  gadgets[i++] = make(kGadgetButton, 0, 30, 372, 1314, "      House texture maps      ", "Select 2D texture maps for buildings and paths.");
  gadgets[i++] = make(kGadgetButton, 0, 30, 400, 1315, "       Tree texture maps      ", "Select 2d texture maps for trees.");
  gadgets[i++] = make(kGadgetButton, 0, 30, 428, 1313, "     Ground texture maps      ", "Select 2D texture maps for the ground.");
  gadgets[i++] = make(kGadgetButton, 0, 30, 456, 1316, "      Water texture maps      ", "Select 2D texture maps for water.");
  gadget_table::link(gadgets, i);
  std::strcpy(texture_panel.name, "Texture");
  texture_panel.id = kPanelTexture;
  texture_panel.x0 = 0, texture_panel.y0 = 0, texture_panel.x1 = 300, texture_panel.y1 = 500;
  texture_panel.width = 300, texture_panel.height = 500;
  texture_panel.draw = texture_panel_init;
  texture_panel.event = engine_panel_event;
  texture_panel.gadgets = &gadgets[0];
  control_panels[kPanelTexture] = &texture_panel;
}

int32_t texture_panel_sync() {
  if (!texture_panel.gadgets) return 1;
  const int32_t level = render_settings.detail_level;
  for (int32_t k = 0; k < 4; ++k) set_state(1009 + k, level == k);
  set_value(1014, fractal_amplitudes[0]);
  set_value(1015, fractal_amplitudes[7]);
  set_state(1016, horizontal_deform != 0);
  set_state(1226, render_settings.blend_colors != 0);
  set_state(1062, render_settings.gouraud_enabled != 0);
  set_state(1313, false);
  return 1;
}

int32_t texture_panel_init(PanelRecord*) {
  if (!texture_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&texture_panel);
  panel_fill_rect(&texture_panel, 0, 0, texture_panel.width, texture_panel.height, ui_color_face);
  texture_panel_sync();
  draw_gadgets(&texture_panel, texture_panel.gadgets);
  window_stack_pop();
  return 1;
}
