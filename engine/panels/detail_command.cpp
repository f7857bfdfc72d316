// The control panel's surface-detail command.
#include "engine/panels/detail_command.h"

#include "engine/core/settings.h"
#include "engine/host/host.h"
#include "engine/render/lighting.h"
#include "engine/ui/requesters.h"

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
