// Opening the Colours pop-up panel on one slot page, as the Colors buttons of the control panels do.
#pragma once

#include <cstdint>

struct PanelRecord;

// Pages: 1 Ground, 2 Cliff, 3 Water, 4 Tree, 5 House, 6 Sky. Returns 1.
int32_t show_color_panel(PanelRecord* parent, int32_t page);
