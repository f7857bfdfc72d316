// The path editor's part in the command handler: the map and profile clicks of the path tools, and the hooks
// through which the map, the dispatcher and the flight generation draw the path.
#pragma once

#include <cstdint>

struct PanelRecord;

// A map click in one of the path modes (1362 to 1368, 1400, 1401), or mode 0 for a click on the altitude
// profile; 1 when it was handled.
int32_t path_map_click(int32_t mode, int32_t x, int32_t y, PanelRecord* panel);
// After a path edit: frames regenerated, the slider's frame made current, map and preview redrawn.
void path_regenerate_and_show();
// The Path panel redrawn with its altitude profile.
void path_panel_refresh();
// Start values of the path editor (tools, profile, dialogs) and its hooks installed.
void reset_path_editor_state();
