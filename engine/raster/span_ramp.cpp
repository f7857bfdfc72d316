// Flat spans written in one pass: the stepped colour, its dither offsets and the store into both frame buffers.
#include "engine/raster/span_ramp.h"

#include <algorithm>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/span_output.h"
#include "engine/raster/span_ramp_pixels.h"

namespace {

inline uint8_t top_byte(uint16_t v) { return static_cast<uint8_t>(v >> 8); }

inline void step_ramp(SpanRamp* ramp) {
  line_stepper_advance_masked(&ramp->r);
  line_stepper_advance_masked(&ramp->g);
  line_stepper_advance_masked(&ramp->b);
}

}  // namespace

SpanRamp stepped_ramp(int32_t first, int32_t last, uint16_t r0, uint16_t g0, uint16_t b0, uint16_t r1, uint16_t g1,
                      uint16_t b1, uint8_t alpha, uint8_t slot) {
  SpanRamp ramp{};
  line_stepper_init(&ramp.r, first, last, r0, r1);
  line_stepper_init(&ramp.g, first, last, g0, g1);
  line_stepper_init(&ramp.b, first, last, b0, b1);
  ramp.constant = false;
  ramp.alpha = alpha;
  ramp.slot = slot;
  ramp.low = std::min({top_byte(r0), top_byte(g0), top_byte(b0), top_byte(r1), top_byte(g1), top_byte(b1)});
  ramp.high = std::max({top_byte(r0), top_byte(g0), top_byte(b0), top_byte(r1), top_byte(g1), top_byte(b1)});
  return ramp;
}

void output_ramp(int32_t y, int32_t first, int32_t last, const SpanRamp& ramp_in) {
  if (last < first) return;
  // The dither stream moves once per span, before the frame buffers are looked at, as for every span.
  SpanDitherKind kind = SpanDitherKind::none;
  SpanDither dither;
  dither.index = 0;
  dither.reach = 0;
  if (render_settings.dither_amount != 0) {
    ensure_dither_tables();
    dither.index = static_cast<uint8_t>(dither_random());
    kind = render_settings.dither_type == 1 ? SpanDitherKind::ordered : SpanDitherKind::random;
  }
  const int32_t end = span_row_end(y, last);
  if (end < 0) return;
  const SpanRamp* use = &ramp_in;
  SpanRamp cut;
  if (first < 0) {
    // Columns left of the image are stepped over, colour and noise alike.
    cut = ramp_in;
    const uint32_t skip = 0u - static_cast<uint32_t>(first);
    for (uint32_t i = 0; i < skip && !cut.constant; ++i) step_ramp(&cut);
    dither.index = (dither.index + 3u * skip) & 255u;
    first = 0;
    use = &cut;
  }
  const SpanRamp& ramp = *use;
  if (end < first) return;
  const int32_t n = end - first + 1;
  uint32_t* p24 = vidmem24_row(y) + first;
  uint8_t* p8 = vidmem8_row(y) + first;
  if (kind == SpanDitherKind::ordered) {
    for (int32_t k = 0; k < 4; ++k) {
      const int32_t d = dither_matrix_at(first + k, y);
      dither.ordered[k] = d;
      dither.ordered_packed[k] = static_cast<uint32_t>(d) * 0x10101u;
      dither.reach = std::max({dither.reach, d, -d});
    }
  } else if (kind == SpanDitherKind::random) {
    dither.reach = dither_noise_reach;
  }
  if (ramp.alpha == 255 && ramp.constant && kind != SpanDitherKind::ordered) {
    // The common span, one opaque colour, kept here in small loops rather than in the general pixel loops.
    const int32_t r8 = static_cast<uint16_t>(ramp.r.value) >> 8;
    const int32_t g8 = static_cast<uint16_t>(ramp.g.value) >> 8;
    const int32_t b8 = static_cast<uint16_t>(ramp.b.value) >> 8;
    const uint32_t word =
        pack_pixel(ramp.slot, static_cast<uint32_t>(r8), static_cast<uint32_t>(g8), static_cast<uint32_t>(b8));
    uint32_t index = dither.index;
    write_constant_pixels(p24, p8, n, word, ramp.slot, r8, g8, b8, ramp.low, ramp.high,
                          kind != SpanDitherKind::none, dither.reach, &index);
  } else if (ramp.alpha != 0) {
    write_ramp_pixels(p24, p8, n, ramp, kind, dither);
  }
  if (render_settings.view_mode == 1) show_span_live(y, first, n, p24);
}
