// The landscape size pop-up panel: gadget table, opening, radio buttons and its event handling.
#include "engine/panels/setsize_panel.h"

#include "engine/host/frontend_services.h"
#include "engine/core/grid.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/panels/view_reset.h"

namespace {
char ok_text[] = "  OK  ";
char title_text[] = "Landscape Size Panel";
char small_text[] = "Small  258x258";
char large_text[] = "Large  514x514";
char huge_text[] = "Huge 1026x1026";
char mega_text[] = "Mega 2050x2050";
char automatic_text[] = "  Automatic!  ";

constexpr int kGadgetCount = 7;

constexpr GadgetRecord make_gadget(int32_t kind, uint32_t group, int32_t x, int32_t y, int32_t id, char* text) {
  GadgetRecord g{};
  g.kind = kind;
  g.group = group;
  g.x = x;
  g.y = y;
  g.id = id;
  g.text = text;
  g.text_size = 0;
  g.help_x = 8;
  g.help_y = 538;
  return g;
}

GadgetRecord gadgets[kGadgetCount] = {
    make_gadget(kGadgetButton, 0, 10, 10, kSetsizeOk, ok_text),
    make_gadget(kGadgetLabel, 0, 120, 10, 0, title_text),
    make_gadget(kGadgetButton, 1, 136, 192, kSetsizeSmall, small_text),
    make_gadget(kGadgetButton, 1, 136, 160, kSetsizeLarge, large_text),
    make_gadget(kGadgetButton, 1, 136, 128, kSetsizeHuge, huge_text),
    make_gadget(kGadgetButton, 1, 136, 96, kSetsizeMega, mega_text),
    make_gadget(kGadgetButton, 1, 136, 56, kSetsizeAutomatic, automatic_text),
};

GadgetRecord* link_gadgets() {
  for (int i = 0; i + 1 < kGadgetCount; ++i) gadgets[i].next = &gadgets[i + 1];
  gadgets[kGadgetCount - 1].next = nullptr;
  return &gadgets[0];
}

// The radio buttons with the grid width each stands for (0: the automatic size).
struct SizeButton {
  int32_t id;
  int32_t width;
};
constexpr SizeButton kSizeButtons[] = {
    {kSetsizeSmall, 258}, {kSetsizeLarge, 514}, {kSetsizeHuge, 1026}, {kSetsizeMega, 2050}, {kSetsizeAutomatic, 0}};

GadgetRecord* gadget_by_id(int32_t id) {
  for (GadgetRecord* g = setsize_gadgets; g; g = g->next)
    if (g->id == id) return g;
  return nullptr;
}

// Set while the handler's own panel_event call runs, so that a nested event is ignored.
bool in_event = false;
}  // namespace

GadgetRecord* const setsize_gadgets = link_gadgets();

PanelRecord* setsize_dialog(PanelRecord* parent) {
  pointer_hide();
  PanelRecord* panel = panel_open(parent, "setsize", 0, 0, 0, 384, 240, setsize_paint, setsize_handler);
  pointer_show();
  if (!panel) return nullptr;
  setsize_update_buttons();
  cursor_arrow();
  return panel;
}

void setsize_update_buttons() {
  for (const SizeButton& b : kSizeButtons) gadget_by_id(b.id)->state = kGadgetOff;
  if (region_mode == 1) {
    gadget_by_id(kSetsizeAutomatic)->state = kGadgetOn;
    return;
  }
  for (const SizeButton& b : kSizeButtons) {
    if (b.width != 0 && b.width == grid_width) gadget_by_id(b.id)->state = kGadgetOn;
  }
}

int32_t setsize_paint(PanelRecord* panel) {
  panel_set_gadgets(panel, setsize_gadgets);
  return 1;
}

void setsize_handler(PanelRecord* panel) {
  if (in_event) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t result = panel_event(panel, &x, &y);
  in_event = false;

  switch (result) {
    case kSetsizeSmall:
    case kSetsizeLarge:
    case kSetsizeHuge:
    case kSetsizeMega:
      if (gadget_state(panel, result) == kGadgetOn) {
        cursor_wait();
        if (!new_flatland(result)) {
          requester("Insufficient memory, reverting to previous size.", "  OK  ", nullptr);
          setsize_update_buttons();
          draw_gadgets(panel, setsize_gadgets);
        }
        cursor_arrow();
      } else {
        gadget_select(panel, result);  // a radio button cannot be cleared by clicking it
      }
      break;
    case kSetsizeAutomatic:
      if (gadget_state(panel, result) == kGadgetOn) {
        new_flatland(kSetsizeAutomatic);
      } else {
        gadget_select(panel, result);
      }
      break;
    case kSetsizeOk:
      gadget_deselect(panel, kSetsizeOk);
      ClosePanelWindow(panel);
      cursor_wait();
      reset_sample_spacing();
      reset_view_state();
      cursor_arrow();
      topo_reset_view();
      preview_refresh();
      break;
    default:
      break;
  }
}
