// The path tools: picking nodes and segments on the map, and the small modal loops that follow the pointer
// while a path is laid out, a node is dragged or a target is marked.
#include "engine/panels/path_tools.h"

#include <cmath>
#include <limits>

#include "engine/animation/path_model.h"
#include "engine/host/host.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/cursor_position.h"
#include "engine/panels/node_editor.h"
#include "engine/panels/path_draw.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

int32_t roll_frames_input = 30;

void reset_path_tools_state() { roll_frames_input = 30; }

namespace {
// The most frames a barrel roll may take: the frame array's size.
constexpr int32_t kMaxRollFrames = kPathFramesWanted;

int32_t nodes() {
  return path_node_count < 0 ? 0 : (path_node_count > kPathNodeCapacity ? kPathNodeCapacity : path_node_count);
}

bool inside_map(int32_t x, int32_t y) { return x > 30 && x < 285 && y > 25 && y < 280; }

// Inverting lines from fixed anchors to the pointer on the map window: drawn once to show, once more to erase.
struct RubberBand {
  int32_t ax[2] = {0, 0}, ay[2] = {0, 0};
  int32_t anchors = 0;
  bool shown = false;
  int32_t px = 0, py = 0;
  void add_anchor(int32_t x, int32_t y) {
    ax[anchors] = x;
    ay[anchors] = y;
    ++anchors;
  }
  void draw() const {
    window_stack_push();
    use_topo_window();
    pointer_hide();
    for (int32_t i = 0; i < anchors; ++i) draw_line(ax[i], ay[i], px, py, -1);
    pointer_show();
    window_stack_pop();
  }
  void show(int32_t x, int32_t y) {
    if (shown && x == px && y == py) return;
    erase();
    px = x;
    py = y;
    shown = true;
    draw();
  }
  void erase() {
    if (!shown) return;
    draw();
    shown = false;
  }
};

// One poll of the map panel in a modal loop: the panel_event result and the pointer; the closed map window
// reads as the right button, so that no loop outlives its window.
int32_t poll_map(int32_t* x, int32_t* y) {
  if (!topo_panel || !panel_window_open(topo_panel)) return 3;
  int32_t px = *x, py = *y;
  const int32_t r = panel_event(topo_panel, &px, &py);
  *x = px;
  *y = py;
  return r;
}

// A new node at the map pixel inserted at index; 0 when the table is full (the user is told).
int32_t new_node_at(int32_t index, int32_t x, int32_t y) {
  float wx, wy;
  topo_to_world(x, y, &wx, &wy);
  return insert_path_node(index, make_path_node(wx, wy), x, y);
}

void map_segment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!topo_clip_line(&x0, &y0, &x1, &y1)) return;
  window_stack_push();
  use_topo_window();
  draw_line(x0, y0, x1, y1, colour);
  window_stack_pop();
}

void done() {
  show_status("");
  cursor_arrow();
}
}  // namespace

int32_t node_at(int32_t x, int32_t y, int32_t* previous, int32_t* next) {
  const int32_t n = nodes();
  int32_t found = -1;
  for (int32_t i = 0; i < n; ++i) {
    if (std::abs(node_topo_x[i] - x) <= 3 && std::abs(node_topo_y[i] - y) <= 3) {
      found = i;
      break;
    }
  }
  int32_t p = -1, q = -1;
  if (found >= 0) {
    p = found - 1;
    q = found + 1;
    if (found == 0) p = closed_loop ? n - 1 : -1;
    if (found == n - 1) q = closed_loop ? 0 : -1;
    if (p == found) p = -1;
    if (q == found) q = -1;
  }
  if (previous) *previous = p;
  if (next) *next = q;
  return found;
}

