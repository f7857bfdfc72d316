// Exact integer division by a precomputed reciprocal, for the flare's per-pixel steps.
#pragma once

#include <cstdint>

// For divisors 1..2^20 and numerators below 2^20, (n * reciprocal) >> 40 equals n / d exactly:
// the reciprocal exceeds 2^40 / d by e <= d, so the error n * e / 2^40 stays below 1 / d.
constexpr int kFlareDivideShift = 40;
constexpr uint32_t kFlareDivideLimit = 1u << 20;

constexpr uint64_t flare_reciprocal(uint32_t d) { return ((uint64_t{1} << kFlareDivideShift) / d) + 1; }
inline uint32_t flare_divide(uint32_t n, uint64_t reciprocal) {
  return static_cast<uint32_t>((n * reciprocal) >> kFlareDivideShift);
}
