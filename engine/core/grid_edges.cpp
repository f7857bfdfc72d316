// Edge replication of the elevation grid, used by the e key, shrinking and tiled loading.
#include "engine/core/grid_edges.h"

#include "engine/core/grid.h"

void replicate_grid_edges() {
  if (!elevation_rows || land_width < 1 || land_height < 1) return;
  for (int32_t y = 0; y < grid_height; ++y) {
    int16_t* e = elevation_row(y);
    e[land_width] = e[land_width - 1];
    e[land_width + 1] = e[land_width];
  }
  const int16_t* before = elevation_row(land_height - 1);
  int16_t* last = elevation_row(land_height);
  int16_t* guard = elevation_row(land_height + 1);
  for (int32_t x = 0; x < grid_width; ++x) {
    last[x] = before[x];
    guard[x] = last[x];
  }
}
