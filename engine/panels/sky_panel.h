// The Sky control panel: its record, gadget table, synchronisation from the sky, sun and moon settings, and draw
// callback. Its commands belong to the light and sky command family.
#pragma once

#include <cstdint>

struct PanelRecord;

// "Sky", panel type 6, 300 by 500, event callback engine_panel_event; registered as control_panels[6].
extern PanelRecord sky_panel;
void sky_panel_create();
// Brings the gadgets up to date; stores the moon's azimuth and elevation computed from its position. Returns 1.
int32_t sky_panel_sync();
int32_t sky_panel_init(PanelRecord* panel);
