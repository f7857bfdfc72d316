// The Terrain, Water, Tree and Texture panels' commands: tree and snow lines, valley effect, cliffs and strata,
// sea level and waves, trees, 3-D surface detail and colouring, and the colour and texture pop-ups.
#include <cstdint>

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/tree_classes.h"
#include "engine/landscape/water.h"
#include "engine/landscape/waves.h"
#include "engine/panels/color_panel.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/detail_command.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/texture_map_panels.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/tree_control_panel.h"
#include "engine/render/terrain_quad.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"

namespace {
bool on(PanelRecord* panel, int32_t id) { return gadget_state(panel, id) == kGadgetOn; }
void colours_cliffs_stale() {
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}
void palette_stale() { derived_data.palette_stale = land_width; }

// Terrain panel.
void band_line(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  if (id == 1196) terrain_settings.snow_line = v;
  else terrain_settings.tree_line = v;
  preview_refresh();
  colours_cliffs_stale();
  palette_stale();
  derived_data.landscape_changed = 1;
  topo_redraw();
}

void boundary_roughness(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  terrain_settings.line_roughness = gadget_value(panel, id);
  colours_cliffs_stale();
  palette_stale();
}

void valley_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) {
    roughness_on();
    colours_cliffs_stale();
  } else {
    roughness_off();
  }
}

void valley_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1263) terrain_settings.roughness_radius = gadget_value(panel, id);
  else terrain_settings.roughness_weight = gadget_value(panel, id);
  colours_cliffs_stale();
}

void cliffs_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) cliffs_on();
  else cliffs_off();
  colours_cliffs_stale();
}

void cliff_threshold(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  set_cliff_angle(gadget_value(panel, id));
  colours_cliffs_stale();
}

void stratified_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) {
    terrain_settings.cliff_mode = 2;
    build_strata_bands();
  } else {
    terrain_settings.cliff_mode = 1;
  }
  colours_cliffs_stale();
}

void strata_thickness(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  terrain_settings.strata_thickness = gadget_value(panel, id);
  if (terrain_settings.strata_thickness == 0) {
    terrain_settings.strata_thickness = 1;
    set_gadget_value(panel, id, 1);
  }
  build_strata_bands();
  colours_cliffs_stale();
}

void strata_warp(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  terrain_settings.strata_warp = gadget_value(panel, id);
  derived_data.cliffs_done_step = land_width;
}

void strata_tilt(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  getvect(panel, "   Select stacking direction:   ", &terrain_settings.strata_normal_x, kGetvectStrata);
  gadget_deselect(panel, id);
}

void colors_button(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  show_color_panel(panel, id - 1355);  // 1356 ground .. 1360 houses: pages 1 to 5
  gadget_deselect(panel, id);
}

void texture_button(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  switch (id) {
    case 1313: ground_texture_dialog(panel); break;
    case 1314: show_house_texture_panel(panel); break;
    case 1315: open_tree_texture_dialog(panel); break;
    default: water_texture_panel(panel); break;
  }
  gadget_deselect(panel, id);
}

// Water panel.
void sea_level(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  terrain_settings.sea_level = gadget_value(panel, 1194);
  if (sea_command() == 1) {
    terrain_settings.sea_level = 0;
    scan_elevation_range();
    default_levels();
  }
  palette_stale();
  derived_data.shades_done_step = land_width;
  colours_cliffs_stale();
  derived_data.landscape_changed = 1;
  scan_elevation_range();
  topo_and_preview_redraw();
  redraw_panel(panel);
}

void waves_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) waves_on();
  else waves_off();
}

void wave_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const float v = static_cast<float>(gadget_value(panel, id));
  switch (id) {
    case 1333:
      wave_settings.wave_length = v == 0.0f ? 1.0f : v;
      set_wave_length(wave_settings.wave_length);
      redraw_panel(panel);
      break;
    case 1334:
      wave_settings.wave_height = v;
      set_wave_height(wave_settings.wave_height);
      break;
    default:
      wave_settings.wave_period = v;
      set_wave_period(wave_settings.wave_period);
      break;
  }
}

void wave_direction(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  // The picker builds the wave source's vector from wave_direction itself and sets the direction on accept.
  getvect(panel, "      Select wave source:       ", nullptr, kGetvectWave);
  redraw_panel(panel);
  gadget_deselect(panel, id);
}

// Tree panel.
void trees_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) {
    tree_settings.trees_enabled = 1;
    derived_data.landscape_changed = 1;
    open_tree_control_panel(panel, 14);
    redraw_panel(panel);
  } else {
    tree_settings.trees_enabled = 0;
    derived_data.landscape_changed = 1;
  }
}

void tree_means(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1200) set_mean_tree_size(gadget_value(panel, id));
  else set_mean_tree_density(gadget_value(panel, id));
  colours_cliffs_stale();
  palette_stale();
}

void tree_drawing(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const bool pressed = on(panel, id);
  tree_settings.trees_3d = (id == 1203) == pressed ? 1 : 0;
}

void tree_detail(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (gadget_state(panel, id) == kGadgetOff) gadget_select(panel, id);
  tree_settings.tree_detail = id - 1207;  // L -1, M 0, H 1, U 2
}

void branch_bending(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  int32_t v = gadget_value(panel, id);
  if (id == 1205) v = v < 0 ? 0 : (v > 100 ? 100 : v);
  for (int32_t& b : tree_settings.branch_bend) b = v;
  redraw_panel(panel);
}

// Texture panel.
void detail_off(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  gadget_select(panel, id);
  surface_detail_command(0);
  redraw_panel(panel);
}

void detail_level(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  surface_detail_command(on(panel, id) ? id - 1009 : 0);
  redraw_panel(panel);
}

void roughness_scale(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1014) set_fractal_amplitude_first(gadget_value(panel, id));
  else set_fractal_amplitude_last(gadget_value(panel, id));
}

void texture_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = on(panel, id) ? 1 : 0;
  switch (id) {
    case 1016: horizontal_deform = v; break;
    case 1226: render_settings.blend_colors = v; break;
    default:
      render_settings.gouraud_enabled = v;
      derived_data.shades_done_step = land_width;
      break;
  }
}
}  // namespace

const CommandRow terrain_tree_commands[] = {
    {1196, band_line},        {1195, band_line},        {1198, boundary_roughness}, {1262, valley_toggle},
    {1263, valley_field},     {1264, valley_field},     {1256, cliffs_toggle},      {1257, cliff_threshold},
    {1258, stratified_toggle}, {1259, strata_thickness}, {1261, strata_warp},       {1260, strata_tilt},
    {1356, colors_button},    {1357, colors_button},    {1358, colors_button},      {1359, colors_button},
    {1360, colors_button},    {1313, texture_button},   {1314, texture_button},     {1315, texture_button},
    {1316, texture_button},   {1194, sea_level},        {1331, waves_toggle},       {1333, wave_field},
    {1334, wave_field},       {1335, wave_field},       {1332, wave_direction},     {1199, trees_toggle},
    {1200, tree_means},       {1201, tree_means},       {1202, tree_drawing},       {1203, tree_drawing},
    {1206, tree_detail},      {1207, tree_detail},      {1208, tree_detail},        {1209, tree_detail},
    {1205, branch_bending},   {1204, branch_bending},   {1009, detail_off},         {1010, detail_level},
    {1011, detail_level},     {1012, detail_level},     {1014, roughness_scale},    {1015, roughness_scale},
    {1016, texture_toggle},   {1226, texture_toggle},   {1062, texture_toggle},     {0, nullptr},
};
