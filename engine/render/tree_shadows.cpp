// Shadow marks of trees and houses on the shade grid, renewed before every full-detail frame.
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/render/lighting.h"

void mark_shadow_cell(int32_t col, int32_t row, int32_t dx, int32_t dy) {
  const int32_t c = col + dx, r = row + dy;
  if (c < 0 || c > land_width || r < 0 || r > land_height) return;
  shade_row(r)[c] |= kShadeObjectShadow;
}

namespace {
bool casts_shadow(uint8_t object) {
  switch (object) {
    case 34: case 35: case 37:  // scattered palm, oak, pine
    case 60: case 61: case 63:  // the same placed by hand
    case 75:                    // house 4
      return true;
    default:
      return false;
  }
}
}  // namespace

void mark_tree_shadows() {
  if (render_settings.grid_step != 1) return;
  const int32_t dx = light_state.light_x256 < 0 ? 1 : 0;
  const int32_t dy = light_state.light_y256 < 0 ? 1 : 0;
  for (int32_t row = 0; row < land_height; ++row) {
    uint16_t* s = shade_row(row);
    for (int32_t col = 0; col < land_width; ++col) s[col] &= static_cast<uint16_t>(~kShadeObjectShadow);
  }
  if (!tree_settings.trees_enabled) return;
  for (int32_t row = 0; row < land_height; ++row) {
    const CoverCell* c = cover_row(row);
    for (int32_t col = 0; col < land_width; ++col)
      if (casts_shadow(c[col].object)) mark_shadow_cell(col, row, dx, dy);
  }
}
