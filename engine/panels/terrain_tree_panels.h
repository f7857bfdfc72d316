// The Terrain and Tree control panels: records, gadget tables, synchronisation from the terrain and tree settings,
// and draw callbacks. Their commands belong to the terrain and tree command family (the line tools arm map modes).
#pragma once

#include <cstdint>

struct PanelRecord;

// "Terrain", panel type 7, and "Tree", panel type 9; 300 by 500, event callback engine_panel_event; registered in
// control_panels.
extern PanelRecord terrain_panel;
extern PanelRecord tree_panel;
void terrain_panel_create();
void tree_panel_create();
int32_t terrain_panel_sync();
int32_t tree_panel_sync();
// The Terrain panel fills its background first; the Tree panel does not.
int32_t terrain_panel_init(PanelRecord* panel);
int32_t tree_panel_init(PanelRecord* panel);
