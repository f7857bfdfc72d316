// The altitude profile of the Path panel: ground, flight and node markers around the current frame, dragging
// a node's altitude, and the vertical zoom.
#include "engine/panels/path_profile.h"

#include <cmath>
#include <cstdlib>

#include "engine/animation/path_limits.h"
#include "engine/animation/path_model.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/panels/control_panels.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

float profile_scale = 1.0f;
int32_t profile_base_altitude = 0;

namespace {
constexpr int32_t kLeft = 30, kTop = 318, kRight = 270, kBottom = 430, kCentre = 150;
constexpr float kZoomMax = 32768.0f, kZoomMin = 3.0517578125e-5f;
constexpr int32_t kPositionSlider = 1372;

int32_t nodes() {
  return path_node_count < 0 ? 0 : (path_node_count > kPathNodeCapacity ? kPathNodeCapacity : path_node_count);
}
bool frame_exists(int64_t a) { return path_frames && a >= 0 && a < path_frame_count; }

// The zoom in force: a stored zoom outside its range (a damaged file) counts as the nearest limit, NaN as 1.
float zoom_used() {
  const float z = vehicle.profile_zoom;
  if (std::isnan(z)) return 1.0f;
  return z < kZoomMin ? kZoomMin : (z > kZoomMax ? kZoomMax : z);
}

void compute_scale(int32_t frame) {
  profile_scale = vehicle.path_speed == 0 ? 1.0f : zoom_used() * 140.0f / static_cast<float>(vehicle.path_speed);
  if (!(profile_scale > 0.0f) || !std::isfinite(profile_scale)) profile_scale = 1.0f;  // a negative speed
  profile_base_altitude = trunc_to_i32(path_frames[frame].altitude - 74.0 / profile_scale);
}

// Rows above the bottom edge of an altitude, saturated so that far-off values stay far off.
int32_t rows_above(double altitude) { return trunc_to_i32((altitude - profile_base_altitude) * profile_scale); }
int32_t profile_row(double altitude) { return clamp_i32(static_cast<int64_t>(kBottom) - rows_above(altitude), -100000, 100000); }

void profile_line(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  int32_t rect[4] = {kLeft, kTop, kRight + 1, kBottom + 1};
  if (clip_line(rect, &x0, &y0, &x1, &y1)) panel_draw_line(panel, x0, y0, x1, y1, colour);
}

float ground_at(int64_t a) { return static_cast<float>(ground_height_at(path_frames[a].x, path_frames[a].y)); }

// The start frame a node's marker stands at, or -1 for nodes without a marker.
int64_t marker_frame(int32_t k, int32_t n) {
  if (closed_loop_work) return k == 0 ? node_start_frames[n] : node_start_frames[k];
  if (k >= 1 && k < n - 2) return node_start_frames[k];
  if (k == n - 2 && k >= 1) return path_frame_count - 1;
  return -1;
}
}  // namespace

PanelRecord* path_panel() { return control_panel(kPanelPath); }

int32_t path_slider_frame() {
  PanelRecord* p = path_panel();
  if (p && gadget_state(p, kPositionSlider) != kGadgetAbsent) return gadget_value(p, kPositionSlider);
  return current_frame;
}

void reset_path_profile_state() {
  profile_scale = 1.0f;
  profile_base_altitude = 0;
}

