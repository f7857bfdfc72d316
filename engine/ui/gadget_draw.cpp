// Gadget looks drawn with the panel primitives; drawing a gadget writes the hit box its clicks are tested with.
#include "engine/ui/gadget_draw.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

namespace {
// Field widths are bounded here whatever a table says, so a wild width cannot make a huge string.
constexpr int32_t kMaxFieldChars = 255;

int32_t field_chars(const GadgetRecord* g) {
  return g->width < 0 ? 0 : (g->width > kMaxFieldChars ? kMaxFieldChars : g->width);
}

int32_t sat(int64_t v) { return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v)); }

void frame_pair(PanelRecord* p, int32_t hx0, int32_t hy0, int32_t hx1, int32_t hy1, bool sunken) {
  for (int32_t i = 1; i <= 2; ++i) {
    if (sunken) {
      draw_frame(p, hx0 + i, hy0 + i, hx1 - i, hy1 - i, ui_color_shadow, ui_color_highlight);
    } else {
      draw_frame(p, hx0 + i, hy0 + i, hx1 - i, hy1 - i, ui_color_highlight, ui_color_shadow);
    }
  }
}

// The button look at (x, y) with the given state and label; writes the box into hit when given.
void button_look(PanelRecord* p, int32_t x, int32_t y, int32_t state, const char* text, const char* off_text,
                 int32_t* hit) {
  const char* label = text ? text : "";
  const int32_t L = text_length_bs(label);
  const int32_t hx0 = sat(static_cast<int64_t>(x) - 4), hy0 = sat(static_cast<int64_t>(y) - 4);
  const int32_t hx1 = sat(static_cast<int64_t>(x) + static_cast<int64_t>(L) * char_width + 3);
  const int32_t hy1 = sat(static_cast<int64_t>(y) + char_height + 3);
  if (hit) {
    hit[0] = hx0;
    hit[1] = hy0;
    hit[2] = hx1;
    hit[3] = hy1;
  }
  draw_frame_flat(p, hx0 + 3, hy0 + 3, hx1 - 3, hy1 - 3, ui_color_face);
  if (state == kGadgetOn) {
    panel_draw_text(p, label, x, y, ui_color_text, ui_color_face);
  } else if (state == kGadgetGreyed) {
    panel_draw_text(p, label, x, y, ui_color_black, ui_color_face);
    for (int32_t i = 0; i < L; ++i) panel_draw_text_spaced(p, "-", x + i * char_width, y, ui_color_black);
  } else {
    panel_draw_text(p, off_text ? off_text : label, x, y, ui_color_black, ui_color_face);
  }
  frame_pair(p, hx0, hy0, hx1, hy1, state == kGadgetOn);
}

void set_hit(GadgetRecord* g, const int32_t* h) {
  g->hit_x0 = h[0];
  g->hit_y0 = h[1];
  g->hit_x1 = h[2];
  g->hit_y1 = h[3];
}

void draw_button(PanelRecord* p, GadgetRecord* g) {
  int32_t hit[4];
  const char* off = g->kind == kGadgetButton ? g->extra.off_text : nullptr;
  button_look(p, g->x, g->y, g->state, g->text, off, hit);
  set_hit(g, hit);
}

void draw_tab(PanelRecord* p, GadgetRecord* g) {
  const char* label = g->text ? g->text : "";
  const int32_t L = text_length_bs(label);
  const int32_t hit[4] = {g->x - 4, g->y - 4, sat(static_cast<int64_t>(g->x) + static_cast<int64_t>(L) * char_width + 3),
                          g->y + char_height + 3};
  set_hit(g, hit);
  draw_frame_flat(p, hit[0] + 3, hit[1] + 3, hit[2] - 3, hit[3] - 3, ui_color_face);
  panel_draw_text(p, label, g->x, g->y, g->state == kGadgetOn ? ui_color_text : ui_color_black, ui_color_face);
  frame_pair(p, hit[0], hit[1], hit[2], hit[3], g->state != kGadgetOn);
}

