// Span output: dithering, blending by opacity and colour slot into both frame buffers, and live display.
#include "engine/raster/span_output.h"

#include <algorithm>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/image_palette.h"

namespace {

uint32_t live_pixels[kSpanCapacity];
uint8_t live_indexes[kSpanCapacity];

// Shows the finished pixels of one span in the render window while every polygon is watched.
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

}  // namespace

void output_hzline(int32_t y, int32_t x0, int32_t x1, SpanPixel* span) {
  if (render_settings.dither_amount != 0 && x1 >= x0) dither_span(span, x1 - x0 + 1, x0, y);

  // A missing buffer or a row outside it is never written.
  if (!vidmem24.rows || !vidmem8.rows) return;
  if (y < 0 || y >= image_height || y >= vidmem24.height || y >= vidmem8.height) return;
  const int32_t right_edge = std::min({image_width, vidmem24.width, vidmem8.width}) - 1;
  if (x1 > right_edge) x1 = right_edge;
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
    const uint32_t old = p24[i];
    uint32_t colour;
    if (s == kCloudSlot && p8[i] == kCloudSlot) {
      colour = old & 0x00FFFFFFu;  // cloud never blends over cloud
    } else {
      const uint32_t keep = 255 - a;
      const uint32_t r = (((old >> 16) & 255) * keep + nr * a) / 255;
      const uint32_t g = (((old >> 8) & 255) * keep + ng * a) / 255;
      const uint32_t b = ((old & 255) * keep + nb * a) / 255;
      colour = (r << 16) | (g << 8) | b;
    }
    const uint32_t takeover = s == kCloudSlot ? 193 : 128;
    const uint32_t top = a >= takeover ? s : (old >> 24);
    p24[i] = (top << 24) | colour;
    p8[i] = static_cast<uint8_t>(s);
  }

  if (render_settings.view_mode == 1) show_span_live(y, x0, n, p24);
}
