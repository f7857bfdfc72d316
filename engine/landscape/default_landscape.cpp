// The default terrain that every resize starts from: 1 to 4 m ground and a stepped pyramid of 30 m terraces.
#include "engine/core/grid.h"
#include "engine/core/random.h"

void make_default_landscape() {
  if (!elevation_rows) return;
  for (int32_t r = 0; r < grid_height; ++r) {
    int16_t* row = elevation_row(r);
    for (int32_t c = 0; c < grid_width; ++c) row[c] = static_cast<int16_t>((random8() & 3) + 1);
  }
  const int32_t cr = land_height / 2, cc = land_width / 2;
  for (int32_t k = 7; k >= 0; --k) {
    const int16_t h = static_cast<int16_t>(240 - 30 * k);
    for (int32_t r = cr - k; r <= cr + k; ++r) {
      if (r < 0 || r >= grid_height) continue;
      int16_t* row = elevation_row(r);
      for (int32_t c = cc - k; c <= cc + k; ++c)
        if (c >= 0 && c < grid_width) row[c] = h;
    }
  }
}
