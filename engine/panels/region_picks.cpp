// The map picks: pointer polling in their own loops, a rubber band while dragging, results as grid samples.
#include "engine/panels/region_picks.h"

#include <algorithm>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/cursor_position.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"

MapRubberBand map_rubber_band;

void reset_map_rubber_band() { map_rubber_band = MapRubberBand{}; }

namespace {

constexpr int32_t kClickNoGadget = 1;
constexpr int32_t kRightButton = 3;

// One poll of the map's pointer: the position, and 1 when the left button went down since the last poll,
// 3 while the right button is down, else 0. A press is taken once, when it starts.
struct PointerPoll {
  int32_t held = 0;
  void start() { mouse_buttons(&held); }
  int32_t poll(int32_t* x, int32_t* y) {
    int32_t buttons = 0;
    mouse_poll(nullptr, x, y, &buttons);
    const int32_t was = held;
    held = buttons;
    if (buttons == right_button_code) return kRightButton;
    if (buttons == left_button_code && was != left_button_code) return kClickNoGadget;
    return 0;
  }
};

void band_draw(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  map_rubber_band.x0 = x0;
  map_rubber_band.y0 = y0;
  map_rubber_band.x1 = x1;
  map_rubber_band.y1 = y1;
  map_rubber_band.visible = 1;
  ++map_rubber_band.draws;
}

void band_remove() {
  map_rubber_band = MapRubberBand{-1, -1, -1, -1, 0, map_rubber_band.draws, map_rubber_band.removals + 1};
}

void to_sample(int32_t px, int32_t py, int32_t* column, int32_t* row) {
  float wx = 0.0f, wy = 0.0f;
  topo_to_world(px, py, &wx, &wy);
  world_to_sample(wx, wy, column, row);
}

bool on_map(int32_t x, int32_t y) {
  return x >= kTopoLeft && x <= kTopoLeft + kTopoSize - 1 && y >= kTopoBottom - kTopoSize + 1 && y <= kTopoBottom;
}

}  // namespace

int32_t pick_region_corner(int32_t* column, int32_t* row) {
  topo_reset_view();
  PointerPoll pointer;
  pointer.start();
  int32_t x = 0, y = 0, last_x = -1, last_y = -1, result = 0;
  for (;;) {
    result = pointer.poll(&x, &y);
    if (x != last_x || y != last_y) {
      band_draw(x, y, x + kTopoSize / 2, y - kTopoSize / 2);
      show_cursor_position(x, y);
      last_x = x;
      last_y = y;
    }
    if (result == kRightButton || result == kClickNoGadget) break;
    sleep_ms(20);
  }
  band_remove();
  to_sample(x, y, column, row);
  return result;
}

int32_t mark_bounding_box(int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1) {
  cursor_arrow();
  show_status("Mark bounding box:");
  PointerPoll pointer;
  pointer.start();
  int32_t ax = 0, ay = 0, result = 0;
  do {
    result = pointer.poll(&ax, &ay);
  } while (result != kClickNoGadget && result != kRightButton);
  if (result == kRightButton || !on_map(ax, ay)) return -1;
  int32_t bx = ax, by = ay, last_x = ax, last_y = ay;
  for (;;) {
    result = pointer.poll(&bx, &by);
    if (bx != last_x || by != last_y) {
      band_draw(ax, ay, bx, by);
      last_x = bx;
      last_y = by;
    }
    if (result == kClickNoGadget || result == kRightButton) break;
  }
  band_remove();
  if (result == kRightButton) return -1;
  int32_t c0 = 0, r0 = 0, c1 = 0, r1 = 0;
  to_sample(ax, ay, &c0, &r0);
  to_sample(bx, by, &c1, &r1);
  if (c0 > c1) std::swap(c0, c1);
  if (r0 > r1) std::swap(r0, r1);
  *x0 = std::clamp(c0, 0, land_width);
  *x1 = std::clamp(c1, 0, land_width);
  *y0 = std::clamp(r0, 0, land_height);
  *y1 = std::clamp(r1, 0, land_height);
  return 1;
}

int32_t mark_landscape_region() {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (mark_bounding_box(&x0, &y0, &x1, &y1) != 1) return -1;
  render_settings.bbox_x0 = x0;
  render_settings.bbox_y0 = y0;
  render_settings.bbox_x1 = x1;
  render_settings.bbox_y1 = y1;
  render_settings.bbox_enabled = 1;
  return 1;
}
