// The one-shot start-up command and the redraws that follow it.
#include "engine/app/startup_command.h"

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/app/startup.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/status.h"

int32_t startup_done = 0;

void startup_command(PanelRecord* panel) {
  if (startup_done) return;
  startup_done = 1;
  startup();
  sync_bbox_button();
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  redraw_panel(panel);
  status_show_landscape_name();
}
