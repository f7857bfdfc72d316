// Opening and closing the information pop-ups, one copy of each at a time.
#pragma once

#include <cstdint>

struct PanelRecord;

// Opens a 372-pixel-wide pop-up into *slot and draws it once, unless *slot already holds one (then null).
PanelRecord* info_popup_open(PanelRecord** slot, PanelRecord* parent, const char* title, int32_t height,
                             int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*));
// Forgets the pop-up, closes its window and enables its parent again.
void info_popup_close(PanelRecord** slot, PanelRecord* panel);
// Makes the pop-up's canvas current and fills its inside with the face colour.
void info_fill(PanelRecord* panel);
