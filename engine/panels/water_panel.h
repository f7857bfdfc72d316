// The Water control panel: its record, gadget table, synchronisation from the sea and wave settings, and draw
// callback. Its tool buttons arm map modes; its other commands belong to the terrain and water command family.
#pragma once

#include <cstdint>

struct PanelRecord;

// "Water", panel type 8, 300 by 500, event callback engine_panel_event; registered as control_panels[8].
extern PanelRecord water_panel;
void water_panel_create();
int32_t water_panel_sync();
// Fills the panel with the face colour, synchronises and draws. Returns 1.
int32_t water_panel_init(PanelRecord* panel);
