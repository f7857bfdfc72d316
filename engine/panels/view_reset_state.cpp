// The view state after a new landscape: vertical scale, levels, default view, derived data and path.
#include "engine/animation/path_frames.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/view_reset.h"

void reset_view_state() {
  landscape_view.vertical_scale = 1.0f;
  landscape_view.built_vertical_scale = 1.0f;
  scan_elevation_range();
  terrain_settings.sea_level = 0;
  scan_elevation_range();
  render_settings.bbox_enabled = 0;
  default_view_high();
  default_levels();
  clear_colors();
  clear_shades();
  derived_data.landscape_changed = 1;
  topo_reset_view();
  status_show_landscape_name();
  clear_path();
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
  derived_data.shades_done_step = land_width;
  derived_data.palette_stale = land_width;
}
