// Saving and restoring the image area of the frame buffers around an image load.
#include "engine/panels/frame_snapshot.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/raster/frame_buffers.h"

namespace {
int32_t area_width(const FrameBuffer& b) { return b.rows ? std::min(image_width, b.width) : 0; }
int32_t area_height(const FrameBuffer& b) { return b.rows ? std::min(image_height, b.height) : 0; }
}  // namespace

bool FrameSnapshot::take() {
  taken_ = false;
  width24_ = std::max(0, area_width(vidmem24));
  height24_ = std::max(0, area_height(vidmem24));
  width8_ = std::max(0, area_width(vidmem8));
  height8_ = std::max(0, area_height(vidmem8));
  try {
    pixels24_.assign(static_cast<size_t>(width24_) * static_cast<size_t>(height24_), 0);
    pixels8_.assign(static_cast<size_t>(width8_) * static_cast<size_t>(height8_), 0);
  } catch (const std::bad_alloc&) {
    pixels24_.clear();
    pixels8_.clear();
    return false;
  }
  for (int32_t y = 0; y < height24_; ++y)
    std::memcpy(&pixels24_[static_cast<size_t>(y) * width24_], vidmem24.rows[y], static_cast<size_t>(width24_) * 4);
  for (int32_t y = 0; y < height8_; ++y)
    std::memcpy(&pixels8_[static_cast<size_t>(y) * width8_], vidmem8.rows[y], static_cast<size_t>(width8_));
  taken_ = true;
  return true;
}

void FrameSnapshot::restore() const {
  if (!taken_) return;
  if (width24_ == area_width(vidmem24) && height24_ == area_height(vidmem24)) {
    for (int32_t y = 0; y < height24_; ++y)
      std::memcpy(vidmem24.rows[y], &pixels24_[static_cast<size_t>(y) * width24_], static_cast<size_t>(width24_) * 4);
  }
  if (width8_ == area_width(vidmem8) && height8_ == area_height(vidmem8)) {
    for (int32_t y = 0; y < height8_; ++y)
      std::memcpy(vidmem8.rows[y], &pixels8_[static_cast<size_t>(y) * width8_], static_cast<size_t>(width8_));
  }
}
