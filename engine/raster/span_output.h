// Span output: how the pixels of drawn objects reach the frame buffers, with blending and dithering.
#pragma once

#include <cstdint>

#include "engine/raster/frame_buffers.h"

// One pixel of a span. Channels are the 8-bit value times 256.
struct SpanPixel {
  uint16_t b;
  uint16_t g;
  uint16_t r;
  uint8_t alpha;  // 0 keeps the frame's pixel, 255 replaces it, 1 to 254 blend
  uint8_t slot;   // colour slot (ColorClass) of the surface
};
static_assert(sizeof(SpanPixel) == 8);

// The Clouds colour slot: cloud never blends over cloud.
constexpr uint8_t kCloudSlot = 76;

// Room a span buffer needs: a span may run from column 0 to the projection's width inclusive,
// and the projection is at most one frame buffer wide.
constexpr int32_t kSpanCapacity = kMaxFrameSide + 1;

// Writes one span into row `row` of vidmem24 and vidmem8 from column `first`; span[0] belongs to `first`.
// The span holds last - first + 1 pixels; `last` may lie beyond the image (the span is cut there).
// Dithers the span in place first when dither_amount is set. Does nothing when a frame buffer is absent
// or the row lies outside it.
void output_hzline(int32_t row, int32_t first, int32_t last, SpanPixel* span);
