// Placement of a smaller landscape file: the question, automatic placement and the tile pick on the map.
#include "engine/files/landscape_placement.h"

#include <algorithm>
#include <cmath>

#include "engine/host/host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"

namespace {
constexpr uint32_t kPickTimeoutMs = 10 * 60 * 1000;

// Snaps one axis: whole tiles, at least 0, and the tile kept inside the landscape side.
int32_t snap(int64_t at, int32_t tile, int32_t side) {
  if (tile <= 0) return 0;
  int64_t v = std::max<int64_t>(at, 0) / tile * tile;
  if (v + tile > side) v = std::max<int64_t>(side - tile, 0) / tile * tile;
  return static_cast<int32_t>(v);
}
}  // namespace

void topo_pick_to_tile(int32_t x, int32_t y, int32_t columns, int32_t rows, int32_t* column, int32_t* row) {
  const int64_t c = int64_t{x - kTopoLeft} * land_max_side / kTopoSize;
  const int64_t r = int64_t{kTopoBottom - y} * land_max_side / kTopoSize;
  *column = snap(c, columns, land_width);
  *row = snap(r, rows, land_height);
}

int32_t wait_map_click(int32_t* x, int32_t* y) {
  // Without a map window there is nothing to click on: the pick gives up at once.
  if (!topo_panel) return 0;
  const uint32_t start = host().tick_count();
  for (;;) {
    const int32_t r = panel_event(topo_panel, x, y);
    if (r == kEventClickNoGadget) return 1;
    if (r == kEventRightButton) return 0;
    if (host().tick_count() - start > kPickTimeoutMs) return 0;
    host().sleep_ms(10);
  }
}

int32_t select_region_on_topo(int32_t columns, int32_t rows, int32_t* column, int32_t* row) {
  show_status(" Select Region: ");
  cursor_arrow();
  int32_t x = 0, y = 0;
  if (!wait_map_click(&x, &y)) return 0;
  topo_pick_to_tile(x, y, columns, rows, column, row);
  cursor_wait();
  return 1;
}

int32_t choose_placement(int32_t columns, int32_t rows, int32_t file_x, int32_t file_y, Placement* out) {
  *out = Placement{};
  if (requester("Choose placement mode:", "Manual", "Auto") == 1) {
    if (!select_region_on_topo(columns, rows, &out->column, &out->row)) return 0;
    out->origin_from_file = out->column == 0 && out->row == 0;
    return 1;
  }
  const double c = (double{static_cast<double>(file_x)} - landscape_view.origin_x) / grid_spacing_x;
  const double r = (double{static_cast<double>(file_y)} - landscape_view.origin_y) / grid_spacing_y;
  const bool usable = grid_spacing_x > 0.0f && grid_spacing_y > 0.0f && std::isfinite(c) && std::isfinite(r);
  const double tc = usable ? std::trunc(c) : -1.0, tr = usable ? std::trunc(r) : -1.0;
  if (!usable || tc < 0 || tr < 0 || tc + columns > land_width || tr + rows > land_height) {
    requester("Landscape outside of current region!", "  OK  ", nullptr);
    return 0;
  }
  out->column = static_cast<int32_t>(tc);
  out->row = static_cast<int32_t>(tr);
  return 1;
}
