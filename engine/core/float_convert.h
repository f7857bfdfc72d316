// Checked conversions from floating point to integers: truncation toward zero without undefined behaviour.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero; NaN gives 0 and values beyond the range give the nearest limit.
inline int32_t trunc_to_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

inline int64_t trunc_to_i64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  if (v <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

inline int16_t trunc_to_i16(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 32767.0) return 32767;
  if (v <= -32768.0) return -32768;
  return static_cast<int16_t>(v);
}

// Clamps an integer into [lo, hi].
inline int32_t clamp_i32(int64_t v, int32_t lo, int32_t hi) {
  return v < lo ? lo : (v > hi ? hi : static_cast<int32_t>(v));
}
