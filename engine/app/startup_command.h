// Engine command 1419, sent by the first paint of the Topo window: start-up, then the map and panels.
#pragma once

#include <cstdint>

struct PanelRecord;

constexpr uint32_t kStartupCommandId = 1419;

// 1 once start-up has run; a second 1419 does nothing.
extern int32_t startup_done;

// startup, the "BB" button, the elevation range, the map marked changed, the panels, the sender and the
// landscape name on the status line. Runs only the first time.
void startup_command(PanelRecord* panel);