double point_segment_distance(float ax, float ay, float bx, float by, float px, float py) {
  double sx = ax, sy = ay, ex = bx, ey = by;
  const bool along_x = std::fabs(ex - sx) > std::fabs(ey - sy);
  // Step from the end with the smaller coordinate on the major axis.
  if ((along_x && sx > ex) || (!along_x && sy > ey)) {
    std::swap(sx, ex);
    std::swap(sy, ey);
  }
  const double extent = along_x ? ex - sx : ey - sy;
  if (!(extent > 0.0)) return std::numeric_limits<double>::infinity();
  const double minor = (along_x ? ey - sy : ex - sx) / extent;  // minor-axis change per metre
  // The stepped points are start + j * (1, minor) for j = 0 .. last; the distance along them is convex, so
  // the nearest lies next to the projection of the point.
  const double last = std::ceil(extent) - 1.0;
  const double u = along_x ? px - sx : py - sy, v = along_x ? py - sy : px - sx;
  double j0 = std::floor((u + v * minor) / (1.0 + minor * minor));
  if (!std::isfinite(j0)) j0 = 0.0;
  double best = std::numeric_limits<double>::infinity();
  for (double j = j0 - 1.0; j <= j0 + 2.0; j += 1.0) {
    const double k = j < 0.0 ? 0.0 : (j > last ? last : j);
    const double du = u - k, dv = v - k * minor;
    const double d = std::sqrt(du * du + dv * dv);
    if (d < best) best = d;
  }
  return best;
}

int32_t nearest_segment(int32_t x, int32_t y) {
  const int32_t n = nodes();
  if (n < 2) return n;
  float wx, wy;
  topo_to_world(x, y, &wx, &wy);
  const PathNode* p = path_nodes;
  double best = std::hypot(static_cast<double>(wx) - p[0].x, static_cast<double>(wy) - p[0].y);
  int32_t s = 0;
  for (int32_t i = 0; i <= n - 2; ++i) {
    const double d = point_segment_distance(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, wx, wy);
    if (d < best) {
      best = d;
      s = i;
    }
  }
  if (s == 0) {
    const float bx = p[0].x - (p[1].x - p[0].x), by = p[0].y - (p[1].y - p[0].y);
    return point_segment_distance(bx, by, p[0].x, p[0].y, wx, wy) < best ? 0 : 1;
  }
  if (s == n - 2) {
    const PathNode& last = p[n - 1];
    const PathNode& before = p[n - 2];
    const float fx = last.x + (last.x - before.x), fy = last.y + (last.y - before.y);
    return point_segment_distance(last.x, last.y, fx, fy, wx, wy) < best ? n : n - 1;
  }
  return s + 1;
}

void create_path_interactive(int32_t x, int32_t y) {
  cursor_arrow();
  redraw_map_with_path();
  path_node_count = 0;
  new_node_at(0, x, y);
  RubberBand band;
  band.add_anchor(node_topo_x[0], node_topo_y[0]);
  int32_t px = x, py = y;
  band.show(px, py);
  for (;;) {
    const int32_t r = poll_map(&px, &py);
    const bool closed = !topo_panel || !panel_window_open(topo_panel);
    if (r == 3) {
      if (path_node_count >= 4 || closed) {
        band.erase();
        redraw_map_with_path();
        break;
      }
      path_message("You must place at least 4 spline nodes.");
    } else if (r == 1) {
      if (inside_map(px, py)) {
        band.erase();
        const int32_t last = path_node_count - 1;
        if (new_node_at(path_node_count, px, py) == 1)
          map_segment(node_topo_x[last], node_topo_y[last], px, py, kPathColorLine);
        band.ax[0] = node_topo_x[path_node_count - 1];
        band.ay[0] = node_topo_y[path_node_count - 1];
        band.show(px, py);
      }
    } else {
      band.show(px, py);
      show_cursor_position(px, py);
    }
    sleep_ms(20);
  }
  show_status("");
}

void insert_node_command(int32_t x, int32_t y) {
  if (nodes() == 0) {
    path_message("No nodes to insert between.  Create a new path first.");
    return;
  }
  show_status("Add new node:");
  const int32_t k = nearest_segment(x, y);
  float wx, wy;
  topo_to_world(x, y, &wx, &wy);
  if (insert_path_node(k, make_path_node(wx, wy), x, y) == 1) {
    const int32_t n = path_node_count;
    if (k == 0 || k == n - 1) {
      node_start_frames[k] = -1;
    } else {
      node_start_frames[k] =
          static_cast<int32_t>((static_cast<int64_t>(node_start_frames[k - 1]) + node_start_frames[k + 1]) / 2);
    }
  }
  average_node_speed();
  done();
}

void delete_node_command(int32_t x, int32_t y) {
  if (nodes() == 0) {
    path_message("No points to delete");
    return;
  }
  show_status("Select node (Delete Node):");
  const int32_t k = node_at(x, y, nullptr, nullptr);
  if (k >= 0) delete_path_node(k);
  average_node_speed();
  done();
}

