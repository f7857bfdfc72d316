// The Light and Sky panels' commands: sun presets and angles, shadows and shading, contrast and brightness, sky,
// horizon, haze, clouds, stars and moon, and the sizes and positions of sun and moon.
#include <cstdint>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/sun.h"
#include "engine/panels/cloud_panel.h"
#include "engine/panels/color_panel.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/sky_body_dialogs.h"
#include "engine/panels/texture_map_panels.h"
#include "engine/panels/topo_map.h"
#include "engine/render/render_start.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"

namespace {
bool on(PanelRecord* panel, int32_t id) { return gadget_state(panel, id) == kGadgetOn; }
void palette_stale() { derived_data.palette_stale = land_width; }
void shading_stale() { derived_data.shades_done_step = land_width; }

void sun_preset(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  gadget_select(panel, id);
  status_show_landscape_name();
  switch (id) {
    case 1048: sun_preset_north(); break;
    case 1049: sun_preset_south(); break;
    case 1050: sun_preset_west(); break;
    default: sun_preset_east(); break;
  }
  topo_and_preview_redraw();
  redraw_panel(panel);
  palette_stale();
}

void sun_knob(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  getvect(panel, "      Select light source:      ", &light_state.light_x, kGetvectLight);
  gadget_deselect(panel, id);
}

void sun_angle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  if (id == 1218) {
    light_state.sun_declination = gadget_float(panel, id);
    sun_declination_changed();
  } else {
    light_state.sun_azimuth = gadget_float(panel, id);
    sun_azimuth_changed();
  }
  light_state.light_tables_stale = 1;
  topo_and_preview_redraw();
  redraw_panel(panel);
  palette_stale();
  shading_stale();
}

void shadows(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.shadows_enabled = on(panel, id) ? 1 : 0;
  shading_stale();
}

void irregularity(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.light_roughness = gadget_value(panel, id);
  preview_refresh();
  shading_stale();
}

void exaggeration(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.exaggerate_shading = on(panel, id) ? 1 : 0;
  shading_stale();
  palette_stale();
}

void contrast_brightness(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  if (id == 1327 || id == 1328) light_state.contrast = v;
  else light_state.brightness = v;
  scheme_sky_colors();
  redraw_panel(panel);
}

void colors_button(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  show_color_panel(panel, 6);
  gadget_deselect(panel, id);
}

void sky_textures(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  sky_texture_dialog(panel);
  gadget_deselect(panel, id);
}

void sky_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1249) render_settings.sky_enabled = on(panel, id) ? 1 : 0;
  else render_settings.horizon_enabled = on(panel, id) ? 1 : 0;
}

void haze_density(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  // The magnitude of the most negative value does not fit: it is held at the largest one.
  render_settings.haze_density = v >= 0 ? v : (v == INT32_MIN ? INT32_MAX : -v);
  redraw_panel(panel);
  palette_stale();
}

void clouds_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) {
    clouds_enabled = 1;
    show_cloud_panel(panel);
  } else {
    clouds_enabled = 0;
  }
}

void stars_and_moon(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (on(panel, id)) {
    stars_on();
    moon_on();
  } else {
    stars_off();
    moon_off();
  }
  preview_refresh();
  palette_stale();
}

void moon_knob(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  set_moon_position_dialog(panel);
  gadget_deselect(panel, id);
}

void body_size(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  if (id == 1410 || id == 1411) set_moon_size(v);
  else set_sun_size(v);
  preview_refresh();
  redraw_panel(panel);
}
}  // namespace

const CommandRow light_sky_commands[] = {
    {1048, sun_preset},     {1049, sun_preset},     {1050, sun_preset},     {1051, sun_preset},
    {1160, sun_knob},       {1218, sun_angle},      {1217, sun_angle},      {1222, shadows},
    {1213, irregularity},   {1161, exaggeration},   {1327, contrast_brightness}, {1328, contrast_brightness},
    {1329, contrast_brightness}, {1330, contrast_brightness}, {1361, colors_button}, {1317, sky_textures},
    {1249, sky_toggle},     {1250, sky_toggle},     {1197, haze_density},   {1255, clouds_toggle},
    {1248, stars_and_moon}, {1408, moon_knob},      {1410, body_size},      {1411, body_size},
    {1415, body_size},      {1416, body_size},      {0, nullptr},
};
