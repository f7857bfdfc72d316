// Map clicks, the map click modes and the nudge keys: the map's command family.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/water.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/cursor_position.h"
#include "engine/panels/map_paint.h"
#include "engine/panels/map_state.h"
#include "engine/panels/preview_panel.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {
int32_t& click_mode() { return render_settings.topo_click_mode; }

bool panel_named(const PanelRecord* panel, const char* name) {
  return panel && std::strncmp(panel->name, name, sizeof panel->name) == 0;
}

void mark_stale(bool palette, bool colours, bool shading) {
  if (palette) derived_data.palette_stale = land_width;
  if (colours) {
    derived_data.colors_done_step = land_width;
    derived_data.cliffs_done_step = land_width;
  }
  if (shading) derived_data.shades_done_step = land_width;
}

// Place target and Place camera: the mode follows the toggle, and the nudge keys follow the mode.
void place_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  click_mode() = gadget_state(panel, id) == 1 ? (id == 1042 ? 1 : 2) : 0;
  keyboard_nudge_mode = click_mode();
}

// The one-shot tools and the object buttons: on arms the mode, off disarms it.
void mode_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  int32_t on = id;
  switch (id) {
    case 1097: on = 3; break;
    case 1098: on = 4; break;
    case 1179: on = 5; break;
    case 1177: on = 6; break;
    case 1178: on = 7; break;
    default: break;
  }
  click_mode() = gadget_state(panel, id) == 1 ? on : 0;
}

void erase_all(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  click_mode() = 0;
  if (requester("Erase all user objects?", "  Yes ", "  No  ") == 1) erase_user_objects();
  gadget_deselect(panel, id);
  status_show_landscape_name();
}

void water_tool(int32_t x, int32_t y, PanelRecord* panel, bool lake) {
  panel_disable(panel);
  if (lake) lake_command(x, y);
  else river_command(x, y);
  mark_stale(true, false, false);
  click_mode() = 0;
  derived_data.landscape_changed = 1;
  show_cursor_position(x, y);
  topo_and_preview_redraw();
  panel_enable(panel);
  release_on_panel(kPanelWater, lake ? 1097 : 1098);
}

void line_pick(int32_t x, int32_t y, PanelRecord* panel, bool tree) {
  if (tree) pick_tree_line(x, y);
  else pick_snow_line(x, y);
  preview_refresh();
  click_mode() = 0;
  release_on_panel(kPanelTerrain, tree ? 1179 : 1177);
  redraw_panel(panel);
  mark_stale(true, true, false);
  derived_data.landscape_changed = 1;
  topo_and_preview_redraw();
}

void sea_pick(int32_t x, int32_t y, PanelRecord* panel) {
  panel_disable(panel);
  pick_sea_level(x, y);
  if (sea_command() == 1) {
    terrain_settings.sea_level = 0;
    scan_elevation_range();
    default_levels();
  }
  click_mode() = 0;
  mark_stale(true, true, true);
  derived_data.landscape_changed = 1;
  scan_elevation_range();
  topo_and_preview_redraw();
  panel_enable(panel);
  redraw_panel(panel);
  release_on_panel(kPanelWater, 1178);
}

bool map_point_on_landscape(int32_t x, int32_t y) {
  float wx, wy;
  int32_t col, row;
  topo_to_world(x, y, &wx, &wy);
  return wx >= 0 && wy >= 0 && world_to_sample(wx, wy, &col, &row);
}

// Keeps a nudged coordinate on the landscape.
float clamp_to(float v, float hi) { return v < 0 ? 0 : (v > hi ? hi : v); }

