// The Colors pop-up: opening, drawing the swatches, showing the current class, its events and the drag
// between swatches.
#include "engine/panels/color_panel.h"

#include <initializer_list>
#include <algorithm>

#include "engine/core/grid.h"
#include "engine/host/frontend_services.h"
#include "engine/panels/gadget_table.h"
#include "engine/raster/image_palette.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

ColorPanelState color_panel_state;

namespace {
constexpr int32_t kButtonLeft = 1, kButtonRight = 2;
constexpr int32_t kSlotTabs[6] = {kColorTabGround, kColorTabCliff, kColorTabWater, kColorTabTree, kColorTabHouse, kColorTabSky};
// Attribute rows: slider id, field id, highest value, lowest slider value.
struct AttrRow {
  int32_t slider, field, top, slider_floor;
};
constexpr AttrRow kAttrRows[5] = {{2019, 2020, 255, 0}, {2021, 2022, 255, 1}, {2023, 2024, 100, 0}, {2025, 2026, 100, 1}, {2027, 2028, 255, 0}};
bool in_event = false;

// Left edge of a slot button's swatch: 28 pixels left of the button's hit box (its text origin before it is drawn).
int32_t swatch_x(const GadgetRecord* g) { return (g->hit_x1 > g->hit_x0 ? g->hit_x0 : g->x - 4) - 28; }

ColorPanelState& S() { return color_panel_state; }
int32_t clamp_to(int32_t v, int32_t lo, int32_t hi) { return std::clamp(v, lo, hi); }
int32_t value_of(int32_t id) {
  const GadgetRecord* g = color_panel_gadget(id);
  return g ? g->value : 0;
}
void set_value(int32_t id, int32_t v) {
  if (GadgetRecord* g = color_panel_gadget(id)) g->value = v;
}
void set_state(int32_t id, int32_t state) {
  if (GadgetRecord* g = color_panel_gadget(id)) g->state = state;
}
bool attributes_shown() { return color_panel_gadget(kColorTabAttributes)->state == kGadgetOn; }
uint8_t* attribute_bytes(int32_t color_class) { return &class_attributes[color_class].phong_intensity; }

// Redraws the gadgets of the open control page and the panel's buttons with the id.
void redraw_control_page() {
  PanelRecord* p = S().panel;
  if (!p) return;
  select_panel_window(p);
  for (int32_t which = 0; which < 2; ++which) {
    TabPage* page = color_control_page(which);
    if (page->open) draw_gadgets(page->open, page->gadgets);
  }
}
void redraw_button(int32_t id) {
  if (!S().panel) return;
  select_panel_window(S().panel);
  if (GadgetRecord* g = gadget_table::find(S().panel->gadgets, id)) draw_gadget(S().panel, g);
}

// A framed square: shadow along its top and left, highlight along its bottom and right, just outside.
void draw_swatch_box(PanelRecord* p, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour) {
  panel_fill_rect(p, x0, y0, x1, y1, colour);
  panel_draw_line(p, x0 - 1, y0 - 1, x1 + 1, y0 - 1, ui_color_shadow);
  panel_draw_line(p, x0 - 1, y0 - 1, x0 - 1, y1 + 1, ui_color_shadow);
  panel_draw_line(p, x0 - 1, y1 + 1, x1 + 1, y1 + 1, ui_color_highlight);
  panel_draw_line(p, x1 + 1, y0 - 1, x1 + 1, y1 + 1, ui_color_highlight);
}

// Swatch colours from the colour table into UI palette entries 64 .. 106.
void load_swatches() {
  for (int32_t s = 0; s < kColorSlotCount; ++s) {
    const ColorEntry& e = color_table[color_slot_classes[s]];
    uint8_t* w = S().swatches[s];
    w[0] = e.red, w[1] = e.green, w[2] = e.blue, w[3] = 0;
    for (int32_t c = 0; c < 3; ++c) ui_palette_table[kColorSwatchFirstEntry + s][c] = w[c];
  }
  realize_ui_palette();
}

void draw_page_swatches() {
  ColorPanelState& s = S();
  if (!s.panel || !s.current_page || !s.page_panel) return;
  load_swatches();
  select_panel_window(s.panel);
  for (GadgetRecord* g = s.current_page->gadgets; g; g = g->next) {
    const int32_t slot = color_slot_of_class(g->id);
    if (slot < 0) continue;
    draw_swatch_box(s.page_panel, swatch_x(g), g->y - 1, swatch_x(g) + 15, g->y + 14, kColorSwatchFirstEntry + slot);
  }
}

void draw_current_swatch() {
  const int32_t slot = color_slot_of_class(S().current_class);
  if (!S().panel || slot < 0) return;
  select_panel_window(S().panel);
  draw_swatch_box(S().panel, 16, 428, 324, 512, kColorSwatchFirstEntry + slot);
}

// Sliders, fields and swatches from the current class.
void show_current_class() {
  ColorPanelState& s = S();
  if (color_slot_of_class(s.current_class) < 0) s.current_class = color_slot_classes[0];
  const ColorEntry& e = color_table[s.current_class];
  const int32_t rgb[3] = {e.red, e.green, e.blue};
  for (int32_t k = 0; k < 3; ++k) {
    set_value(kColorRedSlider + k, rgb[k]);
    set_value(kColorRedField + k, rgb[k]);
  }
  ColorHSV c{e.red, e.green, e.blue, 0, 0, 0};
  rgb_to_hsv(c);
  const int32_t hsv[3] = {c.h, c.s, c.v};
  for (int32_t k = 0; k < 3; ++k) {
    set_value(kColorHueSlider + k, hsv[k]);
    set_value(kColorHueField + k, hsv[k]);
  }
  const uint8_t* a = attribute_bytes(s.current_class);
  for (int32_t k = 0; k < 5; ++k) {
    set_value(kAttrRows[k].slider, a[k]);
    set_value(kAttrRows[k].field, a[k]);
  }
  redraw_control_page();
  draw_current_swatch();
  draw_page_swatches();
}

void set_colour(int32_t r, int32_t g, int32_t b) {
  ColorEntry& e = color_table[S().current_class];
  e.red = static_cast<uint8_t>(clamp_to(r, 0, 255));
  e.green = static_cast<uint8_t>(clamp_to(g, 0, 255));
  e.blue = static_cast<uint8_t>(clamp_to(b, 0, 255));
}

void colour_from_hsv_sliders() {
  ColorHSV c{0, 0, 0, static_cast<uint8_t>(clamp_to(value_of(kColorHueSlider), 0, 255)),
             static_cast<uint8_t>(clamp_to(value_of(kColorSatSlider), 0, 255)),
             static_cast<uint8_t>(clamp_to(value_of(kColorValSlider), 0, 255))};
  hsv_to_rgb(c);
  set_colour(c.r, c.g, c.b);
}

// The open slot page and its sub-panel, from the slot tab that is on.
void find_open_page() {
  ColorPanelState& s = S();
  s.current_page = nullptr;
  s.page_panel = nullptr;
  for (int32_t p = 0; p < 6; ++p) {
    const GadgetRecord* tab = color_panel_gadget(kSlotTabs[p]);
    TabPage* page = color_slot_page(p + 1);
    if (tab->state == kGadgetOn && page->open) {
      s.current_page = page;
      s.page_panel = page->open;
      page->on_open = refresh_color_panel;
    }
  }
}

// The class of the page's button that is on (the first button when none is).
int32_t selected_class(const TabPage* page) {
  for (const GadgetRecord* g = page->gadgets; g; g = g->next)
    if (g->state == kGadgetOn && color_slot_of_class(g->id) >= 0) return g->id;
  return page->gadgets ? page->gadgets->id : color_slot_classes[0];
}

// Switches the class's button on and the other buttons of its page off.
void light_slot_button(int32_t color_class) {
  for (int32_t p = 1; p <= 6; ++p) {
    TabPage* page = color_slot_page(p);
    bool here = false;
    for (GadgetRecord* g = page->gadgets; g; g = g->next) here = here || g->id == color_class;
    if (!here) continue;
    for (GadgetRecord* g = page->gadgets; g; g = g->next) {
      const int32_t want = g->id == color_class ? kGadgetOn : kGadgetOff;
      if (g->state == want) continue;
      g->state = want;
      if (page->open && S().panel) {
        select_panel_window(S().panel);
        draw_gadget(page->open, g);
      }
    }
  }
}

void apply_operation(int32_t op, int32_t a, int32_t b) {
  const bool attrs = attributes_shown();
  switch (op) {
    case 1: attrs ? copy_class_attributes(a, b) : copy_color_entry(a, b); break;
    case 2: attrs ? swap_class_attributes(a, b) : swap_color_entries(a, b); break;
    case 3: attrs ? spread_class_attributes(a, b) : spread_colors(a, b); break;
    default: break;
  }
}

void release_operation_buttons() {
  for (const int32_t id : {kColorCopy, kColorSwap, kColorSpread}) {
    set_state(id, kGadgetOff);
    redraw_button(id);
  }
}

// The class whose swatch holds the page point, or 0.
int32_t swatch_at(int32_t x, int32_t y) {
  const TabPage* page = S().current_page;
  if (!page) return 0;
  for (const GadgetRecord* g = page->gadgets; g; g = g->next) {
    if (color_slot_of_class(g->id) < 0) continue;
    if (x >= swatch_x(g) && x <= swatch_x(g) + 16 && y >= g->y - 1 && y <= g->y + 15) return g->id;
  }
  return 0;
}

void set_operation_look(int32_t on_id) {
  for (const int32_t id : {kColorCopy, kColorSwap, kColorSpread}) {
    set_state(id, id == on_id ? kGadgetOn : kGadgetOff);
    redraw_button(id);
  }
}

// Follows a drag that started on the swatch of class s; returns the class it ended on, or 0.
int32_t color_panel_drag(int32_t s) {
  ColorPanelState& st = S();
  PanelRecord* page = st.page_panel;
  if (!page) return 0;
  set_operation_look(kColorSpread);
  bool spreading = true, was_left = true;
  int32_t target = 0;
  for (;;) {
    if (!panel_window_open(st.panel)) break;
    int32_t x = 0, y = 0, b = 0;
    panel_mouse(page, &x, &y, &b);
    select_panel_window(st.panel);
    draw_xor_box(page, x - 8, y - 8, x + 7, y + 7);
    if (b == kButtonRight) break;
    const bool left = b == kButtonLeft;
    if (spreading && !left) {
      const int32_t t = swatch_at(x, y);
      if (t && t != s) {
        target = t;
        break;
      }
      spreading = false;  // released elsewhere: the next press copies
      set_operation_look(kColorCopy);
    } else if (!spreading && left && !was_left) {
      target = swatch_at(x, y);
      break;
    }
    was_left = left;
  }
  select_panel_window(st.panel);
  draw_xor_box(page, -1, -1, -1, -1);
  if (target) {
    apply_operation(spreading ? 3 : 1, s, target);
    load_swatches();
  }
  wait_mouse_release();
  return target;
}

void make_current(int32_t color_class, bool also_first) {
  ColorPanelState& s = S();
  s.current_class = color_class;
  if (also_first) s.first_class = color_class;
  light_slot_button(color_class);
}

void slot_pressed(int32_t color_class) {
  ColorPanelState& s = S();
  make_current(color_class, false);
  if (s.operation == 0) {
    s.first_class = color_class;
  } else {
    apply_operation(s.operation, s.first_class, color_class);
    s.operation = 0;
    release_operation_buttons();
    s.first_class = color_class;
  }
  show_current_class();
}

void click_off_gadgets(PanelRecord* panel, int32_t x, int32_t y) {
  ColorPanelState& s = S();
  if (s.page_panel) {
    const int32_t px = x - (s.page_panel->x0 - panel->x0), py = y - (s.page_panel->y0 - panel->y0);
    if (const int32_t c = swatch_at(px, py)) {
      make_current(c, true);
      show_current_class();
      if (const int32_t t = color_panel_drag(c)) {
        make_current(t, false);
        show_current_class();
      }
      click_latch = 0;
    }
  }
  s.operation = 0;
  release_operation_buttons();
}

void close_color_panel(PanelRecord* panel, bool accept) {
  ColorPanelState& s = S();
  if (accept) {
    gadget_deselect(panel, kColorAccept);
    set_state(kColorCopy, kGadgetOff), set_state(kColorSwap, kGadgetOff), set_state(kColorSpread, kGadgetOff);
    realize_ui_palette();
  } else {
    std::copy(std::begin(s.color_table_backup), std::end(s.color_table_backup), color_table);
    std::copy(std::begin(s.class_attributes_backup), std::end(s.class_attributes_backup), class_attributes);
    gadget_deselect(panel, kColorCancel);
  }
  s.panel = nullptr;
  s.parent = nullptr;
  s.current_page = nullptr;
  s.page_panel = nullptr;
  s.operation = 0;
  ClosePanelWindow(panel);  // the front end frees the record and enables the opener
  if (accept) derived_data.palette_stale = land_width;
}

void attribute_event(int32_t e) {
  uint8_t* a = attribute_bytes(S().current_class);
  for (int32_t k = 0; k < 5; ++k) {
    const AttrRow& r = kAttrRows[k];
    if (e == r.slider) {
      int32_t v = clamp_to(value_of(r.slider), 0, r.top);
      if (v < r.slider_floor) v = r.slider_floor;
      set_value(r.slider, v);
      a[k] = static_cast<uint8_t>(v);
      set_value(r.field, v);
    } else if (e == r.field) {
      const int32_t v = clamp_to(value_of(r.field), 0, r.top);
      set_value(r.field, v);
      a[k] = static_cast<uint8_t>(v);
      set_value(r.slider, v);
    } else {
      continue;
    }
    redraw_control_page();
    return;
  }
}

void handle_event(PanelRecord* panel, int32_t e, int32_t x, int32_t y) {
  ColorPanelState& s = S();
  if (e > 0 && e < kKeyEventBase && color_slot_of_class(e) >= 0) {
    slot_pressed(e);
    return;
  }
  switch (e) {
    case kEventClickNoGadget: click_off_gadgets(panel, x, y); return;
    case kColorCopy:
    case kColorSwap:
    case kColorSpread: {
      const bool on = color_panel_gadget(e)->state == kGadgetOn;
      s.operation = on ? e - kColorCopy + 1 : 0;
      if (on) s.first_class = s.current_class;
      return;
    }
    case kColorRedSlider:
    case kColorGreenSlider:
    case kColorBlueSlider: {
      ColorEntry& c = color_table[s.current_class];
      int32_t rgb[3] = {c.red, c.green, c.blue};
      rgb[e - kColorRedSlider] = value_of(e);
      set_colour(rgb[0], rgb[1], rgb[2]);
      show_current_class();
      return;
    }
    case kColorHueSlider:
    case kColorSatSlider:
    case kColorValSlider:
      colour_from_hsv_sliders();
      show_current_class();
      return;
    case kColorRedField:
    case kColorGreenField:
    case kColorBlueField:
      set_colour(value_of(kColorRedField), value_of(kColorGreenField), value_of(kColorBlueField));
      show_current_class();
      return;
    case kColorHueField:
    case kColorSatField:
    case kColorValField:
      for (int32_t k = 0; k < 3; ++k) set_value(kColorHueSlider + k, clamp_to(value_of(kColorHueField + k), 0, 255));
      colour_from_hsv_sliders();
      show_current_class();
      return;
    case kColorTabGround:
    case kColorTabCliff:
    case kColorTabWater:
    case kColorTabTree:
    case kColorTabHouse:
    case kColorTabSky:
      find_open_page();
      if (s.current_page) {
        s.current_class = selected_class(s.current_page);
        s.first_class = s.current_class;
      }
      show_current_class();
      return;
    case kColorTabColors:
    case kColorTabAttributes: show_current_class(); return;
    case kColorAccept:
    case kKeyEventBase + kKeyEnter: close_color_panel(panel, true); return;
    case kColorCancel:
    case kKeyEventBase + kKeyEsc: close_color_panel(panel, false); return;
    default:
      if (e >= kColorAttrFirst && e <= kColorAttrLast) attribute_event(e);
      return;
  }
}
}  // namespace

