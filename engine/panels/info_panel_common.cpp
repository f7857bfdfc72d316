// What the information pop-ups share: centred texts, separator lines and opening and closing one pop-up.
#include "engine/panels/info_panel_common.h"

#include <cstring>

#include "engine/host/frontend_services.h"
#include "engine/panels/info_panels.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

InfoPanelsState info_panels_state;

void draw_centered_text(PanelRecord* panel, int32_t y, const char* text) {
  const int32_t n = static_cast<int32_t>(std::strlen(text));
  panel_draw_label(panel, (372 - n * char_width) / 2, y, text);
}

void draw_separator_line(PanelRecord* panel, int32_t x0, int32_t x1, int32_t y) {
  panel_draw_line(panel, x0 + 4, y, x1 - 4, y, ui_color_shadow);
  panel_draw_line(panel, x0 + 4, y + 1, x1 - 4, y + 1, ui_color_highlight);
}

PanelRecord* info_popup_open(PopupSlot& slot, PanelRecord* parent, const char* title, int32_t height,
                             int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*)) {
  if (popup_alive(slot, draw)) return nullptr;  // already open: no second copy
  pointer_hide();
  PanelRecord* panel = panel_open(parent, title, 0, 0, 0, 372, height, draw, event);
  if (panel) {
    slot = PopupSlot{panel, parent};
    disable_panel_gadgets(parent);
    draw(panel);
  }
  pointer_show();
  cursor_arrow();
  return panel;
}

void info_popup_close(PopupSlot& slot, PanelRecord* panel) {
  if (slot.panel == panel) slot = PopupSlot{};
  ClosePanelWindow(panel);
}

void info_fill(PanelRecord* panel) {
  select_panel_window(panel);
  panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
}

void reset_info_panels_state() { info_panels_state = InfoPanelsState{}; }
