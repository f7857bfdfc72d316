// Panel drawing primitives over the screen layer, in panel coordinates.
#include "engine/ui/panel_draw.h"

#include <cmath>
#include <utility>
#include <cstdint>

#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"

namespace {
int32_t xor_box[4] = {-1, -1, -1, -1};  // canvas coordinates of the band shown; all -1: none

// Panel coordinate to canvas coordinate, saturating instead of wrapping.
int32_t add(int32_t a, int32_t b) {
  const int64_t s = static_cast<int64_t>(a) + b;
  return s > INT32_MAX ? INT32_MAX : (s < INT32_MIN ? INT32_MIN : static_cast<int32_t>(s));
}

void line_at(PanelRecord* p, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  draw_line(add(p->x0, x0), add(p->y0, y0), add(p->x0, x1), add(p->y0, y1), colour);
}

bool in_area(const PanelRecord* p, int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < p->width && y < p->height; }

void circle_line(PanelRecord* p, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (in_area(p, x0, y0) && in_area(p, x1, y1)) {
    panel_draw_line(p, x0, y0, x1, y1, colour);
  } else {
    panel_draw_line_clipped(p, x0, y0, x1, y1, colour);
  }
}

void invert_box(const int32_t* b) {
  draw_line(b[0], b[1], b[2], b[1], ui_color_invert);  // top
  draw_line(b[2], b[1], b[2], b[3], ui_color_invert);  // right
  draw_line(b[2], b[3], b[0], b[3], ui_color_invert);  // bottom
  draw_line(b[0], b[3], b[0], b[1], ui_color_invert);  // left
}
}  // namespace

void panel_fill_rect(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!panel) return;
  select_panel_window(panel);
  fill_rect(add(panel->x0, x0), add(panel->y0, y0), add(panel->x0, x1), add(panel->y0, y1), colour);
}

void panel_fill_rect_main(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!panel) return;
  fill_rect_main(add(panel->x0, x0), add(panel->y0, y0), add(panel->x0, x1), add(panel->y0, y1), colour);
}

void panel_draw_text(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg, int32_t bg) {
  if (!panel) return;
  draw_text(text, add(panel->x0, x), add(panel->y0, y), fg, bg, 0);
}

void panel_draw_text_bg(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg, int32_t, int32_t bg) {
  panel_draw_text(panel, text, x, y, fg, bg);
}

void panel_draw_label(PanelRecord* panel, int32_t x, int32_t y, const char* text) {
  panel_draw_text(panel, text, x, y, ui_color_black, ui_color_face);
}

void panel_draw_char(PanelRecord* panel, int32_t character, int32_t x, int32_t y, int32_t fg, int32_t bg) {
  if (!panel) return;
  draw_char(character, add(panel->x0, x), add(panel->y0, y), fg, bg, 0);
}

void panel_draw_text_spaced(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg) {
  if (!panel || !text) return;
  int64_t cx = static_cast<int64_t>(panel->x0) + x;
  for (const char* p = text; *p && cx < INT32_MAX; ++p, cx += char_width)
    draw_char(static_cast<unsigned char>(*p), static_cast<int32_t>(cx), add(panel->y0, y), fg, 0, 1);
}

void panel_put_pixel(PanelRecord* panel, int32_t x, int32_t y, int32_t colour) {
  if (!panel) return;
  put_pixel(add(panel->x0, x), add(panel->y0, y), colour);
}

int32_t text_length_bs(const char* text) {
  if (!text) return 0;
  int32_t n = 0;
  for (const char* p = text; *p; ++p) {
    if (*p == 8) {
      if (n >= 1) --n;
    } else {
      ++n;
    }
  }
  return n;
}

void panel_draw_line(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!panel) return;
  select_panel_window(panel);
  line_at(panel, x0, y0, x1, y1, colour);
}

