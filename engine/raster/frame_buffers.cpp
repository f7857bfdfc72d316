// The frame buffers and their allocation, the image size with its fallbacks, and the display depth.
#include "engine/raster/frame_buffers.h"

#include <algorithm>
#include <cstring>

#include "engine/core/fatal.h"
#include "engine/core/settings.h"
#include "engine/raster/render_window.h"
#include "engine/ui/requesters.h"

int32_t display_depth = 24;
int32_t proj_width = 800, proj_height = 800;
int32_t image_width = 800, image_height = 600;
int32_t render_scroll_x = 0, render_scroll_y = 0;
int32_t render_client_width = 0, render_client_height = 0;
int32_t render_origin_x = 0, render_origin_y = 0;
int32_t render_scale = 800;
int32_t frame_alloc_width = 0, frame_alloc_height = 0;
FrameBuffer vidmem8 = {nullptr, 0, 0};
FrameBuffer vidmem24 = {nullptr, 0, 0};
int32_t screen_output_off = 0;
namespace {
// Band 0 counts every polygon it passes while the other band threads read the frame buffers' records for every
// polygon they draw: the count has a cache line to itself, so that its writes do not turn those reads into misses.
struct alignas(64) LineOfItsOwn {
  int32_t value = 0;
};
constinit LineOfItsOwn polygon_counter;
}  // namespace
int32_t& polygon_count = polygon_counter.value;
uint32_t render_start_ms = 0, render_end_ms = 0;

namespace {

// The buffer size an image of width by height needs under the current settings, in 64 bits so that no
// doubling can wrap.
void needed_frame_size(int32_t width, int32_t height, int64_t* w, int64_t* h) {
  *w = width;
  *h = height;
  if (render_settings.antialias_mode != 0) {
    *w *= 2;
    *h *= 2;
  } else if (render_settings.flare_enabled != 0) {
    *h *= 2;
  }
}

bool frame_size_fits(int64_t w, int64_t h) { return w >= 1 && h >= 1 && w <= kMaxFrameSide && h <= kMaxFrameSide; }

const char* const kTooLargeForDoubling = "Image too large for anti-aliasing or lens flare.";

RowTable allocate_buffer(FrameBuffer& buffer, int32_t width, int32_t height, int32_t element_size) {
  if (buffer.rows && buffer.width == width && buffer.height == height) return buffer.rows;
  if (buffer.rows) free_rows(buffer.rows);
  buffer.rows = alloc_rows(width, height, element_size);
  buffer.width = buffer.rows ? width : 0;
  buffer.height = buffer.rows ? height : 0;
  return buffer.rows;
}

void free_buffer(FrameBuffer& buffer) {
  free_rows(buffer.rows);
  buffer = {nullptr, 0, 0};
}

void clear_area(FrameBuffer& buffer, int32_t width, int32_t height, size_t element_size) {
  if (!buffer.rows) return;
  const int32_t w = std::min(width, buffer.width);
  const int32_t h = std::min(height, buffer.height);
  if (w <= 0) return;
  for (int32_t y = 0; y < h; ++y) std::memset(buffer.rows[y], 0, static_cast<size_t>(w) * element_size);
}

void clear_whole(FrameBuffer& buffer, size_t element_size) {
  if (!buffer.rows || buffer.height <= 0) return;
  // Rows are one contiguous block.
  std::memset(buffer.rows[0], 0,
              static_cast<size_t>(buffer.width) * static_cast<size_t>(buffer.height) * element_size);
}

}  // namespace

void centre_image_in_window() {
  if (image_width >= render_client_width) {
    render_origin_x = 0;
    render_scroll_x = (image_width - render_client_width) / 2;
  } else {
    render_origin_x = (render_client_width - image_width) / 2;
    render_scroll_x = 0;
  }
  if (image_height >= render_client_height) {
    render_origin_y = 0;
    render_scroll_y = (image_height - render_client_height) / 2;
  } else {
    render_origin_y = (render_client_height - image_height) / 2;
    render_scroll_y = 0;
  }
}

