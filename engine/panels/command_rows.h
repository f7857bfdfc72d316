// Command families: each family of command ids is a table of rows that the command dispatcher searches.
#pragma once

#include <cstdint>

struct PanelRecord;

// One command id and the body that runs it. x and y carry the pointer position for ids 1 and 3 (relative to
// the panel) and are 0 otherwise; panel is the panel record the command came from.
struct CommandRow {
  int32_t id;
  void (*run)(int32_t command, int32_t x, int32_t y, PanelRecord* panel);
};

// The families, each ended by a row with a null body. A family not built yet is an empty table.
extern const CommandRow dispatch_commands[];         // panel activation, map display, start-up, F10
extern const CommandRow map_commands[];              // map clicks, map modes, keyboard nudging
extern const CommandRow camera_view_commands[];      // camera, lens, view and map-view commands
extern const CommandRow light_sky_commands[];        // light, sky and cloud commands
extern const CommandRow terrain_tree_commands[];     // terrain, water, tree and texture commands
extern const CommandRow landscape_commands[];        // landscape creation and manipulation
extern const CommandRow image_render_commands[];     // image, display and render commands
extern const CommandRow path_animation_commands[];   // path and animation commands
extern const CommandRow file_menu_commands[];        // file, quality and help menu commands

// Every family in search order; the first row with the id runs.
extern const CommandRow* const command_families[];
extern const int32_t command_family_count;
