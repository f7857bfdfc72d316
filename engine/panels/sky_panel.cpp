// The Sky control panel's gadget table, synchronisation and drawing.
#include "engine/panels/sky_panel.h"

#include <cmath>
#include <cstring>

#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

PanelRecord sky_panel{};

namespace {
using gadget_table::make;
constexpr int32_t kCount = 24;
GadgetRecord gadgets[kCount];
char haze_text[16], moon_text[16], sun_text[16];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord* find(int32_t id) { return gadget_table::find(sky_panel.gadgets, id); }
GadgetRecord label(int32_t x, int32_t y, const char* text) { return make(kGadgetLabel, 0, x, y, 0, text, nullptr); }
GadgetRecord toggle(int32_t y, int32_t id, const char* tip) {
  GadgetRecord g = make(kGadgetButton, 0, 222, y, id, kOn, tip);
  g.extra.off_text = kOff;
  g.state = kGadgetOn;
  return g;
}
GadgetRecord int_field(int32_t x, int32_t y, int32_t id, char* buffer, const char* tip, int32_t range = 0) {
  std::memcpy(buffer, "---------------", 16);
  return make(kGadgetInteger, 0, x, y, id, nullptr, tip, 0, 6, range, buffer, 16);
}
GadgetRecord knob(int32_t x, int32_t y, int32_t id, const char* tip) {
  return make(kGadgetKnob, 0, x, y, id, nullptr, tip, 0, 16);
}
void set_state(int32_t id, bool on) {
  if (GadgetRecord* g = find(id)) g->state = on ? kGadgetOn : kGadgetOff;
}
void set_value(int32_t id, int32_t v) {
  if (GadgetRecord* g = find(id)) g->value = v;
}
void set_knob(int32_t id, float azimuth, float elevation) {
  if (GadgetRecord* g = find(id)) {
    g->value = std::isfinite(azimuth) ? static_cast<int32_t>(azimuth) : 0;
    g->extra.elevation = std::isfinite(elevation) ? static_cast<int32_t>(elevation) : 0;
  }
}
}  // namespace

void sky_panel_create() {
  int32_t i = 0;
  gadgets[i++] = label(30, 8, "  Sky objects and properties  ");
  gadgets[i++] = label(30, 48, "Sky....................");
  gadgets[i++] = toggle(48, 1249, "Enable rendering of the sky.");
  gadgets[i++] = label(30, 76, "Horizon................");
  gadgets[i++] = toggle(76, 1250, "Enable rendering of the horizon.");
  gadgets[i++] = label(30, 104, "Haze density...........");
  gadgets[i++] = int_field(222, 104, 1197, haze_text, "Haze density.");
  gadgets[i++] = label(30, 132, "Clouds.................");
  gadgets[i++] = toggle(132, 1255, "Enable rendering of the clouds, set cloud parameters.");
  gadgets[i - 1].state = kGadgetOff;
  gadgets[i++] = label(30, 160, "Stars and moon.........");
  gadgets[i++] = toggle(160, 1248, "Enable rendering of the moon and stars.");
  gadgets[i - 1].state = kGadgetOff;
  gadgets[i++] = label(30, 216, "Moon position..........");
  gadgets[i++] = knob(230, 216, 1408, "Set the position of the moon.");
  gadgets[i++] = label(30, 244, "Moon size......");
  gadgets[i++] = int_field(158, 244, 1410, moon_text, "Moon size (times true moon size).", 100);
  gadgets[i++] = make(kGadgetHSlider, 0, 30, 272, 1411, nullptr, "Moon size (smaller <--> bigger).", 0, 216, 100);
  gadgets[i++] = label(30, 332, "Sun position...........");
  gadgets[i++] = knob(230, 332, 1160, "Set the position of the sun.");
  gadgets[i++] = label(30, 360, "Sun size.......");
  gadgets[i++] = int_field(158, 360, 1415, sun_text, "Sun size (times true sun size).", 100);
  gadgets[i++] = make(kGadgetHSlider, 0, 30, 388, 1416, nullptr, "Sun size (smaller <--> bigger).", 0, 216, 100);
  gadgets[i++] = make(kGadgetButton, 1, 30, 472, 1361, "    Colors    ", "Select sun, moon, cloud, haze colors.");
  gadgets[i++] = make(kGadgetButton, 1, 158, 472, 1317, "   Textures   ", "Select sun and moon texture maps.");
  gadget_table::link(gadgets, i);
  std::strcpy(sky_panel.name, "Sky");
  sky_panel.id = kPanelSky;
  sky_panel.x0 = 0, sky_panel.y0 = 0, sky_panel.x1 = 300, sky_panel.y1 = 500;
  sky_panel.width = 300, sky_panel.height = 500;
  sky_panel.draw = sky_panel_init;
  sky_panel.event = engine_panel_event;
  sky_panel.gadgets = &gadgets[0];
  control_panels[kPanelSky] = &sky_panel;
}

int32_t sky_panel_sync() {
  if (!sky_panel.gadgets) return 1;
  set_state(1249, render_settings.sky_enabled != 0);
  set_state(1250, render_settings.horizon_enabled != 0);
  set_value(1197, render_settings.haze_density);
  set_state(1255, clouds_enabled != 0);
  SunMoonState& s = sun_moon_state;
  set_state(1248, s.stars_enabled != 0);
  const float x = s.moon_position_x, y = s.moon_position_y, z = s.moon_position_z;
  s.moon_declination = atan2_deg(static_cast<float>(std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y)), z);
  s.moon_azimuth = atan2_deg(x, y) - 90.0f;
  set_knob(1408, s.moon_azimuth, s.moon_declination);
  set_value(1410, s.moon_size);
  set_value(1411, s.moon_size);
  set_knob(1160, light_state.sun_azimuth, light_state.sun_declination);
  set_value(1415, s.sun_size);
  set_value(1416, s.sun_size);
  set_state(1361, false);
  set_state(1317, false);
  return 1;
}

int32_t sky_panel_init(PanelRecord*) {
  if (!sky_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&sky_panel);
  sky_panel_sync();
  draw_gadgets(&sky_panel, sky_panel.gadgets);
  window_stack_pop();
  return 1;
}
