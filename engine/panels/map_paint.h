// Painting objects and ground classes onto the cover grid by dragging over the map, and erasing them.
#pragma once

#include <cstdint>

// A painting stroke from the panel point (x, y) while a button is held: code 0 erases, 50 to 55 and 88 to 91 are
// colour classes, any other code an object code. Ends when the buttons are released or the pointer leaves the
// landscape; the map image is rebuilt and redrawn when the buttons were released.
void topo_paint_objects(int32_t x, int32_t y, int32_t code);
// Paints one cell with the code (the cell must lie on the landscape).
void paint_cell(int32_t col, int32_t row, int32_t code);
// Removes every object and every road class; water and beach painted by hand stay. Recolours and redraws.
void erase_user_objects();
// The paint code of an object mode button (1337 to 1346, 1351), or -1.
int32_t paint_code_of_mode(int32_t mode);
