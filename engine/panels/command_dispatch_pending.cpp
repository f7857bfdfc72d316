// Placeholder dispatcher until the command dispatch is built: commands do nothing yet.
#include "engine/panels/command_dispatch.h"

// TODO(command dispatch): the dispatcher replaces these.
void engine_command(uint32_t, int32_t, int32_t, PanelRecord*) {}
void engine_panel_event(PanelRecord*) {}
void topo_panel_event(PanelRecord*) {}
