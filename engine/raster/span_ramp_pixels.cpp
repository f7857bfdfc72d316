// The pixel loops of one-pass spans: every combination of dither kind, moving or fixed colour and opacity, with
// the clamping decided once per span.
#include "engine/raster/span_ramp_pixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/raster/dither.h"
#include "engine/raster/span_output.h"

namespace {

using Dither = SpanDitherKind;

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

#if defined(__SSE2__)
// The three channel steppers side by side in one register (blue, green and red lanes and a still lane holding the
// slot): one set of vector operations advances all three exactly as line_stepper_advance_masked does each, and
// the pixel word comes out of two packs instead of three shifts and ors. Used for the long stepped spans of the
// sky and horizon.
struct RampLanes {
  __m128i value, error, step, remainder, steps, sign;
  explicit RampLanes(const SpanRamp& r)
      : value(_mm_setr_epi32(r.b.value, r.g.value, r.r.value, static_cast<int32_t>(r.slot) << 8)),
        error(_mm_setr_epi32(r.b.error, r.g.error, r.r.error, 0)),
        step(_mm_setr_epi32(r.b.step, r.g.step, r.r.step, 0)),
        remainder(_mm_setr_epi32(r.b.remainder, r.g.remainder, r.r.remainder, 0)),
        steps(_mm_setr_epi32(r.b.steps, r.g.steps, r.r.steps, 1)),
        sign(_mm_setr_epi32(r.b.sign, r.g.sign, r.r.sign, 0)) {}
  // slot << 24 | red << 16 | green << 8 | blue, each channel the top byte of its 16-bit value.
  inline uint32_t word() const {
    __m128i bytes = _mm_and_si128(_mm_srli_epi32(value, 8), _mm_set1_epi32(255));
    bytes = _mm_packs_epi32(bytes, bytes);
    bytes = _mm_packus_epi16(bytes, bytes);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(bytes));
  }
  inline void advance() {
    value = _mm_add_epi32(value, step);
    error = _mm_add_epi32(error, remainder);
    const __m128i over = _mm_cmpgt_epi32(error, steps);
    error = _mm_sub_epi32(error, _mm_and_si128(steps, over));
    value = _mm_add_epi32(value, _mm_and_si128(sign, over));
  }
};
#else
// The three channel steppers of a ramp, advanced together.
struct RampLanes {
  LineStepper r, g, b;
  uint32_t slot;
  explicit RampLanes(const SpanRamp& ramp) : r(ramp.r), g(ramp.g), b(ramp.b), slot(ramp.slot) {}
  inline uint32_t word() const {
    return pack_pixel(slot, static_cast<uint16_t>(r.value) >> 8, static_cast<uint16_t>(g.value) >> 8,
                      static_cast<uint16_t>(b.value) >> 8);
  }
  inline void advance() {
    line_stepper_advance_masked(&r);
    line_stepper_advance_masked(&g);
    line_stepper_advance_masked(&b);
  }
};
#endif

// Opaque pixels whose channels no offset can push out of 0..255: each pixel is its word plus the offset word of
// its column or index, one add instead of three clamped channels, and the slot byte is never touched by a carry.
template <Dither D, bool kConstant>
void write_unclamped(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, const SpanDither& dither) {
  const uint32_t s = ramp.slot;
  int32_t r, g, b;
  ramp_bytes(ramp, &r, &g, &b);
  uint32_t word = pack_pixel(s, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
  RampLanes lanes(ramp);
  uint32_t index = dither.index;
  for (int32_t i = 0; i < n; ++i) {
    if constexpr (!kConstant) {
      word = lanes.word();
      lanes.advance();
    }
    uint32_t pixel;
    if constexpr (D == Dither::none) {
      pixel = word;
    } else if constexpr (D == Dither::ordered) {
      pixel = word + dither.ordered_packed[i & 3];
    } else {
      pixel = word + dither_noise_packed[index];
      index = (index + 3) & 255u;
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
      r = clamp_channel_byte(r8 + d);
      g = clamp_channel_byte(g8 + d);
      b = clamp_channel_byte(b8 + d);
    } else {
      const int32_t* t = dither_noise_wrapped + dither.index;
      r = clamp_channel_byte(r8 + t[1]);
      g = clamp_channel_byte(g8 + t[2]);
      b = clamp_channel_byte(b8 + t[3]);
      dither.index = (dither.index + 3) & 255u;
    }
    if constexpr (kOpaque) {
      p24[i] = pack_pixel(s, r, g, b);
      p8[i] = static_cast<uint8_t>(s);
    } else {
      blend_span_pixel(&p24[i], &p8[i], r, g, b, a, s);
    }
    if constexpr (!kConstant) step_ramp(&ramp);
  }
}

template <Dither D>
void write_pixels_of_kind(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, const SpanDither& dither) {
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

}  // namespace

void write_ramp_pixels(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, SpanDitherKind kind,
                       const SpanDither& dither) {
  switch (kind) {
    case SpanDitherKind::none:
      write_pixels_of_kind<SpanDitherKind::none>(p24, p8, n, ramp, dither);
      break;
    case SpanDitherKind::ordered:
      write_pixels_of_kind<SpanDitherKind::ordered>(p24, p8, n, ramp, dither);
      break;
    case SpanDitherKind::random:
      write_pixels_of_kind<SpanDitherKind::random>(p24, p8, n, ramp, dither);
      break;
  }
}
