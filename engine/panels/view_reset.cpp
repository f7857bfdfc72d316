// Resetting the landscape's sample spacing and world origin.
#include "engine/panels/view_reset.h"

#include "engine/core/grid.h"
#include "engine/core/settings.h"

void reset_sample_spacing() {
  origin_x = 0;
  origin_y = 0;
  origin_z = 0;
  reset_grid_spacing();
}
