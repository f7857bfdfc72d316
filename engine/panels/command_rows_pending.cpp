// Empty command families until their commands are built: their ids do nothing yet.
#include "engine/panels/command_rows.h"

// TODO(command families): each family's own file replaces its empty table here.
const CommandRow light_sky_commands[] = {{0, nullptr}};
const CommandRow terrain_tree_commands[] = {{0, nullptr}};
const CommandRow path_animation_commands[] = {{0, nullptr}};