int32_t allocate_frame_buffers() {
  int64_t w = 0, h = 0;
  needed_frame_size(image_width, image_height, &w, &h);
  if (w == frame_alloc_width && h == frame_alloc_height && vidmem24.rows && vidmem8.rows) return 1;

  free_vidmem24();
  free_vidmem8();
  if (!frame_size_fits(w, h)) {
    // Only reachable when anti-aliasing or flare is switched on at a large image size: the frame cannot be
    // drawn, so say so rather than render into nothing.
    frame_alloc_width = frame_alloc_height = 0;
    requester(kTooLargeForDoubling, "  OK  ", nullptr);
    return 0;
  }
  const auto width = static_cast<int32_t>(w);
  const auto height = static_cast<int32_t>(h);
  if (!allocate_vidmem24(width, height)) {
    frame_alloc_width = frame_alloc_height = 0;
    requester("allocate_vidmem24() failed.", "  OK  ", nullptr);
    return 0;
  }
  if (!allocate_vidmem8(width, height)) {
    frame_alloc_width = frame_alloc_height = 0;
    requester("allocate_vidmem8() failed.", "  OK  ", nullptr);
    return 0;
  }
  frame_alloc_width = width;
  frame_alloc_height = height;
  render_scale = std::max(image_width, image_height);
  return 1;
}

RowTable allocate_vidmem24(int32_t width, int32_t height) { return allocate_buffer(vidmem24, width, height, 4); }
RowTable allocate_vidmem8(int32_t width, int32_t height) { return allocate_buffer(vidmem8, width, height, 1); }
void free_vidmem24() { free_buffer(vidmem24); }
void free_vidmem8() { free_buffer(vidmem8); }

void clear_vidmem24() { clear_area(vidmem24, image_width, image_height, 4); }
void clear_vidmem8() { clear_area(vidmem8, image_width, image_height, 1); }

void clear_frame_buffers() {
  clear_whole(vidmem24, 4);
  clear_whole(vidmem8, 1);
}

int32_t set_image_size_raw(int32_t width, int32_t height) {
  if (width < kMinImageSide || height < kMinImageSide || width > kMaxFrameSide || height > kMaxFrameSide) return 0;
  int64_t w = 0, h = 0;
  needed_frame_size(width, height, &w, &h);
  if (!frame_size_fits(w, h)) {
    // The doubled buffers would exceed the largest frame: keep the previous size and its buffers.
    requester(kTooLargeForDoubling, "  OK  ", nullptr);
    return 0;
  }
  const int32_t old_width = image_width, old_height = image_height;
  const int32_t old_proj_width = proj_width, old_proj_height = proj_height;
  proj_width = proj_height = std::max(width, height);
  image_width = width;
  image_height = height;
  // An unchanged size allocates too: the buffers may be missing after an earlier failure.
  const int32_t result = allocate_frame_buffers();
  if (result != 1) {
    // The previous size stays in force; its buffers are allocated again by the next allocation.
    image_width = old_width;
    image_height = old_height;
    proj_width = old_proj_width;
    proj_height = old_proj_height;
  }
  centre_image_in_window();
  return result;
}

int32_t set_image_size(int32_t width, int32_t height) {
  const int32_t result = set_image_size_raw(width, height);
  render_scale = std::max(image_width, image_height);
  return result;
}

void change_image_size(int32_t width, int32_t height) {
  // Never taller than wide: the projection square takes its rows from the middle and its columns from the left.
  const int32_t h = std::min(height, width);
  if (width < kMinImageSide || h < kMinImageSide) {
    requester("Minimum allowable image size is 16x16.", "  OK  ", nullptr);
    return;
  }
  if (width > kMaxCommandImageSide || h > kMaxCommandImageSide) {
    requester("Maximum allowable image size is 4096x4096.", "  OK  ", nullptr);
    return;
  }
  const int32_t previous_width = image_width, previous_height = image_height;
  if (set_image_size(width, h) != 1) {
    requester("Insufficient memory, reverting to previous size.", "  OK  ", nullptr);
    if (set_image_size(previous_width, previous_height) != 1) {
      requester("Insufficient memory, reverting to 320x200.", "  OK  ", nullptr);
      if (set_image_size(320, 200) != 1) fatal_exit("Insufficient memory, exiting.");
    }
  }
  render_window_refresh(image_width, image_height, display_depth);
}

int32_t set_display_depth(int32_t bits) {
  int32_t result = 1;
  if (bits < 9) {
    display_depth = 8;
  } else if (display_is_hicolor()) {
    display_depth = 24;
  } else {
    display_depth = 8;
    result = 0;
  }
  render_window_refresh(image_width, image_height, display_depth);
  return result;
}
