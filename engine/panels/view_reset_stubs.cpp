// Placeholders for the view resets whose owners (command handler, map and preview panels) are not built yet.
// Replace this file when reset_view_state, topo_reset_view and preview_refresh exist.
#include "engine/panels/view_reset.h"

// TODO(command handler): vertical scale, levels, derived data, camera path and status line reset.
void reset_view_state() {}
// TODO(map panel): centre (128, 128), zoom land_max_side / 16, rebuild and redraw the map.
void topo_reset_view() {}
// TODO(preview panel): redraw the wire-frame preview.
void preview_refresh() {}
