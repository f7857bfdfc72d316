// Flat spans of the scan converter written straight into the frame buffers: colours stepped, dithered and stored
// in one pass, without a span buffer.
#pragma once

#include <algorithm>
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

// The steppers of a span whose channels stay at r, g and b. Inline: made once per polygon, and a call returning
// the ramp through memory stalled its first reads.
inline SpanRamp constant_ramp(uint16_t r, uint16_t g, uint16_t b, uint8_t alpha, uint8_t slot) {
  SpanRamp ramp{};
  line_stepper_init(&ramp.r, 0, 1, r, r);
  line_stepper_init(&ramp.g, 0, 1, g, g);
  line_stepper_init(&ramp.b, 0, 1, b, b);
  ramp.constant = true;
  ramp.alpha = alpha;
  ramp.slot = slot;
  const uint8_t rt = static_cast<uint8_t>(r >> 8), gt = static_cast<uint8_t>(g >> 8), bt = static_cast<uint8_t>(b >> 8);
  ramp.low = std::min({rt, gt, bt});
  ramp.high = std::max({rt, gt, bt});
  return ramp;
}
// The steppers of a span whose channels run from (r0, g0, b0) at column first to (r1, g1, b1) at column last.
SpanRamp stepped_ramp(int32_t first, int32_t last, uint16_t r0, uint16_t g0, uint16_t b0, uint16_t r1, uint16_t g1,
                      uint16_t b1, uint8_t alpha, uint8_t slot);

// Does to the frame buffers, the dither stream and the live display exactly what filling a SpanPixel buffer from
// the ramp (columns first to last) and handing it to output_hzline does.
void output_ramp(int32_t row, int32_t first, int32_t last, const SpanRamp& ramp);
