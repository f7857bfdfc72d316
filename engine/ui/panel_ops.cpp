// Panel life (pop-ups, sub-panels, tab pages), enable and disable, redraws and gadget access by command id.
#include "engine/ui/panel_ops.h"

#include <cstdio>

#include "engine/host/frontend_services.h"
#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/ui/pointer.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/popup_slots.h"
#include "engine/ui/screen.h"

int64_t gadget_draw_count = 0;
PanelRecord* topo_panel = nullptr;

namespace {
bool is_tab(const GadgetRecord* g) { return g->kind == kGadgetSideTab || g->kind == kGadgetTopTab; }

// The open sub-panel of a selected tab, or null.
PanelRecord* open_page_panel(const GadgetRecord* g) {
  if (!is_tab(g) || g->state != kGadgetOn || !g->extra.page) return nullptr;
  return g->extra.page->open;
}

void draw_one(PanelRecord* panel, GadgetRecord* g) {
  pointer_hide();
  draw_gadget(panel, g);
  pointer_show();
}

void set_button_states(PanelRecord* panel, int32_t id, int32_t state) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id && (g->kind == kGadgetButton || g->kind == kGadgetKnob)) {
      g->state = state;
      draw_one(panel, g);
    }
    if (PanelRecord* page = open_page_panel(g)) set_button_states(page, id, state);
  }
}

// Frees the open sub-panels of the list's tab pages.
void free_open_pages(PanelRecord* panel, bool sub) {
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (is_tab(g) && g->extra.page && g->extra.page->open) {
      if (sub) {
        sub_panel_free(g->extra.page->open);
      } else {
        panel_free(g->extra.page->open);
      }
      g->extra.page->open = nullptr;
    }
  }
}

// Takes the panel off its parent's child stack, wherever it sits (normally the top).
void unlink_child(PanelRecord* panel) {
  PanelRecord* parent = panel->parent;
  if (!parent) return;
  for (PanelRecord** link = &parent->child; *link; link = &(*link)->sibling) {
    if (*link == panel) {
      *link = panel->sibling;
      return;
    }
  }
}

void store_value(PanelRecord* panel, int32_t id, int32_t value, bool floats_too) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (PanelRecord* page = open_page_panel(g)) store_value(page, id, value, floats_too);
  }
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id != id) continue;
    if (g->kind == kGadgetFloat && !floats_too) return;
    g->value = value;
    draw_one(panel, g);
    if (is_tab(g) && g->state == kGadgetOn && g->extra.page) tab_page_open(panel, g->extra.page, g);
    return;
  }
}
}  // namespace

void panel_window_create(PanelRecord* panel) {
  if (panel) OpenPanelWindow(panel);
}

PanelRecord* panel_open(PanelRecord* parent, const char* title, int32_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height, int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*)) {
  panel_hover_help(parent, -1, -1);
  auto* panel = static_cast<PanelRecord*>(host().alloc_zeroed(sizeof(PanelRecord)));
  if (!panel) return nullptr;
  std::snprintf(panel->name, sizeof panel->name, "%s", title ? title : "");
  panel->id = id;
  panel->parent = parent;
  panel->child = nullptr;
  if (parent) {
    panel->sibling = parent->child;
    parent->child = panel;
  }
  panel->draw = draw;
  panel->event = event;
  panel->disabled = 0;
  panel->gadgets = nullptr;
  panel->x0 = (parent ? parent->x0 : 0) + x;
  panel->y0 = (parent ? parent->y0 : 0) + y;
  panel->width = width;
  panel->height = height;
  panel->x1 = panel->x0 + width - 1;
  panel->y1 = panel->y0 + height - 1;
  OpenPopupWindow(panel);
  return panel;
}

PanelRecord* panel_free(PanelRecord* panel) {
  if (!panel) return nullptr;
  popup_slots_forget(panel);
  panel_hover_help(panel, -1, -1);
  free_open_pages(panel, false);
  unlink_child(panel);
  // What still stands on its stack outlives it: nothing may reach the freed record through a parent link.
  for (PanelRecord* c = panel->child; c; c = c->sibling) c->parent = nullptr;
  panel->child = nullptr;
  if (panel->saved) {
    free_screen_rect(panel->saved);
    panel->saved = nullptr;
  }
  host().free_block(panel);
  return nullptr;
}

void popup_window_destroyed(PanelRecord* panel) {
  if (!panel) return;
  panel_enable(panel->parent);
  panel_free(panel);
}

PanelRecord* sub_panel_new(PanelRecord* parent, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t save_background, int32_t (*init)(PanelRecord*)) {
  panel_hover_help(parent, -1, -1);
  auto* panel = static_cast<PanelRecord*>(host().alloc_zeroed(sizeof(PanelRecord)));
  if (!panel) return nullptr;
  panel->parent = parent;
  if (parent) {
    panel->sibling = parent->child;
    parent->child = panel;
    panel->frame = parent->frame;
    panel->canvas = parent->canvas;
    panel->id = parent->id;
  }
  panel->draw = init;
  std::snprintf(panel->name, sizeof panel->name, "panel");
  panel->x0 = (parent ? parent->x0 : 0) + x;
  panel->y0 = (parent ? parent->y0 : 0) + y;
  panel->width = width;
  panel->height = height;
  panel->x1 = panel->x0 + width - 1;
  panel->y1 = panel->y0 + height - 1;
  if (save_background) panel->saved = panel_save_rect(panel, 0, 0, width - 1, height - 1);
  panel_fill_rect(panel, 1, 1, width - 2, height - 2, ui_color_face);
  draw_raised_box(panel, 0, 0, width - 1, height - 1);
  return panel;
}

