// The grid of 3 by 3 minimum elevations that the line-of-sight test walks over.
#pragma once

#include <cstdint>

// The highest value in the minimum grid after the last build (32767 before any).
extern int32_t min_elevation_highest;

// At full detail fills min_elevation_rows; the border samples hold -32768 so they never hide anything.
void build_min_elevation_grid();
