// Dots drawn straight onto the topographic map image while an editing operation runs.
#pragma once

#include <cstdint>

// Sets the map image's pixel at panel position (px, py) to the UI palette index; nothing outside the 256 by 256
// map area (x 30 to 285, y 25 to 280) or without a map image. The map panel shows the image when it is drawn.
void map_put_pixel(int32_t px, int32_t py, uint8_t color);
// The UI palette index at a map panel position, 0 outside the map (for tests and redraws).
uint8_t map_pixel(int32_t px, int32_t py);