void draw_knob(PanelRecord* p, GadgetRecord* g) {
  const int32_t r = g->width < 0 ? 0 : (g->width > 4096 ? 4096 : g->width);
  const int32_t hit[4] = {g->x - 4, g->y - 4, g->x + 2 * r + 3, g->y + 2 * r + 3};
  set_hit(g, hit);
  const int32_t cx = (hit[0] + hit[2]) / 2, cy = (hit[1] + hit[3]) / 2;
  panel_fill_rect(p, hit[0] + 3, hit[1] + 3, hit[2] - 3, hit[3] - 3, ui_color_face);
  frame_pair(p, hit[0], hit[1], hit[2], hit[3], g->state == kGadgetOn);
  draw_circle(p, cx, cy, r, ui_color_black);
  const double kRad = 3.14159265358979323846 / 180.0;
  const int32_t n = static_cast<int32_t>(std::cos(g->extra.elevation * kRad) * r + 0.5);
  const double a = (static_cast<double>(g->value) + 90.0) * kRad;
  const int32_t dx = static_cast<int32_t>(std::cos(a) * n), dy = static_cast<int32_t>(std::sin(a) * n);
  panel_draw_line(p, cx, cy, cx + dx, cy - dy, ui_color_black);
}

// The slider's thumb label: two hexadecimal digits of the value in its text buffer, or two blanks.
const char* thumb_label(GadgetRecord* g) {
  if (!g->text || g->text_size <= 0) return "  ";
  std::snprintf(g->text, static_cast<size_t>(g->text_size), "%02lX",
                static_cast<unsigned long>(static_cast<uint32_t>(g->value)));
  return g->text;
}

void slider_box(PanelRecord* p, GadgetRecord* g, int32_t hx1, int32_t hy1) {
  const int32_t hit[4] = {g->x, g->y, hx1, hy1};
  set_hit(g, hit);
  panel_fill_rect(p, g->x - 1, g->y - 1, hx1, hy1, ui_color_black);
  draw_frame(p, g->x - 2, g->y - 2, hx1 + 1, hy1 + 1, ui_color_shadow, ui_color_highlight);
}

void draw_vslider(PanelRecord* p, GadgetRecord* g) {
  const int64_t T = g->width, R = g->range < 0 ? -static_cast<int64_t>(g->range) : g->range;
  slider_box(p, g, sat(static_cast<int64_t>(g->x) + 3 * char_width), sat(g->y + T + char_height + 8));
  const int64_t step = R ? static_cast<int64_t>(g->value) * T / R : 0;
  const int64_t row = g->range >= 0 ? g->y + step + 4 : g->y + (T - 1 - step) + 4;
  button_look(p, g->x + 4, sat(row), g->state, thumb_label(g), nullptr, nullptr);
}

void draw_hslider(PanelRecord* p, GadgetRecord* g) {
  const int64_t T = g->width;
  slider_box(p, g, sat(g->x + T + 3 * char_width), g->y + char_height + 8);
  const int64_t step = g->range ? static_cast<int64_t>(g->value) * T / g->range : 0;
  button_look(p, sat(g->x + step + 4), g->y + 4, g->state, thumb_label(g), nullptr, nullptr);
}

// The black field box with its frames; the text is drawn by the caller.
void field_box(PanelRecord* p, GadgetRecord* g) {
  const int32_t hit[4] = {g->x, g->y, sat(static_cast<int64_t>(g->x) + static_cast<int64_t>(field_chars(g)) * char_width),
                          g->y + char_height};
  set_hit(g, hit);
  panel_fill_rect(p, hit[0], hit[1], hit[2], hit[3], ui_color_black);
}

void field_frames(PanelRecord* p, GadgetRecord* g) {
  draw_frame_flat(p, g->x - 1, g->y - 1, g->hit_x1, g->hit_y1, ui_color_black);
  draw_frame(p, g->x - 2, g->y - 2, g->hit_x1 + 1, g->hit_y1 + 1, ui_color_shadow, ui_color_highlight);
}

