// The Topo panel's record and gadget table, and the full repaint of the map and preview windows.
#include "engine/panels/topo_panel.h"

#include <cstring>

#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/camera_panel.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/preview_panel.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

PanelRecord topo_panel_record{};
PanelRecord preview_panel_record{};

namespace {
using gadget_table::make;
GadgetRecord topo_gadgets[9];
char scroll_v_text[8], scroll_h_text[8];

}  // namespace

void topo_panels_init() {
  topo_gadgets[0] = make(kGadgetVSlider, 0, 301, 11, kTopoScrollV, nullptr, "Scroll topographic map vertically.",
                         topo_center_y, 256, -256, scroll_v_text, sizeof scroll_v_text);
  topo_gadgets[1] = make(kGadgetButton, 0, 10, 122, kTopoZoomIn, "+", "Zoom in on topographic map.");
  topo_gadgets[2] = make(kGadgetButton, 0, 10, 145, kTopoZoomReset, "=", "Reset the topographic map zoom.");
  topo_gadgets[3] = make(kGadgetButton, 0, 10, 168, kTopoZoomOut, "-", "Zoom out on topographic map.");
  topo_gadgets[4] = make(kGadgetHSlider, 0, 16, 296, kTopoScrollH, nullptr, "Scroll topographic map horizontally.",
                         topo_center_x, 256, 256, scroll_h_text, sizeof scroll_h_text);
  topo_gadgets[5] = make(kGadgetButton, 0, 303, 300, kTopoCenterCamera, "C", "Center the topo map around the camera.");
  topo_gadgets[6] = make(kGadgetButton, 0, 318, 300, kTopoCenterTarget, "T", "Center the topo map around the target.");
  topo_gadgets[7] = make(kGadgetButton, 0, 306, 328, kBoundingBoxButton, "BB",
                         "Mark a bounding box (only areas within the box are rendered).");
  topo_gadgets[8] = make(kGadgetButton, 0, 100, 331, 1045, "    Render    ", "Create a new image.");
  PanelRecord& t = topo_panel_record;
  std::strcpy(t.name, "Topo");
  t.id = 0;
  t.x0 = 0, t.y0 = 0, t.x1 = 340, t.y1 = 385, t.width = 340, t.height = 385;
  t.draw = camera_panel_init;  // redrawing the map panel as a sender refreshes the Camera panel
  t.event = topo_panel_event;
  t.gadgets = gadget_table::link(topo_gadgets, 9);
  t.canvas = topo_canvas();
  topo_panel = &t;
  preview_panel_init_record(&preview_panel_record);
  preview_panel_record.canvas = preview_canvas();
}

void main_panels_redraw() {
  // Before the front end has made the map window there is nothing to repaint; the map stays marked for rebuilding.
  if (!topo_panel) return;
  window_stack_push();
  use_topo_window();
  pointer_hide();
  status_show_landscape_name();
  fill_rect(1, -4, 334, 517, ui_color_face);
  if (topo_panel) draw_raised_box(topo_panel, -2, -7, 337, 520);
  if (derived_data.landscape_changed) topo_render();
  topo_blit();
  if (topo_panel) {
    for (const int32_t id : {1045, kTopoScrollH, kTopoScrollV, kTopoCenterCamera, kTopoCenterTarget, kTopoZoomIn,
                             kTopoZoomReset, kTopoZoomOut, kBoundingBoxButton})
      redraw_gadget(topo_panel, id);
    draw_sunken_box(topo_panel, 26, 21, 289, 284);
  }
  topo_redraw();
  window_stack_push();
  use_preview_window();
  preview_panel_redraw();
  window_stack_pop();
  window_stack_pop();
  pointer_show();
}
