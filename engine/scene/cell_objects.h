// The objects of one grid cell (trees and houses), drawn right after the cell's terrain.
#pragma once

#include <cstdint>

// Draws the tree or house whose object code the cell with upper-left sample (row, col) carries.
void draw_cell_objects(int32_t row, int32_t col);
// 1 when a tree of the given size (metres) standing at the world point (x, y, z) cannot be seen, else 0.
int32_t tree_out_of_view(int32_t x, int32_t y, int32_t z, int32_t size);
