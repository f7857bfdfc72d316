// Creating the control panels and the map and preview records.
#include "engine/panels/scene_panels.h"

#include "engine/panels/camera_panel.h"
#include "engine/panels/light_panel.h"
#include "engine/panels/sky_panel.h"
#include "engine/panels/terrain_tree_panels.h"
#include "engine/panels/texture_panel.h"
#include "engine/panels/tool_panels.h"
#include "engine/panels/topo_panel.h"
#include "engine/panels/water_panel.h"

void scene_panels_create() {
  topo_panels_init();
  camera_panel_create();
  light_panel_create();
  sky_panel_create();
  terrain_panel_create();
  water_panel_create();
  tree_panel_create();
  texture_panel_create();
  tool_panels_create();
}
