// The objects of one grid cell (trees and houses), drawn right after the cell's terrain.
#pragma once

#include <cstdint>

// Draws the trees and houses of cell (col, row); makes its own view test.
void draw_cell_objects(int32_t row, int32_t col);
