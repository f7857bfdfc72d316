// Anti-aliasing around the walk: doubling the image before it and reducing it in place afterwards.
#include "engine/render/antialias.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/core/settings.h"
#include "engine/host/worker_threads.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"

namespace {
// Set while the image sizes hold the doubled size, so a reduction halves only what was doubled.
bool doubled = false;
}  // namespace

int32_t antialias_begin() {
  if (vidmem24.rows == nullptr) return 0;
  if (render_settings.antialias_mode == 0) return 1;
  const int32_t w = image_width, h = image_height;
  // The buffers are allocated doubled for anti-aliasing; anything smaller cannot take the doubled image.
  if (w < 0 || h < 0 || static_cast<int64_t>(w) * 2 > vidmem24.width || static_cast<int64_t>(h) * 2 > vidmem24.height)
    return 0;
  image_width = 2 * w;
  image_height = 2 * h;
  proj_width *= 2;
  proj_height *= 2;
  centre_image_in_window();
  // The image is copied aside first, so the rows can be doubled on several threads without one overwriting a
  // row another has still to read.
  const size_t row_pixels = static_cast<size_t>(w);
  std::unique_ptr<uint32_t[]> copy(new uint32_t[row_pixels * static_cast<size_t>(h) + 1]);
  parallel_rows(h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y)
      std::memcpy(copy.get() + row_pixels * static_cast<size_t>(y), vidmem24_row(y), row_pixels * sizeof(uint32_t));
  });
  parallel_rows(h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      const uint32_t* source = copy.get() + row_pixels * static_cast<size_t>(y);
      uint32_t* top = vidmem24_row(2 * y);
      uint32_t* bottom = vidmem24_row(2 * y + 1);
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t p = source[x];
        top[2 * x] = top[2 * x + 1] = p;
        bottom[2 * x] = bottom[2 * x + 1] = p;
      }
    }
  });
  doubled = true;
  return 1;
}

int32_t antialias_reduce(int32_t result) {
  if (vidmem24.rows == nullptr) return 0;
  if (render_settings.antialias_mode == 0 || !doubled) return 1;
  doubled = false;
  const int32_t out_w = image_width / 2, out_h = image_height / 2;
  show_progress("Reducing image", 0, out_h);
  // Output row y is read from rows 2y - 1 to 2y + 2 and written over row y: the rows are reduced into a copy on
  // several threads and copied back, which gives what reducing them in place one after another gives.
  const size_t reduced_size = static_cast<size_t>(std::max(out_w, 0)) * static_cast<size_t>(std::max(out_h, 0));
  std::unique_ptr<uint32_t[]> reduced_rows(new uint32_t[reduced_size == 0 ? 1 : reduced_size]);
  uint32_t* const reduced_data = reduced_rows.get();
  parallel_rows(out_h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      uint32_t* out = reduced_data + static_cast<size_t>(y) * out_w;
      if (result != 1) {
        const uint32_t* source = vidmem24_row(2 * y);
        for (int32_t x = 0; x < out_w; ++x) out[x] = source[2 * x];
      } else if (render_settings.antialias_mode == 1) {
        antialias_linear_row(y, out_w, out);
      } else {
        for (int32_t x = 0; x < out_w; ++x) out[x] = antialias_gaussian_pixel(2 * x, 2 * y);
      }
    }
  });
  for (int32_t y = 0; y < out_h; ++y) {
    if (out_w > 0) std::memcpy(vidmem24_row(y), reduced_data + static_cast<size_t>(y) * out_w, sizeof(uint32_t) * out_w);
  }
  image_width /= 2;
  image_height /= 2;
  proj_width /= 2;
  proj_height /= 2;
  centre_image_in_window();
  return 1;
}
