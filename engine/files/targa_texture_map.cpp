// The landscape's ground colours written as a Targa picture, one pixel per grid sample.
#include <cstring>

#include "engine/files/targa.h"
#include "engine/files/targa_writer.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"

int32_t texture_map_save_targa(const char* path) {
  const int32_t s = render_settings.grid_step > 0 ? render_settings.grid_step : 1;
  int32_t x0 = 0, y0 = 0, x1 = land_width / s * s, y1 = land_height / s * s;
  if (render_settings.bbox_enabled) {
    x0 = render_settings.bbox_x0 / s * s;
    y0 = render_settings.bbox_y0 / s * s;
    x1 = (render_settings.bbox_x1 + s - 1) / s * s;
    y1 = (render_settings.bbox_y1 + s - 1) / s * s;
    // The marked region stays on the grid whatever the stored corners say.
    if (x0 < 0) x0 = 0;
    if (y0 < 0) y0 = 0;
    if (x1 > grid_width) x1 = grid_width;
    if (y1 > grid_height) y1 = grid_height;
  }
  const int32_t w = x1 - x0, h = y1 - y0;
  if (w <= 0 || h <= 0) return 0;
  return targa_write_rows(path, w, h, 24, targa_compression != 0, [&](int32_t i, uint32_t* row) {
    const CoverCell* cover = cover_row(y0 + i);
    for (int32_t c = 0; c < w; ++c) {
      const ColorEntry& e = color_table[cover[x0 + c].color_class];
      row[c] = static_cast<uint32_t>(e.red) << 16 | static_cast<uint32_t>(e.green) << 8 | e.blue;
    }
  });
}