void draw_altitude_profile(int32_t f) {
  PanelRecord* panel = path_panel();
  if (!panel) return;
  pointer_hide();
  panel_fill_rect(panel, kLeft, kTop, kRight, kBottom, 0);
  draw_frame(panel, kLeft - 1, kTop - 1, kRight + 1, kBottom + 1, ui_color_shadow, ui_color_highlight);
  panel_draw_line(panel, kCentre, kTop, kCentre, kBottom, 5);
  const int32_t n = nodes();
  if (!elevation_rows || !frame_exists(f) || n == 0) {
    pointer_show();
    return;
  }
  compute_scale(f);
  for (int32_t i = 0; i < 240; ++i) {
    const int64_t a = static_cast<int64_t>(f) - 120 + i;
    if (frame_exists(a) && frame_exists(a + 1))
      profile_line(panel, kLeft + i, profile_row(ground_at(a)), kLeft + 1 + i, profile_row(ground_at(a + 1)), 50);
  }
  int32_t cursor = 1;
  for (int32_t i = 0; i < 240; ++i) {
    const int64_t a = static_cast<int64_t>(f) - 120 + i;
    if (!frame_exists(a)) continue;
    while (cursor < n && node_start_frames[cursor] < a) ++cursor;
    if (i < 4 || i > 236) continue;
    int32_t k = -1;
    if (closed_loop_work) {
      if (cursor < n && node_start_frames[cursor] == a) k = cursor;
      else if (cursor == n && node_start_frames[cursor] == a) k = 0;
    } else {
      if (cursor < n - 2 && node_start_frames[cursor] == a) k = cursor;
      else if (a == path_frame_count - 1 && n >= 2) k = n - 2;
    }
    if (k < 0) continue;
    const int32_t v = rows_above(path_nodes[k].altitude);
    if (v >= 3 && v < 110) {
      const int32_t x0 = i + 27, y0 = 427 - v, x1 = i + 33, y1 = 433 - v;
      profile_line(panel, x0, y0, x1, y0, 5);
      profile_line(panel, x1, y0, x1, y1, 5);
      profile_line(panel, x1, y1, x0, y1, 5);
      profile_line(panel, x0, y1, x0, y0, 5);
    }
  }
  for (int32_t i = 0; i < 240; ++i) {
    const int64_t a = static_cast<int64_t>(f) - 120 + i;
    if (!frame_exists(a) || !frame_exists(a + 1)) continue;
    const float ha = path_frames[a].altitude, hb = path_frames[a + 1].altitude;
    const bool above = ground_at(a) < ha || ground_at(a + 1) < hb;
    profile_line(panel, kLeft + i, profile_row(ha), kLeft + 1 + i, profile_row(hb), above ? 6 : 3);
  }
  pointer_show();
}

int32_t profile_hit(PanelRecord*, int32_t x, int32_t y) {
  return current_panel == 1306 && x >= kLeft && x < kRight + 1 && y >= kTop && y < kBottom + 1 ? 1 : 0;
}

int32_t drag_node_altitude(int32_t x, int32_t y) {
  PanelRecord* panel = path_panel();
  const int32_t n = nodes();
  if (!panel || n == 0 || !path_frames || path_frame_count <= 0) return 0;
  int32_t picked = -1, px = 0, py = 0;
  for (int32_t k = 0; k < n && picked < 0; ++k) {
    const int64_t start = marker_frame(k, n);
    if (start < 0) continue;
    const int64_t mx = start - current_frame + kCentre;
    const int64_t my = static_cast<int64_t>(kBottom) - rows_above(path_nodes[k].altitude);
    if (my > kTop && my < kBottom && mx > kLeft && mx < kRight && std::llabs(x - mx) <= 3 && std::llabs(y - my) <= 3) {
      picked = k;
      px = static_cast<int32_t>(mx);
      py = static_cast<int32_t>(my);
    }
  }
  (void)py;
  if (picked < 0) return 0;
  cursor_arrow();
  draw_xor_box(panel, px - 3, y - 3, px + 3, y + 3);
  const int32_t first_row = y;
  int32_t row = y;
  for (;;) {
    // The loop ends with its window too, so that no drag outlives the panel.
    if (!panel_window_open(panel)) break;
    int32_t mx = 0, my = row;
    const int32_t r = panel_event(panel, &mx, &my);
    if (r == 0 || r == 1) {
      // The pointer's row, and on the click the row clicked at.
      const int32_t limited = my < kTop + 1 ? kTop + 1 : (my > kBottom - 1 ? kBottom - 1 : my);
      if (limited != row) {
        row = limited;
        draw_xor_box(panel, px - 3, row - 3, px + 3, row + 3);
      }
    }
    if (r == 1) break;
    sleep_ms(20);
  }
  draw_xor_box(panel, -1, -1, -1, -1);
  // Moving up raises the node; the altitude stays within the range nodes may take.
  const double moved = (first_row - row) / static_cast<double>(profile_scale);
  double altitude = path_nodes[picked].altitude + moved;
  if (altitude < kPathAltitudeMin) altitude = kPathAltitudeMin;
  if (altitude > kPathAltitudeMax) altitude = kPathAltitudeMax;
  path_nodes[picked].altitude = static_cast<float>(altitude);
  show_status("");
  return 1;
}

void profile_zoom_in() {
  if (!path_frames || path_frame_count <= 0) return;
  vehicle.profile_zoom = zoom_used() * 2.0f;
  if (vehicle.profile_zoom > kZoomMax) vehicle.profile_zoom = kZoomMax;
}

void profile_zoom_out() {
  if (!path_frames || path_frame_count <= 0) return;
  vehicle.profile_zoom = zoom_used() / 2.0f;
  if (vehicle.profile_zoom < kZoomMin) vehicle.profile_zoom = kZoomMin;
}

void profile_zoom_reset() { vehicle.profile_zoom = 1.0f; }
