// The Water control panel's gadget table, synchronisation and drawing.
#include "engine/panels/water_panel.h"

#include <cmath>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/landscape/waves.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

PanelRecord water_panel{};

namespace {
using gadget_table::make;
GadgetRecord gadgets[20];
char field_text[5][16];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord* find(int32_t id) { return gadget_table::find(water_panel.gadgets, id); }
GadgetRecord label(int32_t y, const char* text) { return make(kGadgetLabel, 0, 30, y, 0, text, nullptr); }
GadgetRecord int_field(int32_t y, int32_t id, int32_t slot, const char* tip) {
  std::memcpy(field_text[slot], "---------------", 16);
  return make(kGadgetInteger, 0, 222, y, id, nullptr, tip, 0, 6, 0, field_text[slot], 16);
}
void set_state(int32_t id, bool on) {
  if (GadgetRecord* g = find(id)) g->state = on ? kGadgetOn : kGadgetOff;
}
void set_value(int32_t id, int32_t v) {
  if (GadgetRecord* g = find(id)) g->value = v;
}
int32_t whole(float v) {
  if (!std::isfinite(v)) return 0;
  if (v >= 2147483520.0f) return 2147483520;
  if (v <= -2147483520.0f) return -2147483520;
  return static_cast<int32_t>(v);
}
}  // namespace

void water_panel_create() {
  int32_t i = 0;
  gadgets[i++] = label(8, "        Water features        ");
  gadgets[i++] = make(kGadgetButton, 1, 30, 56, 1098, "         Create river         ", "Create a river by clicking on the topo map.");
  gadgets[i++] = make(kGadgetButton, 1, 30, 84, 1097, "         Create lake          ", "Create a lake by clicking on the topo map.");
  gadgets[i++] = make(kGadgetButton, 1, 30, 152, 1178, "        Set sea level         ", "Sink the landscape by clicking on the topo map.");
  gadgets[i++] = label(180, "Sea level..............");
  gadgets[i++] = int_field(180, 1194, 0, "Sink the landscape by this many meters.");
  gadgets[i++] = label(248, "Waves..................");
  gadgets[i] = make(kGadgetButton, 0, 222, 248, 1331, kOn, "When on, water is rendered with waves.");
  gadgets[i++].extra.off_text = kOff;
  gadgets[i++] = label(272, "Wave length............");
  gadgets[i++] = int_field(272, 1333, 1, "Length of waves (distance from one wave to the next).");
  gadgets[i++] = label(296, "Wave amplitude.........");
  gadgets[i++] = int_field(296, 1334, 2, "Height of waves (as a percent of length).");
  gadgets[i++] = label(320, "Wave speed.............");
  gadgets[i++] = int_field(320, 1335, 3, "Speed of waves (frames per cycle during animations).");
  gadgets[i++] = label(348, "Wave direction.........");
  gadgets[i++] = make(kGadgetKnob, 0, 230, 348, 1332, nullptr, "Set the direction of the wave source.", 0, 16);
  gadgets[i++] = make(kGadgetButton, 0, 30, 468, 1358, "    Colors    ", "Set the water colors.");
  gadgets[i++] = make(kGadgetButton, 0, 158, 468, 1316, "   Textures   ", "Select 2D texture maps for water.");
  gadget_table::link(gadgets, i);
  std::strcpy(water_panel.name, "Water");
  water_panel.id = kPanelWater;
  water_panel.x0 = 0, water_panel.y0 = 0, water_panel.x1 = 300, water_panel.y1 = 500;
  water_panel.width = 300, water_panel.height = 500;
  water_panel.draw = water_panel_init;
  water_panel.event = engine_panel_event;
  water_panel.gadgets = &gadgets[0];
  control_panels[kPanelWater] = &water_panel;
}

int32_t water_panel_sync() {
  if (!water_panel.gadgets) return 1;
  for (const int32_t id : {1098, 1097, 1178, 1358}) set_state(id, false);
  set_value(1194, terrain_settings.sea_level);
  const WaveSettings& w = wave_settings;
  set_state(1331, w.waves_enabled != 0);
  set_value(1333, whole(w.wave_length));
  set_value(1334, whole(w.wave_height));
  set_value(1335, whole(w.wave_period));
  if (GadgetRecord* k = find(1332)) {
    k->value = whole(180.0f - w.wave_direction);
    k->extra.elevation = 0;
  }
  return 1;
}

int32_t water_panel_init(PanelRecord*) {
  if (!water_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&water_panel);
  panel_fill_rect(&water_panel, 0, 0, water_panel.width, water_panel.height, ui_color_face);
  water_panel_sync();
  draw_gadgets(&water_panel, water_panel.gadgets);
  window_stack_pop();
  return 1;
}
