// Engine initialisation in its fixed order, and the render window's creation at start-up.
#include "engine/app/engine_init.h"

#include "engine/app/engine_state.h"
#include "engine/animation/path_frames.h"
#include "engine/core/landscape_names.h"
#include "engine/host/host.h"
#include "engine/host/system.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/scene/star_field.h"
#include "engine/scene/cloud_layer.h"
#include "engine/landscape/tree_scatter.h"
#include "engine/core/settings.h"
#include "engine/ui/screen.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"
#include "engine/app/startup.h"
#include "engine/panels/control_panels.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/render/lighting.h"
#include "engine/scene/texture_slots.h"

namespace {
void no_callback() {}
constexpr int32_t kOakKindBit = 2;  // kinds: 1 palm, 2 oak, 4 cactus, 8 pine
}  // namespace

uint64_t ensure_deep_stack() { return system_raise_stack_limit(kDeepStackBytes); }

int32_t pointer_restart() {
  pointer_reset_count();
  pointer_show();
  return 1;
}

int32_t register_render_class() {
  host().render_window_event("register");
  return 1;
}

int32_t create_render_window() {
  if (host().create_render_window() == 1) return 1;
  requester("Could not create render window.", "  OK  ", nullptr);
  return 0;
}

void engine_init() {
  reset_engine_state();
  ensure_deep_stack();
  detect_swapped_buttons();
  gui_init(no_callback);
  pointer_restart();

  change_image_size(800, 600);
  if (set_display_depth(24) != 1) set_display_depth(8);

  cursor_wait();
  show_status("Initializing");

  topo_init();
  startup_hook = startup;
  build_starmap();
  alloc_path_frames();

  set_landscape_size(258, 258);
  set_landscape_name(kStartupLandscapeName);
  sort_palette();
  clear_elevations();
  clear_colors();
  clear_shades();

  init_clouds();
  default_view();
  texture_slots_init();
  for (int32_t tree_class = 56; tree_class <= 59; ++tree_class) tree_mask_add(tree_class, kOakKindBit);
  tree_settings.trees_enabled = 0;

  landscape_view.vertical_scale = 1.0f;
  landscape_view.built_vertical_scale = landscape_view.vertical_scale;
  scheme_sky_colors();
  make_default_landscape();
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
  derived_data.shades_done_step = land_width;

  scan_elevation_range();
  default_view_high();
  default_levels();
  set_detail_level(1, 2);
  main_panels_redraw();
}
