// Explicit two's-complement wrapping for stores and products that the engine lets overflow.
#pragma once

#include <cstdint>

// The low 16 bits of a value as a signed 16-bit number.
inline int16_t wrap16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(v))); }
inline int16_t wrap16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v))); }

// 32-bit arithmetic that wraps modulo 2^32 instead of overflowing.
inline int32_t wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }
inline int32_t mul_wrap32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t add_wrap32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub_wrap32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
// 16-bit product kept to its low 16 bits as a signed value.
inline int16_t mul_wrap16(int32_t a, int32_t b) { return wrap16(mul_wrap32(a, b)); }
// Arithmetic right shift (rounds toward minus infinity), well defined for negative values in C++20.
inline int32_t asr(int32_t v, int n) { return v >> n; }
