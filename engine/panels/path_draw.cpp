// Drawing the camera path over the topographic map.
#include "engine/panels/path_draw.h"

#include <cmath>

#include "engine/animation/path_camera.h"
#include "engine/animation/path_model.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

namespace {
bool in_map(int32_t x, int32_t y) { return x >= 30 && x <= 285 && y >= 25 && y <= 280; }

void frame_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  draw_line(x0, y0, x1, y0, colour);
  draw_line(x1, y0, x1, y1, colour);
  draw_line(x1, y1, x0, y1, colour);
  draw_line(x0, y1, x0, y0, colour);
}

void pixel_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (topo_clip_line(&x0, &y0, &x1, &y1)) draw_line(x0, y0, x1, y1, colour);
}

// A node count that can index the tables, whatever a file left in it.
int32_t node_count() {
  return path_node_count < 0 ? 0 : (path_node_count > kPathNodeCapacity ? kPathNodeCapacity : path_node_count);
}
}  // namespace

void topo_draw_segment(float x0, float y0, float x1, float y1, int32_t colour) {
  int32_t ax, ay, bx, by;
  world_to_topo(x0, y0, &ax, &ay);
  world_to_topo(x1, y1, &bx, &by);
  pixel_line(ax, ay, bx, by, colour);
}

void topo_draw_box(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!in_map(x0, y0) || !in_map(x1, y1)) return;
  frame_rect(x0, y0, x1, y1, colour);
}

void topo_draw_node_box(int32_t x, int32_t y, int32_t colour) {
  if (!in_map(x - 3, y - 3) || !in_map(x + 3, y + 3)) return;
  draw_circle(topo_panel, x, y, 3, colour);
}

void draw_path_nodes() {
  const int32_t n = node_count();
  if (n == 0) return;
  for (int32_t i = 0; i < n; ++i) world_to_topo(path_nodes[i].x, path_nodes[i].y, &node_topo_x[i], &node_topo_y[i]);
  for (int32_t i = 0; i < n; ++i) {
    const PathNode& node = path_nodes[i];
    if (i < n - 1) pixel_line(node_topo_x[i], node_topo_y[i], node_topo_x[i + 1], node_topo_y[i + 1], kPathColorLine);
    if (node.target_state == kTargetLook) {
      int32_t tx, ty;
      world_to_topo(node.target_x, node.target_y, &tx, &ty);
      pixel_line(node_topo_x[i], node_topo_y[i], tx, ty, kPathColorLine);
      topo_draw_box(tx - 1, ty - 1, tx + 1, ty + 1, kPathColorNode);
    }
    if (node.roll != 0) topo_draw_node_box(node_topo_x[i], node_topo_y[i], kPathColorNode);
    else topo_draw_box(node_topo_x[i] - 3, node_topo_y[i] - 3, node_topo_x[i] + 3, node_topo_y[i] + 3, kPathColorNode);
  }
  if (closed_loop && n > 1) pixel_line(node_topo_x[n - 1], node_topo_y[n - 1], node_topo_x[0], node_topo_y[0], kPathColorLine);
}

void draw_path_frames() {
  if (!path_frames || path_frame_count <= 0) return;
  for (int32_t i = 0; i < path_frame_count; ++i) {
    int32_t x, y;
    world_to_topo(path_frames[i].x, path_frames[i].y, &x, &y);
    if (x >= 31 && x <= 284 && y >= 26 && y <= 279) put_pixel(x, y, kPathColorFrame);
  }
  draw_current_frame_marker();
}

void draw_current_frame_marker() {
  if (!path_frames || path_frame_count <= 0 || current_frame < 0 || current_frame >= path_frame_count) return;
  const PathFrame& f = path_frames[current_frame];
  int32_t x, y, ax, ay;
  world_to_topo(f.x, f.y, &x, &y);
  topo_draw_box(x - 3, y - 3, x + 3, y + 3, kPathColorCurrent);
  const double h = f.heading * kPathDegToRad;
  const double ahead = vehicle.path_speed / 3.0;
  world_to_topo(static_cast<float>(f.x - std::sin(h) * ahead), static_cast<float>(f.y + std::cos(h) * ahead), &ax, &ay);
  pixel_line(x, y, ax, ay, kPathColorCurrent);
}

void draw_path() {
  pointer_hide();
  draw_path_nodes();
  draw_path_frames();
  pointer_show();
}

namespace {
void on_map(void (*draw)(), bool image) {
  if (!topo_panel) return;
  window_stack_push();
  use_topo_window();
  pointer_hide();
  if (image) {
    if (derived_data.landscape_changed) topo_render();
    topo_blit();
  }
  draw();
  pointer_show();
  window_stack_pop();
}
}  // namespace

void redraw_map_with_path() { on_map(draw_path, true); }
void redraw_map_with_nodes() { on_map(draw_path_nodes, true); }
void draw_frames_on_map() { on_map(draw_path_frames, false); }
