// The Light control panel's gadget table, synchronisation and drawing.
#include "engine/panels/light_panel.h"

#include <cmath>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/screen.h"

PanelRecord light_panel{};

namespace {
using gadget_table::make;
GadgetRecord gadgets[28];
char decl_text[32], azim_text[32], rough_text[16], contrast_text[16], bright_text[16];
char contrast_hex[3], bright_hex[3];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord* find(int32_t id) { return gadget_table::find(light_panel.gadgets, id); }
GadgetRecord label(int32_t x, int32_t y, const char* text) { return make(kGadgetLabel, 0, x, y, 0, text, nullptr); }
GadgetRecord toggle(int32_t y, int32_t id, const char* tip) {
  GadgetRecord g = make(kGadgetButton, 0, 222, y, id, kOn, tip);
  g.extra.off_text = kOff;
  return g;
}
GadgetRecord int_field(int32_t y, int32_t id, char* buffer, const char* tip) {
  std::memcpy(buffer, "---------------", 16);
  return make(kGadgetInteger, 0, 222, y, id, nullptr, tip, 0, 6, 0, buffer, 16);
}
GadgetRecord float_field(int32_t y, int32_t id, char* buffer, const char* tip) {
  std::memcpy(buffer, "0123456789012345678901234567890", 32);
  return make(kGadgetFloat, 0, 222, y, id, nullptr, tip, 0, 6, 0, buffer, 32);
}
void set_state(int32_t id, bool on) {
  if (GadgetRecord* g = find(id)) g->state = on ? kGadgetOn : kGadgetOff;
}
void set_value(int32_t id, int32_t v) {
  if (GadgetRecord* g = find(id)) g->value = v;
}
int32_t whole(float v) { return std::isfinite(v) ? static_cast<int32_t>(v) : 0; }
}  // namespace

void light_panel_create() {
  int32_t i = 0;
  gadgets[i++] = label(30, 8, "     Lighting properties      ");
  gadgets[i++] = label(30, 72, "Light source........");
  gadgets[i++] = make(kGadgetButton, 64, 230, 35, 1048, "N", "Place the sun in the north at 45 degrees above the horizon.");
  gadgets[i++] = make(kGadgetButton, 64, 198, 72, 1051, "W", "Place the sun in the west at 45 degrees above the horizon.");
  gadgets[i++] = make(kGadgetButton, 64, 262, 72, 1050, "E", "Place the sun in the east at 45 degrees above the horizon.");
  gadgets[i - 1].state = kGadgetOn;
  gadgets[i++] = make(kGadgetButton, 64, 230, 108, 1049, "S", "Place the sun in the south at 45 degrees above the horizon.");
  gadgets[i++] = make(kGadgetKnob, 0, 218, 63, 1160, nullptr, "Place the sun at a custom location.", 0, 16);
  gadgets[i++] = label(30, 140, "Declination............");
  gadgets[i++] = float_field(140, 1218, decl_text, "Sun declination angle (degrees above the horizon).");
  gadgets[i++] = label(30, 168, "Azimuth................");
  gadgets[i++] = float_field(168, 1217, azim_text, "Sun azimuth angle (degrees from north).");
  gadgets[i++] = label(30, 208, "Shadows................");
  gadgets[i++] = toggle(208, 1222, "Enable or disable the rendering of shadows.");
  gadgets[i - 1].state = kGadgetOn;
  gadgets[i++] = label(30, 236, "Irregularity...........");
  gadgets[i++] = int_field(236, 1213, rough_text, "Lighting irregularity (increases apparent roughness).");
  gadgets[i++] = label(30, 264, "Exaggeration...........");
  gadgets[i++] = toggle(264, 1161, "Enable/disable exaggerated shading.");
  gadgets[i++] = label(30, 320, "Contrast...............");
  gadgets[i++] = int_field(320, 1327, contrast_text, "Contrast setting (decimal).");
  gadgets[i++] = make(kGadgetHSlider, 0, 30, 348, 1328, nullptr, "Contrast setting (hex).", 0, 216, 256, contrast_hex,
                      sizeof contrast_hex);
  gadgets[i++] = label(30, 388, "Brightness.............");
  gadgets[i++] = int_field(388, 1329, bright_text, "Brightness setting (decimal).");
  gadgets[i++] = make(kGadgetHSlider, 0, 30, 416, 1330, nullptr, "Brightness setting (hex).", 0, 216, 256, bright_hex,
                      sizeof bright_hex);
  gadgets[i++] = make(kGadgetButton, 1, 30, 468, 1361, "    Colors    ", "Select sun and ambient light colors.");
  gadgets[i++] = make(kGadgetButton, 1, 158, 468, 1317, "   Textures   ", "Select sun and moon texture maps.");
  gadget_table::link(gadgets, i);
  std::strcpy(light_panel.name, "Light");
  light_panel.id = kPanelLight;
  light_panel.x0 = 0, light_panel.y0 = 0, light_panel.x1 = 300, light_panel.y1 = 500;
  light_panel.width = 300, light_panel.height = 500;
  light_panel.draw = light_panel_init;
  light_panel.event = engine_panel_event;
  light_panel.gadgets = &gadgets[0];
  control_panels[kPanelLight] = &light_panel;
}

int32_t light_panel_sync() {
  if (!light_panel.gadgets) return 1;
  const LightState& l = light_state;
  const bool at45 = l.sun_declination == 45.0f;
  set_state(1048, at45 && l.sun_azimuth == 0.0f);
  set_state(1050, at45 && l.sun_azimuth == -90.0f);
  set_state(1049, at45 && l.sun_azimuth == 180.0f);
  set_state(1051, at45 && l.sun_azimuth == 90.0f);
  if (GadgetRecord* k = find(1160)) {
    k->value = whole(l.sun_azimuth);
    k->extra.elevation = whole(l.sun_declination);
  }
  if (GadgetRecord* g = find(1218)) gadget_set_value_float(*g, l.sun_declination);
  if (GadgetRecord* g = find(1217)) gadget_set_value_float(*g, l.sun_azimuth);
  set_state(1222, render_settings.shadows_enabled != 0);
  set_value(1213, render_settings.light_roughness);
  set_state(1161, render_settings.exaggerate_shading != 0);
  set_value(1327, l.contrast);
  set_value(1328, l.contrast);
  set_value(1329, l.brightness);
  set_value(1330, l.brightness);
  return 1;
}

int32_t light_panel_init(PanelRecord*) {
  if (!light_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&light_panel);
  light_panel_sync();
  draw_gadgets(&light_panel, light_panel.gadgets);
  window_stack_pop();
  return 1;
}
