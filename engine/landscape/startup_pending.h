// Services of the file formats and the control panels that start-up and the render start call, until
// their modules provide them: the landscape loader and the map panel's redraws and
// window stack.
#pragma once

#include <cstdint>

// Loads a landscape file: 0 failed (after its message), 1 loaded, 2 loaded with the file's settings.
int32_t load_landscape(const char* path);

// Screen layer set-up with an unused callback.
void gui_init(void (*callback)());
// Redraws the Topo panel (rebuilding the map when landscape_changed is set) and the Preview panel.
void main_panels_redraw();
// The Topo panel's "BB" button follows bbox_enabled.
void sync_bbox_button();
// The window stack of the engine's drawing: push the current window, make the Topo canvas current, pop.
void window_stack_push();
void use_topo_window();
void window_stack_pop();

struct PanelRecord;
// Lets the panel bring its gadgets up to date and redraws it.
void redraw_panel(PanelRecord* panel);
