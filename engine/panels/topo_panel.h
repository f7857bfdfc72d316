// The Topo panel record (the map window) and its gadgets, and the Preview panel record.
#pragma once

#include "engine/ui/panel_record.h"

// The Topo panel: "Topo", 340 by 385, its map gadgets; the front end stores its window and canvas.
extern PanelRecord topo_panel_record;
// The Preview panel record: "Preview"; its gadgets are those of the preview.
extern PanelRecord preview_panel_record;
// Builds both records' gadget lists and makes topo_panel point at the Topo record; the records draw into
// the host's map and preview canvases. The front end calls it when it creates the map window: until then the map
// and preview redraws draw nothing and the map image stays marked for rebuilding.
void topo_panels_init();
