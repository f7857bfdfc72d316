// The "About Landscape" pop-up: file, name and comment (edited in place), world origin and size.
#include <initializer_list>
#include <cstdio>
#include <cstring>

#include "engine/core/grid.h"
#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"
#include "engine/core/text.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/info_panel_common.h"
#include "engine/panels/info_panels.h"
#include "engine/render/landscape_open_save.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"

namespace {
using gadget_table::make;
GadgetRecord gadgets[5];
char utm_x_text[16], utm_y_text[16];
bool in_event = false;

GadgetRecord* build_gadgets() {
  gadgets[0] = make(kGadgetButton, 0, 10, 10, kInfoOk, "  OK  ", nullptr);
  gadgets[1] = make(kGadgetName, 0, 56, 192, kInfoNameField, nullptr, nullptr, 0, 31, 0, landscape_name,
                    static_cast<int32_t>(sizeof landscape_name));
  gadgets[2] = make(kGadgetName, 0, 10, 288, kInfoCommentField, nullptr, nullptr, 0, 44, 0, landscape_description,
                    static_cast<int32_t>(sizeof landscape_description));
  gadgets[3] = make(kGadgetInteger, 0, 72, 368, kInfoUtmXField, nullptr, nullptr, landscape_view.origin_x, 10, 0,
                    utm_x_text, sizeof utm_x_text);
  gadgets[4] = make(kGadgetInteger, 0, 272, 368, kInfoUtmYField, nullptr, nullptr, landscape_view.origin_y, 10, 0,
                    utm_y_text, sizeof utm_y_text);
  for (GadgetRecord& g : gadgets) g.help_x = g.help_y = 0;
  return gadget_table::link(gadgets, 5);
}

void close(PanelRecord* panel, bool keep_origin) {
  if (keep_origin) {
    landscape_view.origin_x = gadgets[3].value;
    landscape_view.origin_y = gadgets[4].value;
  }
  gadgets[0].state = kGadgetOff;
  info_popup_close(info_panels_state.landscape_info, panel);
}
}  // namespace

void landscape_info_file_text(char* out, int32_t size) {
  if (size <= 0) return;
  copy_text(out, landscape_path, static_cast<size_t>(size < 45 ? size : 45));
}

void landscape_info_size_text(char* out, int32_t size) {
  if (size <= 0) return;
  std::snprintf(out, static_cast<size_t>(size), "%0.0lf x %0.0lf meters",
                static_cast<double>(land_width) * grid_spacing_x, static_cast<double>(land_height) * grid_spacing_y);
}

int32_t show_landscape_info_panel(PanelRecord* parent) {
  if (popup_alive(info_panels_state.landscape_info, draw_landscape_info_panel)) return 1;
  build_gadgets();
  info_popup_open(info_panels_state.landscape_info, parent, "About Landscape", 422, draw_landscape_info_panel,
                  landscape_info_panel_event);
  return 1;
}

int32_t draw_landscape_info_panel(PanelRecord* panel) {
  info_fill(panel);
  panel_set_gadgets(panel, &gadgets[0]);
  for (const int32_t y : {41, 137, 233, 326}) draw_separator_line(panel, 0, 371, y);
  panel_draw_label(panel, 100, 8, "Landscape Information Panel");
  const int32_t h = char_height;
  draw_centered_text(panel, 4 * h, "File name");
  char path[45];
  landscape_info_file_text(path, sizeof path);
  draw_centered_text(panel, 6 * h, path);
  draw_centered_text(panel, 10 * h, "LandScape Name");
  draw_centered_text(panel, 16 * h, "Comment");
  draw_centered_text(panel, 336, "UTM Coordinates");
  panel_draw_label(panel, 2 * char_width, 368, "UTM X");
  panel_draw_label(panel, 27 * char_width, 368, "UTM Y");
  landscape_info_size_text(text_buffer, sizeof text_buffer);
  draw_centered_text(panel, 396, text_buffer);
  return 1;
}

void landscape_info_panel_event(PanelRecord* panel) {
  if (in_event) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t e = panel_event(panel, &x, &y);
  if (e == kInfoOk) {
    close(panel, true);
  } else if (e == kKeyEventBase + kKeyEsc || e == kKeyEventBase + kKeyEnter || e == kEventRightButton) {
    close(panel, false);
  }
  in_event = false;
}
