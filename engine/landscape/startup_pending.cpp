// Placeholders for the landscape loader and the map panel's services until their
// modules exist. The loader says plainly that it cannot open anything yet; the panel
// services have nothing to draw on yet and do nothing.
#include "engine/landscape/startup_pending.h"

#include <cstdio>

#include "engine/panels/engine_control.h"
#include "engine/panels/requesters.h"

// TODO(landscape files): the landscape loader replaces this.
int32_t load_landscape(const char* path) {
  std::snprintf(text_buffer, sizeof text_buffer, "Cannot open landscape file:\n\"%s\"\nLandscape files cannot be read yet.",
                path ? path : "");
  requester(text_buffer, "  OK  ", nullptr);
  return 0;
}

// TODO(screen layer): UI palette and font.
void gui_init(void (*)()) {}
// TODO(map and preview panels): the redraws, the "BB" button and the window stack.
void main_panels_redraw() {}
void sync_bbox_button() {}
void window_stack_push() {}
void use_topo_window() {}
void window_stack_pop() {}
// TODO(panel toolkit): the panel's own redraw.
void redraw_panel(PanelRecord*) {}
