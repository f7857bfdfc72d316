// The cloud pattern feature size the cloud keywords ask for, guarded against a damaged cloud scale.
#pragma once

#include <cstdint>

// 256 / cloud_scale for the scales 2 to 16. Any other scale (0 or a value from a damaged landscape file)
// is taken as the start-up scale 8, so "CloudNumber" and "CloudRandom" never divide by zero or ask the
// generator for a feature size below 16 or above 128.
inline int32_t cloud_feature_for_scale(int32_t cloud_scale) {
  if (cloud_scale < 2 || cloud_scale > 16) cloud_scale = 8;
  return 256 / cloud_scale;
}
