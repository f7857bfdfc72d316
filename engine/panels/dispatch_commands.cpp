// Panel activation, the map display keys, the start-up command and F10: the dispatcher's own command family.
#include "engine/animation/path_model.h"
#include "engine/core/color_classes.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/map_state.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"

namespace {
// The activation common part: current panel, click mode and map mode (its change marks the map image stale).
void activate(int32_t id, int32_t click_mode, int32_t map_mode) {
  current_panel = id;
  render_settings.topo_click_mode = click_mode;
  derived_data.landscape_changed = set_topo_mode(map_mode);
}

void activate_camera(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  activate(id, keyboard_nudge_mode, 0);
  gadget_deselect(panel, 1042);
  gadget_deselect(panel, 1043);
  topo_and_preview_redraw();
}

void activate_plain(int32_t id, int32_t, int32_t, PanelRecord*) {
  activate(id, 0, 0);
  topo_redraw();
}

void activate_placement(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  activate(id, 0, 1);
  gadget_deselect(panel, 1042);
  gadget_deselect(panel, 1043);
  color_landscape();
  color_cliffs();
  status_show_landscape_name();
  topo_redraw();
}

void activate_path(int32_t id, int32_t, int32_t, PanelRecord*) {
  activate(id, 1363, 2);
  topo_and_preview_redraw();
  if (altitude_profile_hook) altitude_profile_hook(get_current_frame());
}

void key_t_pressed(int32_t, int32_t, int32_t, PanelRecord*) {
  derived_data.landscape_changed = set_topo_mode(0);
  topo_redraw();
}

void key_t_released(int32_t, int32_t, int32_t, PanelRecord*) {
  derived_data.landscape_changed = set_topo_mode(1);
  color_landscape();
  color_cliffs();
  topo_redraw();
}

void click_mode_off(int32_t, int32_t, int32_t, PanelRecord*) {
  render_settings.topo_click_mode = 0;
  topo_redraw();
}

void key_f10(int32_t, int32_t, int32_t, PanelRecord* panel) {
  redraw_panel_tree(panel);
  status_show_landscape_name();
}

void first_paint(int32_t, int32_t, int32_t, PanelRecord* panel) {
  if (startup_hook) startup_hook();
  sync_bbox_button();
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  redraw_panel(panel);
  status_show_landscape_name();
}
}  // namespace

const CommandRow dispatch_commands[] = {
    {1293, activate_camera},  {1294, activate_plain},     {1295, activate_plain}, {1296, activate_plain},
    {1297, activate_plain},   {1298, activate_plain},     {1299, activate_plain}, {1300, activate_plain},
    {1301, activate_plain},   {1302, activate_plain},     {1303, activate_plain}, {1304, activate_plain},
    {1305, activate_placement}, {1306, activate_path},    {1307, activate_plain}, {1426, key_t_pressed},
    {1425, key_t_released},   {1312, click_mode_off},     {0x14400, key_f10},     {1419, first_paint},
    {0, nullptr},
};
