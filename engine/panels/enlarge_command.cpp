// The enlarge commands of the Creation panel: what the user is asked and told around the resampling.
#include "engine/panels/enlarge_command.h"

#include <algorithm>

#include "engine/core/grid.h"
#include "engine/landscape/resample.h"
#include "engine/panels/region_picks.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

int32_t enlarge_section_command(int32_t command) {
  int32_t column = 0, row = 0;
  if (command != kCommandEnlargeAll) {
    show_status("Mark Region:");
    if (pick_region_corner(&column, &row) != 1) return -1;
    column = std::max(0, std::min(column, land_width / 2 - 1));
    row = std::max(0, std::min(row, land_height / 2 - 1));
  } else if (!enlarge_all_fits()) {
    requester("Unable to enlarge: a side would exceed 8194 samples.", "  OK  ", nullptr);
    return 0;
  }
  const int32_t fill = requester("Choose fill type:", "Interpolate", "Duplicate") == 1 ? kFillInterpolate : kFillDuplicate;
  show_status("Enlarge");
  if (elevation_rows && shade_rows)
    for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], shade_rows[y], grid_width);
  const int32_t result = command == kCommandEnlargeAll ? enlarge_all(fill) : enlarge_region(column, row, fill);
  show_status("Adjust Height");
  if (result == 0) requester("Unable to enlarge: out of memory", "  OK  ", nullptr);
  return result;
}
