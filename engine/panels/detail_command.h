// The control panel's surface-detail command: level buttons, and the two thresholds asked for with Shift.
#pragma once

#include <cstdint>

// The surface-detail buttons (level 0..4): level 0 turns detail off, a level above 0 after level 0 turns
// it on. With Shift held, the maximum polygon size and recursion depth are asked for afterwards.
void surface_detail_command(int32_t level);
