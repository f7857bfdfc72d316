// The grid of 3 by 3 minimum elevations that the line-of-sight test walks over.
#pragma once

// At full detail fills min_elevation_rows; the border samples hold -32768 so they never hide anything.
void build_min_elevation_grid();
