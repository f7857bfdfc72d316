// Stereo pairs composed into the 32-bit frame from two Targa pictures.
#include "engine/files/stereo_image.h"

#include <cstring>

#include "engine/core/text.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_messages.h"
#include "engine/files/frame_snapshot.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/files/file_requester.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"

namespace {
int32_t frame_columns() { return image_width < vidmem24.width ? image_width : vidmem24.width; }
int32_t frame_rows() { return image_height < vidmem24.height ? image_height : vidmem24.height; }

uint32_t grey_of(uint32_t p) {
  return (38 * ((p >> 16) & 0xFF) + 76 * ((p >> 8) & 0xFF) + 14 * (p & 0xFF) + 64) >> 7;
}

void* take(int64_t bytes) {
  if (bytes <= 0 || bytes > (int64_t{1} << 34)) return nullptr;
  return host().alloc_zeroed(static_cast<size_t>(bytes));
}

int32_t out_of_memory() {
  requester(kStereoNoMemory, "  OK  ", nullptr);
  return 0;
}

// Clears the frame and loads a picture opaque; its header's size into width and height.
int32_t load_half(const char* path, int32_t* width, int32_t* height) {
  clear_vidmem24();
  const int32_t result = targa_load_into_frame(path, kTargaOpaque);
  *width = targa_header.width;
  *height = targa_header.height;
  return result;
}

int32_t ask_half(const char* title, char* path_out, size_t path_size) {
  if (file_requester(title, stereo_dir_default, stereo_dir, targa_name, "*.TGA", targa_path, 0) != 1) return -1;
  copy_text(path_out, targa_path, path_size);
  return 1;
}
}  // namespace

int32_t load_stereo_dialog() {
  char left[256], right[256];
  if (ask_half("Left Image", left, sizeof left) != 1) return -1;
  if (ask_half("Right Image", right, sizeof right) != 1) return -1;
  return stereo_compose_anaglyph(left, right);
}

int32_t stereo_compose_anaglyph(const char* left_path, const char* right_path) {
  if (!vidmem24.rows) return 0;
  status_show_landscape_name();
  const int32_t w = frame_columns(), h = frame_rows();
  auto grey = static_cast<uint8_t*>(take(int64_t{w} * h));
  if (!grey) return out_of_memory();
  cursor_wait();
  // A pair that cannot be composed leaves the frame as it was and says which picture failed.
  FrameSnapshot before;
  if (!frame_snapshot_take(&before)) {
    host().free_block(grey);
    cursor_arrow();
    return out_of_memory();
  }
  int32_t lw = 0, lh = 0, rw = 0, rh = 0;
  int32_t result = load_half(left_path, &lw, &lh);
  const char* failed = result == 1 ? nullptr : left_path;
  if (result == 1) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) grey[int64_t{y} * w + x] = static_cast<uint8_t>(grey_of(vidmem24_row(y)[x]));
    result = load_half(right_path, &rw, &rh);
    if (result != 1) failed = right_path;
  }
  if (failed) {
    cursor_arrow();
    msg_error_reading(failed);
  }
  if (result == 1 && (lw != rw || lh != rh)) {
    cursor_arrow();
    requester(kStereoSizesDiffer, "  OK  ", nullptr);
    result = 0;
  }
  if (result == 1) {
    for (int32_t y = 0; y < h; ++y) {
      uint32_t* row = vidmem24_row(y);
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t r = grey[int64_t{y} * w + x], gb = grey_of(row[x]);
        row[x] = r << 16 | gb << 8 | gb;
      }
    }
  }
  if (result != 1) frame_snapshot_restore(before);
  frame_snapshot_free(&before);
  host().free_block(grey);
  cursor_arrow();
  return result;
}

int32_t stereo_compose_cyberscope() {
  if (!vidmem24.rows) return 0;
  const int32_t W = frame_columns(), H = frame_rows();
  if (H > W || H < W / 2) {
    requester(kStereoCyberscopeShape, "  OK  ", nullptr);
    return 0;
  }
  const int32_t half = W / 2, r0 = (H - half) / 2, c0 = (W - H) / 2;
  char path[256];
  if (ask_half("Left Image", path, sizeof path) != 1) return -1;
  show_status("Load Targa");
  cursor_wait();
  int32_t lw = 0, lh = 0, rw = 0, rh = 0;
  int32_t result = load_half(path, &lw, &lh);
  cursor_arrow();
  status_show_landscape_name();
  auto left = static_cast<uint32_t*>(take(int64_t{H} * half * 4));
  auto right = left ? static_cast<uint32_t*>(take(int64_t{H} * half * 4)) : nullptr;
  if (!left || !right) {
    host().free_block(left);
    return out_of_memory();
  }
  if (result == 1) {
    // The central half-by-H block turned a quarter turn: its right edge becomes the top.
    for (int32_t r = 0; r < H; ++r)
      for (int32_t c = 0; c < half; ++c) left[int64_t{r} * half + c] = vidmem24_row(r0 + c)[c0 + H - 1 - r];
    if (ask_half("Right Image", path, sizeof path) != 1) {
      result = -1;
    } else {
      show_status("Load Targa");
      cursor_wait();
      result = load_half(path, &rw, &rh);
      cursor_arrow();
      status_show_landscape_name();
      if (result == 1 && (lw != rw || lh != rh)) {
        requester(kStereoSizesDiffer, "  OK  ", nullptr);
        result = 0;
      }
    }
  }
  if (result == 1) {
    // The same block of the right picture turned the other way.
    for (int32_t r = 0; r < H; ++r)
      for (int32_t c = 0; c < half; ++c) right[int64_t{r} * half + c] = vidmem24_row(r0 + half - 1 - c)[c0 + r];
    for (int32_t y = 0; y < H; ++y) {
      uint32_t* row = vidmem24_row(y);
      std::memcpy(row, left + int64_t{y} * half, static_cast<size_t>(half) * 4);
      std::memcpy(row + half, right + int64_t{y} * half, static_cast<size_t>(half) * 4);
      const int32_t d = W * 16 / 640;
      for (int32_t x = half - d - 1; x <= half + d; ++x)
        if (x >= 0 && x < W) row[x] = 0;
    }
  }
  host().free_block(left);
  host().free_block(right);
  return result;
}
