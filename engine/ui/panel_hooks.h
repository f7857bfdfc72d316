// Redraw requests that the control panels answer; the layers below the panels call them through here.
#pragma once

struct PanelRecord;

// Redraws the Topo panel (rebuilding the map when landscape_changed is set) and the Preview panel.
void main_panels_redraw();
// The Topo panel's "BB" button follows bbox_enabled (panel_ops.cpp).
void sync_bbox_button();
// The window stack of the engine's drawing: push the current window, make the Topo canvas current, pop
// (the screen layer, screen.cpp).
void window_stack_push();
void use_topo_window();
void window_stack_pop();
// Redraws the wire-frame preview.
void preview_refresh();
// Lets the panel bring its gadgets up to date and redraws it (panel_ops.cpp).
void redraw_panel(PanelRecord* panel);