void panel_draw_line_clipped(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  if (!panel) return;
  const int64_t w = panel->width, h = panel->height;
  int64_t ax = x0, ay = y0, bx = x1, by = y1;
  if ((ax < 0 && bx < 0) || (ax >= w && bx >= w) || (ay < 0 && by < 0) || (ay >= h && by >= h)) return;
  auto in = [&](int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < w && y < h; };
  if (!(in(ax, ay) && in(bx, by))) {
    if (!in(ax, ay)) {
      if (!in(bx, by)) return;
      std::swap(ax, bx);
      std::swap(ay, by);
    }
    // (ax, ay) inside; move (bx, by) towards it, first in x, then in y.
    if (bx < 0) {
      by = ay - (ay - by) * ax / (ax - bx);
      bx = 0;
    } else if (bx >= w) {
      by = ay + (by - ay) * (w - ax) / (bx - ax);
      bx = w - 1;
    }
    if (by < 0) {
      bx = ax - (ax - bx) * ay / (ay - by);
      by = 0;
    } else if (by >= h) {
      bx = ax + (bx - ax) * (h - ay) / (by - ay);
      by = h - 1;
    }
  }
  panel_draw_line(panel, static_cast<int32_t>(ax), static_cast<int32_t>(ay), static_cast<int32_t>(bx),
                  static_cast<int32_t>(by), colour);
}

void draw_frame(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t c1, int32_t c2) {
  if (!panel) return;
  if (x0 > panel->x1 || x1 > panel->x1 || y0 > panel->y1 || y1 > panel->y1) return;
  select_panel_window(panel);
  line_at(panel, x0, y1, x0, y0, c1);  // left, bottom to top
  line_at(panel, x0, y0, x1, y0, c1);  // top, left to right
  line_at(panel, x1, y0, x1, y1, c2);  // right, top to bottom
  line_at(panel, x1, y1, x0, y1, c2);  // bottom, right to left
}

void draw_frame_flat(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  draw_frame(panel, x0, y0, x1, y1, colour, colour);
}

void draw_raised_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t i = 1; i <= 3; ++i)
    draw_frame(panel, x0 + i, y0 + i, x1 - i, y1 - i, ui_color_highlight, ui_color_shadow);
}

void draw_sunken_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t i = 0; i <= 2; ++i)
    draw_frame(panel, x0 + i, y0 + i, x1 - i, y1 - i, ui_color_shadow, ui_color_highlight);
  draw_frame_flat(panel, x0 + 3, y0 + 3, x1 - 3, y1 - 3, ui_color_black);
}

void draw_circle(PanelRecord* panel, int32_t cx, int32_t cy, int32_t r, int32_t colour) {
  if (!panel) return;
  select_panel_window(panel);
  if (r <= 0) {
    if (in_area(panel, cx, cy)) panel_put_pixel(panel, cx, cy, colour);
    return;
  }
  if (r == 1) {
    circle_line(panel, cx - 1, cy, cx + 1, cy, colour);
    circle_line(panel, cx, cy - 1, cx, cy + 1, colour);
    return;
  }
  static const int32_t kStep[16] = {360, 90, 45, 30, 30, 30, 30, 30, 30, 30, 15, 15, 15, 15, 15, 10};
  const int32_t s = kStep[r > 15 ? 15 : r];
  const double R = r + 0.49;
  const double kRad = 3.14159265358979323846 / 180.0;
  for (int32_t a = 0; a < 90; a += s) {
    const int32_t dx1 = static_cast<int32_t>(std::cos(a * kRad) * R), dy1 = static_cast<int32_t>(std::sin(a * kRad) * R);
    const int32_t dx2 = static_cast<int32_t>(std::cos((a + s) * kRad) * R),
                  dy2 = static_cast<int32_t>(std::sin((a + s) * kRad) * R);
    circle_line(panel, cx + dx1, cy + dy1, cx + dx2, cy + dy2, colour);
    circle_line(panel, cx - dx1, cy + dy1, cx - dx2, cy + dy2, colour);
    circle_line(panel, cx - dx1, cy - dy1, cx - dx2, cy - dy2, colour);
    circle_line(panel, cx + dx1, cy - dy1, cx + dx2, cy - dy2, colour);
  }
}

