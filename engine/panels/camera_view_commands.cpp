// The Camera panel's pose and lens fields, the VR Control panel's view and eye buttons, and the Topo and Preview
// panels' small buttons: the camera and view command family.
#include <cmath>

#include "engine/animation/path_scripts.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/preview_panel.h"
#include "engine/panels/region_picks.h"
#include "engine/panels/topo_map.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"

namespace {
CameraState& cam() { return camera_state; }

void map_preview_sender(PanelRecord* panel) {
  topo_and_preview_redraw();
  redraw_panel(panel);
}

void lock_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t on = gadget_state(panel, id) == 1 ? 1 : 0;
  if (id == 1174) cam().lock_x = on;
  else if (id == 1175) cam().lock_y = on;
  else cam().lock_z = on;
}

void camera_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const float v = gadget_float(panel, id);
  CameraState& c = cam();
  switch (id) {
    case 1180: set_camera(v, c.camera_y, c.camera_z); break;
    case 1181: set_camera(c.camera_x, v, c.camera_z); break;
    case 1182: set_camera(c.camera_x, c.camera_y, v); break;
    case 1184: set_target(v, c.target_y, c.target_z); break;
    case 1185: set_target(c.target_x, v, c.target_z); break;
    case 1186: set_target(c.target_x, c.target_y, v); break;
    default: return;
  }
  map_preview_sender(panel);
}

// A float field truncated to an integer, kept within the i32 range.
int32_t float_to_i32(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return 2147483520;
  if (v <= -2147483520.0f) return -2147483520;
  return static_cast<int32_t>(v);
}

void height_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  cam().camera_height = float_to_i32(gadget_float(panel, id));
  camera_to_ground();
  preview_refresh();
  redraw_panel(panel);
}

void distance_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  camera_at_distance(gadget_value(panel, id));
  map_preview_sender(panel);
}

void angle_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const float v = static_cast<float>(gadget_value(panel, id));
  if (id == 1192) {
    cam().camera_bank = v;
    preview_refresh();
    redraw_panel(panel);
    return;
  }
  if (id == 1191) set_heading(v);
  else set_pitch(v);
  map_preview_sender(panel);
}

void lens_update() {
  lens_state.lens_scale = static_cast<float>(lens_state.focal_length) / 16.0f;
  lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
}

void lens_radio(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  gadget_select(panel, id);
  lens_state.focal_length = id == 1231 ? 16 : 32;
  lens_update();
  map_preview_sender(panel);
}

void focal_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const int32_t f = gadget_value(panel, id);
  lens_state.focal_length = f < 1 ? 1 : f;
  lens_update();
  map_preview_sender(panel);
}

void auto_exposure_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  light_state.auto_exposure = gadget_state(panel, id) == 1 ? 1 : 0;
  derived_data.palette_stale = land_width;
}

void view_direction(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const bool on = gadget_state(panel, id) == 1;
  switch (id) {
    case 1238: lens_state.view_facing = 5; break;
    case 1237: lens_state.view_facing = on ? 7 : 5; break;
    case 1239: lens_state.view_facing = on ? 8 : 5; break;
    case 1240: lens_state.view_facing = on ? 6 : 5; break;
    default: break;
  }
  redraw_panel(panel);
}

void stereo_eye(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const bool on = gadget_state(panel, id) == 1;
  if (id == 1234) lens_state.stereo_camera = on ? 2 : 1;
  else if (id == 1236) lens_state.stereo_camera = on ? 3 : 1;
  else lens_state.stereo_camera = 1;
  allocate_frame_buffers();
  redraw_panel(panel);
}

void stereo_fields(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1275) lens_state.stereo_separation = gadget_float(panel, id);
  else lens_state.stereo_image_shift = gadget_value(panel, id);
  redraw_panel(panel);
}

void topo_button(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  switch (id) {
    case 1320: topo_zoom_in(); break;
    case 1321: topo_zoom_out(); break;
    case 1322: topo_zoom_reset(); break;
    case 1323: topo_center_on_camera(); break;
    case 1324: topo_center_on_target(); break;
    default: break;
  }
  gadget_deselect(panel, id);
}

void topo_slider(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1318) topo_scroll_y(gadget_value(panel, id));
  else topo_scroll_x(gadget_value(panel, id));
}

void bbox_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (gadget_state(panel, id) == 1) {
    panel_disable(panel);
    if (mark_landscape_region() == 1) {
      render_settings.bbox_enabled = 1;
    } else {
      gadget_deselect(panel, id);
      render_settings.bbox_enabled = 0;
    }
    panel_enable(panel);
  } else {
    render_settings.bbox_enabled = 0;
  }
  topo_and_preview_redraw();
}

void preview_zoom(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1325) preview_zoom_in();
  else preview_zoom_out();
  map_preview_sender(panel);
  gadget_deselect(panel, id);
}

void walkabout_button(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  panel_disable(panel);
  walkabout(panel);
  map_preview_sender(panel);
  panel_enable(panel);
  gadget_deselect(panel, id);
}
}  // namespace

const CommandRow camera_view_commands[] = {
    {1174, lock_toggle},     {1175, lock_toggle},    {1176, lock_toggle},  {1180, camera_field},
    {1181, camera_field},    {1182, camera_field},   {1184, camera_field}, {1185, camera_field},
    {1186, camera_field},    {1183, height_field},   {1187, distance_field}, {1192, angle_field},
    {1191, angle_field},     {1193, angle_field},    {1231, lens_radio},   {1232, lens_radio},
    {1233, focal_field},     {1292, auto_exposure_toggle}, {1238, view_direction}, {1237, view_direction},
    {1239, view_direction},  {1240, view_direction}, {1234, stereo_eye},   {1235, stereo_eye},
    {1236, stereo_eye},      {1275, stereo_fields},  {1277, stereo_fields}, {1320, topo_button},
    {1321, topo_button},     {1322, topo_button},    {1323, topo_button},  {1324, topo_button},
    {1318, topo_slider},     {1319, topo_slider},    {1247, bbox_toggle},  {1325, preview_zoom},
    {1326, preview_zoom},    {1252, walkabout_button}, {0, nullptr},
};
