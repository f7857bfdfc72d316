// The seven tool control panels (Manipulation, Creation, Placement, Image, VR Control, Path, Animation): their
// records, gadget tables, synchronisation from the settings and draw callbacks.
#pragma once

#include <cstdint>

struct PanelRecord;

extern PanelRecord manipulation_panel, creation_panel, placement_panel, image_panel, vr_control_panel, path_panel,
    animation_panel;

// Builds every tool panel's gadget list and registers the records in control_panels.
void tool_panels_create();
void manipulation_panel_create();
void creation_panel_create();
void placement_panel_create();
void image_panel_create();
void vr_control_panel_create();
void path_panel_create();
void animation_panel_create();

int32_t manipulation_panel_sync();
int32_t creation_panel_sync();
int32_t placement_panel_sync();
int32_t image_panel_sync();
int32_t vr_control_panel_sync();
int32_t path_panel_sync();
int32_t animation_panel_sync();

int32_t manipulation_panel_init(PanelRecord* panel);
int32_t creation_panel_init(PanelRecord* panel);
int32_t placement_panel_init(PanelRecord* panel);
int32_t image_panel_init(PanelRecord* panel);
int32_t vr_control_panel_init(PanelRecord* panel);
int32_t path_panel_init(PanelRecord* panel);
int32_t animation_panel_init(PanelRecord* panel);

// The Path panel's two read-outs as last written ("%-30s").
extern char path_frame_readout[32];
extern char path_altitude_readout[32];

// Sets up a control panel record: name, type, box 0,0 to 300,500, draw callback, the shared event callback and
// gadget list; registers it in control_panels.
void tool_panel_setup(PanelRecord& panel, const char* name, int32_t type, int32_t (*draw)(PanelRecord*),
                      struct GadgetRecord* list);
// The draw callback's steps: optional face fill, the synchronisation, then the gadgets, on the panel's canvas.
int32_t tool_panel_draw(PanelRecord& panel, bool fill, int32_t (*sync)());
