// The Path panel's altitude profile around the current frame: drawing, its vertical zoom, dragging a node's
// altitude, and playing the path in the Preview panel.
#pragma once

#include <cstdint>

struct PanelRecord;

// Recomputed by every profile drawing and used by altitude dragging.
extern float profile_scale;          // pixels per metre
extern int32_t profile_base_altitude;  // altitude at the bottom edge (y 430)

// The Path panel record (null until its window exists).
PanelRecord* path_panel();
// The frame the Path panel's position slider shows, or the current frame while there is no slider.
int32_t path_slider_frame();

// Draws the profile centred on the frame into the Path panel.
void draw_altitude_profile(int32_t frame);
// 1 when the Path panel is current and the point lies in the profile.
int32_t profile_hit(PanelRecord* panel, int32_t x, int32_t y);
// Follows the pointer from a node marker under (x, y) until a left click and moves the node's altitude by
// the rows moved; 1 when a node was moved, else 0.
int32_t drag_node_altitude(int32_t x, int32_t y);
// profile_zoom doubled (at most 32768) or halved (at least 1/32768), nothing without frames; reset to 1.
void profile_zoom_in();
void profile_zoom_reset();
void profile_zoom_out();
// Start values: scale 1, base 0.
void reset_path_profile_state();

// Plays frames from start in the Preview panel at fps frames per second until the last frame or a stop
// request; the camera stays at the last frame shown. Returns the index after the last frame shown.
int32_t preview_path(int32_t start, int32_t fps, int32_t unused);