PanelRecord* sub_panel_open(PanelRecord* parent, int32_t x, int32_t y, int32_t width, int32_t height) {
  return sub_panel_new(parent, x, y, width, height, 0, nullptr);
}

void sub_panel_free(PanelRecord* panel) {
  if (!panel) return;
  panel_hover_help(panel, -1, -1);
  free_open_pages(panel, true);
  if (panel->saved) {
    panel_restore_free_rect(panel, panel->saved);
    panel->saved = nullptr;
  } else {
    panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
  }
  unlink_child(panel);
  host().free_block(panel);
}

void tab_page_open(PanelRecord* panel, TabPage* page, GadgetRecord* tab) {
  if (!panel || !page) return;
  select_panel_window(panel);
  page->x1 = page->x + page->width;
  page->y1 = page->y + page->height;
  if (page->open) {
    sub_panel_free(page->open);
    page->open = nullptr;
  }
  PanelRecord* const child = panel->child;
  PanelRecord* sub = sub_panel_open(panel, page->x, page->y, page->width, page->height);
  if (!sub) return;
  // The page is reached only through its tab, never through the child stack.
  panel->child = child;
  sub->sibling = nullptr;
  sub->parent = nullptr;
  page->open = sub;
  panel_attach_gadgets(sub, page->gadgets);
  if (page->on_open) page->on_open();
  draw_gadgets(sub, page->gadgets);
  if (tab) draw_tab_joint(panel, tab);
}

void close_sub_panel(PanelRecord*, TabPage* page) {
  if (!page || !page->open) return;
  sub_panel_free(page->open);
  page->open = nullptr;
}

void panel_attach_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  panel->gadgets = list;
  panel->disabled = 0;
}

void panel_set_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  panel_attach_gadgets(panel, list);
  pointer_hide();
  draw_gadgets(panel, list);
  pointer_show();
}

void panel_disable(PanelRecord* panel) {
  if (panel) ++panel->disabled;
}

void panel_enable(PanelRecord* panel) {
  if (panel && panel->disabled > 0) --panel->disabled;
}

void disable_panel_gadgets(PanelRecord* panel) { panel_disable(panel); }
void enable_panel_gadgets(PanelRecord* panel) { panel_enable(panel); }

int32_t gadget_state(PanelRecord* panel, int32_t id) {
  if (!panel) return kGadgetAbsent;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id) return g->state;
    if (PanelRecord* page = open_page_panel(g)) {
      const int32_t s = gadget_state(page, id);
      if (s != kGadgetAbsent) return s;
    }
  }
  return kGadgetAbsent;
}

int32_t gadget_value(PanelRecord* panel, int32_t id) {
  if (!panel) return 0;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id) return g->value;
    if (PanelRecord* page = open_page_panel(g)) {
      const int32_t v = gadget_value(page, id);
      if (v != 0) return v;
    }
  }
  return 0;
}

float gadget_float(PanelRecord* panel, int32_t id) {
  if (!panel) return 0.0f;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id) return gadget_value_float(*g);
    if (PanelRecord* page = open_page_panel(g)) {
      const float v = gadget_float(page, id);
      if (v != 0.0f) return v;
    }
  }
  return 0.0f;
}

void set_gadget_value(PanelRecord* panel, int32_t id, int32_t value) { store_value(panel, id, value, false); }
void set_gadget_float(PanelRecord* panel, int32_t id, int32_t bits) { store_value(panel, id, bits, true); }

void menu_item_uncheck(PanelRecord* panel, int32_t id) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->kind != kGadgetDropDown || !g->extra.items) continue;
    for (MenuItem* m = g->extra.items; m->kind != 0; ++m) {
      if (static_cast<int32_t>(m->id) == id) {
        m->marked = 0;
        break;
      }
    }
  }
}

void gadget_select(PanelRecord* panel, int32_t id) { set_button_states(panel, id, kGadgetOn); }
void gadget_deselect(PanelRecord* panel, int32_t id) { set_button_states(panel, id, kGadgetOff); }

void redraw_gadget(PanelRecord* panel, int32_t id) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id) {
      draw_one(panel, g);
      return;
    }
  }
}

void redraw_panel(PanelRecord* panel) {
  if (panel && panel->draw) panel->draw(panel);
}

void redraw_panel_tree(PanelRecord* panel) {
  int guard = 0;
  for (PanelRecord* p = panel; p && guard < 1000; p = p->child, ++guard) {
    if (p->parent) {
      // The child's box in its own coordinates.
      panel_fill_rect(p, 1, 1, p->width - 3, p->height - 3, ui_color_face);
      draw_raised_box(p, 0, 0, p->width - 2, p->height - 2);
    }
    if (p->draw) p->draw(p);
    if (p->gadgets) draw_gadgets(p, p->gadgets);
  }
}

void sync_bbox_button() {
  if (!topo_panel) return;
  if (render_settings.bbox_enabled) {
    gadget_select(topo_panel, kBoundingBoxButton);
  } else {
    gadget_deselect(topo_panel, kBoundingBoxButton);
  }
}
