// Map read-out on the status line: click-mode letter, world coordinates and the elevation under the pointer.
#include "engine/panels/cursor_position.h"

#include <cmath>
#include <cstdio>

#include "engine/host/host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"

namespace {
char mode_letter(int32_t mode) {
  switch (mode) {
    case 1: return 'T';
    case 2: return 'C';
    case 3: return 'L';
    case 4: return 'R';
    case 5: return 'V';
    case 6: return 'S';
    case 7: return 'O';
    default: return ' ';
  }
}

long trunc_long(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return 2147483647L;
  if (v <= -2147483648.0f) return -2147483647L - 1;
  return static_cast<long>(v);
}
}  // namespace

void show_cursor_position(int32_t px, int32_t py) {
  float wx, wy;
  int32_t col, row;
  topo_to_world(px, py, &wx, &wy);
  long z = 0;
  if (world_to_sample(wx, wy, &col, &row) && elevation_rows) z = elevation_row(row)[col];
  long x = trunc_long(wx), y = trunc_long(wy);
  if (host().key_down('C')) {
    x += landscape_view.origin_x;
    y += landscape_view.origin_y;
  }
  std::snprintf(text_buffer, sizeof text_buffer, "%c  X=%-6ld  Y=%-6ld  Z=%-6ld  ", mode_letter(render_settings.topo_click_mode), x, y,
                z);
  show_status(text_buffer);
}
