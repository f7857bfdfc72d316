// Resetting the landscape's sample spacing and world origin.
#include "engine/panels/view_reset.h"

#include "engine/core/grid.h"
#include "engine/core/settings.h"

void reset_sample_spacing() {
  landscape_view.origin_x = 0;
  landscape_view.origin_y = 0;
  landscape_view.origin_z = 0;
  reset_grid_spacing();
}
