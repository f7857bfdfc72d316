// Script commands that create or reshape the landscape.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/landscape/camera.h"
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

}  // namespace

const ScriptRoutineRow script_landscape_routines[] = {
    {1032, cmd_generate_fractal},  // GenerateFractal
    {1033, cmd_fractalize},        // Fractalize
    {0, nullptr},
};
