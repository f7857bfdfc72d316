// The map panel's interaction state: the object the nudge keys move and whether the status line shows the map read-out.
#pragma once

#include <cstdint>

// 0 nothing, 1 the target, 2 the camera: what the arrow and keypad keys move.
extern int32_t keyboard_nudge_mode;
// 1 while the status line shows the map read-out of the pointer.
extern int32_t topo_hover_shown;

// Both back to 0, and the map back to elevation bands.
void reset_map_state();
