// Surface-detail levels: the subdivision thresholds set by the detail mode and level.
#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"
#include "engine/render/lighting.h"

int32_t max_polygon_size = 15;
int32_t max_detail_depth = 6;

namespace {
struct DetailRow {
  int32_t polygon_size, depth, param_a, param_b;
};
constexpr DetailRow kDetailTable[5] = {
    {32000, 0, 5, 4}, {20, 4, 6, 5}, {15, 6, 7, 6}, {10, 8, 8, 7}, {7, 8, 8, 7},
};
}  // namespace

void set_detail_level(int32_t mode, int32_t level) {
  render_settings.detail_enabled = mode;
  render_settings.detail_level = level;
  if (level < 0 || level > 4) return;
  const DetailRow& r = kDetailTable[level];
  max_polygon_size = r.polygon_size;
  max_detail_depth = r.depth;
  render_settings.detail_param_a = r.param_a;
  render_settings.detail_param_b = r.param_b;
}

void surface_detail_command(int32_t level) {
  int32_t mode = render_settings.detail_enabled;
  if (render_settings.detail_level == 0 && level != 0) mode = 1;
  if (level == 0) mode = 0;
  set_detail_level(mode, level);
  if (host().key_down('S')) {
    value_requester("Max polygon size variable:", "  OK  ", nullptr, &max_polygon_size);
    value_requester("Max recursion depth variable:", "  OK  ", nullptr, &max_detail_depth);
  }
}
