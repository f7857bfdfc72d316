// Copying the frame's image area aside and back around picture loads.
#include "engine/files/frame_snapshot.h"

#include <cstring>

#include "engine/host/host.h"
#include "engine/raster/frame_buffers.h"

int32_t frame_snapshot_take(FrameSnapshot* s) {
  *s = FrameSnapshot{};
  if (!vidmem24.rows) return 1;
  const int32_t w = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t h = image_height < vidmem24.height ? image_height : vidmem24.height;
  if (w <= 0 || h <= 0) return 1;
  s->pixels = static_cast<uint32_t*>(host().alloc_zeroed(static_cast<size_t>(w) * static_cast<size_t>(h) * 4));
  if (!s->pixels) return 0;
  s->width = w;
  s->height = h;
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(s->pixels + static_cast<size_t>(y) * w, vidmem24_row(y), static_cast<size_t>(w) * 4);
  return 1;
}

void frame_snapshot_restore(const FrameSnapshot& s) {
  if (!s.pixels || !vidmem24.rows || s.width > vidmem24.width || s.height > vidmem24.height) return;
  for (int32_t y = 0; y < s.height; ++y)
    std::memcpy(vidmem24_row(y), s.pixels + static_cast<size_t>(y) * s.width, static_cast<size_t>(s.width) * 4);
}

void frame_snapshot_free(FrameSnapshot* s) {
  host().free_block(s->pixels);
  *s = FrameSnapshot{};
}
