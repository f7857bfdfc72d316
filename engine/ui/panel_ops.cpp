// Pop-up panel life, enable and disable, and gadget lookups by command id.
#include "engine/ui/panel_ops.h"

#include <cstdio>

#include "engine/host/frontend_services.h"
#include "engine/host/host.h"
#include "engine/ui/pointer.h"

int64_t gadget_draw_count = 0;

namespace {
bool is_tab(const GadgetRecord* g) { return g->kind == kGadgetSideTab || g->kind == kGadgetTopTab; }

// The open sub-panel of a selected tab, or null.
PanelRecord* open_page_panel(const GadgetRecord* g) {
  if (!is_tab(g) || g->state != kGadgetOn || !g->extra.page) return nullptr;
  return g->extra.page->open;
}

// Draws one gadget (bookkeeping until the screen layer draws).
void draw_gadget(PanelRecord*, GadgetRecord*) { ++gadget_draw_count; }

void set_button_states(PanelRecord* panel, int32_t id, int32_t state) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id && (g->kind == kGadgetButton || g->kind == kGadgetKnob)) {
      g->state = state;
      pointer_hide();
      draw_gadget(panel, g);
      pointer_show();
    }
    if (PanelRecord* page = open_page_panel(g)) set_button_states(page, id, state);
  }
}
}  // namespace

PanelRecord* panel_open(PanelRecord* parent, const char* title, int32_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height, int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*)) {
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
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (is_tab(g) && g->extra.page && g->extra.page->open) {
      panel_free(g->extra.page->open);
      g->extra.page->open = nullptr;
    }
  }
  // A panel always leaves from the top of its parent's stack.
  if (panel->parent && panel->parent->child == panel) panel->parent->child = panel->sibling;
  host().free_block(panel);
  return nullptr;
}

void panel_attach_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  panel->gadgets = list;
  panel->disabled = 0;
}

void panel_set_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  panel_attach_gadgets(panel, list);
  draw_gadgets(panel, list);
}

void draw_gadgets(PanelRecord* panel, GadgetRecord* list) {
  if (!panel) return;
  for (GadgetRecord* g = list; g; g = g->next) draw_gadget(panel, g);
}

void panel_disable(PanelRecord* panel) {
  if (panel) ++panel->disabled;
}

void panel_enable(PanelRecord* panel) {
  if (panel && panel->disabled > 0) --panel->disabled;
}

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

void gadget_select(PanelRecord* panel, int32_t id) { set_button_states(panel, id, kGadgetOn); }
void gadget_deselect(PanelRecord* panel, int32_t id) { set_button_states(panel, id, kGadgetOff); }

void redraw_gadget(PanelRecord* panel, int32_t id) {
  if (!panel) return;
  for (GadgetRecord* g = panel->gadgets; g; g = g->next) {
    if (g->id == id) {
      draw_gadget(panel, g);
      return;
    }
  }
}
