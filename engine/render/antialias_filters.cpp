// The two reduction filters of anti-aliasing over the doubled image in vidmem24.
#include "engine/render/antialias.h"
#include "engine/raster/frame_buffers.h"

namespace {
// The part of the doubled image that lies inside the buffer.
inline int32_t limit_width() { return image_width < vidmem24.width ? image_width : vidmem24.width; }
inline int32_t limit_height() { return image_height < vidmem24.height ? image_height : vidmem24.height; }

constexpr int32_t kKernel[4][4] = {
    {10, 20, 20, 10},
    {20, 100, 100, 20},
    {20, 100, 100, 20},
    {10, 20, 20, 10},
};
constexpr int32_t kKernelSum = 600;

inline uint32_t pack(uint32_t slot_pixel, int32_t r, int32_t g, int32_t b) {
  return (slot_pixel & 0xFF000000u) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}
}  // namespace

uint32_t antialias_linear_pixel(int32_t x, int32_t y) {
  const int32_t w = limit_width(), h = limit_height();
  int32_t r = 0, g = 0, b = 0;
  for (int32_t yy = y; yy <= y + 1; ++yy) {
    if (yy < 0 || yy >= h) continue;
    const uint32_t* row = vidmem24_row(yy);
    for (int32_t xx = x; xx <= x + 1; ++xx) {
      if (xx < 0 || xx >= w) continue;
      const uint32_t p = row[xx];
      r += (p >> 16) & 255;
      g += (p >> 8) & 255;
      b += p & 255;
    }
  }
  const uint32_t origin = (x >= 0 && x < w && y >= 0 && y < h) ? vidmem24_row(y)[x] : 0;
  return pack(origin, (r + 2) / 4, (g + 2) / 4, (b + 2) / 4);
}

void antialias_linear_row(int32_t y, int32_t count, uint32_t* out) {
  const int32_t w = limit_width(), h = limit_height();
  int32_t x = 0;
  const int32_t top_row = 2 * y;
  if (top_row >= 0 && top_row + 1 < h && w > 0) {
    // Blocks whose four pixels all lie inside: columns 2x and 2x + 1 stay below w while x < w / 2. The sums and
    // the slot byte of the block's top-left pixel are those antialias_linear_pixel takes, without its per-pixel
    // bounds tests and row look-ups.
    const uint32_t* top = vidmem24_row(top_row);
    const uint32_t* bottom = vidmem24_row(top_row + 1);
    const int32_t inside = count < w / 2 ? count : w / 2;
    for (; x < inside; ++x) {
      const uint32_t a = top[2 * x], b = top[2 * x + 1], c = bottom[2 * x], d = bottom[2 * x + 1];
      const int32_t r = static_cast<int32_t>(((a >> 16) & 255) + ((b >> 16) & 255) + ((c >> 16) & 255) + ((d >> 16) & 255));
      const int32_t g = static_cast<int32_t>(((a >> 8) & 255) + ((b >> 8) & 255) + ((c >> 8) & 255) + ((d >> 8) & 255));
      const int32_t bl = static_cast<int32_t>((a & 255) + (b & 255) + (c & 255) + (d & 255));
      out[x] = pack(a, (r + 2) / 4, (g + 2) / 4, (bl + 2) / 4);
    }
  }
  for (; x < count; ++x) out[x] = antialias_linear_pixel(2 * x, top_row);
}

uint32_t antialias_gaussian_pixel(int32_t x, int32_t y) {
  const int32_t w = limit_width(), h = limit_height();
  int32_t r = 0, g = 0, b = 0;
  if (x >= 1 && y >= 1 && x + 2 < w && y + 2 < h) {
    // Interior: all sixteen samples inside.
    for (int32_t j = 0; j < 4; ++j) {
      const uint32_t* row = vidmem24_row(y - 1 + j) + (x - 1);
      for (int32_t i = 0; i < 4; ++i) {
        const int32_t k = kKernel[j][i];
        const uint32_t p = row[i];
        r += k * static_cast<int32_t>((p >> 16) & 255);
        g += k * static_cast<int32_t>((p >> 8) & 255);
        b += k * static_cast<int32_t>(p & 255);
      }
    }
    const int32_t half = kKernelSum / 2;
    return pack(vidmem24_row(y)[x], (r + half) / kKernelSum, (g + half) / kKernelSum, (b + half) / kKernelSum);
  }
  int32_t used = 0;
  for (int32_t j = 0; j < 4; ++j) {
    const int32_t yy = y - 1 + j;
    if (yy < 0 || yy >= h) continue;
    const uint32_t* row = vidmem24_row(yy);
    for (int32_t i = 0; i < 4; ++i) {
      const int32_t xx = x - 1 + i;
      if (xx < 0 || xx >= w) continue;
      const int32_t k = kKernel[j][i];
      const uint32_t p = row[xx];
      r += k * static_cast<int32_t>((p >> 16) & 255);
      g += k * static_cast<int32_t>((p >> 8) & 255);
      b += k * static_cast<int32_t>(p & 255);
      used += k;
    }
  }
  // No sample inside (a position off the image): nothing to average.
  if (used == 0) return 0;
  const uint32_t origin = (x >= 0 && x < w && y >= 0 && y < h) ? vidmem24_row(y)[x] : 0;
  return pack(origin, (r + used / 2) / used, (g + used / 2) / used, (b + used / 2) / used);
}