void left_click(int32_t, int32_t x, int32_t y, PanelRecord* panel) {
  status_show_landscape_name();
  if (panel_named(panel, "Preview")) {
    if (point_camera_at_preview(x, y)) {
      topo_and_preview_redraw();
      redraw_panel(panel);
      return;
    }
  }
  if (current_panel == 1306 && x >= 30 && x <= 270 && y >= 318 && y <= 430) {
    if (path_click_hook) path_click_hook(0, x, y, panel);
    return;
  }
  if (!panel_named(panel, "Topo") || x < 30 || x >= 285 || y < 25 || y >= 280) return;
  const int32_t mode = click_mode();
  switch (mode) {
    case 2:
    case 1:
      // A click beside the landscape (the teal border of a zoomed-out or scrolled map) places nothing.
      if (!map_point_on_landscape(x, y)) return;
      if (mode == 2) set_camera_from_map(x, y);
      else set_target_from_map(x, y);
      topo_and_preview_redraw();
      redraw_panel(panel);
      return;
    case 3:
    case 4: water_tool(x, y, panel, mode == 3); return;
    case 5:
    case 6: line_pick(x, y, panel, mode == 5); return;
    case 7: sea_pick(x, y, panel); return;
    default: break;
  }
  if (const int32_t code = paint_code_of_mode(mode); code >= 0) {
    topo_paint_objects(x, y, code);
    return;
  }
  if ((mode >= 1362 && mode <= 1368) || mode == 1400 || mode == 1401) {
    if (path_click_hook) path_click_hook(mode, x, y, panel);
  }
}

void right_button(int32_t, int32_t x, int32_t y, PanelRecord*) {
  status_show_landscape_name();
  if (current_panel == 1305) topo_paint_objects(x, y, 0);
}

// The arrow and keypad keys move the chosen object by one metre along one axis.
void nudge(int32_t key, int32_t, int32_t, PanelRecord* panel) {
  if (keyboard_nudge_mode != 1 && keyboard_nudge_mode != 2) return;
  float dx = 0, dy = 0, dz = 0;
  switch (key) {
    case 0x14800: dy = 1; break;
    case 0x15000: dy = -1; break;
    case 0x14D00: dx = 1; break;
    case 0x14B00: dx = -1; break;
    case 0x14E2B: dz = 1; break;
    case 0x14A2D: dz = -1; break;
    default: return;
  }
  CameraState& c = camera_state;
  float x, y, z;
  char letter;
  const float max_x = static_cast<float>(land_width) * grid_spacing_x;
  const float max_y = static_cast<float>(land_height) * grid_spacing_y;
  if (keyboard_nudge_mode == 2) {
    set_camera(clamp_to(c.camera_x + dx, max_x), clamp_to(c.camera_y + dy, max_y), c.camera_z + dz);
    x = c.camera_x, y = c.camera_y, z = c.camera_z, letter = 'C';
  } else {
    set_target(clamp_to(c.target_x + dx, max_x), clamp_to(c.target_y + dy, max_y), c.target_z + dz);
    x = c.target_x, y = c.target_y, z = c.target_z, letter = 'T';
  }
  topo_and_preview_redraw();
  redraw_panel(panel);
  std::snprintf(text_buffer, sizeof text_buffer, "%c  X=%-6ld  Y=%-6ld  Z=%-6ld  ", letter, static_cast<long>(std::trunc(x)),
                static_cast<long>(std::trunc(y)), static_cast<long>(std::trunc(z)));
  show_status(text_buffer);
}
}  // namespace

const CommandRow map_commands[] = {
    {1042, place_toggle}, {1043, place_toggle}, {1097, mode_toggle}, {1098, mode_toggle}, {1179, mode_toggle},
    {1177, mode_toggle},  {1178, mode_toggle},  {1337, mode_toggle}, {1338, mode_toggle}, {1339, mode_toggle},
    {1340, mode_toggle},  {1341, mode_toggle},  {1342, mode_toggle}, {1343, mode_toggle}, {1344, mode_toggle},
    {1345, mode_toggle},  {1346, mode_toggle},  {1351, mode_toggle}, {1355, erase_all},   {1, left_click},
    {3, right_button},    {0x14800, nudge},     {0x15000, nudge},    {0x14D00, nudge},    {0x14B00, nudge},
    {0x14E2B, nudge},     {0x14A2D, nudge},     {0, nullptr},
};
