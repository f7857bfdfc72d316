// Tree placement: clears the scattered trees of the current lattice and scatters them anew by tree class.
#include "engine/landscape/tree_scatter.h"

#include <algorithm>
#include <cstdint>

#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/landscape/tree_classes.h"

namespace {

bool scattered_tree(uint8_t object) { return object >= 34 && object <= 37; }

// Highest minus lowest of a cell's four corners.
int32_t height_range(int32_t a, int32_t b, int32_t c, int32_t d) {
  return std::max({a, b, c, d}) - std::min({a, b, c, d});
}

// An elevation sample that holds no data.
constexpr int16_t kNoDataSample = -32768;

}  // namespace

void clear_trees_in_water() {
  if (!cover_rows || render_settings.grid_step < 1) return;
  for (int32_t r = 0; r < land_height; r += render_settings.grid_step) {
    CoverCell* row = cover_row(r);
    for (int32_t c = 0; c < land_width; c += render_settings.grid_step)
      if (row[c].color_class >= 51 && row[c].color_class <= 55 && scattered_tree(row[c].object)) row[c].object = 0;
  }
}

void clear_tree_marks() {
  if (!cover_rows || render_settings.grid_step < 1) return;
  for (int32_t r = 0; r < land_height; r += render_settings.grid_step) {
    CoverCell* row = cover_row(r);
    for (int32_t c = 0; c < land_width; c += render_settings.grid_step)
      if (scattered_tree(row[c].object)) row[c].object = 0;
  }
}

void scatter_trees() {
  if (!cover_rows || !elevation_rows || render_settings.grid_step < 1) return;
  clear_trees_in_water();
  clear_tree_marks();
  const int32_t s = render_settings.grid_step;
  for (int32_t r = 0; r < land_height; r += s) {
    show_progress("Trees", r, land_height);
    CoverCell* cover = cover_row(r);
    const int16_t* e0 = elevation_row(r);
    // The cell's far corners: a cell whose far corners lie beyond the grid has no terrain and gets no tree.
    const bool rows_inside = r + s < grid_height;
    const int16_t* e1 = rows_inside ? elevation_row(r + s) : nullptr;
    for (int32_t c = 0; c < land_width; c += s) {
      const int32_t cls = cover[c].color_class;
      if (cls < kFirstTreeClass || cls > kLastTreeClass || cover[c].object != 0) continue;
      bool level_enough = false;
      if (rows_inside && c + s < grid_width) {
        const int16_t a = e0[c], b = e1[c], d = e0[c + s], f = e1[c + s];
        if (a != kNoDataSample && b != kNoDataSample && d != kNoDataSample && f != kNoDataSample) {
          const int32_t g = height_range(a, b, d, f) / s;
          level_enough = static_cast<float>(g) < grid_spacing_x;
        }
      }
      // The density draw is made for every empty tree-class cell, also where the slope then refuses the tree.
      const int32_t draw = random8() + 128;
      if (draw < tree_settings.tree_density[cls - kFirstTreeClass] && level_enough)
        cover[c].object = static_cast<uint8_t>(pick_tree_kind(cls));
    }
  }
}
