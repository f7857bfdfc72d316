// Script commands that load landscape files and colour maps.
#include <cstring>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/files/byte_order.h"
#include "engine/render/color_scheme_files.h"
#include "engine/files/landscape_header.h"
#include "engine/render/landscape_open_save.h"
#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_hooks.h"

namespace {

// "LoadDEM" name: the loader reports its own errors and the script goes on with the landscape it had.
int32_t cmd_load_landscape(int32_t, char* line) {
  char name[256];
  script_read_word(line, 1, name, sizeof name);
  const int32_t result = load_landscape(name);
  if (result == 0) return 1;
  if (result == 1) {
    // An older file without settings: its vertical scale, a fresh view and fresh levels.
    const float scale = get_f32(old_dem_header + 268);
    landscape_view.vertical_scale = landscape_view.built_vertical_scale = (scale == 0.0f || !(scale == scale)) ? 1.0f : scale;
    scan_elevation_range();
    terrain_settings.sea_level = 0;
    default_view_high();
    default_levels();
    script_mark_shades_stale();
    script_mark_colors_cliffs_stale();
    script_mark_palette_stale();
  } else {
    // The file's settings were applied by the loader; the map's marked region and the elevation range follow.
    sync_bbox_button();
    scan_elevation_range();
  }
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

// "LoadCMap" name: the colour table of an older-format file; anything else changes nothing, silently.
int32_t cmd_load_color_map(int32_t, char* line) {
  char name[256];
  script_read_word(line, 1, name, sizeof name);
  if (load_scheme_old(name) == 1) script_mark_palette_stale();
  return 1;
}

}  // namespace

const ScriptRoutineRow script_file_routines[] = {
    {1045, cmd_load_landscape},  // LoadDEM, LoadLandscape
    {1046, cmd_load_color_map},  // LoadCMap, LoadScheme
    {0, nullptr},
};
