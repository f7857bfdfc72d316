// Services of the file formats and the control panels that start-up and the render start call, until
// their modules provide them: the movie file, and the map panel's redraws and
// window stack.
#pragma once

#include <cstdint>

// Opens a movie file of 24-bit frames: 1 opened, a negative code when it could not be opened.
int32_t avi_open(const char* name, int32_t width, int32_t height, int32_t mode, int32_t frames_per_second);
// Closes the movie opened by avi_open.
void avi_close();

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
