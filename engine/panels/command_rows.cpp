// The list of command families the dispatcher searches.
#include "engine/panels/command_rows.h"

const CommandRow* const command_families[] = {
    dispatch_commands,     map_commands,          camera_view_commands,    light_sky_commands, terrain_tree_commands,
    landscape_commands,    image_render_commands, path_animation_commands, file_menu_commands,
};
const int32_t command_family_count = static_cast<int32_t>(sizeof command_families / sizeof command_families[0]);
