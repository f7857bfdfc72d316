// Opening and closing the information pop-ups, one copy of each at a time.
#pragma once

#include <cstdint>

#include "engine/panels/popup_guard.h"

// Opens a 372-pixel-wide pop-up into the slot, disables the opener and draws the pop-up once, unless the slot
// holds one that is still open (then null).
PanelRecord* info_popup_open(PopupSlot& slot, PanelRecord* parent, const char* title, int32_t height,
                             int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*));
// Forgets the pop-up and closes its window; the front end then frees the record and enables the opener.
void info_popup_close(PopupSlot& slot, PanelRecord* panel);
// Makes the pop-up's canvas current and fills its inside with the face colour.
void info_fill(PanelRecord* panel);
