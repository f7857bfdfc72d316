// Gadget input: the panel event poll, hit tests, button and tab clicks, slider drags, drop-downs, hover help.
#include "engine/ui/panel_input.h"

#include "engine/host/frontend_services.h"
#include "engine/host/host.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/field_edit.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/screen.h"

PanelRecord* drag_panel = nullptr;
GadgetRecord* vslider_drag = nullptr;
GadgetRecord* hslider_drag = nullptr;
int32_t drag_start_value = 0, drag_start_x = 0, drag_start_y = 0;
int32_t click_latch = 0;
PanelRecord* hover_panel = nullptr;
GadgetRecord* hover_gadget = nullptr;

namespace {
constexpr int32_t kLeft = 1, kRight = 2;
constexpr int32_t kDropDownSwitch = 6;

bool is_tab(const GadgetRecord* g) { return g->kind == kGadgetSideTab || g->kind == kGadgetTopTab; }

PanelRecord* open_page(const GadgetRecord* g) {
  if (!is_tab(g) || g->state != kGadgetOn || !g->extra.page) return nullptr;
  return g->extra.page->open;
}

void redraw(PanelRecord* p, GadgetRecord* g) {
  pointer_hide();
  draw_gadget(p, g);
  pointer_show();
}

// Polls until the left button is up (or the window closes); the last panel-relative position is kept.
void wait_left_up(PanelRecord* p, int32_t* x, int32_t* y) {
  int32_t b = kLeft;
  while (b == kLeft && panel_window_open(p)) panel_mouse(p, x, y, &b);
}

void wait_no_button(PanelRecord* p) {
  int32_t x = 0, y = 0, b = 1;
  while (b != 0 && panel_window_open(p)) panel_mouse(p, &x, &y, &b);
}

int32_t clamp(int64_t v, int64_t lo, int64_t hi) {
  if (v > hi) v = hi;
  if (v < lo) v = lo;
  return static_cast<int32_t>(v);
}

int32_t abs_range(const GadgetRecord* g) { return g->range < 0 ? -g->range : g->range; }

// Toggle on press, settle on release: buttons, tabs and knobs.
int32_t toggle_click(PanelRecord* p, GadgetRecord* g, bool radio) {
  const int32_t old = g->state;
  const int32_t toggled = old == kGadgetOn ? kGadgetOff : kGadgetOn;  // a greyed gadget turns on too
  g->state = toggled;
  redraw(p, g);
  int32_t x = 0, y = 0;
  wait_left_up(p, &x, &y);
  if (x < g->hit_x0 || x > g->hit_x1 || y < g->hit_y0 || y > g->hit_y1) {
    g->state = old;
  } else if (radio && g->group != 0) {
    for (GadgetRecord* o = p->gadgets; o; o = o->next) {
      if (!(o->group & g->group) || o->state != kGadgetOn) continue;
      if (o->kind == kGadgetButton) {
        o->state = kGadgetOff;
        redraw(p, o);
      } else if (is_tab(o)) {
        o->state = kGadgetOff;
        redraw(p, o);
        close_sub_panel(p, o->extra.page);
      }
    }
    g->state = toggled;
  }
  redraw(p, g);
  return g->state != old ? g->id : 0;
}

int32_t label_click(PanelRecord* p, GadgetRecord* g) {
  const int32_t old = g->state;
  g->state = old == kGadgetOn ? kGadgetOff : kGadgetOn;
  int32_t x = 0, y = 0;
  wait_left_up(p, &x, &y);
  if (x < g->hit_x0 || x > g->hit_x1 || y < g->hit_y0 || y > g->hit_y1) g->state = old;
  return g->state != old ? g->id : 0;
}

int32_t tab_click(PanelRecord* p, GadgetRecord* g) {
  const int32_t old = g->state;
  toggle_click(p, g, true);
  if (g->state == old) return 0;
  if (g->state != kGadgetOn) {
    g->state = kGadgetOn;
    redraw(p, g);
  }
  if (g->extra.page) tab_page_open(p, g->extra.page, g);
  return g->id;
}

int32_t vslider_row(const GadgetRecord* g) {
  const int64_t T = g->width, R = abs_range(g);
  const int64_t step = R ? static_cast<int64_t>(g->value) * T / R : 0;
  return clamp(g->range >= 0 ? g->y + step + 4 : g->y + (T - 1 - step) + 4, INT32_MIN, INT32_MAX);
}

int32_t vslider_step(PanelRecord* p, GadgetRecord* g) {
  const int64_t T = g->width > 0 ? g->width : 1, R = abs_range(g);
  const int32_t start = g->value;
  int32_t x = 0, y = 0, b = 0;
  for (;;) {
    panel_mouse(p, &x, &y, &b);
    const int64_t moved = R * (static_cast<int64_t>(drag_start_y) - y) / T;
    const int64_t v = g->range >= 0 ? drag_start_value - moved : drag_start_value + moved;
    g->value = clamp(v, 0, R > 0 ? R - 1 : 0);
    if (b == 0 || !panel_window_open(p)) {
      vslider_drag = nullptr;
      g->state = kGadgetOff;
      break;
    }
    if (g->value != start) break;
  }
  redraw(p, g);
  return g->id;
}

int32_t hslider_step(PanelRecord* p, GadgetRecord* g) {
  const int64_t T = g->width > 0 ? g->width : 1, R = g->range;
  const int32_t start = g->value;
  int32_t x = 0, y = 0, b = 0;
  for (;;) {
    panel_mouse(p, &x, &y, &b);
    g->value = clamp(drag_start_value + R * (static_cast<int64_t>(x) - drag_start_x) / T, 0, R > 0 ? R - 1 : 0);
    if (b == 0 || !panel_window_open(p)) {
      hslider_drag = nullptr;
      g->state = kGadgetOff;
      break;
    }
    if (g->value != start) break;
  }
  redraw(p, g);
  return g->id;
}

int32_t vslider_click(PanelRecord* p, GadgetRecord* g, int32_t y) {
  const int32_t ty = vslider_row(g);
  if (y >= ty && y < static_cast<int64_t>(ty) + char_height) {
    g->state = kGadgetOn;
    redraw(p, g);
    drag_panel = p;
    vslider_drag = g;
    drag_start_value = g->value;
    drag_start_y = y;
    return vslider_step(p, g);
  }
  const int32_t up = g->range >= 0 ? 1 : -1;
  int64_t v = g->value;
  if (y > static_cast<int64_t>(ty) + char_height) v += up;
  if (y < ty) v -= up;
  const int32_t R = abs_range(g);
  g->value = clamp(v, 0, R > 0 ? R - 1 : 0);
  redraw(p, g);
  wait_no_button(p);
  return g->id;
}

int32_t hslider_click(PanelRecord* p, GadgetRecord* g, int32_t x) {
  const int64_t T = g->width;
  const int64_t tx = g->x + (g->range ? static_cast<int64_t>(g->value) * T / g->range : 0) + 3;
  if (x >= tx && x < tx + 2 * char_width + 3) {
    g->state = kGadgetOn;
    redraw(p, g);
    drag_panel = p;
    hslider_drag = g;
    drag_start_value = g->value;
    drag_start_x = x;
    return hslider_step(p, g);
  }
  int64_t v = g->value;
  if (x >= tx + 2 * char_width + 3) ++v;
  if (x < tx) --v;
  g->value = clamp(v, 0, g->range > 0 ? g->range - 1 : 0);
  redraw(p, g);
  wait_no_button(p);
  return g->id;
}

// One tracking of a drop-down's list; 6 with *next set when the user pressed another drop-down.
int32_t dropdown_track(PanelRecord* p, GadgetRecord* g, GadgetRecord** next) {
  panel_hover_help(p, p->x0 + g->hit_x0, p->y0 + g->hit_y0);
  g->state = kGadgetOn;
  redraw(p, g);
  SavedRect* saved = menu_open(p, g);
  int32_t x = 0, y = 0, b0 = 0, b = 0;
  panel_mouse(p, &x, &y, &b0);
  int32_t highlighted = -1, chosen = -1, result = kEventDropDownNone;
  bool wait_release = false;
  const int32_t n = menu_layout(g);
  for (;;) {
    if (!panel_window_open(p)) break;
    panel_mouse(p, &x, &y, &b);
    if (b == kLeft) {
      GadgetRecord* other = gadget_at(p, p->x0 + x, p->y0 + y);
      if (other && other != g && other->kind == kGadgetDropDown) {
        *next = other;
        result = kDropDownSwitch;
        break;
      }
    }
    if (x > g->list_x0 && x < g->list_x1 && y > g->list_y0 && y < g->list_y1) {
      const int32_t row = (y - g->list_y0) / char_height;
      if (row != highlighted && row < n) {
        if (highlighted >= 0) {
          menu_draw_item(p, g, highlighted, false);
          SetStatusLine(g->extra.items[highlighted].tooltip ? g->extra.items[highlighted].tooltip : "");
        }
        menu_draw_item(p, g, row, true);
        highlighted = row;
      }
      if (b0 == kLeft && b != kLeft && highlighted >= 0) {
        chosen = highlighted;
        break;
      }
    } else {
      if (highlighted >= 0) {
        menu_draw_item(p, g, highlighted, false);
        SetStatusLine(g->extra.items[highlighted].tooltip ? g->extra.items[highlighted].tooltip : "");
        highlighted = -1;
      }
      if (b0 != kLeft && b == kLeft) {
        wait_release = true;
        break;
      }
    }
    if (b == kRight) {
      wait_release = true;
      break;
    }
    b0 = b;
  }
  if (chosen >= 0) {
    MenuItem* items = g->extra.items;
    SetStatusLine(items[chosen].tooltip ? items[chosen].tooltip : "");
    result = static_cast<int32_t>(items[chosen].id);
    if (items[chosen].kind == 2) {
      for (MenuItem* m = items; m->kind != 0; ++m)
        if (m->kind == 2 && (m->group & items[chosen].group)) m->marked = 0;
      items[chosen].marked = 1;
    }
  }
  menu_close(p, saved);
  g->state = kGadgetOff;
  redraw(p, g);
  panel_hover_help(p, -1, -1);
  if (wait_release) wait_no_button(p);
  return result;
}

int32_t dropdown_click(PanelRecord* p, GadgetRecord* g) {
  int32_t result = kDropDownSwitch;
  for (int guard = 0; result == kDropDownSwitch && g && guard < 1000; ++guard) {
    GadgetRecord* next = nullptr;
    result = dropdown_track(p, g, &next);
    g = next;
  }
  return result == kDropDownSwitch ? kEventDropDownNone : result;
}

// The gadget under the canvas point in the panel chain (the disabled stop applies when asked), with its panel.
GadgetRecord* find_under(PanelRecord* panel, int32_t x, int32_t y, bool stop_disabled, PanelRecord** owner) {
  int guard = 0;
  for (PanelRecord* p = panel; p && guard < 1000; p = p->child, ++guard) {
    if (stop_disabled && p->disabled > 0) break;
    if (GadgetRecord* g = gadget_at(p, x, y)) {
      *owner = p;
      return g;
    }
    for (GadgetRecord* t = p->gadgets; t; t = t->next) {
      PanelRecord* page = open_page(t);
      if (!page || (!stop_disabled && page->disabled > 0)) continue;
      if (GadgetRecord* g = gadget_at(page, x, y)) {
        *owner = page;
        return g;
      }
    }
  }
  return nullptr;
}
}  // namespace

