// Services of the file formats and the control panels that start-up and the render start call, until
// their modules provide them: the landscape loader, the movie file, and the map panel's redraws and
// window stack.
#pragma once

#include <cstdint>

// Loads a landscape file: 0 failed (after its message), 1 loaded, 2 loaded with the file's settings.
int32_t load_landscape(const char* path);
// Opens a movie file of 24-bit frames: 1 opened, a negative code when it could not be opened.
int32_t avi_open(const char* name, int32_t width, int32_t height, int32_t mode, int32_t frames_per_second);
// Closes the movie opened by avi_open.
void avi_close();

// Redraws the Topo panel (rebuilding the map when landscape_changed is set) and the Preview panel.
void main_panels_redraw();

// The screen layer (gui_init, the window stack) and the panel toolkit (redraw_panel, sync_bbox_button).
#include "engine/panels/panel_ops.h"
#include "engine/ui/screen.h"