int32_t set_node_target_command(int32_t x, int32_t y) {
  if (nodes() == 0) {
    path_message("No points to delete");
    return 0;
  }
  cursor_arrow();
  show_status("Select node (Set Target):");
  const int32_t k = node_at(x, y, nullptr, nullptr);
  if (k < 0) return 0;
  RubberBand band;
  band.add_anchor(node_topo_x[k], node_topo_y[k]);
  show_status("Mark target (Set Target):");
  int32_t px = x, py = y;
  band.show(px, py);
  for (;;) {
    const int32_t r = poll_map(&px, &py);
    if (r == 3) {
      band.erase();
      redraw_map_with_path();
      break;
    }
    if (r == 1 && inside_map(px, py)) {
      band.erase();
      PathNode& node = path_nodes[k];
      topo_to_world(px, py, &node.target_x, &node.target_y);
      node.target_z = static_cast<float>(ground_height_at(node.target_x, node.target_y));
      node.target_state = kTargetLook;
      redraw_map_with_path();
      break;
    }
    if (r != 1) {
      band.show(px, py);
      show_cursor_position(px, py);
    }
    sleep_ms(20);
  }
  done();
  return 1;
}

int32_t unset_node_target_command(int32_t x, int32_t y) {
  if (nodes() == 0) {
    path_message("No points to delete");
    return 0;
  }
  show_status("Select node (UnSet Target):");
  const int32_t k = node_at(x, y, nullptr, nullptr);
  if (k >= 0) {
    path_nodes[k].target_state = kTargetRelease;
    redraw_map_with_path();
  }
  done();
  return 1;
}

void add_roll_command(int32_t x, int32_t y) {
  const int32_t n = nodes();
  if (n < 1) return;
  const int32_t k = node_at(x, y, nullptr, nullptr);
  cursor_arrow();
  if (k > 0 && k < n) {
    int32_t frames = roll_frames_input;
    if (value_requester("Number of frames?", "  OK  ", "Cancel", &frames) == 1) {
      if (frames < 0 || frames > kMaxRollFrames) {
        // A negative or endless roll would turn the wrong way or never end: refused, nothing changes.
        path_message("The number of frames must lie between 0 and 10000.");
      } else {
        roll_frames_input = frames;
        const int clockwise = requester("Clockwise or Counterclockwise?", "Clockwise", "CounterClockwise");
        path_nodes[k].roll = clockwise == 1 ? frames : -frames;
      }
    }
  }
  show_status("");
}

void remove_roll_command(int32_t x, int32_t y) {
  if (!path_frames || path_frame_count <= 0) return;
  const int32_t n = nodes();
  const int32_t k = node_at(x, y, nullptr, nullptr);
  cursor_arrow();
  if (k > 0 && k < n) path_nodes[k].roll = 0;
  show_status("");
}

int32_t edit_node_at(int32_t x, int32_t y) {
  const int32_t k = node_at(x, y, nullptr, nullptr);
  if (k < 0) return 0;
  node_editor_dialog(k);
  return 1;
}

int32_t drag_node_command(int32_t x, int32_t y) {
  if (nodes() == 0) return 0;
  int32_t previous = -1, next = -1;
  const int32_t k = node_at(x, y, &previous, &next);
  if (k < 0) return 0;
  RubberBand band;
  if (previous >= 0) band.add_anchor(node_topo_x[previous], node_topo_y[previous]);
  if (next >= 0) band.add_anchor(node_topo_x[next], node_topo_y[next]);
  cursor_arrow();
  int32_t px = x, py = y;
  band.show(px, py);
  for (;;) {
    const int32_t r = poll_map(&px, &py);
    if (px > main_client_width - 5) px = main_client_width - 5;
    if (py < 13) py = 13;
    if (r == 3) {
      band.erase();
      redraw_map_with_path();
      break;
    }
    if (r == 1) {
      band.erase();
      PathNode& node = path_nodes[k];
      node_topo_x[k] = px;
      node_topo_y[k] = py;
      topo_to_world(px, py, &node.x, &node.y);
      node.altitude = static_cast<float>(node_height_at(node.x, node.y));
      redraw_map_with_path();
      draw_altitude_profile(current_frame);
      break;
    }
    band.show(px, py);
    show_cursor_position(px, py);
    sleep_ms(20);
  }
  show_status("");
  return 1;
}
