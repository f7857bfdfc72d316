// The grid of 3 by 3 minimum elevations that the line-of-sight test walks over.
#include "engine/render/min_grid.h"

#include <algorithm>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/settings.h"

int32_t min_elevation_highest = 32767;

void build_min_elevation_grid() {
  if (!min_elevation_rows || !elevation_rows || render_settings.grid_step != 1) return;
  // Rows up to land_height read the row after them, which exists (the guard row).
  const int32_t last_row = std::min(land_height, grid_height - 2);
  const int32_t last_col = std::min(land_width - 1, grid_width - 2);
  min_elevation_highest = -32768;
  if (last_row < 1 || last_col < 1) {
    for (int32_t r = 0; r < grid_height; ++r) fill_u16(min_elevation_row(r), grid_width, 0x8000);
    return;
  }
  // Only the border around the computed samples is filled with -32768, and the highest value is taken while
  // the minima are written. Saves a fill and a read of the whole grid per frame.
  for (int32_t r = 0; r < grid_height; ++r) {
    if (r >= 1 && r <= last_row) {
      int16_t* row = min_elevation_row(r);
      row[0] = -32768;
      fill_u16(row + last_col + 1, grid_width - last_col - 1, 0x8000);
    } else {
      fill_u16(min_elevation_row(r), grid_width, 0x8000);
    }
  }
  // Sliding window: the minimum of each column over three rows, then of three neighbouring column minima.
  std::vector<int16_t> column_min(static_cast<size_t>(grid_width));
  int32_t highest = -32768;
  for (int32_t r = 1; r <= last_row; ++r) {
    const int16_t* a = elevation_row(r - 1);
    const int16_t* b = elevation_row(r);
    const int16_t* c = elevation_row(r + 1);
    for (int32_t x = 0; x <= last_col + 1; ++x) column_min[x] = std::min({a[x], b[x], c[x]});
    int16_t* out = min_elevation_row(r);
    int16_t row_highest = -32768;
    for (int32_t x = 1; x <= last_col; ++x) {
      out[x] = std::min({column_min[x - 1], column_min[x], column_min[x + 1]});
      row_highest = std::max(row_highest, out[x]);
    }
    highest = std::max<int32_t>(highest, row_highest);
  }
  min_elevation_highest = highest;
}
