// The Texture control panel: its record, gadget table, synchronisation from the surface detail and colouring
// settings, and draw callback. Its commands belong to the terrain and texture command family.
#pragma once

#include <cstdint>

struct PanelRecord;

// "Texture", panel type 10, 300 by 500, event callback engine_panel_event; registered as control_panels[10].
extern PanelRecord texture_panel;
void texture_panel_create();
int32_t texture_panel_sync();
// Fills the panel with the face colour, synchronises and draws. Returns 1.
int32_t texture_panel_init(PanelRecord* panel);
