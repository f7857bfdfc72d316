// The water colour class of a water surface by its slope.
#pragma once

#include <cstdint>

// Water class 51..55 for a slope in whole degrees: 55 above 45, 54 above 25, 53 above 10; at 10 or less one draw
// of the general random stream (in its current state) picks 52 one time in eight (a draw below -95), else 51.
int32_t water_color_for_slope(int32_t slope);
