// Placeholders for the panels' redraws: there is nothing to draw on yet, so they do nothing.
#include "engine/ui/panel_hooks.h"

// TODO(map and preview panels): the redraws, the "BB" button and the window stack.
void main_panels_redraw() {}
void sync_bbox_button() {}
void window_stack_push() {}
void use_topo_window() {}
void window_stack_pop() {}
// TODO(preview panel): redraw the wire-frame preview.
void preview_refresh() {}
// TODO(panel toolkit): the panel's own redraw.
void redraw_panel(PanelRecord*) {}
