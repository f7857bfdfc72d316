// The sun and the moon: drawing them behind the landscape and their per-frame rotation step.
#pragma once

#include <cstdint>

// Draw the sun and the moon; both return 1 (callers ignore it).
int32_t draw_sun();
int32_t draw_moon();
// After every completed frame: each sun and moon rotation angle grows by its speed.
void advance_sun_moon();
