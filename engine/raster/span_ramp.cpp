// Flat spans written in one pass: the stepped colour, its dither offsets and the store into both frame buffers.
#include "engine/raster/span_ramp.h"

#include <algorithm>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/span_output.h"

namespace {

enum class Dither { none, ordered, random };

inline uint32_t clamp_byte(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

inline uint32_t pack(uint32_t slot, uint32_t r, uint32_t g, uint32_t b) { return (slot << 24) | (r << 16) | (g << 8) | b; }

// The dither offsets of one span: the row's four ordered offsets (column i takes entry i & 3) or the running index
// into the random table.
struct SpanDither {
  int32_t ordered[4];
  uint32_t ordered_packed[4];  // the same offsets as words to add to a pixel, as dither_noise_packed
  int32_t reach;               // the largest offset either way
  uint32_t index;
};

// The top bytes of the ramp's channels at its current column.
inline void ramp_bytes(const SpanRamp& ramp, int32_t* r, int32_t* g, int32_t* b) {
  *r = static_cast<uint16_t>(ramp.r.value) >> 8;
  *g = static_cast<uint16_t>(ramp.g.value) >> 8;
  *b = static_cast<uint16_t>(ramp.b.value) >> 8;
}

inline void step_ramp(SpanRamp* ramp) {
  line_stepper_advance_masked(&ramp->r);
  line_stepper_advance_masked(&ramp->g);
  line_stepper_advance_masked(&ramp->b);
}

// Opaque pixels whose channels no offset can push out of 0..255: each pixel is its word plus the offset word of
// its column or index, one add instead of three clamped channels, and the slot byte is never touched by a carry.
template <Dither D, bool kConstant>
void write_unclamped(uint32_t* p24, uint8_t* p8, int32_t n, SpanRamp ramp, SpanDither dither) {
  const uint32_t s = ramp.slot;
  int32_t r, g, b;
  ramp_bytes(ramp, &r, &g, &b);
  uint32_t word = pack(s, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
  for (int32_t i = 0; i < n; ++i) {
    if constexpr (!kConstant) {
      ramp_bytes(ramp, &r, &g, &b);
      word = pack(s, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
      step_ramp(&ramp);
    }
    uint32_t pixel;
    if constexpr (D == Dither::none) {
      pixel = word;
    } else if constexpr (D == Dither::ordered) {
      pixel = word + dither.ordered_packed[i & 3];
    } else {
      pixel = word + dither_noise_packed[dither.index];
      dither.index = (dither.index + 3) & 255u;
    }
    p24[i] = pixel;
    // The slot, taken from the stored word's top byte (no offset carries into it): stored in the same loop
    // rather than by a separate fill call, which costs more than it saves on spans of a few pixels.
    p8[i] = static_cast<uint8_t>(pixel >> 24);
  }
}

// Every other span, pixel by pixel. Dithering adds d whole levels (d times 256) to a 16-bit channel and clamps it
// to 0..65535; since that leaves the low byte alone, the top byte comes out as the top byte plus d clamped to
// 0..255, so the dithered 16-bit values never need to be formed.
template <Dither D, bool kConstant, bool kOpaque>
void write_clamped(uint32_t* p24, uint8_t* p8, int32_t n, SpanRamp ramp, SpanDither dither) {
  const uint32_t s = ramp.slot, a = ramp.alpha;
  for (int32_t i = 0; i < n; ++i) {
    int32_t r8, g8, b8;
    ramp_bytes(ramp, &r8, &g8, &b8);
    uint32_t r, g, b;
    if constexpr (D == Dither::none) {
      r = static_cast<uint32_t>(r8);
      g = static_cast<uint32_t>(g8);
      b = static_cast<uint32_t>(b8);
    } else if constexpr (D == Dither::ordered) {
      const int32_t d = dither.ordered[i & 3];
      r = clamp_byte(r8 + d);
      g = clamp_byte(g8 + d);
      b = clamp_byte(b8 + d);
    } else {
      const int32_t* t = dither_noise_wrapped + dither.index;
      r = clamp_byte(r8 + t[1]);
      g = clamp_byte(g8 + t[2]);
      b = clamp_byte(b8 + t[3]);
      dither.index = (dither.index + 3) & 255u;
    }
    if constexpr (kOpaque) {
      p24[i] = pack(s, r, g, b);
      p8[i] = static_cast<uint8_t>(s);
    } else {
      blend_span_pixel(&p24[i], &p8[i], r, g, b, a, s);
    }
    if constexpr (!kConstant) step_ramp(&ramp);
  }
}

template <Dither D>
void write_span(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, const SpanDither& dither) {
  if (ramp.alpha == 255) {
    const int32_t reach = D == Dither::none ? 0 : dither.reach;
    if (ramp.low >= reach && ramp.high <= 255 - reach) {
      if (ramp.constant) {
        write_unclamped<D, true>(p24, p8, n, ramp, dither);
      } else {
        write_unclamped<D, false>(p24, p8, n, ramp, dither);
      }
    } else if (ramp.constant) {
      write_clamped<D, true, true>(p24, p8, n, ramp, dither);
    } else {
      write_clamped<D, false, true>(p24, p8, n, ramp, dither);
    }
  } else if (ramp.constant) {
    write_clamped<D, true, false>(p24, p8, n, ramp, dither);
  } else {
    write_clamped<D, false, false>(p24, p8, n, ramp, dither);
  }
}

inline uint8_t top_byte(uint16_t v) { return static_cast<uint8_t>(v >> 8); }

}  // namespace

SpanRamp constant_ramp(uint16_t r, uint16_t g, uint16_t b, uint8_t alpha, uint8_t slot) {
  SpanRamp ramp{};
  line_stepper_init(&ramp.r, 0, 1, r, r);
  line_stepper_init(&ramp.g, 0, 1, g, g);
  line_stepper_init(&ramp.b, 0, 1, b, b);
  ramp.constant = true;
  ramp.alpha = alpha;
  ramp.slot = slot;
  ramp.low = std::min({top_byte(r), top_byte(g), top_byte(b)});
  ramp.high = std::max({top_byte(r), top_byte(g), top_byte(b)});
  return ramp;
}

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
  Dither kind = Dither::none;
  SpanDither dither;
  dither.index = 0;
  if (render_settings.dither_amount != 0) {
    ensure_dither_tables();
    dither.index = static_cast<uint8_t>(dither_random());
    kind = render_settings.dither_type == 1 ? Dither::ordered : Dither::random;
  }
  const int32_t end = span_row_end(y, last);
  if (end < 0) return;
  SpanRamp ramp = ramp_in;
  if (first < 0) {
    // Columns left of the image are stepped over, colour and noise alike.
    const uint32_t skip = 0u - static_cast<uint32_t>(first);
    for (uint32_t i = 0; i < skip && !ramp.constant; ++i) step_ramp(&ramp);
    dither.index = (dither.index + 3u * skip) & 255u;
    first = 0;
  }
  if (end < first) return;
  const int32_t n = end - first + 1;
  uint32_t* p24 = vidmem24_row(y) + first;
  uint8_t* p8 = vidmem8_row(y) + first;
  if (ramp.alpha != 0) {
    switch (kind) {
      case Dither::none:
        write_span<Dither::none>(p24, p8, n, ramp, dither);
        break;
      case Dither::ordered:
        dither.reach = 0;
        for (int32_t k = 0; k < 4; ++k) {
          const int32_t d = dither_matrix_at(first + k, y);
          dither.ordered[k] = d;
          dither.ordered_packed[k] = static_cast<uint32_t>(d) * 0x10101u;
          dither.reach = std::max({dither.reach, d, -d});
        }
        write_span<Dither::ordered>(p24, p8, n, ramp, dither);
        break;
      case Dither::random:
        dither.reach = dither_noise_reach;
        write_span<Dither::random>(p24, p8, n, ramp, dither);
        break;
    }
  }
  if (render_settings.view_mode == 1) show_span_live(y, first, n, p24);
}
