// Creating the fourteen control panels (the scene panels Camera, Light, Sky, Terrain, Water, Tree, Texture and
// the tool panels) and the map and preview records in one call, for the front end.
#pragma once

// Builds every gadget list and registers the records in control_panels; the front end then gives each record its
// window and canvas and calls its draw callback when the window is painted.
void scene_panels_create();
