// The water colour class of a water surface by its slope.
#include "engine/landscape/water_color.h"

#include "engine/core/random.h"

int32_t water_color_for_slope(int32_t slope) {
  if (slope > 45) return 55;
  if (slope > 25) return 54;
  if (slope > 10) return 53;
  // Calm water: the second, lighter colour now and then, so large lakes are not one flat tone.
  return random8() < -95 ? 52 : 51;
}