int32_t panel_window_open(const PanelRecord* panel) {
  if (!panel || !panel->canvas) return 0;
  return static_cast<const Canvas*>(panel->canvas)->open ? 1 : 0;
}

void panel_input_reset() {
  drag_panel = nullptr;
  vslider_drag = hslider_drag = nullptr;
  drag_start_value = drag_start_x = drag_start_y = 0;
  click_latch = 0;
  hover_panel = nullptr;
  hover_gadget = nullptr;
}

int32_t panel_mouse(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons) {
  int32_t cx = 0, cy = 0, b = 0;
  const int32_t code = mouse_poll(panel, &cx, &cy, &b);
  if (x) *x = cx - (panel ? panel->x0 : 0);
  if (y) *y = cy - (panel ? panel->y0 : 0);
  if (buttons) *buttons = b;
  return code;
}

int32_t panel_mouse_raw(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons) {
  return panel_mouse(panel, x, y, buttons);
}

int32_t poll_event_panel() { return poll_event(); }
int32_t key_modifiers_panel() { return key_modifiers(); }

GadgetRecord* gadget_at(PanelRecord* panel, int32_t x, int32_t y) {
  if (!panel) return nullptr;
  const int64_t px = static_cast<int64_t>(x) - panel->x0, py = static_cast<int64_t>(y) - panel->y0;
  int guard = 0;
  for (GadgetRecord* g = panel->gadgets; g && guard < 100000; g = g->next, ++guard)
    if (g->hit_x0 <= px && px < g->hit_x1 && g->hit_y0 <= py && py < g->hit_y1) return g;
  return nullptr;
}

