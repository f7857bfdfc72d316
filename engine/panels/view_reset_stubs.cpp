// Placeholders for the view resets whose owners (command handler, map and preview panels) are not built yet.
// Replace this file when reset_view_state and preview_refresh exist (topo_reset_view is in topo_view.cpp).
#include "engine/panels/view_reset.h"

// TODO(command handler): vertical scale, levels, derived data, camera path and status line reset.
void reset_view_state() {}
// TODO(preview panel): redraw the wire-frame preview.
void preview_refresh() {}
