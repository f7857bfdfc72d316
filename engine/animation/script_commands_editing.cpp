// Script commands that edit the landscape: vertical scale, smoothing, stretching, enlarging, erosion and water.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/landscape_file.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/erosion.h"
#include "engine/landscape/resample.h"
#include "engine/landscape/reshape.h"
#include "engine/landscape/water.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/screen.h"

namespace {

// Grid indices of a position in metres, truncated.
int32_t x_index(double metres) { return trunc_to_i32(metres / grid_spacing_x); }
int32_t y_index(double metres) { return trunc_to_i32(metres / grid_spacing_y); }

int32_t cmd_vertical_scale(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  landscape_view.vertical_scale = args.value[0];
  rescale_vertical();
  scan_elevation_range();
  script_mark_shades_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

// The corner in metres, each first cut to whole metres; the fill 1 interpolates, anything else duplicates.
// The enlarged quarter's lowest ground becomes sea level, like a new landscape's.
int32_t cmd_enlarge(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 3, &args)) return script_error(line);
  const int32_t column = x_index(script_trunc(args.value[0]));
  const int32_t row = y_index(script_trunc(args.value[1]));
  enlarge_region(column, row, script_trunc(args.value[2]) == 1 ? kFillInterpolate : kFillDuplicate);
  scan_elevation_range();
  terrain_settings.sea_level = landscape_view.base_level - 1;
  create_sea();
  terrain_settings.sea_level = 0;
  scan_elevation_range();
  default_levels();
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

int32_t cmd_stretch(int32_t, char*) {
  stretch_landscape();
  scan_elevation_range();
  script_mark_shades_stale();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  return 1;
}

int32_t cmd_smooth(int32_t, char*) {
  smooth_landscape();
  scan_elevation_range();
  script_mark_shades_stale();
  derived_data.landscape_changed = 1;
  return 1;
}

// The sea is made at the level given and then lies at 0; a second number is accepted and has no effect.
int32_t cmd_sea_level(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 2, &args)) return script_error(line);
  terrain_settings.sea_level = script_trunc(args.value[0]);
  create_sea();
  terrain_settings.sea_level = 0;
  scan_elevation_range();
  default_levels();
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  derived_data.landscape_changed = 1;
  scan_elevation_range();
  main_panels_redraw();
  return 1;
}

int32_t cmd_erode(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  erode_landscape(script_trunc(args.value[0]));
  scan_elevation_range();
  script_mark_shades_stale();
  derived_data.landscape_changed = 1;
  return 1;
}

int32_t cmd_make_river(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 2, &args)) return script_error(line);
  create_river(x_index(args.value[0]), y_index(args.value[1]));
  derived_data.landscape_changed = 1;
  return 1;
}

// Two numbers: a lake at the elevation of the sample there (none off the landscape); three: at the level given.
int32_t cmd_make_lake(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 3, &args)) return script_error(line);
  const int32_t column = x_index(args.value[0]), row = y_index(args.value[1]);
  if (args.count == 2) {
    if (column >= 0 && column <= land_width && row >= 0 && row <= land_height)
      create_lake(column, row, elevation_row(row)[column]);
  } else if (args.count >= 3) {
    create_lake(column, row, script_trunc(args.value[2]));
  }
  derived_data.landscape_changed = 1;
  return 1;
}

}  // namespace

const ScriptRoutineRow script_editing_routines[] = {
    {1029, cmd_vertical_scale},  // VerticalScale
    {1030, cmd_enlarge},         // Enlarge
    {1036, cmd_stretch},         // Stretch
    {1043, cmd_smooth},          // Smooth
    {1044, cmd_sea_level},       // SeaLevel
    {1051, cmd_make_river},      // MakeRiver
    {1052, cmd_make_lake},       // MakeLake
    {1291, cmd_erode},           // Erode
    {0, nullptr},
};
