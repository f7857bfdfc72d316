// The texture-map pop-up panels: one table per kind, the gadget lists built from it, and the shared opening,
// drawing and event handling.
#include "engine/panels/texture_map_panels.h"

#include <cstdio>
#include <cstring>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/host/frontend_services.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/texture_choosers.h"
#include "engine/scene/texture_slots.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/popup_slots.h"
#include "engine/ui/screen.h"

PanelRecord* texture_map_panel = nullptr;

namespace {
using gadget_table::make;

struct TextureRow {
  int32_t y;
  const char* label;
  int32_t field_id;
  int32_t slot;
  const char* title;
  const char* tooltip;
  int32_t deformation_id;  // 0: none
};

struct GroupLabel {
  int32_t y;
  const char* text;
};

struct TextureKind {
  const char* title;
  int32_t width, height;
  const char* heading;
  int32_t pad_before, pad_after;
  int32_t heading_x, field_x;
  const TextureRow* rows;
  int32_t row_count;
  const GroupLabel* groups;
  int32_t group_count;
  int32_t (*chooser)(const char*, char*);
  bool status_title;  // shows the panel's title on the main frame's status line at every event
};

const TextureRow kGroundRows[] = {
    {50, "    Snow4", 1000, 45, "Select Snow4 Texture", "Select a 2D texture map for the highest areas above the snowline.", 1016},
    {70, "    Snow3", 1001, 44, "Select Snow3 Texture", "Select a 2D texture map for high areas above the snowline.", 1017},
    {90, "    Snow2", 1002, 43, "Select Snow2 Texture", "Select a 2D texture map for low areas above the snowline.", 1018},
    {110, "    Snow1", 1003, 42, "Select Snow1 Texture", "Select a 2D texture map for the lowest areas above the snowline.", 1019},
    {138, "    Bare4", 1004, 41, "Select Dirt4 Texture", "Select a 2D texture map for the highest areas between the treeline and snowline.", 1020},
    {158, "    Bare3", 1005, 40, "Select Dirt3 Texture", "Select a 2D texture map for high areas between the treeline and snowline.", 1021},
    {178, "    Bare2", 1006, 39, "Select Dirt2 Texture", "Select a 2D texture map for low areas between the treeline and snowline.", 1022},
    {198, "    Bare1", 1007, 38, "Select Dirt1 Texture", "Select a 2D texture map for the lowest areas between the treeline and snowline.", 1023},
    {226, "    Tree4", 1008, 59, "Select Under Tree4 Texture", "Select a 2D texture map for the highest areas below the treeline.", 1024},
    {246, "    Tree3", 1009, 58, "Select Under Tree3 Texture", "Select a 2D texture map for high areas below the treeline.", 1025},
    {266, "    Tree2", 1010, 57, "Select Under Tree2 Texture", "Select a 2D texture map for low areas below the treeline.", 1026},
    {286, "    Tree1", 1011, 56, "Select Under Tree1 Texture", "Select a 2D texture map for the lowest areas below the treeline.", 1027},
    {334, "   Cliff4", 1012, 49, "Select Cliff4 Texture", "Select a 2D texture map for very steep cliffs or strata 4.", 1028},
    {354, "   Cliff3", 1013, 48, "Select Cliff3 Texture", "Select a 2D texture map for steep cliffs or strata 3.", 1029},
    {374, "   Cliff2", 1014, 47, "Select Cliff2 Texture", "Select a 2D texture map for slightly steep cliffs or strata 2.", 1030},
    {394, "   Cliff1", 1015, 46, "Select Cliff1 Texture", "Select a 2D texture map for the least steep cliffs or strata 1.", 1031},
};

const TextureRow kWaterRows[] = {
    {50, "   Water5", 1000, 55, "Select Water5 Texture", "Select a 2D texture map for very steep water (waterfalls).", 1006},
    {70, "   Water4", 1001, 54, "Select Water4 Texture", "Select a 2D texture map for steep water (waterfalls).", 1007},
    {90, "   Water3", 1002, 53, "Select Water3 Texture", "Select a 2D texture map moderately steep water (rapids and whitewater).", 1008},
    {110, "   Water2", 1003, 52, "Select Water2 Texture", "Select a 2D texture map for slightly steep water.", 1009},
    {130, "   Water1", 1004, 51, "Select Water1 Texture", "Select a 2D texture map for flat areas water.", 1010},
    {170, "    Beach", 1005, 50, "Select Beach Texture", "Select a 2D texture map for beaches.", 1011},
};

const TextureRow kHouseRows[] = {
    {72, "  Roof  (Top)", 1009, 87, "Select house4 top texture", "Texture map used for the roofs of house type 4.", 0},
    {92, "  Front (N/S)", 1010, 71, "Select house4 front texture", "Texture map used for the North and South walls of house type 4.", 0},
    {112, "  Side  (E/W)", 1011, 83, "Select house4 side texture", "Texture map used for the Ease and West walls of house type 4.", 0},
    {172, "  Roof  (Top)", 1006, 86, "Select house3 top texture", "Texture map used for the roofs of house type 3.", 0},
    {192, "  Front (N/S)", 1007, 70, "Select house3 front texture", "Texture map used for the North and South walls of house type 3.", 0},
    {212, "  Side  (E/W)", 1008, 82, "Select house3 side texture", "Texture map used for the Ease and West walls of house type 3.", 0},
    {272, "  Roof  (Top)", 1003, 85, "Select house2 top texture", "Texture map used for the roofs of house type 2.", 0},
    {292, "  Front (N/S)", 1004, 69, "Select house2 front texture", "Texture map used for the North and South walls of house type 2.", 0},
    {312, "  Side  (E/W)", 1005, 81, "Select house2 side texture", "Texture map used for the Ease and West walls of house type 2.", 0},
    {372, "  Roof  (Top)", 1000, 84, "Select house1 top texture", "Texture map used for the roofs of house type 1.", 0},
    {392, "  Front (N/S)", 1001, 68, "Select house1 front texture", "Texture map used for the North and South walls of house type 1.", 0},
    {412, "  Side  (E/W)", 1002, 80, "Select house1 side texture", "Texture map used for the Ease and West walls of house type 1.", 0},
    {472, "Roads", 1012, 88, "Select Road texture", "Texture map used for Roads.", 0},
};
const GroupLabel kHouseGroups[] = {{52, "House4"}, {152, "House3"}, {252, "House2"}, {352, "House1"}};

const TextureRow kTreeRows[] = {
    {50, "     Pine", 1003, 37, "Select 2D Pine Texture", "Texture map used for pine trees or tree type 4.", 0},
    {70, "   Cactus", 1002, 36, "Select 2d Cactus Texture", "Texture map used for cacti or tree type 3.", 0},
    {90, "      Oak", 1001, 35, "Select 2d Oak Texture", "Texture map used for oak trees or tree type 2.", 0},
    {110, "     Palm", 1000, 34, "Select 2d Palm Texture", "Texture map used for palm trees or tree type 1.", 0},
};

const TextureRow kSkyRows[] = {
    {60, "     Sun ", 1417, 77, "Select 2D Sun Texture", "Select a 2D texture map for the sun.", 0},
    {80, "     Moon", 1412, 79, "Select 2D Moon Texture", "Select a 2D texture map for the moon.", 0},
};

enum KindIndex { kGround, kHouse, kTree, kWater, kSky, kKindCount };

const TextureKind kKinds[kKindCount] = {
    {"Ground Texture", 690, 448, "2D ground texture map filenames", 15, 14, 104, 104, kGroundRows, 16, nullptr, 0,
     choose_ground_texture_file, false},
    {"House Texture", 650, 510, "House texture map filenames", 16, 17, 144, 144, kHouseRows, 13, kHouseGroups, 4,
     pick_texture_file, false},
    {"Tree Texture", 632, 168, "2D tree texture map filenames", 15, 16, 104, 104, kTreeRows, 4, nullptr, 0,
     select_tree_texture_file, false},
    {"Water Texture", 690, 224, "Water texture map filenames", 16, 17, 104, 104, kWaterRows, 6, nullptr, 0,
     select_water_texture, false},
    {"Sky Texture", 632, 140, "Sun and Moon texture map filenames", 13, 13, 104, 104, kSkyRows, 2, nullptr, 0,
     choose_sky_texture_file, true},
};

constexpr int32_t kMaxGadgets = 3 + 16 * 3 + 4;
struct KindGadgets {
  GadgetRecord list[kMaxGadgets];
  char heading[80];
  char deformation_text[16][16];
  GadgetRecord* head = nullptr;
};
KindGadgets kind_gadgets[kKindCount];

GadgetRecord* build(int32_t k) {
  const TextureKind& kind = kKinds[k];
  KindGadgets& kg = kind_gadgets[k];
  std::snprintf(kg.heading, sizeof kg.heading, "%*s%s%*s", kind.pad_before, "", kind.heading, kind.pad_after, "");
  int32_t n = 0;
  kg.list[n++] = make(kGadgetButton, 0, 12, 12, kTexturePanelOk, "  OK  ", nullptr);
  for (int32_t g = 0; g < kind.group_count; ++g) kg.list[n++] = make(kGadgetLabel, 0, 16, kind.groups[g].y, 0, kind.groups[g].text, nullptr);
  int32_t d = 0;
  for (int32_t r = 0; r < kind.row_count; ++r) {
    const TextureRow& row = kind.rows[r];
    kg.list[n++] = make(kGadgetLabel, 0, 16, row.y, 0, row.label, nullptr);
    kg.list[n++] = make(kGadgetReadOnly, 0, kind.field_x, row.y, row.field_id, nullptr, row.tooltip, 0, 60, 0,
                        texture_slots[row.slot].name, sizeof texture_slots[row.slot].name);
    if (row.deformation_id) {
      std::snprintf(kg.deformation_text[d], sizeof kg.deformation_text[d], "0");
      kg.list[n++] = make(kGadgetInteger, 0, 610, row.y, row.deformation_id, nullptr, "Deformation for this texture.", 0,
                          4, 0, kg.deformation_text[d], sizeof kg.deformation_text[d]);
      ++d;
    }
  }
  kg.list[n++] = make(kGadgetLabel, 0, kind.heading_x, 12, 0, kg.heading, nullptr);
  if (d > 0) kg.list[n++] = make(kGadgetLabel, 0, 586, 26, 0, "Deformation", nullptr);
  kg.head = gadget_table::link(kg.list, n);
  return kg.head;
}

GadgetRecord* gadgets_of(int32_t k) { return kind_gadgets[k].head ? kind_gadgets[k].head : build(k); }

void set_ok_off(int32_t k) {
  if (GadgetRecord* g = gadget_table::find(gadgets_of(k), kTexturePanelOk)) g->state = kGadgetOff;
}

// Each row's deformation field takes its slot's deformation.
void copy_deformations(int32_t k) {
  const TextureKind& kind = kKinds[k];
  for (int32_t r = 0; r < kind.row_count; ++r) {
    const TextureRow& row = kind.rows[r];
    if (!row.deformation_id) continue;
    if (GadgetRecord* g = gadget_table::find(gadgets_of(k), row.deformation_id)) {
      g->value = texture_slots[row.slot].deformation;
      std::snprintf(g->text, static_cast<size_t>(g->text_size), "%d", g->value);
    }
  }
}

int32_t open_kind(int32_t k, PanelRecord* parent) {
  // One engine pop-up at a time: a second request while one is open (or the same command sent twice) opens
  // nothing, so there are never two copies of a panel sharing one gadget list.
  if (popup_slots_any_open() || getvect_state.panel) return 1;
  const TextureKind& kind = kKinds[k];
  int32_t (*const draws[kKindCount])(PanelRecord*) = {ground_texture_dialog_paint, draw_house_texture_panel,
                                                      draw_tree_texture_dialog, water_texture_panel_init,
                                                      sky_texture_dialog_paint};
  void (*const events[kKindCount])(PanelRecord*) = {ground_texture_dialog_handler, house_texture_panel_event,
                                                    tree_texture_dialog_event, water_texture_panel_event,
                                                    sky_texture_dialog_handler};
  pointer_hide();
  PanelRecord* panel = panel_open(parent, kind.title, 0, 0, 0, kind.width, kind.height, draws[k], events[k]);
  popup_slot_set(&texture_map_panel, panel);
  set_ok_off(k);
  if (k == kGround) ground_texture_dialog_update();
  if (k == kWater) copy_deformations(k);
  if (panel && k == kSky) panel_attach_gadgets(panel, gadgets_of(k));
  pointer_show();
  cursor_arrow();
  return 1;
}

int32_t draw_kind(int32_t k, PanelRecord* panel) {
  if (!panel) return 1;
  panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
  panel_set_gadgets(panel, gadgets_of(k));
  return 1;
}

void close_kind(PanelRecord* panel, bool pointer_bracket) {
  if (texture_map_panel == panel) texture_map_panel = nullptr;
  if (pointer_bracket) pointer_hide();
  ClosePanelWindow(panel);
  if (pointer_bracket) pointer_show();
}

bool in_event = false;

void event_kind(int32_t k, PanelRecord* panel) {
  const TextureKind& kind = kKinds[k];
  if (kind.status_title && panel) SetStatusLine(panel->name);
  if (in_event || !panel) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t e = panel_event(panel, &x, &y);
  in_event = false;
  for (int32_t r = 0; r < kind.row_count; ++r) {
    const TextureRow& row = kind.rows[r];
    TextureSlot& slot = texture_slots[row.slot];
    if (e == row.field_id) {
      if (key_modifiers_panel() & 4) {
        save_texture_slot_dialog(row.slot);
        redraw_gadget(panel, e);
        return;
      }
      // A cancelled choice empties the name, and loading an empty name empties the slot.
      kind.chooser(row.title, slot.name);
      texture_slot_load(row.slot, slot.name);
      redraw_gadget(panel, e);
      derived_data.palette_stale = land_width;
      return;
    }
    if (row.deformation_id && e == row.deformation_id) {
      slot.deformation = static_cast<int16_t>(gadget_value(panel, e));
      return;
    }
  }
  if (e == kTexturePanelOk) {
    gadget_deselect(panel, kTexturePanelOk);
    close_kind(panel, k != kSky);
  } else if (e == kKeyEventBase + kKeyEnter) {
    close_kind(panel, k != kSky);
  }
}
}  // namespace

