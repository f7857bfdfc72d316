// The Colors panel's gadget tables: its own buttons and tabs, the six slot pages and the two control pages.
#include <cstring>

#include "engine/panels/color_panel.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/panel_record.h"

namespace {
using gadget_table::make;

struct SlotRow {
  int32_t page;  // 1..6
  const char* text;
  int32_t color_class;
  int32_t y;
  const char* tooltip;
};

const SlotRow kSlots[kColorSlotCount] = {
    {1, "     Snow 4    ", 45, 18, "Highest altitudes above the snowline."},
    {1, "     Snow 3    ", 44, 45, "Middle altitudes above the snowline."},
    {1, "     Snow 2    ", 43, 72, "Middle altitudes above the snowline."},
    {1, "     Snow 1    ", 42, 99, "Lowest altitudes above the snowline."},
    {1, "     Bare 4    ", 41, 126, "Highest altitudes between the treeline and snowline."},
    {1, "     Bare 3    ", 40, 153, "Middle altitudes between the treeline and snowline."},
    {1, "     Bare 2    ", 39, 180, "Middle altitudes between the treeline and snowline."},
    {1, "     Bare 1    ", 38, 207, "Lowest altitudes between the treeline and snowline."},
    {1, "    -Tree 4    ", 59, 234, "Highest altitudes below the treeline."},
    {1, "    -Tree 3    ", 58, 261, "Middle altitudes below the treeline."},
    {1, "    -Tree 2    ", 57, 288, "Middle altitudes below the treeline."},
    {1, "    -Tree 1    ", 56, 315, "Lowest altitudes below the treeline."},
    {2, "    Cliff 4    ", 49, 126, "Steepest cliff color (or one strata color)."},
    {2, "    Cliff 3    ", 48, 153, "Steep cliff color (or one strata color)."},
    {2, "    Cliff 2    ", 47, 180, "Not so steep cliff color (or one strata color)."},
    {2, "    Cliff 1    ", 46, 207, "Least steep cliff color (or one strata color)."},
    {3, "    Water 5    ", 55, 99, "Steepest water color (waterfalls)."},
    {3, "    Water 4    ", 54, 126, "Very Steep water color (waterfalls)."},
    {3, "    Water 3    ", 53, 153, "Steep water color (whitewater)."},
    {3, "    Water 2    ", 52, 180, "Flat water color (minority)."},
    {3, "    Water 1    ", 51, 207, "Flat water color (majority)."},
    {3, "     Beach     ", 50, 234, "Beach and riverbank color."},
    {4, "     Pine      ", 37, 45, "Pine tree \"leaf\" color."},
    {4, "    Cactus     ", 36, 72, "Cactus \"leaf\" color."},
    {4, "      Oak      ", 35, 99, "Oak tree leaf color."},
    {4, "     Palm      ", 34, 126, "Palm tree leaf color."},
    {4, "   Pine bark   ", 67, 180, "Pine tree bark color."},
    {4, "  Cactus bark  ", 66, 207, "Cactus \"bark\" color."},
    {4, "   Oak bark    ", 65, 234, "Oak tree bark color."},
    {4, "   Palm bark   ", 64, 261, "Palm tree \"bark\" color."},
    {5, "    House 4    ", 71, 99, "House 4 color (tall office building)."},
    {5, "    House 3    ", 70, 126, "House 3 color (short office building)."},
    {5, "    House 2    ", 69, 153, "House 2 color (two story house)."},
    {5, "    House 1    ", 68, 180, "House 1 color (one story house)."},
    {5, "     Road      ", 88, 234, "Road color (unimproved road)."},
    {6, "      Sun      ", 77, 45, "Color of the drawn sun and lighting of the scene."},
    {6, "    Ambient    ", 78, 72, "Color of ambient lighting."},
    {6, "     Moon      ", 79, 99, "Color of the drawn moon."},
    {6, "      Sky      ", 33, 126, "Color of the sky."},
    {6, "    Horizon    ", 32, 153, "Color of the ground or ocean beyond the topographic area."},
    {6, "    Clouds     ", 76, 207, "Color of the clouds."},
    {6, "    SkyHaze    ", 25, 234, "Color of haze used to render the sky."},
    {6, "      Haze     ", 26, 261, "Color of haze used to render the ground and other objects."},
};

constexpr uint32_t kSlotGroup = 32768;
const char* const kPageNames[6] = {"cground", "ccliff", "cwater", "ctree", "chouse", "csky"};

GadgetRecord slot_gadgets[kColorSlotCount];
GadgetRecord panel_gadgets[14];
GadgetRecord colour_gadgets[18];
GadgetRecord attr_gadgets[15];
TabPage slot_pages[6];
TabPage control_pages[2];
char field_text[16][16];
char hex_text[6][3];

void make_page(TabPage& page, const char* name, int32_t x, int32_t y, int32_t w, int32_t h, GadgetRecord* list) {
  page = TabPage{};
  std::strncpy(page.name, name, sizeof page.name - 1);
  page.x = x, page.y = y, page.width = w, page.height = h;
  page.gadgets = list;
}

GadgetRecord int_field(int32_t x, int32_t y, int32_t id, int32_t chars, char* buffer, const char* tip) {
  std::memcpy(buffer, "---------------", 16);
  return make(kGadgetInteger, 0, x, y, id, nullptr, tip, 0, chars, 0, buffer, 16);
}

void build_slot_pages() {
  int32_t i = 0;
  for (int32_t p = 1; p <= 6; ++p) {
    const int32_t first = i;
    for (const SlotRow& r : kSlots)
      if (r.page == p) slot_gadgets[i++] = make(kGadgetButton, kSlotGroup, 56, r.y, r.color_class, r.text, r.tooltip);
    slot_gadgets[first].state = kGadgetOn;  // the first button of each page is on
    make_page(slot_pages[p - 1], kPageNames[p - 1], 350, 70, 206, 350, gadget_table::link(&slot_gadgets[first], i - first));
  }
}

void build_colour_page() {
  const char* const labels[6] = {"Red", "Grn", "Blu", "Hue", "Sat", "Val"};
  const int32_t xs[6] = {32, 70, 108, 180, 218, 256};
  const char* const tips[6] = {"Red content of current selection.", "Green content of current selection.",
                               "Blue content of current selection.", "Hue of current selection.",
                               "Saturation of current selection.", "Brightness (value) of current selection."};
  int32_t i = 0;
  for (int32_t k = 0; k < 6; ++k) {
    colour_gadgets[i++] = make(kGadgetLabel, 0, xs[k], 10, 0, labels[k], nullptr);
    colour_gadgets[i++] = int_field(xs[k], 30, kColorRedField + k, 3, field_text[k], tips[k]);
    colour_gadgets[i++] = make(kGadgetVSlider, 0, xs[k], 54, kColorRedSlider + k, nullptr, tips[k], 0, 256, -256,
                               hex_text[k], sizeof hex_text[k]);
  }
  make_page(control_pages[0], "ccolors", 16, 70, 312, 350, gadget_table::link(colour_gadgets, i));
}

void build_attribute_page() {
  struct Row {
    const char* label;
    int32_t y, field, slider, range;
    const char* tip;
  };
  const Row rows[5] = {{"Phong intensity:", 14, 2020, 2019, 256, "Brightness of specular reflections."},
                       {"Phong sharpness:", 70, 2022, 2021, 256, "Sharpness of specular reflections."},
                       {"Flare intensity:", 148, 2024, 2023, 101, "Brightness of flare effect."},
                       {"Flare radius:", 204, 2026, 2025, 101, "Radius (size) of flare effect."},
                       {"Terrain roughness:", 284, 2028, 2027, 256, "Roughness of selected terrain type."}};
  int32_t i = 0;
  for (int32_t k = 0; k < 5; ++k) {
    const Row& r = rows[k];
    attr_gadgets[i++] = make(kGadgetLabel, 0, 16, r.y, 0, r.label, nullptr);
    attr_gadgets[i++] = int_field(248, r.y, r.field, 6, field_text[6 + k], r.tip);
    attr_gadgets[i++] = make(kGadgetHSlider, 0, 16, r.y + 23, r.slider, nullptr, r.tip, 0, 256, r.range);
  }
  make_page(control_pages[1], "cattrs", 16, 70, 312, 350, gadget_table::link(attr_gadgets, i));
}

void build_panel_list() {
  int32_t i = 0;
  panel_gadgets[i++] = make(kGadgetButton, 0, 12, 12, kColorAccept, "Accept", nullptr);
  panel_gadgets[i++] = make(kGadgetButton, 0, 590, 12, kColorCancel, "Cancel", nullptr);
  panel_gadgets[i++] = make(kGadgetButton, 16384, 360, 436, kColorCopy, "    Copy    ",
                            "Copy from one color to another: select source color, press Copy, select destination color.");
  panel_gadgets[i++] = make(kGadgetButton, 16384, 408, 464, kColorSwap, "    Swap    ",
                            "Swap two colors: select first color, press Swap, select second color.");
  panel_gadgets[i++] = make(kGadgetButton, 16384, 456, 492, kColorSpread, "   Spread   ",
                            "Spread (interpolate) between two colors: select first color, press Spread, select second color.");
  struct Tab {
    int32_t id, y, page;
    const char* text;
    const char* tip;
  };
  const Tab tabs[6] = {{kColorTabSky, 80, 6, "   Sky      ", "Selects sky color page."},
                       {kColorTabHouse, 108, 5, "   House    ", "Selects house color page."},
                       {kColorTabTree, 136, 4, "   Tree     ", "Selects tree color page."},
                       {kColorTabCliff, 164, 2, "   Cliff    ", "Selects cliff color page."},
                       {kColorTabGround, 192, 1, "   Ground   ", "Selects ground color page."},
                       {kColorTabWater, 220, 3, "   Water    ", "Selects water color page."}};
  for (const Tab& t : tabs) {
    GadgetRecord g = make(kGadgetSideTab, 512, 557, t.y, t.id, t.text, t.tip);
    g.extra.page = &slot_pages[t.page - 1];
    panel_gadgets[i++] = g;
  }
  GadgetRecord colours = make(kGadgetTopTab, 1024, 56, 52, kColorTabColors, "   Colors   ", "Selects color control page.");
  colours.extra.page = &control_pages[0];
  colours.state = kGadgetOn;
  panel_gadgets[i++] = colours;
  GadgetRecord attrs = make(kGadgetTopTab, 1024, 188, 52, kColorTabAttributes, " Attributes ",
                            "Selects attribute control page.");
  attrs.extra.page = &control_pages[1];
  panel_gadgets[i++] = attrs;
  gadget_table::link(panel_gadgets, i);
}

bool built = false;
void ensure_built() {
  if (!built) color_panel_layout_reset();
}
}  // namespace

void color_panel_layout_reset() {
  built = true;
  build_slot_pages();
  build_colour_page();
  build_attribute_page();
  build_panel_list();
}

GadgetRecord* color_panel_gadgets() {
  ensure_built();
  return &panel_gadgets[0];
}

TabPage* color_slot_page(int32_t page) {
  ensure_built();
  return page >= 1 && page <= 6 ? &slot_pages[page - 1] : nullptr;
}

TabPage* color_control_page(int32_t which) {
  ensure_built();
  return which == 0 || which == 1 ? &control_pages[which] : nullptr;
}

GadgetRecord* color_panel_gadget(int32_t id) {
  ensure_built();
  if (GadgetRecord* g = gadget_table::find(panel_gadgets, id)) return g;
  for (TabPage& p : control_pages)
    if (GadgetRecord* g = gadget_table::find(p.gadgets, id)) return g;
  for (TabPage& p : slot_pages)
    if (GadgetRecord* g = gadget_table::find(p.gadgets, id)) return g;
  return nullptr;
}
