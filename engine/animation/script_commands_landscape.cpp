// Script commands that create or reshape the landscape.
#include <cmath>
#include <cstdio>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/landscape/fractal.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

namespace {

int32_t cmd_generate_fractal(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  terrain_settings.fractal_seed = script_trunc(args.value[0]);
  generate_fractal_landscape();
  scan_elevation_range();
  terrain_settings.sea_level = landscape_view.base_level - 1;
  default_view_high();
  default_levels();
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

int32_t cmd_fractalize(int32_t, char*) {
  roughen_landscape();
  scan_elevation_range();
  script_mark_shades_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

int32_t cmd_cliffs(int32_t code, char*) {
  if (code == 1178) {
    cliffs_on();
  } else {
    cliffs_off();
  }
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_cliff_threshold(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  set_cliff_angle(script_trunc(args.value[0]));
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_cliff_strata(int32_t code, char*) {
  terrain_settings.cliff_mode = code == 1181 ? 2 : 1;
  return 1;
}

// Thickness and warp are at least 1; "Temporary" stores the warp without that limit.
int32_t cmd_strata_value(int32_t code, char* line) {
  int32_t value = 0;
  if (code == 1309) {
    ScriptNumbers args;
    if (!script_read_numbers(line, 1, &args)) return script_error(line);
    terrain_settings.strata_warp = script_trunc(args.value[0]);
    return 1;
  }
  if (!script_read_whole(line, &value)) return script_error(line);
  if (value < 1) value = 1;
  if (code == 1183) terrain_settings.strata_thickness = value;
  if (code == 1184) terrain_settings.strata_warp = value;
  return 1;
}

// One elevation sample from a position in metres; positions off the grid are ignored.
int32_t cmd_set_altitude(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 3, &args)) return script_error(line);
  if (!(grid_spacing_x > 0.0f) || !(grid_spacing_y > 0.0f) || !elevation_rows) return 1;
  const double xi = std::trunc(static_cast<double>(script_trunc(args.value[0])) / grid_spacing_x);
  const double yi = std::trunc(static_cast<double>(script_trunc(args.value[1])) / grid_spacing_y);
  if (xi < 0.0 || xi > land_width || yi < 0.0 || yi > land_height) return 1;
  elevation_row(static_cast<int32_t>(yi))[static_cast<int32_t>(xi)] =
      static_cast<int16_t>(script_trunc(args.value[2]));
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  return 1;
}

// A new flat landscape: "Auto" keeps the grids, the five sizes make new flat grids.
int32_t cmd_landscape_size(int32_t code, char* line) {
  const int32_t flat_code = code == 1258 ? 1059 : 1054 + (code - 1259);
  int32_t result = 1;
  if (new_flatland(flat_code) != 1) {
    std::snprintf(text_buffer, sizeof text_buffer, "Out of memory: %s", line);
    result = requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
  }
  if (code == 1258) return result;
  script_landscape_replaced();
  return result;
}


}  // namespace

const ScriptRoutineRow script_landscape_routines[] = {
    {1032, cmd_generate_fractal},  // GenerateFractal
    {1033, cmd_fractalize},        // Fractalize
    {1178, cmd_cliffs},            // EnableCliffs
    {1179, cmd_cliffs},            // DisableCliffs
    {1180, cmd_cliff_threshold},   // CliffThreshold
    {1181, cmd_cliff_strata},      // CliffStrataOn
    {1182, cmd_cliff_strata},      // CliffStrataOff
    {1183, cmd_strata_value},      // CliffStrataThickness
    {1184, cmd_strata_value},      // CliffStrataWarp
    {1309, cmd_strata_value},      // Temporary
    {1176, cmd_set_altitude},      // SetAltitude
    {1258, cmd_landscape_size},    // LandscapeSizeAuto
    {1259, cmd_landscape_size},    // LandscapeSizeSmall
    {1260, cmd_landscape_size},    // LandscapeSizeLarge
    {1261, cmd_landscape_size},    // LandscapeSizeHuge
    {1262, cmd_landscape_size},    // LandscapeSizeMega
    {1263, cmd_landscape_size},    // LandscapeSizeOhMyGod
    {0, nullptr},
};

void script_landscape_replaced() {
  clear_colors();
  clear_shades();
  landscape_view.vertical_scale = 1.0f;
  landscape_view.built_vertical_scale = 1.0f;
  terrain_settings.sea_level = 0;
  scan_elevation_range();
  default_view_high();
  default_levels();
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  script_mark_palette_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
}
