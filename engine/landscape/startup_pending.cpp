// Placeholders for the movie file and the map panel's services until their
// modules exist. The movie says plainly that it cannot open anything yet; the panel
// services have nothing to draw on yet and do nothing.
#include "engine/landscape/startup_pending.h"

#include <cstdio>

#include "engine/panels/engine_control.h"
#include "engine/panels/requesters.h"

// TODO(movie files): the movie writer replaces these.
int32_t avi_open(const char*, int32_t, int32_t, int32_t, int32_t) { return -1001; }
void avi_close() {}

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
