// The highest corner of a grid cell: the renderer's visibility tests and camera placement use it.
#pragma once

#include <cstdint>

// The highest of the four corner elevations of cell (col, row); corners beyond the grid are left out,
// and a cell wholly off the grid gives 0.
int32_t cell_max_elevation(int32_t col, int32_t row);