void panel_hover_help(PanelRecord* panel, int32_t x, int32_t y) {
  PanelRecord* owner = nullptr;
  GadgetRecord* g = (x == -1 && y == -1) ? nullptr : find_under(panel, x, y, false, &owner);
  if (g == hover_gadget) return;
  SetStatusLine("");
  hover_panel = nullptr;
  hover_gadget = nullptr;
  if (g && g->tooltip) {
    SetStatusLine(g->tooltip);
    hover_panel = owner;
    hover_gadget = g;
  }
}

int32_t gadget_click(PanelRecord* panel, GadgetRecord* g, int32_t x, int32_t y) {
  if (!panel || !g) return 0;
  const int32_t px = x - panel->x0, py = y - panel->y0;
  switch (g->kind) {
    case kGadgetButton:
      return toggle_click(panel, g, true);
    case kGadgetString:
    case kGadgetName:
    case kGadgetInteger:
    case kGadgetFloat:
      return field_edit(panel, g, px, py);
    case kGadgetLabel:
      return label_click(panel, g);
    case kGadgetReadOnly:
      return g->id;
    case kGadgetDropDown:
      return dropdown_click(panel, g);
    case kGadgetVSlider:
      return vslider_click(panel, g, py);
    case kGadgetHSlider:
      return hslider_click(panel, g, px);
    case kGadgetSideTab:
    case kGadgetTopTab:
      return tab_click(panel, g);
    case kGadgetKnob:
      return toggle_click(panel, g, false);
    default:
      return 0;
  }
}

