// The "Colors" pop-up: edits the colours and attributes of the 43 colour classes shown as swatches on six
// slot pages, with RGB and HSV sliders and fields, attribute sliders and fields, and Copy, Swap and Spread.
#pragma once

#include <cstdint>

#include "engine/core/settings.h"
#include "engine/panels/popup_guard.h"

struct PanelRecord;
struct GadgetRecord;
struct TabPage;

constexpr int32_t kColorSlotCount = 43;
// The colour classes in slot order; slot s shows its swatch in UI palette entry 64 + s.
extern const int32_t color_slot_classes[kColorSlotCount];
constexpr int32_t kColorSwatchFirstEntry = 64;

// Gadget ids.
enum ColorPanelIds : int32_t {
  kColorCancel = 2000, kColorAccept = 2001, kColorCopy = 2004, kColorSwap = 2005, kColorSpread = 2006,
  kColorRedSlider = 2007, kColorGreenSlider = 2008, kColorBlueSlider = 2009,
  kColorHueSlider = 2010, kColorSatSlider = 2011, kColorValSlider = 2012,
  kColorRedField = 2013, kColorGreenField = 2014, kColorBlueField = 2015,
  kColorHueField = 2016, kColorSatField = 2017, kColorValField = 2018,
  kColorAttrFirst = 2019, kColorAttrLast = 2028,  // slider, field pairs of the five attribute bytes
  kColorTabWater = 2031, kColorTabGround = 2029, kColorTabCliff = 2030, kColorTabTree = 2032,
  kColorTabHouse = 2033, kColorTabSky = 2034,
  kColorTabColors = 2035, kColorTabAttributes = 2036,
};

// Slot pages, as show_color_panel takes them.
enum ColorPage : int32_t { kColorPageGround = 1, kColorPageCliff, kColorPageWater, kColorPageTree, kColorPageHouse, kColorPageSky };

// The panel's state; the current class is kept between openings.
struct ColorPanelState {
  int32_t current_class = 45;
  int32_t first_class = 45;
  int32_t operation = 0;  // 0 none, 1 copy, 2 swap, 3 spread
  ColorEntry color_table_backup[256] = {};
  ClassAttributes class_attributes_backup[256] = {};
  TabPage* current_page = nullptr;     // the open slot page
  PanelRecord* page_panel = nullptr;   // the sub-panel showing it
  PanelRecord* panel = nullptr;        // the open pop-up, null while closed
  PanelRecord* parent = nullptr;       // its opener
  uint8_t swatches[kColorSlotCount][4] = {};  // swatch colours as UI palette entries
};
extern ColorPanelState color_panel_state;

// Opens the panel over the parent on slot page 1 Ground .. 6 Sky (others: Ground). While it is open a second
// call opens nothing and returns the open panel. Null when it could not be opened.
PanelRecord* show_color_panel(PanelRecord* parent, int32_t page);
int32_t draw_color_panel(PanelRecord* panel);
void refresh_color_panel();
void color_panel_event(PanelRecord* panel);
// Acts on one result of panel_event (a gadget id, 1 with the panel point of a press off the gadgets, a key).
void color_panel_handle(PanelRecord* panel, int32_t result, int32_t x, int32_t y);
// Puts the panel's state and its gadgets back to their start values (no panel open).
void reset_color_panel_state();

// The slot of a class, or -1 when no slot shows it.
int32_t color_slot_of_class(int32_t color_class);
// Two-class operations on classes a (first) and b (second); classes outside 0..255 are ignored, spreads
// need both classes to have a slot.
void copy_color_entry(int32_t a, int32_t b);
void swap_color_entries(int32_t a, int32_t b);
void spread_colors(int32_t a, int32_t b);
void copy_class_attributes(int32_t a, int32_t b);
void swap_class_attributes(int32_t a, int32_t b);
void spread_class_attributes(int32_t a, int32_t b);

// The gadget tables (color_panel_layout.cpp).
GadgetRecord* color_panel_gadgets();
TabPage* color_slot_page(int32_t page);  // 1..6, null otherwise
TabPage* color_control_page(int32_t which);  // 0 colours, 1 attributes
GadgetRecord* color_panel_gadget(int32_t id);  // in the panel's own list or on any page; null when absent
void color_panel_layout_reset();
