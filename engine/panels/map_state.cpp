// The map panel's interaction state and its reset.
#include "engine/panels/map_state.h"

#include "engine/landscape/topo_view.h"

int32_t keyboard_nudge_mode = 0;
int32_t topo_hover_shown = 0;

void reset_map_state() {
  keyboard_nudge_mode = 0;
  topo_hover_shown = 0;
  topo_mode = 0;
}
