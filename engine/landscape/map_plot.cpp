// Writing single dots into the map image at panel coordinates (row 0 of the image is the map's bottom row).
#include "engine/landscape/map_plot.h"

#include "engine/landscape/topo_view.h"

namespace {
bool map_cell(int32_t px, int32_t py, int32_t* col, int32_t* row) {
  *col = px - kTopoLeft;
  *row = kTopoBottom - py;
  return topo_image && *col >= 0 && *col < kTopoSize && *row >= 0 && *row < kTopoSize;
}
}  // namespace

void map_put_pixel(int32_t px, int32_t py, uint8_t color) {
  int32_t col = 0, row = 0;
  if (!map_cell(px, py, &col, &row)) return;
  row_of<uint8_t>(topo_image, row)[col] = color;
}

uint8_t map_pixel(int32_t px, int32_t py) {
  int32_t col = 0, row = 0;
  if (!map_cell(px, py, &col, &row)) return 0;
  return row_of<uint8_t>(topo_image, row)[col];
}
