// Flat spans of the scan converter written straight into the frame buffers: colours stepped, dithered and stored
// in one pass, without a span buffer.
#pragma once

#include <cstdint>

#include "engine/core/maths.h"

// One span of one opacity and slot whose channels (8-bit values times 256) step evenly from column `first`;
// `constant` marks a span whose three steppers never move. low and high bound the top bytes every channel takes
// along the span (the steppers move monotonically between their two ends).
struct SpanRamp {
  LineStepper r, g, b;
  bool constant;
  uint8_t alpha;
  uint8_t slot;
  uint8_t low, high;
};

// The steppers of a span whose channels stay at r, g and b.
SpanRamp constant_ramp(uint16_t r, uint16_t g, uint16_t b, uint8_t alpha, uint8_t slot);
// The steppers of a span whose channels run from (r0, g0, b0) at column first to (r1, g1, b1) at column last.
SpanRamp stepped_ramp(int32_t first, int32_t last, uint16_t r0, uint16_t g0, uint16_t b0, uint16_t r1, uint16_t g1,
                      uint16_t b1, uint8_t alpha, uint8_t slot);

// Does to the frame buffers, the dither stream and the live display exactly what filling a SpanPixel buffer from
// the ramp (columns first to last) and handing it to output_hzline does.
void output_ramp(int32_t row, int32_t first, int32_t last, const SpanRamp& ramp);
