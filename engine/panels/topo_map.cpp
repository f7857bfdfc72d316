// The topographic map: building the image in each drawing mode, the overlays, scroll, zoom and centring.
#include "engine/panels/topo_map.h"

#include <algorithm>
#include <cmath>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/topo_view.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

int32_t ui_color_marker = 2;
int32_t ui_color_wedge = 3;
void (*topo_path_overlay)() = nullptr;

namespace {
constexpr uint8_t kOffLand = 1;
constexpr uint8_t kWaterCover = 56;
constexpr uint8_t kWaterMap = 60;
constexpr uint8_t kBeachRoad = 10;

bool is_water(uint8_t c) { return c >= 51 && c <= 55; }
bool is_road(uint8_t c) { return c >= 88 && c <= 91; }

int32_t clamp_i32(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The elevation-band colour: greens below the tree line, browns up to the snow line, greys above it.
uint8_t band_color(int32_t e) {
  const int32_t lo = landscape_view.base_level;
  const int32_t hi = landscape_view.max_elevation < lo ? lo : landscape_view.max_elevation;
  e = clamp_i32(e, lo, hi);
  const int32_t s = clamp_i32(terrain_settings.snow_line, lo, hi);
  const int32_t t = clamp_i32(terrain_settings.tree_line, lo, hi);
  const int32_t low = std::max((t - lo) / 8 + 1, 1);
  const int32_t middle = std::max((s - t) / 8 + 1, 1);
  const int32_t high = std::max((hi - s) / 8 + 1, 1);
  if (e > s) return static_cast<uint8_t>(48 + clamp_i32((e - s) / high, 0, 7));
  if (e >= t) return static_cast<uint8_t>(40 + clamp_i32((e - t) / middle, 0, 7));
  return static_cast<uint8_t>(32 + clamp_i32((e - lo) / low, 0, 7));
}

// Line clipping region outcodes.
int32_t outcode(int32_t x, int32_t y) {
  int32_t c = 0;
  if (x < 30) c |= 1;
  if (x > 284) c |= 2;
  if (y < 25) c |= 4;
  if (y > 279) c |= 8;
  return c;
}

void draw_clipped(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (topo_clip_line(&x0, &y0, &x1, &y1)) draw_line(x0, y0, x1, y1, colour);
}
}  // namespace

int32_t set_topo_mode(int32_t mode) {
  if (topo_mode == mode) return 0;
  topo_mode = mode;
  return 1;
}

uint8_t topo_object_color(uint8_t object) {
  if (object >= 34 && object <= 37) return tree_settings.trees_enabled ? 27 : 0;
  if (object >= 60 && object <= 63) return static_cast<uint8_t>(20 + object - 60);
  if (object >= 72 && object <= 75) return static_cast<uint8_t>(16 + object - 72);
  return 0;
}

uint8_t topo_class_color(uint8_t c) {
  if (is_water(c)) return kWaterCover;
  if (c == 50 || is_road(c)) return kBeachRoad;
  if (c >= 56 && c <= 59) return 32;
  if (c >= 38 && c <= 41) return 40;
  if (c >= 42 && c <= 45) return 50;
  if (c == 0) return 0;
  return 48;
}

uint8_t topo_sample_color(int32_t col, int32_t row, int32_t mode) {
  const CoverCell cell = cover_rows ? cover_row(row)[col] : CoverCell{0, 0};
  const int32_t e = elevation_rows ? elevation_row(row)[col] : 0;
  if (mode == 1) {
    const uint8_t o = topo_object_color(cell.object);
    return o ? o : topo_class_color(cell.color_class);
  }
  if (mode == 2) {
    uint8_t c;
    if (is_water(cell.color_class)) c = kWaterMap;
    else if (is_road(cell.color_class)) c = kBeachRoad;
    else c = band_color(e);
    const uint8_t o = topo_object_color(cell.object);
    return o ? o : c;
  }
  if (is_water(cell.color_class)) return kWaterMap;
  if (cell.color_class == 50 || is_road(cell.color_class)) return kBeachRoad;
  return band_color(e);
}

void topo_render() {
  if (!topo_image) topo_init();
  const int32_t z = topo_zoom < 1 ? 1 : topo_zoom;
  for (int32_t r = 0; r < kTopoSize; ++r) {
    uint8_t* out = static_cast<uint8_t*>(topo_image[r]);
    const int64_t grow = topo_origin_y + static_cast<int64_t>(r) * z / 16;
    for (int32_t c = 0; c < kTopoSize; ++c) {
      const int64_t gcol = topo_origin_x + static_cast<int64_t>(c) * z / 16;
      if (grow < 0 || grow > land_height || gcol < 0 || gcol > land_width || !elevation_rows) {
        out[c] = kOffLand;
      } else {
        out[c] = topo_sample_color(static_cast<int32_t>(gcol), static_cast<int32_t>(grow), topo_mode);
      }
    }
  }
  derived_data.landscape_changed = 0;
}

void topo_blit() {
  if (!topo_image) topo_init();
  window_stack_push();
  use_topo_window();
  pointer_hide();
  for (int32_t r = 0; r < kTopoSize; ++r) put_row8(kTopoLeft, kTopoBottom - r, kTopoSize, static_cast<uint8_t*>(topo_image[r]));
  if (topo_panel) draw_sunken_box(topo_panel, 26, 21, 289, 284);
  pointer_show();
  window_stack_pop();
}

bool topo_clip_line(int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1) {
  int64_t ax = *x0, ay = *y0, bx = *x1, by = *y1;
  int32_t ca = outcode(static_cast<int32_t>(ax), static_cast<int32_t>(ay));
  int32_t cb = outcode(static_cast<int32_t>(bx), static_cast<int32_t>(by));
  for (int32_t pass = 0; pass < 8; ++pass) {
    if (!(ca | cb)) {
      *x0 = static_cast<int32_t>(ax), *y0 = static_cast<int32_t>(ay);
      *x1 = static_cast<int32_t>(bx), *y1 = static_cast<int32_t>(by);
      return true;
    }
    if (ca & cb) break;
    const int32_t out = ca ? ca : cb;
    int64_t x = 0, y = 0;
    if (out & 8) {
      y = 279, x = ax + (bx - ax) * (279 - ay) / (by - ay);
    } else if (out & 4) {
      y = 25, x = ax + (bx - ax) * (25 - ay) / (by - ay);
    } else if (out & 2) {
      x = 284, y = ay + (by - ay) * (284 - ax) / (bx - ax);
    } else {
      x = 30, y = ay + (by - ay) * (30 - ax) / (bx - ax);
    }
    if (out == ca) {
      ax = x, ay = y, ca = outcode(static_cast<int32_t>(ax), static_cast<int32_t>(ay));
    } else {
      bx = x, by = y, cb = outcode(static_cast<int32_t>(bx), static_cast<int32_t>(by));
    }
  }
  *x0 = *y0 = *x1 = *y1 = 0;
  return false;
}

void topo_draw_bbox() {
  int32_t ax, ay, bx, by;
  grid_to_topo(render_settings.bbox_x0, render_settings.bbox_y0, &ax, &ay);
  grid_to_topo(render_settings.bbox_x1, render_settings.bbox_y1, &bx, &by);
  draw_clipped(ax, ay, bx, ay, 0);
  draw_clipped(bx, ay, bx, by, 0);
  draw_clipped(bx, by, ax, by, 0);
  draw_clipped(ax, by, ax, ay, 0);
}

void topo_draw_wedge() {
  const double k = lens_state.lens_scale;
  const double h = std::atan2(1.0, k) * 180.0 / M_PI;
  int32_t px, py;
  world_to_topo(camera_state.camera_x, camera_state.camera_y, &px, &py);
  for (const double side : {-h, h}) {
    double a = camera_state.camera_heading + side;
    if (a >= 180) a -= 360;
    if (a < -180) a += 360;
    const double r = a * M_PI / 180.0;
    const int64_t ex = static_cast<int64_t>(px) + static_cast<int64_t>(-std::sin(r) * 128);
    const int64_t ey = static_cast<int64_t>(py) + static_cast<int64_t>(-std::cos(r) * 128);
    draw_clipped(px, py, static_cast<int32_t>(ex), static_cast<int32_t>(ey), ui_color_wedge);
  }
}

void topo_draw_markers() {
  int32_t px, py;
  world_to_topo(camera_state.target_x, camera_state.target_y, &px, &py);
  if (px >= 30 && px < 286 && py >= 25 && py < 281) {
    draw_line(px - 2, py + 1, px + 4, py + 1, 0);
    draw_line(px + 1, py - 2, px + 1, py + 4, 0);
    draw_line(px - 3, py, px + 3, py, ui_color_marker);
    draw_line(px, py - 3, px, py + 3, ui_color_marker);
  }
  world_to_topo(camera_state.camera_x, camera_state.camera_y, &px, &py);
  if (px >= 30 && px < 286 && py >= 25 && py < 281) {
    const auto square = [](int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
      draw_line(x0, y0, x1, y0, colour);
      draw_line(x1, y0, x1, y1, colour);
      draw_line(x1, y1, x0, y1, colour);
      draw_line(x0, y1, x0, y0, colour);
    };
    square(px - 2, py - 2, px + 4, py + 4, 0);
    square(px - 3, py - 3, px + 3, py + 3, ui_color_marker);
  }
}

void topo_redraw() {
  // Without the map window nothing is drawn and the image is rebuilt when the window first shows it.
  if (!topo_panel) return;
  window_stack_push();
  use_topo_window();
  pointer_hide();
  if (derived_data.landscape_changed) topo_render();
  topo_blit();
  if (render_settings.bbox_enabled) topo_draw_bbox();
  if (topo_mode != 2) {
    topo_draw_wedge();
    topo_draw_markers();
  } else if (topo_path_overlay) {
    topo_path_overlay();
  }
  pointer_show();
  window_stack_pop();
}

void topo_and_preview_redraw() {
  topo_redraw();
  preview_refresh();
}

void topo_sync_sliders() {
  if (!topo_panel) return;
  set_gadget_value(topo_panel, kTopoScrollH, topo_center_x);
  set_gadget_value(topo_panel, kTopoScrollV, topo_center_y);
}

namespace {
void rebuild_and_redraw() {
  topo_derive_origin();
  topo_render();
  topo_redraw();
}
}  // namespace

void topo_scroll_x(int32_t v) {
  topo_center_x = clamp_i32(v, 0, 255);
  rebuild_and_redraw();
}

void topo_scroll_y(int32_t v) {
  topo_center_y = clamp_i32(v, 0, 255);
  rebuild_and_redraw();
}

void topo_zoom_in() {
  topo_zoom = std::max(topo_zoom / 2, 1);
  rebuild_and_redraw();
}

void topo_zoom_out() {
  topo_zoom = std::min(std::max(topo_zoom, 1) * 2, 256);
  rebuild_and_redraw();
}

void topo_zoom_reset() {
  topo_reset_view();
  topo_render();
  topo_redraw();
  topo_sync_sliders();
}

void topo_center_on(float wx, float wy) {
  int32_t px, py;
  world_to_topo(wx, wy, &px, &py);
  const int32_t z = std::max(topo_zoom, 1);
  const int64_t dx = static_cast<int64_t>(px) - 158, dy = 153 - static_cast<int64_t>(py);
  topo_origin_x = static_cast<int32_t>(std::clamp<int64_t>(topo_origin_x + dx * z / 16, -(1 << 24), 1 << 24));
  topo_origin_y = static_cast<int32_t>(std::clamp<int64_t>(topo_origin_y + dy * z / 16, -(1 << 24), 1 << 24));
  topo_derive_center();
  topo_center_x = clamp_i32(topo_center_x, 0, 255);
  topo_center_y = clamp_i32(topo_center_y, 0, 255);
  rebuild_and_redraw();
  topo_sync_sliders();
}

void topo_center_on_camera() { topo_center_on(camera_state.camera_x, camera_state.camera_y); }
void topo_center_on_target() { topo_center_on(camera_state.target_x, camera_state.target_y); }
