// The dither noise generator and the random and ordered dither tables.
#pragma once

#include <cstdint>

#include "engine/core/settings.h"

struct SpanPixel;

extern constinit thread_local uint32_t dither_seed;         // noise generator state; 1 at start-up, never reseeded
extern int32_t dither_noise[256];    // random offsets in whole colour levels
// dither_noise followed by its first three entries again: the three offsets after any index i are entries i + 1 to
// i + 3, read without wrapping the index.
extern int32_t dither_noise_wrapped[259];
// The three offsets after index i as one word to add to a 0x00RRGGBB pixel: red offset times 65536 plus green
// offset times 256 plus blue offset. Adding it gives each channel its offset whenever no channel leaves 0..255.
extern uint32_t dither_noise_packed[256];
extern int32_t dither_noise_reach;  // the largest offset in dither_noise, either way
extern int32_t dither_matrix[16];    // ordered 4 by 4 offsets, row-major
extern int32_t dither_tables_amount; // the dither_amount the tables were built for; 0 at start-up
extern uint8_t dither_row_index;     // running index into dither_noise for palette conversion

// Next noise value, -128 to 127. Inline: every span draws one.
inline int32_t dither_random() {
  dither_seed = dither_seed * 1103515245u + 12345u;
  return static_cast<int32_t>((dither_seed >> 16) & 255) - 128;
}
// The noise generator as n draws of dither_random leave it, in about log2(n) steps: the generator's step is an
// affine map, and n steps compose into one by squaring. Draws another thread takes cost nothing to pass over.
inline void dither_skip(uint64_t n) {
  uint32_t mul = 1103515245u, add = 12345u;  // the map of 2^i steps
  uint32_t total_mul = 1u, total_add = 0u;   // the map of the steps taken so far
  for (; n != 0; n >>= 1) {
    if (n & 1u) {
      total_mul *= mul;
      total_add = total_add * mul + add;
    }
    add = add * mul + add;
    mul *= mul;
  }
  dither_seed = dither_seed * total_mul + total_add;
}
// Rebuilds both tables from dither_amount.
void build_dither_tables();
// Rebuilds the tables when dither_amount changed since they were built. Inline: asked once per span.
inline void ensure_dither_tables() {
  if (dither_tables_amount != render_settings.dither_amount) build_dither_tables();
}
// The ordered offset for column x of row y (every block of four rows shifted two columns).
inline int32_t dither_matrix_at(int32_t x, int32_t y) {
  const int32_t s = (y & 4) ? 2 : 0;
  return dither_matrix[(y & 3) * 4 + ((x + s) & 3)];
}
// Adds the dither offsets to the span's channels in place (clamped to 0..65535).
void dither_span(SpanPixel* span, int32_t count, int32_t first, int32_t row);
// Palette indexes for the 32-bit pixels of columns first..last of a row, dithered; src[0] is column first.
void row_to_palette_dithered(int32_t first, int32_t last, int32_t row, const uint32_t* src, uint8_t* dst);
// The same from a given starting noise index, without touching the noise generator or dither_row_index (rows
// converted on several threads); returns the index after the row.
uint8_t row_to_palette_dithered_from(int32_t first, int32_t last, int32_t row, const uint32_t* src, uint8_t* dst,
                                     uint8_t index);
