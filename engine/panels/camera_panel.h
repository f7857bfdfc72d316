// The Camera control panel: its record, gadget table, synchronisation from the camera and lens, and draw callback.
#pragma once

#include <cstdint>

struct PanelRecord;

// "Camera", panel type 4, 300 by 500, event callback engine_panel_event; registered as control_panels[4].
extern PanelRecord camera_panel;
// Builds the gadget list and registers the record (canvas and frame are the front end's).
void camera_panel_create();
// Brings the gadgets up to date from the camera, lens, click mode and exposure settings. Returns 1.
int32_t camera_panel_sync();
// Draw callback of the Camera, Topo and Preview records: makes the Camera canvas current, synchronises and draws
// the Camera panel's gadgets. Returns 1.
int32_t camera_panel_init(PanelRecord* panel);
