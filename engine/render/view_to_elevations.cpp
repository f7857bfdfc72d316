// Turning the rendered 8-bit image into elevations by nearest-pixel sampling.
#include "engine/render/view_to_elevations.h"

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/file_messages.h"
#include "engine/landscape/camera.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/requesters.h"

int32_t convert_view_to_altitude() {
  if (!vidmem8.rows || image_width <= 0 || image_height <= 0 || vidmem8.width < image_width ||
      vidmem8.height < image_height) {
    msg_view_buffer_unavailable();
    return 0;
  }
  if (!elevation_rows || grid_width <= 0 || grid_height <= 0) return 0;
  const bool intensity = requester("Convert View to ALT:", "Intensity", "Color") == 1;
  int32_t value[256];
  for (int32_t i = 0; i < 256; ++i) {
    const PaletteEntry& p = display_palette[i];
    value[i] = intensity ? (30 * p.red + 59 * p.green + 11 * p.blue) / 100 * 64 : i * 16;
  }
  for (int32_t y = 0; y < grid_height; ++y) {
    const int32_t iy = static_cast<int32_t>(int64_t{y} * image_height / grid_height);
    const uint8_t* pixels = vidmem8_row(iy);
    int16_t* e = elevation_row(grid_height - 1 - y);
    for (int32_t x = 0; x < grid_width; ++x) {
      const int32_t ix = static_cast<int32_t>(int64_t{x} * image_width / grid_width);
      e[x] = static_cast<int16_t>(value[pixels[ix]]);
    }
  }
  // New heights everywhere: the range, the colours and the shading follow.
  scan_elevation_range();
  mark_derived_stale();
  derived_data.landscape_changed = 1;
  return 1;
}