void draw_string_field(PanelRecord* p, GadgetRecord* g) {
  field_box(p, g);
  const int32_t w = field_chars(g);
  std::string shown(g->text ? g->text : "");
  shown.resize(static_cast<size_t>(w), ' ');
  panel_draw_text(p, shown.c_str(), g->x, g->y, ui_color_text, ui_color_black);
  field_frames(p, g);
}

void draw_number_field(PanelRecord* p, GadgetRecord* g) {
  char number[64];
  if (g->kind == kGadgetFloat) {
    format_float(number, sizeof number, gadget_value_float(*g));
  } else {
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(g->value));
  }
  // The text buffer mirrors the value, within its capacity.
  if (g->text && g->text_size > 0) std::snprintf(g->text, static_cast<size_t>(g->text_size), "%s", number);
  field_box(p, g);
  const int32_t w = field_chars(g);
  std::string shown(g->text && g->text_size > 0 ? g->text : number);
  if (shown.size() < static_cast<size_t>(w)) shown.insert(0, static_cast<size_t>(w) - shown.size(), ' ');
  shown.resize(static_cast<size_t>(w));
  panel_draw_text(p, shown.c_str(), g->x, g->y, ui_color_text, ui_color_black);
  field_frames(p, g);
}

void draw_label(PanelRecord* p, GadgetRecord* g) {
  const size_t n = g->text ? std::strlen(g->text) : 0;
  const int32_t hit[4] = {g->x, g->y, sat(static_cast<int64_t>(g->x) + static_cast<int64_t>(n) * char_width),
                          g->y + char_height};
  set_hit(g, hit);
  panel_draw_text(p, g->text ? g->text : "", g->x, g->y, ui_color_black, ui_color_face);
}

int32_t item_count(const GadgetRecord* g) {
  int32_t n = 0;
  if (g->extra.items)
    for (const MenuItem* m = g->extra.items; m->kind != 0 && n < 1024; ++m) ++n;
  return n;
}
}  // namespace

void format_float(char* out, int32_t size, float value) {
  if (!out || size <= 0) return;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%0.10f", static_cast<double>(value));
  const char* point = std::strchr(buf, '.');
  if (!point) {
    out[0] = 0;
    return;
  }
  int32_t decimals = 8 - static_cast<int32_t>(point - buf);
  if (decimals < 0) decimals = 0;
  char pattern[16];
  std::snprintf(pattern, sizeof pattern, "%%0.%df", static_cast<int>(decimals));
  std::snprintf(buf, sizeof buf, pattern, static_cast<double>(value));
  if (std::strchr(buf, '.')) {
    size_t n = std::strlen(buf);
    while (n > 0 && buf[n - 1] == '0') buf[--n] = 0;
    if (n > 0 && buf[n - 1] == '.') buf[--n] = 0;
  }
  std::snprintf(out, static_cast<size_t>(size), "%s", buf);
}

void draw_gadget(PanelRecord* panel, GadgetRecord* g) {
  if (!panel || !g) return;
  ++gadget_draw_count;
  select_panel_window(panel);
  switch (g->kind) {
    case kGadgetButton:
    case kGadgetDropDown:
      draw_button(panel, g);
      break;
    case kGadgetString:
    case kGadgetName:
    case kGadgetReadOnly:
      draw_string_field(panel, g);
      break;
    case kGadgetLabel:
      draw_label(panel, g);
      break;
    case kGadgetInteger:
    case kGadgetFloat:
      draw_number_field(panel, g);
      break;
    case kGadgetVSlider:
      draw_vslider(panel, g);
      break;
    case kGadgetHSlider:
      draw_hslider(panel, g);
      break;
    case kGadgetSideTab:
    case kGadgetTopTab:
      draw_tab(panel, g);
      break;
    case kGadgetKnob:
      draw_knob(panel, g);
      break;
    default:
      break;
  }
}

void draw_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  int guard = 0;
  for (GadgetRecord* g = list; g && guard < 100000; g = g->next, ++guard) {
    draw_gadget(panel, g);
    if ((g->kind == kGadgetSideTab || g->kind == kGadgetTopTab) && g->state == kGadgetOn && g->extra.page)
      tab_page_open(panel, g->extra.page, g);
  }
}

