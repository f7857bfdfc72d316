// Flat spans written in one pass: the stepped colour, its dither offsets and the store into both frame buffers.
#include "engine/raster/span_ramp.h"

#include <algorithm>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/span_output.h"

namespace {

enum class Dither { none, ordered, random };

inline uint32_t clamp_byte(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// The top byte of a channel. Dithering adds d whole levels (d times 256) to the 16-bit value and clamps it to
// 0..65535; since d times 256 leaves the low byte alone, the top byte of that is the top byte plus d clamped to
// 0..255, so the dithered 16-bit values never need to be formed.
template <Dither D>
inline void run_pixel(const SpanRamp& ramp, int32_t i, const int32_t* ordered, uint32_t* index, uint32_t* r,
                      uint32_t* g, uint32_t* b) {
  const int32_t r8 = static_cast<uint16_t>(ramp.r.value) >> 8;
  const int32_t g8 = static_cast<uint16_t>(ramp.g.value) >> 8;
  const int32_t b8 = static_cast<uint16_t>(ramp.b.value) >> 8;
  if constexpr (D == Dither::none) {
    *r = static_cast<uint32_t>(r8);
    *g = static_cast<uint32_t>(g8);
    *b = static_cast<uint32_t>(b8);
  } else if constexpr (D == Dither::ordered) {
    const int32_t d = ordered[i & 3];
    *r = clamp_byte(r8 + d);
    *g = clamp_byte(g8 + d);
    *b = clamp_byte(b8 + d);
  } else {
    const int32_t* t = dither_noise_wrapped + *index;
    *r = clamp_byte(r8 + t[1]);
    *g = clamp_byte(g8 + t[2]);
    *b = clamp_byte(b8 + t[3]);
    *index = (*index + 3) & 255u;
  }
}

// The pixels of one span: the dither kind, whether the colour moves and whether it replaces the frame's pixels
// are decided once for the span rather than per pixel.
template <Dither D, bool kConstant, bool kOpaque>
void write_run(uint32_t* p24, uint8_t* p8, int32_t n, SpanRamp ramp, const int32_t* ordered, uint32_t index) {
  const uint32_t s = ramp.slot;
  if constexpr (kConstant && kOpaque && D != Dither::random) {
    // One word per column (or per column of four under the ordered pattern), stored without per-pixel work.
    uint32_t words[4];
    for (int32_t k = 0; k < 4; ++k) {
      uint32_t r, g, b;
      run_pixel<D>(ramp, k, ordered, &index, &r, &g, &b);
      words[k] = (s << 24) | (r << 16) | (g << 8) | b;
    }
    if constexpr (D == Dither::none) {
      std::fill_n(p24, n, words[0]);
    } else {
      for (int32_t i = 0; i < n; ++i) p24[i] = words[i & 3];
    }
    std::memset(p8, static_cast<int>(s), static_cast<size_t>(n));
    return;
  }
  if constexpr (kConstant && kOpaque && D == Dither::random) {
    const int32_t r8 = static_cast<uint16_t>(ramp.r.value) >> 8;
    const int32_t g8 = static_cast<uint16_t>(ramp.g.value) >> 8;
    const int32_t b8 = static_cast<uint16_t>(ramp.b.value) >> 8;
    const int32_t lo = dither_noise_reach, hi = 255 - dither_noise_reach;
    if (r8 >= lo && r8 <= hi && g8 >= lo && g8 <= hi && b8 >= lo && b8 <= hi) {
      // No channel can be clamped: each pixel is the span's word plus the packed offsets of its index, one add
      // instead of three clamped channels.
      const uint32_t word = (s << 24) | (static_cast<uint32_t>(r8) << 16) | (static_cast<uint32_t>(g8) << 8) |
                            static_cast<uint32_t>(b8);
      for (int32_t i = 0; i < n; ++i) {
        p24[i] = word + dither_noise_packed[index];
        index = (index + 3) & 255u;
      }
      std::memset(p8, static_cast<int>(s), static_cast<size_t>(n));
      return;
    }
  }
  const uint32_t a = ramp.alpha;
  for (int32_t i = 0; i < n; ++i) {
    uint32_t r, g, b;
    run_pixel<D>(ramp, i, ordered, &index, &r, &g, &b);
    if constexpr (kOpaque) {
      p24[i] = (s << 24) | (r << 16) | (g << 8) | b;
      p8[i] = static_cast<uint8_t>(s);
    } else {
      blend_span_pixel(&p24[i], &p8[i], r, g, b, a, s);
    }
    if constexpr (!kConstant) {
      line_stepper_advance_masked(&ramp.r);
      line_stepper_advance_masked(&ramp.g);
      line_stepper_advance_masked(&ramp.b);
    }
  }
}

template <Dither D>
void write_run_of_kind(uint32_t* p24, uint8_t* p8, int32_t n, const SpanRamp& ramp, const int32_t* ordered,
                       uint32_t index) {
  const bool opaque = ramp.alpha == 255;
  if (ramp.constant) {
    if (opaque) {
      write_run<D, true, true>(p24, p8, n, ramp, ordered, index);
    } else {
      write_run<D, true, false>(p24, p8, n, ramp, ordered, index);
    }
  } else if (opaque) {
    write_run<D, false, true>(p24, p8, n, ramp, ordered, index);
  } else {
    write_run<D, false, false>(p24, p8, n, ramp, ordered, index);
  }
}

}  // namespace

SpanRamp constant_ramp(uint16_t r, uint16_t g, uint16_t b, uint8_t alpha, uint8_t slot) {
  SpanRamp ramp{};
  line_stepper_init(&ramp.r, 0, 1, r, r);
  line_stepper_init(&ramp.g, 0, 1, g, g);
  line_stepper_init(&ramp.b, 0, 1, b, b);
  ramp.constant = true;
  ramp.alpha = alpha;
  ramp.slot = slot;
  return ramp;
}

void output_ramp(int32_t y, int32_t first, int32_t last, const SpanRamp& ramp_in) {
  if (last < first) return;
  // The dither stream moves once per span, before the frame buffers are looked at, as for every span.
  Dither kind = Dither::none;
  uint32_t index = 0;
  if (render_settings.dither_amount != 0) {
    ensure_dither_tables();
    index = static_cast<uint8_t>(dither_random());
    kind = render_settings.dither_type == 1 ? Dither::ordered : Dither::random;
  }
  const int32_t end = span_row_end(y, last);
  if (end < 0) return;
  SpanRamp ramp = ramp_in;
  if (first < 0) {
    // Columns left of the image are stepped over, colour and noise alike.
    const uint32_t skip = 0u - static_cast<uint32_t>(first);
    for (uint32_t i = 0; i < skip && !ramp.constant; ++i) {
      line_stepper_advance_masked(&ramp.r);
      line_stepper_advance_masked(&ramp.g);
      line_stepper_advance_masked(&ramp.b);
    }
    index = (index + 3u * skip) & 255u;
    first = 0;
  }
  if (end < first) return;
  const int32_t n = end - first + 1;
  uint32_t* p24 = vidmem24_row(y) + first;
  uint8_t* p8 = vidmem8_row(y) + first;
  if (ramp.alpha != 0) {
    switch (kind) {
      case Dither::none:
        write_run_of_kind<Dither::none>(p24, p8, n, ramp, nullptr, 0);
        break;
      case Dither::ordered: {
        int32_t ordered[4];
        for (int32_t k = 0; k < 4; ++k) ordered[k] = dither_matrix_at(first + k, y);
        write_run_of_kind<Dither::ordered>(p24, p8, n, ramp, ordered, 0);
        break;
      }
      case Dither::random:
        write_run_of_kind<Dither::random>(p24, p8, n, ramp, nullptr, index);
        break;
    }
  }
  if (render_settings.view_mode == 1) show_span_live(y, first, n, p24);
}
