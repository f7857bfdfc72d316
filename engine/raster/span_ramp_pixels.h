// The pixel loops of one-pass spans, for the span writer: a ramp's pixels with their dither offsets stored into
// both frame buffers.
#pragma once

#include <cstdint>

#include "engine/raster/span_ramp.h"

enum class SpanDitherKind { none, ordered, random };

// The dither offsets of one span: the row's four ordered offsets (column i takes entry i & 3) or the running index
// into the random table.
struct SpanDither {
  int32_t ordered[4];
  uint32_t ordered_packed[4];  // the same offsets as words to add to a pixel, as dither_noise_packed
  int32_t reach;               // the largest offset either way
  uint32_t index;
};

// A dithered channel byte held inside 0..255.
inline uint32_t clamp_channel_byte(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

inline uint32_t pack_pixel(uint32_t slot, uint32_t r, uint32_t g, uint32_t b) {
  return (slot << 24) | (r << 16) | (g << 8) | b;
}

// Stores the n pixels of the ramp from p24 and p8 on (alpha 1 to 255: alpha 0 is never handed over), dithered by
// kind with the span's offsets.
void write_ramp_pixels(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, SpanDitherKind kind,
                       const SpanDither& dither);
