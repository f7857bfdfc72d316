// The screen layer's drawing operations on the current canvas: lines, rectangles, pixels, text, rows, blocks
// and saved rectangles. Every write is clipped to the canvas.
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/host/host.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"
#include "engine/ui/screen_internal.h"
#include "engine/ui/ui_font.h"

int32_t saved_rects_live = 0;

namespace {
// Coordinates beyond this are cut before a line is walked, so that no line takes more steps than a canvas.
constexpr int64_t kLineReach = 16384;

inline bool inside(const Canvas* c, int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < c->width && y < c->height; }

inline void plot(Canvas* c, int64_t x, int64_t y, int32_t colour, bool invert) {
  if (!inside(c, x, y)) return;
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(c->width) + static_cast<size_t>(x);
  if (c->depth == 24) {
    const uint8_t* e = ui_palette[colour & 0xFF];
    c->rgb[i] = invert ? (c->rgb[i] ^ 0xFFFFFFu) & 0xFFFFFFu
                       : (static_cast<uint32_t>(e[0]) << 16) | (static_cast<uint32_t>(e[1]) << 8) | e[2];
  } else {
    c->pixels[i] = invert ? static_cast<uint8_t>(c->pixels[i] ^ 0xFF) : static_cast<uint8_t>(colour & 0xFF);
  }
  c->needs_repaint = 1;
}

// Cuts a segment to the square of kLineReach around the origin (Cohen-Sutherland); false when nothing is left.
bool cut_to_reach(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
  auto code = [](int64_t x, int64_t y) {
    int r = 0;
    if (x < -kLineReach) r |= 1;
    if (x > kLineReach) r |= 2;
    if (y < -kLineReach) r |= 4;
    if (y > kLineReach) r |= 8;
    return r;
  };
  for (int guard = 0; guard < 8; ++guard) {
    const int c0 = code(x0, y0), c1 = code(x1, y1);
    if (!(c0 | c1)) return true;
    if (c0 & c1) return false;
    const int c = c0 ? c0 : c1;
    int64_t x = 0, y = 0;
    const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
    if (c & 1) {
      x = -kLineReach;
      y = y0 + static_cast<int64_t>(dy * static_cast<double>(x - x0) / dx);
    } else if (c & 2) {
      x = kLineReach;
      y = y0 + static_cast<int64_t>(dy * static_cast<double>(x - x0) / dx);
    } else if (c & 4) {
      y = -kLineReach;
      x = x0 + static_cast<int64_t>(dx * static_cast<double>(y - y0) / dy);
    } else {
      y = kLineReach;
      x = x0 + static_cast<int64_t>(dx * static_cast<double>(y - y0) / dy);
    }
    if (c == c0) {
      x0 = x;
      y0 = y;
    } else {
      x1 = x;
      y1 = y;
    }
  }
  return false;
}

uint8_t nearest_cube_level(uint32_t v) {
  // Levels 16, 90, 164, 238: the nearest one.
  int32_t best = 0, dist = 1 << 30;
  for (int32_t l = 0; l < 4; ++l) {
    const int32_t d = std::abs(static_cast<int32_t>(v) - (16 + 74 * l));
    if (d < dist) {
      dist = d;
      best = l;
    }
  }
  return static_cast<uint8_t>(best);
}
}  // namespace

void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  Canvas* c = screen_current();
  if (!c || !current_hdc) return;
  const bool invert = colour == ui_color_invert;
  int64_t ax = x0, ay = y0, bx = x1, by = y1;
  const bool cut = !cut_to_reach(ax, ay, bx, by);
  if (cut) return;
  // Bresenham from the start up to the end pixel, which is added in copy mode only.
  const int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
  const int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  int64_t err = dx + dy, x = ax, y = ay;
  while (!(x == bx && y == by)) {
    plot(c, x, y, colour, invert);
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  if (!invert) plot(c, bx, by, colour, false);
}

void fill_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  Canvas* c = screen_current();
  if (!c) return;
  int64_t l = x0, t = y0, r = x1, b = y1;
  if (l < 0) l = 0;
  if (t < 0) t = 0;
  if (r >= c->width) r = c->width - 1;
  if (b >= c->height) b = c->height - 1;
  if (l > r || t > b) return;
  for (int64_t y = t; y <= b; ++y) {
    if (c->depth == 24) {
      for (int64_t x = l; x <= r; ++x) plot(c, x, y, colour, false);
    } else {
      std::memset(&c->pixels[static_cast<size_t>(y) * c->width + static_cast<size_t>(l)], colour & 0xFF,
                  static_cast<size_t>(r - l + 1));
    }
  }
  c->needs_repaint = 1;
}

void fill_rect_main(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  fill_rect(x0, y0, x1, y1, colour);
}

void put_pixel(int32_t x, int32_t y, int32_t colour) {
  Canvas* c = screen_current();
  if (c) plot(c, x, y, colour, false);
}

int32_t get_pixel(int32_t x, int32_t y) {
  Canvas* c = screen_current();
  if (!c || !inside(c, x, y)) return -1;
  const size_t i = static_cast<size_t>(y) * c->width + static_cast<size_t>(x);
  return c->depth == 24 ? static_cast<int32_t>(c->rgb[i]) : c->pixels[i];
}

void draw_char(int32_t character, int32_t x, int32_t y, int32_t fg, int32_t bg, int32_t transparent) {
  Canvas* c = screen_current();
  if (!c) return;
  if (static_cast<int64_t>(x) + char_width <= 0 || x >= c->width || static_cast<int64_t>(y) + char_height <= 0 ||
      y >= c->height)
    return;
  const uint8_t* glyph = ui_font_glyphs[character & 0xFF];
  for (int32_t r = 0; r < char_height && r < kUiFontHeight; ++r) {
    const uint8_t bits = glyph[r];
    for (int32_t k = 0; k < char_width && k < kUiFontWidth; ++k) {
      if (bits & (0x80 >> k)) {
        plot(c, static_cast<int64_t>(x) + k, static_cast<int64_t>(y) + r, fg, false);
      } else if (transparent != 1) {
        plot(c, static_cast<int64_t>(x) + k, static_cast<int64_t>(y) + r, bg, false);
      }
    }
  }
}

