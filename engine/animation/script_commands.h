// Private to the interpreter: the routine tables of the command families and shared helpers.
#pragma once

#include <cstdint>

// A command routine gets its code and the cleaned line; it returns the line's result.
using ScriptRoutine = int32_t (*)(int32_t code, char* line);

struct ScriptRoutineRow {
  int32_t code;
  ScriptRoutine routine;
};

// Family tables, each ended by a row with a null routine.
extern const ScriptRoutineRow script_control_routines[];   // comments, frames, pause, stop, exit, spawn, priority
extern const ScriptRoutineRow script_folder_routines[];    // the DefaultDir keywords
extern const ScriptRoutineRow script_camera_routines[];    // camera, lens, sun and shading
extern const ScriptRoutineRow script_image_routines[];      // saving and loading images
extern const ScriptRoutineRow script_landscape_routines[];  // creating and reshaping the landscape
extern const ScriptRoutineRow script_editing_routines[];    // scaling, smoothing, enlarging, erosion and water
extern const ScriptRoutineRow script_file_routines[];      // loading landscape files and colour maps
extern const ScriptRoutineRow script_settings_routines[];  // plain settings of landscape, trees, colours, sky and render
extern const ScriptRoutineRow script_cloud_routines[];     // the cloud layer and its pattern
extern const ScriptRoutineRow script_tree_routines[];      // tree kinds per tree class and the mean tree density
extern const ScriptRoutineRow script_import_routines[];    // elevations imported from other programs' files
extern const ScriptRoutineRow script_pending_routines[];   // keywords whose engine operation is not available yet

// Marks shading stale (the next render recomputes it).
void script_mark_shades_stale();
void script_mark_colors_cliffs_stale();
void script_mark_palette_stale();
// After the grid was replaced by a new or imported landscape: colours and shades cleared, vertical scale 1,
// sea level 0, the default view and levels, everything derived marked stale, the panels redrawn.
void script_landscape_replaced();
