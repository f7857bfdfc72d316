// Draping the 8-bit image over the landscape as ground colours 128..255, and rebuilding the 32-bit image from it.
#include <cstdio>

#include "engine/files/file_messages.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/palette_remap.h"

void image_to_colormap() {
  if (vidmem8.rows == nullptr) {
    msg_view_buffer_unavailable();
    return;
  }
  PaletteEntry palette[256];
  get_palette(palette, 0, 256);
  uint32_t mapping[256];
  remap_to_palette(palette, mapping);
  for (int32_t i = 128; i < 256; ++i) {
    color_table[i].red = palette[i].red;
    color_table[i].green = palette[i].green;
    color_table[i].blue = palette[i].blue;
  }
  if (image_width <= 0 || image_height <= 0) return;
  for (int32_t r = 0; r < grid_height; ++r) {
    const int32_t iy = static_cast<int32_t>(int64_t{r} * image_height / grid_height);
    const uint8_t* pixels = vidmem8_row(iy);
    CoverCell* cover = cover_row(grid_height - 1 - r);
    for (int32_t c = 0; c < grid_width; ++c) {
      const int32_t ix = static_cast<int32_t>(int64_t{c} * image_width / grid_width);
      cover[c].color_class = static_cast<uint8_t>(mapping[pixels[ix]]);
    }
  }
}

void rebuild_rgb_image() {
  if (vidmem8.rows == nullptr) {
    msg_view_buffer_unavailable();
    return;
  }
  if (vidmem24.rows == nullptr) {
    requester("This function requires 24-bit mode.", "  OK  ", nullptr);
    return;
  }
  for (int32_t y = 0; y < image_height; ++y) {
    const uint8_t* src = vidmem8_row(y);
    uint32_t* dst = vidmem24_row(y);
    for (int32_t x = 0; x < image_width; ++x) {
      const PaletteEntry& p = display_palette[src[x]];
      dst[x] = static_cast<uint32_t>(p.red) << 16 | static_cast<uint32_t>(p.green) << 8 | p.blue;
    }
  }
}
