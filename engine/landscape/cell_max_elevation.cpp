// The highest corner of a grid cell, read without leaving the grid.
#include "engine/landscape/cell_max_elevation.h"

#include "engine/core/grid.h"

int32_t cell_max_elevation(int32_t col, int32_t row) {
  if (!elevation_rows || col < 0 || row < 0 || col >= grid_width || row >= grid_height) return 0;
  // The right and upper corners exist up to the guard sample behind the last landscape sample.
  const bool has_right = col <= land_width && col + 1 < grid_width;
  const bool has_up = row <= land_height && row + 1 < grid_height;
  const int16_t* r0 = elevation_row(row);
  int32_t m = r0[col];
  if (has_right && r0[col + 1] > m) m = r0[col + 1];
  if (has_up) {
    const int16_t* r1 = elevation_row(row + 1);
    if (r1[col] > m) m = r1[col];
    if (has_right && r1[col + 1] > m) m = r1[col + 1];
  }
  return m;
}
