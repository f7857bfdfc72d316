// Resets after a new or resized landscape: sample spacing, view state, map view and preview.
#pragma once

#include "engine/ui/panel_hooks.h"  // preview_refresh, for the callers of the resets


// origin_x, origin_y, origin_z := 0 and grid_spacing_x, grid_spacing_y := 30.0 metres.
void reset_sample_spacing();
// The view, levels and derived data back to their defaults after a new landscape.
void reset_view_state();
// Centres the topographic map, zooms it to the whole landscape and redraws it.
void topo_reset_view();
