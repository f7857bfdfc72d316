// The record set-up and draw steps shared by the tool control panels.
#include <cstring>

#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/tool_panels.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"

void tool_panel_setup(PanelRecord& p, const char* name, int32_t type, int32_t (*draw)(PanelRecord*), GadgetRecord* list) {
  std::strncpy(p.name, name, sizeof p.name - 1);
  p.id = type;
  p.x0 = 0, p.y0 = 0, p.x1 = 300, p.y1 = 500, p.width = 300, p.height = 500;
  p.draw = draw;
  p.event = engine_panel_event;
  p.gadgets = list;
  control_panels[type] = &p;
}

int32_t tool_panel_draw(PanelRecord& p, bool fill, int32_t (*sync)()) {
  if (!p.gadgets) return 1;
  window_stack_push();
  use_panel_window(&p);
  if (fill) panel_fill_rect(&p, 0, 0, p.width, p.height, ui_color_face);
  sync();
  draw_gadgets(&p, p.gadgets);
  window_stack_pop();
  return 1;
}

void tool_panels_create() {
  manipulation_panel_create();
  creation_panel_create();
  placement_panel_create();
  image_panel_create();
  vr_control_panel_create();
  path_panel_create();
  animation_panel_create();
}
