// Erosion passes: one drop per 16 by 16 block at a random offset, with the map dotted where sediment settles.
#include "engine/landscape/erosion.h"

#include <cstdio>

#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/landscape/map_plot.h"
#include "engine/landscape/reshape.h"
#include "engine/landscape/topo_view.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

ErosionState erosion_state;

void reset_erosion_state() { erosion_state = ErosionState{}; }

namespace {

// Four neighbour steps (row, column), twice, so that a rotation reads four entries without wrapping.
constexpr int32_t kSteps[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// One pass over the lattice; false when a stop was requested before it started.
bool erosion_pass(int32_t pass) {
  std::snprintf(text_buffer, sizeof text_buffer, "Press Esc to finish (%d)", pass);
  show_status(text_buffer);
  if (poll_user_abort() == -1) return false;
  random8();
  const int32_t ox = random8() & 15;
  const int32_t oy = random8() & 15;
  for (int32_t y = oy; y <= land_height; y += 16)
    for (int32_t x = ox; x <= land_width; x += 16) erosion_step_draw(y, x);
  return true;
}

// Passes until the count is reached or the user stops; the counter never passes the count, so it cannot overflow.
void run_passes(int32_t passes) {
  erosion_state.passes_run = 0;
  for (int32_t pass = 0; pass < passes; ++pass) {
    if (!erosion_pass(pass)) break;
    erosion_state.passes_run = pass + 1;
  }
}

struct MapView {
  int32_t x, y, zoom;
};
MapView show_whole_map() {
  MapView v{};
  topo_get_view(&v.x, &v.y, &v.zoom);
  topo_reset_view();
  return v;
}

}  // namespace

void erosion_step_draw(int32_t row, int32_t column) {
  if (!elevation_rows) return;
  int32_t y = row, x = column;
  for (;;) {
    if (y < 2 || y > grid_height - 2 || x < 2 || x > grid_width - 2) break;
    int16_t* here = &elevation_row(y)[x];
    // A sample without data takes no sediment, and a drop never runs into one.
    if (*here == kNoDataElevation) break;
    const int32_t r = random8() & 3;
    int32_t best = -1, lowest = 0;
    for (int32_t i = r; i < r + 4; ++i) {
      const int32_t e = elevation_row(y + kSteps[i][0])[x + kSteps[i][1]];
      if (e == kNoDataElevation) continue;
      if (best < 0 || e < lowest) {
        best = i;
        lowest = e;
      }
    }
    if (best < 0) break;
    if (lowest >= *here) {
      // The top of the 16-bit range takes no more sediment instead of wrapping to the no-data marker.
      if (lowest < 32767) *here = static_cast<int16_t>(lowest + 1);
      break;
    }
    y += kSteps[best][0];
    x += kSteps[best][1];
  }
  if (x >= 0 && x <= land_width && y >= 0 && y <= land_height && land_max_side > 0) {
    map_put_pixel(kTopoLeft + 256 * x / land_max_side, kTopoBottom - 256 * y / land_max_side, 0);
  }
}

void erode_landscape(int32_t passes) {
  const MapView saved = show_whole_map();
  user_abort = 0;
  run_passes(passes);
  topo_set_view(saved.x, saved.y, saved.zoom);
}

int32_t erode_command(int32_t passes) {
  const bool undo = min_elevation_rows != nullptr && elevation_rows != nullptr;
  if (undo) {
    for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], min_elevation_rows[y], grid_width);
  } else if (requester("Not Enough memory for UNDO buffer.", "Continue", "Cancel") != 1) {
    return -1;
  }
  const MapView saved = show_whole_map();
  user_abort = 0;
  run_passes(passes);
  int32_t result = 1;
  if (undo && requester("Accept erosion?", "  Yes ", "  No  ") != 1) {
    for (int32_t y = 0; y < grid_height; ++y) copy_u16(min_elevation_rows[y], elevation_rows[y], grid_width);
    result = -1;
  }
  topo_set_view(saved.x, saved.y, saved.zoom);
  return result;
}