int32_t ground_texture_dialog(PanelRecord* parent) { return open_kind(kGround, parent); }
int32_t show_house_texture_panel(PanelRecord* parent) { return open_kind(kHouse, parent); }
int32_t open_tree_texture_dialog(PanelRecord* parent) { return open_kind(kTree, parent); }
int32_t water_texture_panel(PanelRecord* parent) { return open_kind(kWater, parent); }
int32_t sky_texture_dialog(PanelRecord* parent) { return open_kind(kSky, parent); }

int32_t ground_texture_dialog_paint(PanelRecord* panel) { return draw_kind(kGround, panel); }
int32_t draw_house_texture_panel(PanelRecord* panel) { return draw_kind(kHouse, panel); }
int32_t draw_tree_texture_dialog(PanelRecord* panel) { return draw_kind(kTree, panel); }
int32_t water_texture_panel_init(PanelRecord* panel) { return draw_kind(kWater, panel); }
int32_t sky_texture_dialog_paint(PanelRecord* panel) { return draw_kind(kSky, panel); }

void ground_texture_dialog_handler(PanelRecord* panel) { event_kind(kGround, panel); }
void house_texture_panel_event(PanelRecord* panel) { event_kind(kHouse, panel); }
void tree_texture_dialog_event(PanelRecord* panel) { event_kind(kTree, panel); }
void water_texture_panel_event(PanelRecord* panel) { event_kind(kWater, panel); }
void sky_texture_dialog_handler(PanelRecord* panel) { event_kind(kSky, panel); }

void ground_texture_dialog_update() {
  set_ok_off(kGround);
  copy_deformations(kGround);
}
void house_texture_panel_reset() { set_ok_off(kHouse); }
void tree_texture_dialog_reset() { set_ok_off(kTree); }
void water_texture_reset() { set_ok_off(kWater); }
void sky_texture_dialog_reset() { set_ok_off(kSky); }

GadgetRecord* ground_texture_gadgets() { return gadgets_of(kGround); }
GadgetRecord* house_texture_gadgets() { return gadgets_of(kHouse); }
GadgetRecord* tree_texture_gadgets() { return gadgets_of(kTree); }
GadgetRecord* water_texture_gadgets() { return gadgets_of(kWater); }
GadgetRecord* sky_texture_gadgets() { return gadgets_of(kSky); }
