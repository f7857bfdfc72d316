// The Render command: derived data brought up to date, the render window shown by view mode, one frame.
#pragma once

#include <cstdint>

// Sun and ambient light factors from the Sun (77) and Ambient (78) colours at full brightness, split by
// the fourth root of contrast / 255.
void scheme_sky_colors();
// Colour classes, cliffs and shading where stale, the tree pick tables and the 8-bit image palette;
// 1 ready, -1 stopped.
int32_t prepare_render();
// Renders one frame at full grid resolution: 1 rendered, -1 stopped or failed, 0 a frame buffer is missing.
int32_t render_start();
