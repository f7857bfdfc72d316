// The Light control panel: its record, gadget table, synchronisation from the light settings, and draw callback.
// Its commands belong to the light and sky command family.
#pragma once

#include <cstdint>

struct PanelRecord;

// "Light", panel type 5, 300 by 500, event callback engine_panel_event; registered as control_panels[5].
extern PanelRecord light_panel;
void light_panel_create();
int32_t light_panel_sync();
int32_t light_panel_init(PanelRecord* panel);
