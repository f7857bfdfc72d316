// The control panels' records by panel type, so that commands can reach a panel other than the sender, and the
// hooks through which the layers above and the tools built elsewhere join the dispatcher.
#pragma once

#include <cstdint>

struct PanelRecord;

// Panel types 4 (Camera) to 17 (Animation); an entry is null until its panel is created.
enum ControlPanelType : int32_t {
  kPanelCamera = 4, kPanelLight = 5, kPanelSky = 6, kPanelTerrain = 7, kPanelWater = 8, kPanelTree = 9,
  kPanelTexture = 10, kPanelManipulation = 11, kPanelCreation = 12, kPanelPlacement = 13, kPanelImage = 14,
  kPanelVrControl = 15, kPanelPath = 16, kPanelAnimation = 17,
};
extern PanelRecord* control_panels[18];
// The panel of the type, or null.
PanelRecord* control_panel(int32_t type);
// Releases (deselects) button id on the panel of the type, when that panel exists.
void release_on_panel(int32_t type, int32_t id);

// The start-up run by the first paint of the map window (command line, start-up script and landscape); the
// program's initialisation sets it.
extern void (*startup_hook)();
// Draws the altitude profile of the path at the frame; set by the path editor.
extern void (*altitude_profile_hook)(int32_t frame);
// A left click that the map hands to the path editor: the click mode (1362 to 1368, 1400, 1401) and the
// panel-relative point, or mode 0 for a click on the altitude profile while the Path panel is current. The
// editor returns 1 when it handled the click; while no editor is set, path clicks do nothing.
extern int32_t (*path_click_hook)(int32_t mode, int32_t x, int32_t y, PanelRecord* panel);
