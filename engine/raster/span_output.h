// Span output: how the pixels of drawn objects reach the frame buffers, with blending and dithering.
#pragma once

#include <cstdint>

#include "engine/core/color_classes.h"
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

// Room a span buffer needs: a span may run from column 0 to the projection's width inclusive,
// and the projection is at most one frame buffer wide.
constexpr int32_t kSpanCapacity = kMaxFrameSide + 1;

// Writes one span into row `row` of vidmem24 and vidmem8 from column `first`; span[0] belongs to `first`.
// The span holds last - first + 1 pixels; `last` may lie beyond the image (the span is cut there).
// Dithers the span in place first when dither_amount is set. Does nothing when a frame buffer is absent
// or the row lies outside it.
void output_hzline(int32_t row, int32_t first, int32_t last, SpanPixel* span);

// The last column of row `row` that a span ending at `last` may write (last cut at the buffers' width), or a
// negative value when a frame buffer is absent or the row lies outside it. Inline: asked once per span.
inline int32_t span_row_end(int32_t row, int32_t last) {
  if (!vidmem24.rows || !vidmem8.rows) return -1;
  if (row < 0 || row >= image_height || row >= vidmem24.height || row >= vidmem8.height) return -1;
  int32_t right_edge = image_width < vidmem24.width ? image_width : vidmem24.width;
  if (vidmem8.width < right_edge) right_edge = vidmem8.width;
  --right_edge;
  return last > right_edge ? right_edge : last;
}

// Shows count finished pixels of row `row` from column `first` in the render window (live display).
void show_span_live(int32_t row, int32_t first, int32_t count, const uint32_t* pixels);

// Blends one pixel of opacity 1 to 254 (channels r, g, b as bytes, colour slot s) into the frame buffers: cloud
// never blends over cloud, and the slot in the top byte changes hands from opacity 128 (cloud 193).
inline void blend_span_pixel(uint32_t* p24, uint8_t* p8, uint32_t nr, uint32_t ng, uint32_t nb, uint32_t a,
                             uint32_t s) {
  const uint32_t old = *p24;
  uint32_t colour;
  if (s == kClassClouds && *p8 == kClassClouds) {
    colour = old & 0x00FFFFFFu;  // cloud never blends over cloud
  } else {
    const uint32_t keep = 255 - a;
    const uint32_t r = (((old >> 16) & 255) * keep + nr * a) / 255;
    const uint32_t g = (((old >> 8) & 255) * keep + ng * a) / 255;
    const uint32_t b = ((old & 255) * keep + nb * a) / 255;
    colour = (r << 16) | (g << 8) | b;
  }
  const uint32_t takeover = s == kClassClouds ? 193 : 128;
  const uint32_t top = a >= takeover ? s : (old >> 24);
  *p24 = (top << 24) | colour;
  *p8 = static_cast<uint8_t>(s);
}
