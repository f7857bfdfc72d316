// Row and pixel access to the frame buffers, row blits to the render window, and the 8-bit conversion.
#include <algorithm>
#include <vector>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/host/worker_threads.h"
#include "engine/raster/render_window.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"

void vidmem8_put_pixel(int32_t x, int32_t y, uint8_t value) {
  if (vidmem8.rows) vidmem8_row(y)[x] = value;
}

void vidmem8_get_row(int32_t x, int32_t count, int32_t y, uint8_t* buffer) {
  if (vidmem8.rows && count > 0) std::memcpy(buffer, vidmem8_row(y) + x, static_cast<size_t>(count));
}

void vidmem8_put_row(int32_t x, int32_t count, int32_t y, const uint8_t* buffer) {
  if (vidmem8.rows && count > 0) std::memcpy(vidmem8_row(y) + x, buffer, static_cast<size_t>(count));
}

void vidmem8_fill_row(int32_t x, int32_t count, int32_t y, uint8_t value) {
  if (vidmem8.rows && count > 0) std::memset(vidmem8_row(y) + x, value, static_cast<size_t>(count));
}

void vidmem24_put_row(int32_t x, int32_t count, int32_t y, const uint32_t* pixels) {
  if (count > 0) std::memcpy(vidmem24_row(y) + x, pixels, static_cast<size_t>(count) * 4);
}

namespace {

// Clips a row at image position (x, y) of count pixels to the render window's client area.
// Returns false when nothing is visible; otherwise the window position, the count and how many source
// pixels to skip on the left.
bool clip_to_window(int32_t x, int32_t y, int32_t* count, int32_t* wx, int32_t* wy, int32_t* skip) {
  *wx = render_origin_x + x - render_scroll_x;
  *wy = render_origin_y + y - render_scroll_y;
  *skip = 0;
  if (*count <= 0 || *wy < 0 || *wy >= render_client_height) return false;
  if (*wx >= render_client_width || *wx + *count <= 0) return false;
  if (*wx < 0) {
    *skip = -*wx;
    *count += *wx;
    *wx = 0;
  }
  if (*wx + *count > render_client_width) *count = render_client_width - *wx;
  return *count > 0;
}

bool single_pixel_visible(int32_t x, int32_t y, int32_t* wx, int32_t* wy) {
  *wx = render_origin_x + x - render_scroll_x;
  *wy = render_origin_y + y - render_scroll_y;
  return *wx >= 0 && *wx < render_client_width && *wy >= 0 && *wy < render_client_height;
}

}  // namespace

void screen_put_row8(int32_t x, int32_t count, int32_t y, const uint8_t* indexes) {
  if (screen_output_off) return;
  int32_t wx = 0, wy = 0, skip = 0;
  if (count == 1) {
    if (single_pixel_visible(x, y, &wx, &wy)) render_put_pixel(wx, wy, indexes[0]);
    return;
  }
  if (clip_to_window(x, y, &count, &wx, &wy, &skip)) render_put_row8(wx, wy, count, indexes + skip);
}

void screen_put_row24(int32_t x, int32_t count, int32_t y, const uint32_t* pixels) {
  if (screen_output_off) return;
  int32_t wx = 0, wy = 0, skip = 0;
  if (clip_to_window(x, y, &count, &wx, &wy, &skip)) render_put_row24(wx, wy, count, pixels + skip);
}

void screen_put_row24_direct(int32_t x, int32_t count, int32_t y, const uint32_t* pixels) {
  if (screen_output_off) return;
  int32_t wx = 0, wy = 0, skip = 0;
  if (clip_to_window(x, y, &count, &wx, &wy, &skip)) render_put_row24_alias(wx, wy, count, pixels + skip);
}

void screen_fill_row(int32_t x, int32_t count, int32_t y, uint8_t index) {
  if (screen_output_off) return;
  int32_t wx = 0, wy = 0, skip = 0;
  if (count == 1) {
    if (single_pixel_visible(x, y, &wx, &wy)) render_put_pixel(wx, wy, index);
    return;
  }
  if (clip_to_window(x, y, &count, &wx, &wy, &skip)) render_hline(wx, wy, count, index);
}

void convert_vidmem24_to_8() {
  if (!vidmem24.rows || !vidmem8.rows) return;
  // Stay inside both buffers whatever the image size says.
  const int32_t height = std::min({image_height, vidmem24.height, vidmem8.height});
  const int32_t width = std::min({image_width, vidmem24.width, vidmem8.width, kMaxFrameSide});
  if (height <= 0) return;
  const bool dithered = render_settings.dither_amount != 0;
  // Each row starts from its own draw of the noise generator, taken here in row order, so the rows can be
  // converted on several threads with the result of converting them one after another.
  std::vector<uint8_t> start(static_cast<size_t>(height));
  if (dithered) {
    ensure_dither_tables();
    for (int32_t y = 0; y < height; ++y) start[static_cast<size_t>(y)] = static_cast<uint8_t>(dither_random());
  }
  uint8_t last_row_index = 0;  // the noise index after the last row, written by the thread converting it
  parallel_rows(height, [&](int32_t first, int32_t end) {
    std::vector<uint8_t> row_buffer(static_cast<size_t>(std::max(width, 1)));
    for (int32_t y = first; y < end; ++y) {
      const uint32_t* src = vidmem24_row(y);
      if (dithered) {
        const uint8_t after =
            row_to_palette_dithered_from(0, width - 1, y, src, row_buffer.data(), start[static_cast<size_t>(y)]);
        if (y == height - 1) last_row_index = after;
      } else {
        row_to_palette(0, width - 1, y, src, row_buffer.data());
      }
      vidmem8_put_row(0, width, y, row_buffer.data());
    }
  });
  if (dithered) dither_row_index = last_row_index;
}
