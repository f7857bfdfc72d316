// Turns the 32-bit image into a grey picture by luminance.
#include "engine/raster/greyscale.h"

#include "engine/raster/frame_buffers.h"

void greyscale_luminance() {
  if (vidmem24.rows == nullptr) return;
  const int32_t w = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t h = image_height < vidmem24.height ? image_height : vidmem24.height;
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* row = vidmem24_row(y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const uint32_t grey = (30 * ((p >> 16) & 255) + 59 * ((p >> 8) & 255) + 11 * (p & 255)) / 100;
      row[x] = (grey << 16) | (grey << 8) | grey;
    }
  }
}
