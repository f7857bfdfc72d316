// The Preview panel's record, geometry, cross-hair, camera pointing, zoom and the copy of the rendered image.
#include "engine/panels/preview_panel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/panels/camera_panel.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/gadget_table.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/view_transform.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

PreviewGeometry preview_geometry;

namespace {
GadgetRecord preview_gadgets[3];
PanelRecord* preview_record = nullptr;


void draw_cross_hair() {
  const PreviewGeometry& g = preview_geometry;
  const int32_t c = (g.clip_y1 - g.clip_y0) / 2;
  const int32_t y0 = g.top + g.half - c, y1 = g.top + g.half + c;
  if (preview_record) draw_sunken_box(preview_record, g.left - 3, y0 - 3, g.right + 3, y1 + 3);
  const int32_t cx = g.left + g.half, cy = g.top + g.half;
  draw_line(cx - 4, cy + 1, cx + 6, cy + 1, 0);
  draw_line(cx + 1, cy - 4, cx + 1, cy + 6, 0);
  draw_line(cx - 5, cy, cx + 5, cy, 15);
  draw_line(cx, cy - 5, cx, cy + 5, 15);
}
}  // namespace

void preview_fit() {
  const double w = image_width > 0 ? image_width : 1, h = image_height > 0 ? image_height : 1;
  double s = 256.0;
  if (256.0 * h / w > 172.0) s = 172.0 * w / h;
  PreviewGeometry& g = preview_geometry;
  g.side = static_cast<int32_t>(s);
  if (g.side < 2) g.side = 2;
  g.half = static_cast<int32_t>(s / 2);
  g.left = 170 - g.half;
  g.top = 100 - g.half;
  g.right = g.left + g.side - 1;
  g.bottom = g.top + g.side - 1;
  const int64_t band = static_cast<int64_t>(g.side) * image_height / std::max(image_width, 1);
  const int64_t pw = proj_width > 0 ? proj_width : 1, ph = proj_height > 0 ? proj_height : 1;
  const int32_t b = static_cast<int32_t>(band * pw / ph / 2);
  g.clip_x0 = g.left;
  g.clip_y0 = 100 - b;
  g.clip_x1 = g.right;
  g.clip_y1 = 100 + b;
}

void preview_refresh() {
  window_stack_push();
  use_preview_window();
  preview_draw(1);
  draw_cross_hair();
  window_stack_pop();
}

void preview_panel_redraw() {
  window_stack_push();
  use_preview_window();
  pointer_hide();
  fill_rect(0, 0, 340, 250, ui_color_face);
  preview_refresh();
  if (preview_record) {
    for (const int32_t id : {1252, 1325, 1326}) redraw_gadget(preview_record, id);
  }
  pointer_show();
  window_stack_pop();
}

int32_t point_camera_at_preview(int32_t px, int32_t py) {
  preview_fit();
  const PreviewGeometry& g = preview_geometry;
  if (px < g.clip_x0 || px > g.clip_x1 || py < g.clip_y0 || py > g.clip_y1) return 0;
  pointer_hide();
  CameraState& c = camera_state;
  const double dx = c.target_x - c.camera_x, dy = c.target_y - c.camera_y, dz = c.target_z - c.camera_z;
  double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (d == 0) d = 1;
  const double sx = px - g.left - g.half, sy = g.bottom - py - g.half;
  const double beta = -c.camera_bank * M_PI / 180.0;
  const double rx = std::cos(beta) * sx - std::sin(beta) * sy;
  const double ry = std::sin(beta) * sx + std::cos(beta) * sy;
  const double k = lens_state.lens_scale != 0 ? lens_state.lens_scale : 1;
  double vx = rx / k, vy = -ry / k, vz = g.half;
  const double len = std::sqrt(vx * vx + vy * vy + vz * vz);
  vx = vx / len * d, vy = vy / len * d, vz = vz / len * d;
  float x = static_cast<float>(vx), y = static_cast<float>(vy), z = static_cast<float>(vz);
  view_to_world_direction(c.camera_bank, c.camera_heading, c.camera_pitch, &x, &y, &z);
  set_target(x, y, z);
  set_view_matrix(c.camera_bank, c.camera_heading, c.camera_pitch);
  pointer_show();
  return 1;
}

namespace {
void lens_from_focal() {
  lens_state.lens_scale = static_cast<float>(lens_state.focal_length) / 16.0f;
  lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
}
int32_t zoom_step() {
  const int32_t step = lens_state.focal_length / 10;
  return step < 1 ? 1 : step;
}
}  // namespace

void preview_zoom_in() {
  if (lens_state.focal_length < 1000000) lens_state.focal_length += zoom_step();
  lens_from_focal();
}

void preview_zoom_out() {
  lens_state.focal_length -= zoom_step();
  if (lens_state.focal_length < 1) lens_state.focal_length = 1;
  lens_from_focal();
}

void set_lens_from_fov(float degrees) {
  if (!(degrees == degrees)) degrees = 1;
  degrees = degrees < 1 ? 1 : (degrees > 172 ? 172 : degrees);
  lens_state.lens_scale = static_cast<float>(1.0 / std::tan(degrees * M_PI / 360.0));
  lens_state.focal_length = static_cast<int32_t>(16.0f * lens_state.lens_scale);
}

void preview_show_image() {
  if (!vidmem24.rows || image_width <= 0 || image_height <= 0) return;
  preview_fit();
  const PreviewGeometry& g = preview_geometry;
  window_stack_push();
  use_preview_window();
  const int64_t side = g.side;
  const int64_t pw = proj_width > 0 ? proj_width : 1, ph = proj_height > 0 ? proj_height : 1;
  int64_t m = (side - (side * image_height / image_width) * pw / ph) / 2;
  if (m < 0) m = 0;
  const int64_t n = side - 2 * m;
  std::vector<uint32_t> row(static_cast<size_t>(side));
  for (int64_t r = 0; r < n; ++r) {
    const int64_t sr = r * image_height / n;
    if (sr >= vidmem24.height) break;
    const uint32_t* src = vidmem24_row(static_cast<int32_t>(sr));
    for (int64_t c = 0; c < side; ++c) {
      const int64_t sc = c * image_width / side;
      row[static_cast<size_t>(c)] = sc < vidmem24.width ? (src[sc] & 0xFFFFFF) : 0;
    }
    put_row24(g.left, static_cast<int32_t>(g.top + r + m), static_cast<int32_t>(side), row.data());
  }
  window_stack_pop();
}

void preview_panel_init_record(PanelRecord* record) {
  using gadget_table::make;
  preview_gadgets[0] = make(kGadgetButton, 0, 10, 88, 1325, "+", "Zoom view in.");
  preview_gadgets[1] = make(kGadgetButton, 0, 10, 111, 1326, "-", "Zoom view out.");
  preview_gadgets[2] = make(kGadgetButton, 0, 100, 200, 1252, "   Walkabout   ", "Position camera by 3D preview.");
  std::strcpy(record->name, "Preview");
  record->id = 0;
  record->x0 = 0, record->y0 = 0, record->x1 = 300, record->y1 = 500, record->width = 300, record->height = 500;
  record->draw = camera_panel_init;  // as a sender, the preview refreshes the Camera panel
  record->event = topo_panel_event;
  record->gadgets = gadget_table::link(preview_gadgets, 3);
  preview_record = record;
}
