// One reset for the whole engine state, so start-up and every test begin from the same values.
#include "engine/app/engine_state.h"

#include "engine/animation/animation_maker.h"
#include "engine/animation/path_model.h"
#include "engine/animation/path_scripts.h"
#include "engine/animation/script_dialog_buffers.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_runner.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/folder_scan.h"
#include "engine/files/landscape_header.h"
#include "engine/files/movie_writer.h"
#include "engine/files/session_section_hooks.h"
#include "engine/files/surface_features.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/erosion.h"
#include "engine/landscape/tree_classes.h"
#include "engine/landscape/water.h"
#include "engine/landscape/waves.h"
#include "engine/panels/color_panel.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/info_panels.h"
#include "engine/panels/map_state.h"
#include "engine/panels/path_editor.h"
#include "engine/panels/region_picks.h"
#include "engine/raster/render_window.h"
#include "engine/render/landscape_open_save.h"
#include "engine/scene/cloud_layer.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/popup_slots.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"
#include "engine/render/elevation_exchange.h"

void reset_engine_state() {
  reset_settings_defaults();
  reset_color_class_settings();
  reset_camera_state();
  reset_wave_settings();
  reset_cloud_settings();
  reset_star_field_state();
  reset_grid_spacing();
  reset_surface_feature_settings();
  reset_erosion_state();
  reset_lake_flood_state();
  reset_map_rubber_band();
  reset_folder_scan();
  reset_landscape_headers();
  reset_landscape_dialogs();
  reset_elevation_exchange_state();
  reset_tree_pick_tables();
  status_reset_state();
  screen_reset_state();
  panel_input_reset();
  draw_xor_box_forget();
  render_window_reset();
  user_abort = 0;
  engine_busy = 0;
  reset_map_state();
  reset_getvect_state();
  reset_popup_slots();
  reset_color_panel_state();
  reset_info_panels_state();
  current_panel = 1293;
  reset_path_state();
  reset_path_script_state();
  reset_path_editor_state();
  reset_script_dialog_buffers();
  reset_movie_codec_options();
  reset_animation_maker_names();
  script_run_fault = ScriptRunFault{};
  script_exit_requested = 0;
}