PanelRecord* show_color_panel(PanelRecord* parent, int32_t page) {
  ColorPanelState& s = S();
  PopupSlot slot{s.panel, s.parent};
  if (popup_alive(slot, draw_color_panel)) return s.panel;  // one Colors panel at a time
  s.panel = s.parent = nullptr;  // a record closed by its window's close box is gone
  if (page < kColorPageGround || page > kColorPageSky) page = kColorPageGround;
  s.operation = 0;
  s.current_page = nullptr;
  s.page_panel = nullptr;
  // Pages of an earlier opening were freed with that pop-up.
  for (int32_t p = 1; p <= 6; ++p) color_slot_page(p)->on_open = nullptr, color_slot_page(p)->open = nullptr;
  for (int32_t w = 0; w < 2; ++w) color_control_page(w)->on_open = nullptr, color_control_page(w)->open = nullptr;
  color_panel_gadget(kColorCancel)->x = 672 - 7 * char_width;
  color_panel_gadget(kColorTabColors)->y = 68 - char_height;
  color_panel_gadget(kColorTabAttributes)->y = 68 - char_height;
  std::copy(color_table, color_table + 256, s.color_table_backup);
  std::copy(class_attributes, class_attributes + 256, s.class_attributes_backup);
  for (int32_t p = 0; p < 6; ++p) set_state(kSlotTabs[p], p + 1 == page ? kGadgetOn : kGadgetOff);
  s.current_class = selected_class(color_slot_page(page));
  pointer_hide();
  PanelRecord* panel = panel_open(parent, "Colors", 0, 0, 0, 676, 524, draw_color_panel, color_panel_event);
  if (!panel) {
    pointer_show();
    return nullptr;
  }
  disable_panel_gadgets(parent);
  s.panel = panel;
  s.parent = parent;
  s.first_class = s.current_class;
  draw_color_panel(panel);
  pointer_show();
  cursor_arrow();
  return panel;
}

int32_t draw_color_panel(PanelRecord* panel) {
  ColorPanelState& s = S();
  if (!panel || panel != s.panel) return 1;
  select_panel_window(panel);
  panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
  panel_set_gadgets(panel, color_panel_gadgets());
  find_open_page();
  load_swatches();
  show_current_class();
  return 1;
}

void refresh_color_panel() {
  if (!S().panel) return;
  find_open_page();  // the page just opened; the one before may already be freed
  draw_page_swatches();
}

void color_panel_event(PanelRecord* panel) {
  if (in_event || !panel) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t e = panel_event(panel, &x, &y);
  if (S().panel == panel) handle_event(panel, e, x, y);
  in_event = false;
}

void color_panel_handle(PanelRecord* panel, int32_t result, int32_t x, int32_t y) {
  if (in_event || !panel || S().panel != panel) return;
  in_event = true;
  handle_event(panel, result, x, y);
  in_event = false;
}

void reset_color_panel_state() {
  color_panel_state = ColorPanelState{};
  color_panel_layout_reset();
  in_event = false;
}
