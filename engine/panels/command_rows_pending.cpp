// Empty command families until their commands are built: their ids do nothing yet.
#include "engine/panels/command_rows.h"

// TODO(command families): each family's own file replaces its empty table here.
const CommandRow landscape_commands[] = {{0, nullptr}};
const CommandRow image_render_commands[] = {{0, nullptr}};
const CommandRow file_menu_commands[] = {{0, nullptr}};