void draw_tab_joint(PanelRecord* p, GadgetRecord* g) {
  if (!p || !g) return;
  const int32_t hx0 = g->hit_x0, hy0 = g->hit_y0, hx1 = g->hit_x1, hy1 = g->hit_y1;
  if (g->kind == kGadgetTopTab) {
    panel_fill_rect(p, hx0 + 3, hy1 - 2, hx1 - 3, hy1 + 3, ui_color_face);
    panel_draw_line(p, hx0 + 1, hy1 - 2, hx0 + 1, hy1 + 1, ui_color_highlight);
    panel_draw_line(p, hx0 + 2, hy1 - 2, hx0 + 2, hy1 + 2, ui_color_highlight);
    panel_draw_line(p, hx1 - 1, hy1 - 2, hx1 - 1, hy1 + 1, ui_color_shadow);
    panel_draw_line(p, hx1 - 2, hy1 - 2, hx1 - 2, hy1 + 2, ui_color_shadow);
  } else if (g->kind == kGadgetSideTab) {
    panel_draw_line(p, hx0 - 1, hy0 + 1, hx0 + 2, hy0 + 1, ui_color_highlight);
    panel_draw_line(p, hx0 - 2, hy0 + 2, hx0 + 2, hy0 + 2, ui_color_highlight);
    panel_fill_rect(p, hx0 - 3, hy0 + 3, hx0 + 2, hy1 - 3, ui_color_face);
    panel_draw_line(p, hx0 - 2, hy1 - 2, hx0 + 2, hy1 - 2, ui_color_shadow);
    panel_draw_line(p, hx0 - 1, hy1 - 1, hx0 + 2, hy1 - 1, ui_color_shadow);
  }
}

int32_t menu_layout(GadgetRecord* g) {
  const int32_t n = item_count(g);
  int32_t m = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t len = text_length_bs(g->extra.items[i].text);
    if (len > m) m = len;
  }
  g->list_x0 = g->x;
  g->list_y0 = g->y + char_height + 8;
  g->list_x1 = sat(static_cast<int64_t>(g->x) + static_cast<int64_t>(m + 2) * char_width);
  g->list_y1 = sat(static_cast<int64_t>(g->y) + static_cast<int64_t>(n) * char_height + char_height + 8);
  return n;
}

SavedRect* menu_open(PanelRecord* p, GadgetRecord* g) {
  const int32_t n = menu_layout(g);
  const int32_t bx0 = g->list_x0 - 4, by0 = g->list_y0 - 5, bx1 = g->list_x1 + 3, by1 = g->list_y1 + 3;
  SavedRect* saved = panel_save_rect(p, bx0 - 4, by0 - 4, bx1 + 3, by1 + 3);
  panel_fill_rect(p, bx0 + 4, by0 + 4, bx1 - 4, by1 - 4, ui_color_face);
  draw_frame_flat(p, bx0 + 3, by0 + 3, bx1 - 3, by1 - 3, ui_color_face);
  for (int32_t i = 2; i >= 1; --i) draw_frame(p, bx0 + i, by0 + i, bx1 - i, by1 - i, ui_color_highlight, ui_color_shadow);
  for (int32_t i = 0; i < n; ++i) menu_draw_item(p, g, i, false);
  return saved;
}

void menu_draw_item(PanelRecord* p, GadgetRecord* g, int32_t i, bool highlighted) {
  if (i < 0 || i >= item_count(g)) return;
  const MenuItem& item = g->extra.items[i];
  std::string line(1, item.kind == 2 && item.marked == 1 ? '*' : ' ');
  line += item.text ? item.text : "";
  line += ' ';
  panel_draw_text(p, line.c_str(), g->list_x0, g->list_y0 + i * char_height,
                  highlighted ? ui_color_text : ui_color_black, ui_color_face);
}

void menu_close(PanelRecord* p, SavedRect* saved) {
  if (saved) panel_restore_free_rect(p, saved);
}
