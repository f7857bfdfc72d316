// The pixel loops of one-pass spans, for the span writer: a ramp's pixels with their dither offsets stored into
// both frame buffers.
#pragma once

#include <cstdint>

#include "engine/raster/dither.h"
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

// Stores n pixels of one opaque colour (channel bytes r8, g8, b8 packed with its slot into word) from p24 and p8
// on, undithered or with random noise from the running index, which moves three entries a pixel. Where no channel
// can be clamped (low and high, the least and greatest channel, at least reach inside 0..255), each pixel is the
// word plus the packed offsets of its index: one add instead of three clamped channels, and its slot the word's
// top byte, which no offset carries into.
inline void write_constant_pixels(uint32_t* p24, uint8_t* p8, int32_t n, uint32_t word, uint8_t slot, int32_t r8,
                                  int32_t g8, int32_t b8, int32_t low, int32_t high, bool dithered, int32_t reach,
                                  uint32_t* index) {
  uint32_t at = *index;
  if (!dithered) {
    for (int32_t i = 0; i < n; ++i) {
      p24[i] = word;
      p8[i] = slot;
    }
  } else if (low >= reach && high <= 255 - reach) {
    for (int32_t i = 0; i < n; ++i) {
      const uint32_t pixel = word + dither_noise_packed[at];
      at = (at + 3) & 255u;
      p24[i] = pixel;
      p8[i] = static_cast<uint8_t>(pixel >> 24);
    }
  } else {
    for (int32_t i = 0; i < n; ++i) {
      const int32_t* t = dither_noise_wrapped + at;
      at = (at + 3) & 255u;
      p24[i] = pack_pixel(slot, clamp_channel_byte(r8 + t[1]), clamp_channel_byte(g8 + t[2]),
                          clamp_channel_byte(b8 + t[3]));
      p8[i] = slot;
    }
  }
  *index = at;
}

// Stores the n pixels of the ramp from p24 and p8 on (alpha 1 to 255: alpha 0 is never handed over), dithered by
// kind with the span's offsets.
void write_ramp_pixels(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, SpanDitherKind kind,
                       const SpanDither& dither);
