// The spans of one polygon of one constant colour written with the per-span checks that depend only on the colour
// and the frame made once for the polygon.
#pragma once

#include <cstdint>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/span_ramp.h"
#include "engine/raster/span_ramp_pixels.h"

// Writes spans of one ramp exactly as output_ramp does. An opaque constant colour, not dithered or dithered with
// random noise, with no live display (every span of the terrain's one-colour triangles) is written here: the
// settings, the buffers' extent and the colour word are looked at once for the polygon instead of once per span of
// a few pixels. Any other ramp goes to output_ramp span by span.
class ConstantRampWriter {
 public:
  // The writer refers to the caller's ramp rather than copying it: the copy, read back as whole vectors right
  // after the ramp was stored field by field, stalled every polygon on store forwarding.
  explicit ConstantRampWriter(const SpanRamp& ramp) : ramp_(ramp) {
    fast_ = ramp.constant && ramp.alpha == 255 && render_settings.view_mode != 1 &&
            (render_settings.dither_amount == 0 || render_settings.dither_type != 1);
    dithered_ = render_settings.dither_amount != 0;
    row_limit_ = 0;
    right_edge_ = -1;
    if (vidmem24.rows && vidmem8.rows) {
      row_limit_ = image_height;
      if (vidmem24.height < row_limit_) row_limit_ = vidmem24.height;
      if (vidmem8.height < row_limit_) row_limit_ = vidmem8.height;
      int32_t right = image_width < vidmem24.width ? image_width : vidmem24.width;
      if (vidmem8.width < right) right = vidmem8.width;
      right_edge_ = right - 1;
    }
    r8_ = static_cast<uint16_t>(ramp.r.value) >> 8;
    g8_ = static_cast<uint16_t>(ramp.g.value) >> 8;
    b8_ = static_cast<uint16_t>(ramp.b.value) >> 8;
    slot_ = ramp.slot;
    low_ = ramp.low;
    high_ = ramp.high;
    word_ = pack_pixel(ramp.slot, static_cast<uint32_t>(r8_), static_cast<uint32_t>(g8_),
                       static_cast<uint32_t>(b8_));
  }

  ConstantRampWriter(const SpanRamp&&) = delete;  // the ramp must outlive the writer

  // What output_ramp(row, first, last, ramp) does.
  inline void write(int32_t row, int32_t first, int32_t last) {
    if (!fast_) {
      output_ramp(row, first, last, ramp_);
      return;
    }
    if (last < first) return;
    // The dither stream moves once per span, before the frame buffers are looked at.
    uint32_t index = 0;
    if (dithered_) {
      ensure_dither_tables();
      index = static_cast<uint8_t>(dither_random());
    }
    if (row < 0 || row >= row_limit_) return;
    const int32_t end = last > right_edge_ ? right_edge_ : last;
    if (first < 0) {
      // Columns left of the image are passed over by the noise.
      index = (index + 3u * (0u - static_cast<uint32_t>(first))) & 255u;
      first = 0;
    }
    if (end < first) return;
    const int32_t n = end - first + 1;
    uint32_t* p24 = vidmem24_row(row) + first;
    uint8_t* p8 = vidmem8_row(row) + first;
    write_constant_pixels(p24, p8, n, word_, slot_, r8_, g8_, b8_, low_, high_, dithered_,
                          dither_noise_reach, &index);
  }

 private:
  const SpanRamp& ramp_;
  bool fast_;
  bool dithered_;
  int32_t row_limit_;   // rows 0 to row_limit_ - 1 lie in the image and both buffers
  int32_t right_edge_;  // the last column in the image and both buffers
  int32_t r8_, g8_, b8_;
  uint8_t slot_, low_, high_;
  uint32_t word_;
};