void draw_text(const char* text, int32_t x, int32_t y, int32_t fg, int32_t bg, int32_t transparent) {
  Canvas* c = screen_current();
  if (!c || !text) return;
  int64_t cx = x;
  for (const char* p = text; *p && cx < c->width; ++p, cx += char_width) {
    if (cx + char_width > 0) draw_char(static_cast<unsigned char>(*p), static_cast<int32_t>(cx), y, fg, bg, transparent);
  }
}

void put_row8(int32_t x, int32_t y, int32_t n, const uint8_t* pixels) {
  Canvas* c = screen_current();
  if (!c || !current_hdc || !pixels || n <= 0 || y < 0 || y >= c->height) return;
  for (int32_t i = 0; i < n; ++i) {
    const int64_t px = static_cast<int64_t>(x) + i;
    if (px >= c->width) break;
    if (px >= 0) plot(c, px, y, pixels[i], false);
  }
}

void put_block8(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels) {
  if (!pixels || w <= 0 || h <= 0) return;
  for (int32_t r = 0; r < h; ++r)
    put_row8(x, static_cast<int32_t>(static_cast<int64_t>(y) + h - 1 - r), w, pixels + static_cast<size_t>(r) * w);
}

void put_row24(int32_t x, int32_t y, int32_t n, const uint32_t* words) {
  Canvas* c = screen_current();
  if (!c || !current_hdc || !words || n <= 0 || y < 0 || y >= c->height) return;
  for (int32_t i = 0; i < n; ++i) {
    const int64_t px = static_cast<int64_t>(x) + i;
    if (px >= c->width) break;
    if (px < 0) continue;
    const size_t at = static_cast<size_t>(y) * c->width + static_cast<size_t>(px);
    const uint32_t w = words[i] & 0xFFFFFFu;
    if (c->depth == 24) {
      c->rgb[at] = w;
    } else {
      // An 8-bit canvas shows the nearest colour of the UI palette's colour cube.
      c->pixels[at] = static_cast<uint8_t>(128 + nearest_cube_level((w >> 16) & 0xFF) +
                                           4 * nearest_cube_level((w >> 8) & 0xFF) + 16 * nearest_cube_level(w & 0xFF));
    }
  }
  c->needs_repaint = 1;
}

SavedRect* save_screen_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  auto* s = static_cast<SavedRect*>(host().alloc_zeroed(sizeof(SavedRect)));
  if (!s) return nullptr;
  ++saved_rects_live;
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  Canvas* c = screen_current();
  // Only the part on the canvas is kept; a rectangle wholly off it keeps nothing.
  if (c) {
    if (x0 < 0) x0 = 0;
    if (y0 < 0) y0 = 0;
    if (x1 >= c->width) x1 = c->width - 1;
    if (y1 >= c->height) y1 = c->height - 1;
  }
  s->x0 = x0;
  s->y0 = y0;
  s->x1 = x1;
  s->y1 = y1;
  if (!c || x0 > x1 || y0 > y1) return s;
  const size_t w = static_cast<size_t>(x1 - x0 + 1), h = static_cast<size_t>(y1 - y0 + 1);
  const size_t bpp = c->depth == 24 ? 4 : 1;
  auto* bits = static_cast<uint8_t*>(host().alloc_zeroed(w * h * bpp));
  if (!bits) return s;  // the copy failed: the record stays, without contents
  for (size_t r = 0; r < h; ++r) {
    const size_t at = (static_cast<size_t>(y0) + r) * c->width + static_cast<size_t>(x0);
    if (bpp == 4) {
      std::memcpy(bits + r * w * 4, &c->rgb[at], w * 4);
    } else {
      std::memcpy(bits + r * w, &c->pixels[at], w);
    }
  }
  s->memory_dc = c;
  s->bitmap = bits;
  return s;
}

void restore_screen_rect(SavedRect* s) {
  Canvas* c = screen_current();
  if (!s || !c || !s->bitmap) return;
  const auto* src = static_cast<const Canvas*>(s->memory_dc);
  const size_t bpp = src && src->depth == 24 ? 4 : 1;
  if ((c->depth == 24 ? 4u : 1u) != bpp) return;
  const int64_t w = static_cast<int64_t>(s->x1) - s->x0 + 1, h = static_cast<int64_t>(s->y1) - s->y0 + 1;
  const auto* bits = static_cast<const uint8_t*>(s->bitmap);
  for (int64_t r = 0; r < h; ++r) {
    const int64_t y = s->y0 + r;
    if (y < 0 || y >= c->height) continue;
    for (int64_t k = 0; k < w; ++k) {
      const int64_t x = s->x0 + k;
      if (x < 0 || x >= c->width) continue;
      const size_t at = static_cast<size_t>(y) * c->width + static_cast<size_t>(x);
      if (bpp == 4) {
        std::memcpy(&c->rgb[at], bits + (r * w + k) * 4, 4);
      } else {
        c->pixels[at] = bits[r * w + k];
      }
    }
  }
  c->needs_repaint = 1;
}

void free_screen_rect(SavedRect* s) {
  if (!s) return;
  host().free_block(s->bitmap);
  host().free_block(s);
  --saved_rects_live;
}

void restore_free_screen_rect(SavedRect* s) {
  if (!s) return;
  restore_screen_rect(s);
  free_screen_rect(s);
}
