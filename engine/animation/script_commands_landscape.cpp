// Script commands that create or reshape the landscape.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/color_classes.h"
#include "engine/landscape/fractal.h"
#include "engine/landscape/settings.h"

namespace {

int32_t cmd_generate_fractal(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  fractal_seed = script_trunc(args.value[0]);
  generate_fractal_landscape();
  scan_elevation_range();
  sea_level = base_level - 1;
  default_view_high();
  default_levels();
  script_mark_shades_stale();
  script_mark_colors_cliffs_stale();
  landscape_changed = 1;
  return 1;
}

int32_t cmd_fractalize(int32_t, char*) {
  roughen_landscape();
  scan_elevation_range();
  script_mark_shades_stale();
  landscape_changed = 1;
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
  cliff_mode = code == 1181 ? 2 : 1;
  return 1;
}

// Thickness and warp are at least 1; "Temporary" stores the warp without that limit.
int32_t cmd_strata_value(int32_t code, char* line) {
  int32_t value = 0;
  if (code == 1309) {
    ScriptNumbers args;
    if (!script_read_numbers(line, 1, &args)) return script_error(line);
    strata_warp = script_trunc(args.value[0]);
    return 1;
  }
  if (!script_read_whole(line, &value)) return script_error(line);
  if (value < 1) value = 1;
  if (code == 1183) strata_thickness = value;
  if (code == 1184) strata_warp = value;
  return 1;
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
    {0, nullptr},
};
