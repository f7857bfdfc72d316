// Span output: dithering, blending by opacity and colour slot into both frame buffers, and live display.
#include "engine/raster/span_output.h"

#include <algorithm>

#include "engine/core/color_classes.h"
#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/image_palette.h"

namespace {

uint32_t live_pixels[kSpanCapacity];
uint8_t live_indexes[kSpanCapacity];

}  // namespace

void show_span_live(int32_t y, int32_t x0, int32_t n, const uint32_t* pixels) {
  const bool eight_bit = display_depth == 8;
  if (eight_bit) {
    // The screen gets palette indexes; vidmem8 keeps the slots.
    if (render_settings.dither_amount != 0) {
      row_to_palette_dithered(x0, x0 + n - 1, y, pixels, live_indexes);
    } else {
      row_to_palette(x0, x0 + n - 1, y, pixels, live_indexes);
    }
  }
  const uint32_t* row = pixels;
  int32_t x = x0;
  int32_t wy = y;
  if (render_settings.antialias_mode != 0) {
    // The frame is drawn at twice the size: show every second pixel of the even rows, centred.
    if (y & 1) return;
    const int32_t half = std::max(n / 2, 1);
    if (eight_bit) {
      for (int32_t i = 0; i < half; ++i) live_indexes[i] = live_indexes[i * 2];
    } else {
      for (int32_t i = 0; i < half; ++i) live_pixels[i] = pixels[i * 2];
      row = live_pixels;
    }
    n = half;
    x = x0 / 2 + image_width / 4;
    wy = y / 2 + image_height / 4;
  }
  if (eight_bit) {
    screen_put_row8(x, n, wy, live_indexes);
  } else {
    screen_put_row24_direct(x, n, wy, row);
  }
}

void output_hzline(int32_t y, int32_t x0, int32_t x1, SpanPixel* span) {
  if (render_settings.dither_amount != 0 && x1 >= x0) dither_span(span, x1 - x0 + 1, x0, y);

  const int32_t end = span_row_end(y, x1);
  if (end < 0) return;
  x1 = end;
  if (x0 < 0) {
    span -= x0;
    x0 = 0;
  }
  if (x1 < x0) return;
  const int32_t n = x1 - x0 + 1;

  uint32_t* p24 = vidmem24_row(y) + x0;
  uint8_t* p8 = vidmem8_row(y) + x0;
  for (int32_t i = 0; i < n; ++i) {
    const SpanPixel px = span[i];
    const uint32_t a = px.alpha;
    if (a == 0) continue;
    const uint32_t s = px.slot;
    const uint32_t nr = px.r >> 8, ng = px.g >> 8, nb = px.b >> 8;
    if (a == 255) {
      p24[i] = (s << 24) | (nr << 16) | (ng << 8) | nb;
      p8[i] = static_cast<uint8_t>(s);
      continue;
    }
    blend_span_pixel(&p24[i], &p8[i], nr, ng, nb, a, s);
  }

  if (render_settings.view_mode == 1) show_span_live(y, x0, n, p24);
}
