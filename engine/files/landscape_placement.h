// Placing a smaller landscape file inside the current, larger grid: the placement question, the automatic
// placement by origins and the manual pick of a tile on the Topo map.
#pragma once

#include <cstdint>

// The tile under the map point (x, y) for a tile of columns by rows samples: snapped down to whole tiles,
// never negative, and moved back so that the tile lies inside the landscape.
void topo_pick_to_tile(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t* column, int32_t* row);
// Waits for a left click on the Topo map and gives its tile; 1 picked, 0 given up (right button, a stop
// request, or no click within ten minutes).
int32_t select_region_on_topo(int32_t columns, int32_t rows, int32_t* column, int32_t* row);

// Waits for a left click on the Topo map; 1 with its panel position, 0 given up (right button, no click
// within ten minutes, or no map window to click on).
int32_t wait_map_click(int32_t* x, int32_t* y);

struct Placement {
  int32_t column = 0, row = 0;      // where the file's first sample goes
  bool origin_from_file = false;    // the file's origin becomes the landscape's
};
// Asks "Choose placement mode:" and places a file of columns by rows samples (border already taken off)
// whose origin is (file_x, file_y). 1 placed, 0 refused after "Landscape outside of current region!" or
// given up.
int32_t choose_placement(int32_t columns, int32_t rows, int32_t file_x, int32_t file_y, Placement* out);
