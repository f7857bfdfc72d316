// The command handler: the busy guard, the search of the command families, and the panels' event callbacks.
#include "engine/panels/command_dispatch.h"

#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/cursor_position.h"
#include "engine/panels/map_state.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {
// Clears the busy flag however the command body ends, an exception included.
struct BusyScope {
  BusyScope() { engine_busy = 1; }
  ~BusyScope() { engine_busy = 0; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};
}  // namespace

const CommandRow* find_command_row(uint32_t command) {
  for (int32_t f = 0; f < command_family_count; ++f) {
    for (const CommandRow* row = command_families[f]; row->run; ++row) {
      if (static_cast<uint32_t>(row->id) == command) return row;
    }
  }
  return nullptr;
}

void engine_command(uint32_t command, int32_t x, int32_t y, PanelRecord* panel) {
  if (engine_busy) return;
  BusyScope busy;
  if (!panel) requester("Please report error: WL01", "OK", nullptr);
  if (const CommandRow* row = find_command_row(command)) {
    row->run(static_cast<int32_t>(command), x, y, panel);
  }
}

void engine_panel_event(PanelRecord* panel) {
  if (engine_busy) {
    int32_t x = 0, y = 0, buttons = 0;
    mouse_poll(panel, &x, &y, &buttons);
    if (buttons & 2) user_abort = 1;
    return;
  }
  int32_t x = 0, y = 0;
  engine_busy = 1;
  const int32_t r = panel_event(panel, &x, &y);
  engine_busy = 0;
  if (r != 0) engine_command(static_cast<uint32_t>(r), x, y, panel);
}

void topo_panel_event(PanelRecord* panel) {
  if (engine_busy) return;
  int32_t x = 0, y = 0;
  const int32_t r = panel_event(panel, &x, &y);
  if (r != 0) {
    engine_command(static_cast<uint32_t>(r), x, y, panel);
    return;
  }
  if (x == -1 && y == -1) return;
  if (x >= 30 && x <= 285 && y >= 25 && y <= 280) {
    show_cursor_position(x, y);
    topo_hover_shown = 1;
  } else if (topo_hover_shown) {
    status_show_landscape_name();
    topo_hover_shown = 0;
  }
}

void require_8bit_message() { requester("This function requires 8-bit mode.", "  OK  ", nullptr); }
void require_24bit_message() { requester("This function requires 24-bit mode.", "  OK  ", nullptr); }

bool need_24bit() {
  if (vidmem24.rows) return true;
  require_24bit_message();
  return false;
}
bool need_8bit() {
  if (vidmem8.rows) return true;
  require_8bit_message();
  return false;
}
