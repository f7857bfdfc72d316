// The "Display" pop-up: how the render window shows an image while it is drawn, and the redraw interval.
#include <initializer_list>
#include <cstdint>
#include <cstdio>

#include "engine/core/settings.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/info_panel_common.h"
#include "engine/panels/info_panels.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/requesters.h"

namespace {
using gadget_table::make;
GadgetRecord gadgets[6];
char interval_text[16];
bool in_event = false;

GadgetRecord* build_gadgets() {
  gadgets[0] = make(kGadgetLabel, 0, 68, 10, 0, "   View (while rendering) options   ", nullptr);
  gadgets[1] = make(kGadgetButton, 0, 10, 10, kInfoOk, "  OK  ", nullptr);
  gadgets[2] = make(kGadgetButton, 4, 68, 66, kDisplayDrawn, "View image as it's being drawn",
                    "Watch each polygon as it's being drawn (slow).");
  gadgets[3] = make(kGadgetButton, 4, 68, 122, kDisplayPeriodic, "  Periodically redraw image   ",
                    "Redraw the image every few seconds (fast).");
  gadgets[4] = make(kGadgetLabel, 0, 68, 150, 0, "Redraw interval.......", nullptr);
  gadgets[5] = make(kGadgetInteger, 0, 255, 150, kDisplayInterval, nullptr, "Number of seconds between image redraws.",
                    0, 6, 0, interval_text, sizeof interval_text);
  for (int32_t i : {0, 1, 4}) gadgets[i].help_x = gadgets[i].help_y = 0;
  return gadget_table::link(gadgets, 6);
}

void switch_on(PanelRecord* panel, int32_t id) {
  if (gadget_state(panel, id) != kGadgetOn) gadget_select(panel, id);
}
}  // namespace

void display_panel_sync() {
  gadgets[1].state = kGadgetOff;
  gadgets[2].state = render_settings.view_mode == 1 ? kGadgetOn : kGadgetOff;
  gadgets[3].state = render_settings.view_mode == 2 ? kGadgetOn : kGadgetOff;
  gadgets[5].value = render_settings.redraw_interval;
}

int32_t show_display_panel(PanelRecord* parent) {
  if (popup_alive(info_panels_state.display, draw_display_panel)) return 1;
  build_gadgets();
  display_panel_sync();
  info_popup_open(info_panels_state.display, parent, "Display", 208, draw_display_panel, display_panel_event);
  return 1;
}

int32_t draw_display_panel(PanelRecord* panel) {
  info_fill(panel);
  panel_set_gadgets(panel, &gadgets[0]);
  return 1;
}

void display_panel_event(PanelRecord* panel) {
  if (in_event) return;
  int32_t x = 0, y = 0;
  in_event = true;
  const int32_t e = panel_event(panel, &x, &y);
  in_event = false;
  display_panel_handle(panel, e);
}

void display_panel_handle(PanelRecord* panel, int32_t e) {
  if (in_event || !panel || info_panels_state.display.panel != panel) return;
  in_event = true;
  switch (e) {
    case kDisplayDrawn:
      render_settings.view_mode = 1;
      switch_on(panel, kDisplayDrawn);
      break;
    case kDisplayPeriodic:
      render_settings.view_mode = 2;
      switch_on(panel, kDisplayPeriodic);
      break;
    case kDisplayInterval: {
      int32_t v = gadget_value(panel, kDisplayInterval);
      if (v < 1) {
        v = 1;
        set_gadget_value(panel, kDisplayInterval, v);
      }
      render_settings.redraw_interval = v;
      render_settings.view_mode = 2;
      switch_on(panel, kDisplayPeriodic);
      gadget_deselect(panel, kDisplayDrawn);
      break;
    }
    case kInfoOk:
    case kKeyEventBase + kKeyEsc:
    case kKeyEventBase + kKeyEnter:
      gadgets[1].state = kGadgetOff;
      info_popup_close(info_panels_state.display, panel);
      if (!vidmem8.rows || !vidmem24.rows) {
        char text[64];
        std::snprintf(text, sizeof text, "vidmem8=%x  vidmem24=%x",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(vidmem8.rows)),
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(vidmem24.rows)));
        requester(text, "  OK  ", nullptr);
      }
      break;
    default: break;
  }
  in_event = false;
}