void draw_xor_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (!panel) return;
  select_panel_window(panel);
  const bool none = x0 == -1 && y0 == -1 && x1 == -1 && y1 == -1;
  const int32_t box[4] = {add(panel->x0, x0), add(panel->y0, y0), add(panel->x0, x1), add(panel->y0, y1)};
  const bool remembered = !(xor_box[0] == -1 && xor_box[1] == -1 && xor_box[2] == -1 && xor_box[3] == -1);
  const bool same = remembered && box[0] == xor_box[0] && box[1] == xor_box[1] && box[2] == xor_box[2] &&
                    box[3] == xor_box[3];
  if (remembered && !same) {
    invert_box(xor_box);
    for (int32_t& v : xor_box) v = -1;
  }
  if (same || none) return;
  if (x0 <= panel->x1 && y0 <= panel->y1 && x1 <= panel->x1 && y1 <= panel->y1) {
    invert_box(box);
    for (int i = 0; i < 4; ++i) xor_box[i] = box[i];
  }
}

void draw_xor_box_forget() {
  for (int32_t& v : xor_box) v = -1;
}

int32_t clip_line(int32_t* rect, int32_t* px0, int32_t* py0, int32_t* px1, int32_t* py1) {
  if (rect[0] > rect[2]) std::swap(rect[0], rect[2]);
  if (rect[1] > rect[3]) std::swap(rect[1], rect[3]);
  const int64_t l = rect[0], t = rect[1], r = rect[2], b = rect[3];
  int64_t xa = *px0, ya = *py0, xb = *px1, yb = *py1;
  auto beyond_same_side = [&](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return (x0 < l && x1 < l) || (x0 >= r && x1 >= r) || (y0 < t && y1 < t) || (y0 >= b && y1 >= b);
  };
  if (beyond_same_side(xa, ya, xb, yb)) return 0;
  auto in = [&](int64_t x, int64_t y) { return x >= l && x < r && y >= t && y < b; };
  if (in(xa, ya) && in(xb, yb)) return 1;
  // Order by x and cut at the left and right.
  if (xa > xb) {
    std::swap(xa, xb);
    std::swap(ya, yb);
  }
  if (xa < l && xb != xa) {
    ya = yb + (ya - yb) * (xb - l) / (xb - xa);
    xa = l;
  }
  if (xb > r && xb != xa) {
    yb = ya + (yb - ya) * (r - xa) / (xb - xa);
    xb = r;
  }
  // Order by y and cut at the top and bottom.
  if (ya > yb) {
    std::swap(xa, xb);
    std::swap(ya, yb);
  }
  if (ya < t && yb != ya) {
    xa = xb + (xa - xb) * (yb - t) / (yb - ya);
    ya = t;
  }
  if (yb > b && yb != ya) {
    xb = xa + (xb - xa) * (b - ya) / (yb - ya);
    yb = b;
  }
  if (beyond_same_side(xa, ya, xb, yb)) return 0;
  *px0 = static_cast<int32_t>(xa);
  *py0 = static_cast<int32_t>(ya);
  *px1 = static_cast<int32_t>(xb);
  *py1 = static_cast<int32_t>(yb);
  return 1;
}

SavedRect* panel_save_rect(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (!panel) return nullptr;
  select_panel_window(panel);
  return save_screen_rect(add(panel->x0, x0), add(panel->y0, y0), add(panel->x0, x1), add(panel->y0, y1));
}

void panel_restore_free_rect(PanelRecord* panel, SavedRect* saved) {
  if (!panel || !saved) return;
  select_panel_window(panel);
  restore_free_screen_rect(saved);
}
