// The interactive river, lake and sea commands: undo copies, the map click, the closing question.
#include <cstdint>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/topo_view.h"
#include "engine/landscape/water.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {

// Cover cells into min_elevation_rows and elevations into shade_rows; when they cannot be had the user may go on
// without a way back (false in `undo`) or cancel (false result).
bool take_undo_copies(bool* undo) {
  *undo = min_elevation_rows && shade_rows && elevation_rows && cover_rows;
  if (*undo) {
    for (int32_t y = 0; y < grid_height; ++y) {
      copy_u16(cover_rows[y], min_elevation_rows[y], grid_width);
      copy_u16(elevation_rows[y], shade_rows[y], grid_width);
    }
    return true;
  }
  return requester("Not Enough memory for UNDO buffer.", "Continue", "Cancel") == 1;
}

void restore_undo_copies() {
  for (int32_t y = 0; y < grid_height; ++y) {
    copy_u16(min_elevation_rows[y], cover_rows[y], grid_width);
    copy_u16(shade_rows[y], elevation_rows[y], grid_width);
  }
}

// With the whole landscape on the map, asks the question; false (and the grids restored) on "  No  ".
bool accept(const char* question) {
  int32_t cx = 0, cy = 0, zoom = 0;
  topo_get_view(&cx, &cy, &zoom);
  topo_reset_view();
  const bool yes = requester(question, "  Yes ", "  No  ") == 1;
  if (!yes) restore_undo_copies();
  topo_set_view(cx, cy, zoom);
  return yes;
}

// The sample under a map click, as the river and lake commands take it.
void click_sample(int32_t x, int32_t y, int32_t* column, int32_t* row) {
  float wx = 0.0f, wy = 0.0f;
  topo_to_world(x, y, &wx, &wy);
  world_to_sample(wx, wy, column, row);
}

}  // namespace

int32_t river_command(int32_t x, int32_t y) {
  bool undo = false;
  if (!take_undo_copies(&undo)) return -1;
  int32_t column = 0, row = 0;
  click_sample(x, y, &column, &row);
  create_river(column, row);
  if (undo && !accept("Accept river?")) return -1;
  return 1;
}

int32_t lake_command(int32_t x, int32_t y) {
  bool undo = false;
  if (!take_undo_copies(&undo)) return -1;
  int32_t column = 0, row = 0;
  click_sample(x, y, &column, &row);
  if (column >= 0 && column <= land_width && row >= 0 && row <= land_height) {
    int32_t level = elevation_row(row)[column];
    value_requester("Desired lake level:", "  OK  ", nullptr, &level);
    create_lake(column, row, level);
  }
  if (undo && !accept("Accept lake?")) return -1;
  return 1;
}

int32_t sea_command() {
  bool undo = false;
  if (!take_undo_copies(&undo)) return -1;
  if (requester("Erase old Rivers/Lakes/Seas?", "  Yes ", "  No  ") == 1) clear_colors();
  show_status("Creating sea");
  const float camera_before = camera_state.camera_z, target_before = camera_state.target_z;
  create_sea();
  camera_state.camera_z -= static_cast<float>(terrain_settings.sea_level);
  camera_state.target_z -= static_cast<float>(terrain_settings.sea_level);
  derived_data.landscape_changed = 1;
  scan_elevation_range();
  main_panels_redraw();
  if (undo && !accept("Accept Sea?")) {
    // The heights from before, exactly: adding the level back could round in floating point.
    camera_state.camera_z = camera_before;
    camera_state.target_z = target_before;
    scan_elevation_range();
    return -1;
  }
  return 1;
}
