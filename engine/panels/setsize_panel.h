// The "setsize" pop-up panel: picks one of the fixed landscape sizes or the automatic size.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

// Command ids of the panel's gadgets.
constexpr int32_t kSetsizeOk = 1172;
constexpr int32_t kSetsizeSmall = 1054;
constexpr int32_t kSetsizeLarge = 1055;
constexpr int32_t kSetsizeHuge = 1056;
constexpr int32_t kSetsizeMega = 1057;
constexpr int32_t kSetsizeAutomatic = 1059;

// The panel's static gadget list (head).
extern GadgetRecord* const setsize_gadgets;

// Opens the panel (384 by 240 at 0, 0 of the parent), sets its radio buttons and shows the arrow
// cursor. Returns the new panel, or null when it could not be opened.
PanelRecord* setsize_dialog(PanelRecord* parent);
// All radio buttons off; then "Automatic" on when region_mode is 1, else the button of grid_width.
void setsize_update_buttons();
// Draw callback: attaches and draws the gadget list.
int32_t setsize_paint(PanelRecord* panel);
// Event callback: one panel_event result acted on.
void setsize_handler(PanelRecord* panel);