int32_t panel_event(PanelRecord* panel, int32_t* x_out, int32_t* y_out) {
  if (vslider_drag) return vslider_step(drag_panel, vslider_drag);
  if (hslider_drag) return hslider_step(drag_panel, hslider_drag);
  if (!panel) return kEventNothing;
  while (click_latch) {
    if (!panel_window_open(panel)) {
      click_latch = 0;
      break;
    }
    int32_t b = 0;
    mouse_poll(panel, nullptr, nullptr, &b);
    click_latch = b;
  }
  int32_t x = 0, y = 0, b = 0;
  mouse_poll(panel, &x, &y, &b);
  if (b != kLeft) {
    if (panel->disabled == 0) panel_hover_help(panel, x, y);
    if (b == kRight) {
      if (x_out) *x_out = x - panel->x0;
      if (y_out) *y_out = y - panel->y0;
      return kEventRightButton;
    }
    const int32_t key = poll_event();
    if (!key) {
      if (x_out) *x_out = x - panel->x0;
      if (y_out) *y_out = y - panel->y0;
      return kEventNothing;
    }
    return kKeyEventBase + key;
  }
  int32_t px = 0, py = 0;
  mouse_last_press(1, &px, &py, nullptr);
  PanelRecord* owner = nullptr;
  if (GadgetRecord* g = find_under(panel, px, py, true, &owner)) return gadget_click(owner, g, px, py);
  click_latch = 1;
  if (x_out) *x_out = px - panel->x0;
  if (y_out) *y_out = py - panel->y0;
  return kEventClickNoGadget;
}
