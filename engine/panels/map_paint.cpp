// Painting and erasing objects on the map.
#include "engine/panels/map_paint.h"

#include <algorithm>

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

int32_t paint_code_of_mode(int32_t mode) {
  static constexpr int32_t codes[] = {60, 61, 62, 63, 72, 73, 74, 75, 50, 51};
  if (mode >= 1337 && mode <= 1346) return codes[mode - 1337];
  if (mode == 1351) return 88;
  return -1;
}

void paint_cell(int32_t col, int32_t row, int32_t code) {
  CoverCell& cell = cover_row(row)[col];
  if (code == 0) {
    if (cell.object) {
      cell.object = 0;
    } else {
      cell.color_class = 0;
      derived_data.colors_done_step = land_width;
      derived_data.cliffs_done_step = land_width;
    }
  } else if ((code >= 50 && code <= 55) || (code >= 88 && code <= 91)) {
    cell.object = 0;
    cell.color_class = static_cast<uint8_t>(code);
  } else {
    cell.object = static_cast<uint8_t>(code);
  }
}

namespace {
void fill_cell_on_map(int32_t col, int32_t row) {
  const CoverCell cell = cover_row(row)[col];
  uint8_t colour = topo_object_color(cell.object);
  if (!colour) colour = topo_class_color(cell.color_class);
  int32_t x0, y0, x1, y1;
  grid_to_topo(col, row, &x0, &y0);
  grid_to_topo(col + 1, row + 1, &x1, &y1);
  if (x1 - 1 > x0) --x1;
  if (y1 + 1 < y0) ++y1;  // the top edge (smaller y on the panel) moved down by one
  x0 = std::max(x0, 30), x1 = std::min(x1, 284);
  y1 = std::max(y1, 25), y0 = std::min(y0, 279);
  if (x0 <= x1 && y1 <= y0) fill_rect(x0, y1, x1, y0, colour);
}
}  // namespace

void topo_paint_objects(int32_t x, int32_t y, int32_t code) {
  if (!cover_rows) return;
  window_stack_push();
  use_topo_window();
  cursor_arrow();
  int32_t last_col = -999, last_row = -999;
  int32_t buttons = 1;
  bool left_landscape = false;
  for (int32_t guard = 0; buttons && guard < 1000000; ++guard) {
    if (x >= 30 && x < 285 && y >= 25 && y < 280) {
      float wx, wy;
      topo_to_world(x, y, &wx, &wy);
      int32_t col, row;
      if (!world_to_sample(wx, wy, &col, &row) || col >= grid_width || row >= grid_height) {
        left_landscape = true;
        break;
      }
      if (col != last_col || row != last_row) {
        paint_cell(col, row, code);
        fill_cell_on_map(col, row);
        last_col = col, last_row = row;
      }
    }
    if (!topo_panel || panel_mouse(topo_panel, &x, &y, &buttons) < 0) break;
  }
  window_stack_pop();
  if (!left_landscape) {
    topo_render();
    topo_redraw();
  }
}

void erase_user_objects() {
  if (!cover_rows) return;
  for (int32_t r = 0; r <= land_height && r < grid_height; ++r) {
    CoverCell* cells = cover_row(r);
    for (int32_t c = 0; c <= land_width && c < grid_width; ++c) {
      cells[c].object = 0;
      if (cells[c].color_class >= 88 && cells[c].color_class <= 91) cells[c].color_class = 0;
    }
  }
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
  color_landscape();
  color_cliffs();
  topo_render();
  topo_redraw();
}
