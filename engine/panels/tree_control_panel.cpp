// The Tree Control Panel: gadget table, filling from the tree settings, the event callback and the read-back
// on OK. Size and density edits take effect on OK; the leaves switches at once.
#include "engine/panels/tree_control_panel.h"

#include <cstdio>

#include "engine/host/frontend_services.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/panels/direction_picker.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/popup_slots.h"
#include "engine/ui/screen.h"
#include "engine/landscape/tree_classes.h"

PanelRecord* tree_control_panel = nullptr;

namespace {

constexpr int32_t kFieldBytes = 16;
constexpr int32_t kFieldWidth = 8;
constexpr int32_t kRowY[4] = {172, 140, 108, 76};  // rows Tree1..Tree4 (classes 56..59)
constexpr int32_t kColumnX[4] = {92, 172, 252, 332};  // palm, oak, cactus, pine
constexpr int32_t kGadgetCount = 1 + 4 + 16 + 4 + 1 + 4 + 2;

char ok_text[] = "  OK  ";
char palm_text[] = "  Palm  ";
char oak_text[] = "  Oak   ";
char cactus_text[] = " Cactus ";
char pine_text[] = "  Pine  ";
char leaves_text[4][9] = {" Leaves ", " Leaves ", " Leaves ", " Leaves "};
char density_label[] = " Density ";
char field_text[4 + 4 + 2][kFieldBytes];

GadgetRecord gadgets[kGadgetCount];

GadgetRecord make(int32_t kind, int32_t x, int32_t y, int32_t id, char* text, int32_t text_size = 0) {
  GadgetRecord g{};
  g.kind = kind;
  g.x = x;
  g.y = y;
  g.id = id;
  g.text = text;
  g.text_size = text_size;
  g.width = kind == kGadgetInteger ? kFieldWidth : 0;
  g.help_x = 8;
  g.help_y = 538;
  return g;
}

GadgetRecord* build_gadgets() {
  int32_t n = 0;
  int32_t field = 0;
  gadgets[n++] = make(kGadgetButton, 10, 10, kTreePanelOk, ok_text);
  for (int32_t k = 0; k < 4; ++k)
    gadgets[n++] = make(kGadgetInteger, kColumnX[k], 204, kTreePanelSizeIds[k], field_text[field++], kFieldBytes);
  char* kind_texts[4] = {palm_text, oak_text, cactus_text, pine_text};
  for (int32_t k = 0; k < 4; ++k)
    for (int32_t i = 0; i < 4; ++i)
      gadgets[n++] = make(kGadgetButton, kColumnX[k], kRowY[i], kTreePanelKindFirstIds[k] + i, kind_texts[k]);
  for (int32_t k = 0; k < 4; ++k)
    gadgets[n++] = make(kGadgetButton, kColumnX[k], 236, kTreePanelLeavesIds[k], leaves_text[k]);
  gadgets[n++] = make(kGadgetLabel, 408, 44, 0, density_label);
  for (int32_t i = 0; i < 4; ++i)
    gadgets[n++] = make(kGadgetInteger, 412, kRowY[i], kTreePanelDensityIds[i], field_text[field++], kFieldBytes);
  gadgets[n++] = make(kGadgetInteger, 172, 284, kTreePanelMeanSize, field_text[field++], kFieldBytes);
  gadgets[n++] = make(kGadgetInteger, 412, 284, kTreePanelMeanDensity, field_text[field++], kFieldBytes);
  for (int32_t i = 0; i + 1 < n; ++i) gadgets[i].next = &gadgets[i + 1];
  gadgets[n - 1].next = nullptr;
  return &gadgets[0];
}

GadgetRecord* find(int32_t id) {
  for (GadgetRecord* g = tree_panel_gadgets; g; g = g->next)
    if (g->id == id) return g;
  return nullptr;
}

void set_field(int32_t id, int32_t value) {
  GadgetRecord* g = find(id);
  if (!g) return;
  g->value = value;
  std::snprintf(g->text, static_cast<size_t>(g->text_size), "%d", value);
}

void set_toggle(int32_t id, bool on) {
  if (GadgetRecord* g = find(id)) g->state = on ? kGadgetOn : kGadgetOff;
}

void read_fields(PanelRecord* panel, const int32_t ids[4], int32_t out[4]) {
  for (int32_t i = 0; i < 4; ++i) out[i] = gadget_value(panel, ids[i]);
}

void write_fields(const int32_t ids[4], const int32_t values[4]) {
  for (int32_t i = 0; i < 4; ++i) set_field(ids[i], values[i]);
}

void mark_colors_stale() {
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

// The two mean fields from the panel's current size and density fields.
void update_means(PanelRecord* panel) {
  int32_t sizes[4], densities[4];
  read_fields(panel, kTreePanelSizeIds, sizes);
  read_fields(panel, kTreePanelDensityIds, densities);
  set_field(kTreePanelMeanSize, mean_of_four(sizes));
  set_field(kTreePanelMeanDensity, mean_of_four(densities));
}

// Both rows rescaled to the values of the two mean fields.
void rescale_rows(PanelRecord* panel) {
  int32_t sizes[4], densities[4];
  read_fields(panel, kTreePanelSizeIds, sizes);
  read_fields(panel, kTreePanelDensityIds, densities);
  rescale_to_mean(sizes, gadget_value(panel, kTreePanelMeanSize));
  rescale_to_mean(densities, gadget_value(panel, kTreePanelMeanDensity));
  write_fields(kTreePanelSizeIds, sizes);
  write_fields(kTreePanelDensityIds, densities);
}

bool is_kind_toggle(int32_t e) {
  for (int32_t first : kTreePanelKindFirstIds)
    if (e >= first && e < first + 4) return true;
  return false;
}

int32_t index_of(const int32_t ids[4], int32_t e) {
  for (int32_t i = 0; i < 4; ++i)
    if (ids[i] == e) return i;
  return -1;
}

void apply_and_close(PanelRecord* panel) {
  gadget_deselect(panel, kTreePanelOk);
  static constexpr int32_t kBits[4] = {kTreeBitPalm, kTreeBitOak, kTreeBitCactus, kTreeBitPine};
  for (int32_t i = 0; i < 4; ++i) {
    int32_t mask = 0;
    for (int32_t k = 0; k < 4; ++k)
      if (gadget_state(panel, kTreePanelKindFirstIds[k] + i) != 0 &&
          gadget_state(panel, kTreePanelKindFirstIds[k] + i) != kGadgetAbsent)
        mask |= kBits[k];
    tree_settings.tree_class_masks[i] = mask;
  }
  read_fields(panel, kTreePanelSizeIds, tree_settings.tree_size);
  read_fields(panel, kTreePanelDensityIds, tree_settings.tree_density);
  tree_tables_init();
  if (tree_control_panel == panel) tree_control_panel = nullptr;
  ClosePanelWindow(panel);
  realize_ui_palette();
  window_stack_push();
  if (PanelRecord* parent = panel->parent) {
    UsePanelCanvas(parent);
    if (parent->draw) parent->draw(parent);
  }
  window_stack_pop();
}

bool in_event = false;

}  // namespace

GadgetRecord* const tree_panel_gadgets = build_gadgets();

int32_t open_tree_control_panel(PanelRecord* parent, int32_t id) {
  // One engine pop-up at a time: a second request while one is open (the trees switch clicked twice) opens
  // nothing, so the gadget list is never shared by two panels.
  if (popup_slots_any_open() || getvect_state.panel) return 1;
  static constexpr int32_t kBits[4] = {kTreeBitPalm, kTreeBitOak, kTreeBitCactus, kTreeBitPine};
  for (int32_t k = 0; k < 4; ++k) set_toggle(kTreePanelLeavesIds[k], tree_settings.tree_leaves[k] != 0);
  write_fields(kTreePanelSizeIds, tree_settings.tree_size);
  write_fields(kTreePanelDensityIds, tree_settings.tree_density);
  set_field(kTreePanelMeanSize, mean_tree_size());
  set_field(kTreePanelMeanDensity, mean_tree_density());
  for (int32_t i = 0; i < 4; ++i)
    for (int32_t k = 0; k < 4; ++k) set_toggle(kTreePanelKindFirstIds[k] + i, (tree_settings.tree_class_masks[i] & kBits[k]) != 0);
  pointer_hide();
  popup_slot_set(&tree_control_panel, panel_open(parent, "treeset", id, 0, 0, 524, 350, draw_tree_control_panel,
                                                  tree_control_panel_event));
  if (tree_control_panel) draw_tree_control_panel(tree_control_panel);
  pointer_show();
  cursor_arrow();
  return 1;
}

int32_t draw_tree_control_panel(PanelRecord* panel) {
  if (!panel) return 1;
  panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
  panel_set_gadgets(panel, tree_panel_gadgets);
  panel_draw_label(panel, 92, 8, "               Tree Control Panel               ");
  panel_draw_label(panel, 12, 204, "    Size");
  panel_draw_label(panel, 12, 172, "   Tree1");
  panel_draw_label(panel, 12, 140, "   Tree2");
  panel_draw_label(panel, 12, 108, "   Tree3");
  panel_draw_label(panel, 12, 76, "   Tree4");
  panel_draw_label(panel, 12, 284, "         Mean size");
  panel_draw_label(panel, 252, 284, "      Mean density");
  return 1;
}

void tree_control_panel_event(PanelRecord* panel) {
  if (in_event) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t e = panel_event(panel, &x, &y);
  in_event = false;

  if (e >= 2000 && e <= 2037) {
    if (is_kind_toggle(e)) {
      mark_colors_stale();
    } else if (index_of(kTreePanelSizeIds, e) >= 0) {
      update_means(panel);
      redraw_gadget(panel, kTreePanelMeanSize);
    } else if (index_of(kTreePanelDensityIds, e) >= 0) {
      update_means(panel);
      redraw_gadget(panel, kTreePanelMeanDensity);
      mark_colors_stale();
    } else if (e == kTreePanelMeanSize) {
      rescale_rows(panel);
      for (int32_t id : kTreePanelSizeIds) redraw_gadget(panel, id);
    } else if (e == kTreePanelMeanDensity) {
      rescale_rows(panel);
      for (int32_t id : kTreePanelDensityIds) redraw_gadget(panel, id);
      mark_colors_stale();
    } else if (const int32_t k = index_of(kTreePanelLeavesIds, e); k >= 0) {
      tree_settings.tree_leaves[k] = gadget_state(panel, e) == kGadgetOn ? 1 : 0;
    }
    return;
  }
  if (e == kTreePanelOk || e == kKeyEventBase + kKeyEnter) apply_and_close(panel);
}
