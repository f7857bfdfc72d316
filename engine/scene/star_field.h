// The star field drawn behind everything else of a frame.
#pragma once

#include <cstdint>

// Draws the stars into the frame buffers; returns 1 (callers ignore it).
int32_t draw_stars();
// Builds the star map.
void build_starmap();
