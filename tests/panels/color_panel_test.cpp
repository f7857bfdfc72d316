// The Colors pop-up: opening on a page, copy, swap and spread on colours and attributes, the RGB and HSV
// sliders and fields with values out of range, attribute limits, dragging between swatches, Accept and Cancel.
#include "engine/panels/color_panel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/panels/gadget_table.h"
#include "engine/raster/image_palette.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class ColorPanel : public MapFixture {
 protected:
  void TearDown() override {
    if (color_panel_state.panel) color_panel_handle(color_panel_state.panel, kKeyEventBase + kKeyEsc, 0, 0);
    while (parent.panel.child) panel_free(parent.panel.child);  // what the front end frees with the windows
    MapFixture::TearDown();
  }
  ui_test::TestPanel parent{300, 500};
  PanelRecord* open(int32_t page) {
    PanelRecord* p = show_color_panel(&parent.panel, page);
    EXPECT_NE(p, nullptr);
    return p;
  }
  static GadgetRecord& g(int32_t id) { return *color_panel_gadget(id); }
  // A click through the toolkit on a gadget of the pop-up or of its open page, then the event callback.
  void click(PanelRecord* p, PanelRecord* owner, int32_t id) {
    ui_test::click_gadget(*host_, *owner, g(id));
    color_panel_event(p);
  }
  // A slider or field left at the value, as the toolkit reports it.
  static void set(PanelRecord* p, int32_t id, int32_t value) {
    g(id).value = value;
    color_panel_handle(p, id, 0, 0);
  }
  static void set_colour(int32_t c, int r, int gr, int b, int flag = 0) {
    color_table[c] = ColorEntry{static_cast<uint8_t>(flag), static_cast<uint8_t>(r), static_cast<uint8_t>(gr),
                                static_cast<uint8_t>(b)};
  }
  // What the front end does when the pop-up's window is destroyed: the opener enabled, the record freed.
  static void destroy(PanelRecord* p) {
    panel_enable(p->parent);
    panel_free(p);
  }
  static PanelRecord* open_page(int32_t tab) { return g(tab).extra.page->open; }
};

TEST_F(ColorPanel, OpensOnThePageOfItsSubjectWithTheClassShown) {
  struct Case {
    int32_t page, tab, current;
  };
  const Case cases[] = {{kColorPageGround, kColorTabGround, 45}, {kColorPageCliff, kColorTabCliff, 49},
                        {kColorPageWater, kColorTabWater, 55},   {kColorPageTree, kColorTabTree, 37},
                        {kColorPageHouse, kColorTabHouse, 71},   {kColorPageSky, kColorTabSky, 77},
                        {99, kColorTabGround, 45}};
  for (const Case& c : cases) {
    set_colour(c.current, 10, 20, 30);
    PanelRecord* p = open(c.page);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(color_panel_state.current_class, c.current) << c.page;
    EXPECT_EQ(color_panel_state.first_class, c.current);
    EXPECT_EQ(g(c.tab).state, kGadgetOn);
    EXPECT_EQ(g(kColorRedSlider).value, 10);
    EXPECT_EQ(g(kColorGreenField).value, 20);
    EXPECT_EQ(g(kColorBlueSlider).value, 30);
    EXPECT_NE(open_page(c.tab), nullptr);
    // The swatch entries show the colour table.
    const int32_t slot = color_slot_of_class(c.current);
    EXPECT_EQ(ui_palette_table[64 + slot][0], 10);
    EXPECT_EQ(ui_palette_table[64 + slot][2], 30);
    color_panel_handle(p, kColorAccept, 0, 0);
    EXPECT_EQ(color_panel_state.panel, nullptr);
    destroy(p);
  }
}

TEST_F(ColorPanel, AWindowClosedByItsCloseBoxLeavesNoDanglingRecord) {
  PanelRecord* p = open(kColorPageCliff);
  set(p, kColorRedField, 77);
  destroy(p);  // closed by the close box: no Accept or Cancel ran
  EXPECT_EQ(color_table[49].red, 77);  // the edits stay, as the panel applies them at once
  PanelRecord* q = open(kColorPageWater);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(parent.panel.child, q);
  EXPECT_EQ(q->sibling, nullptr);
  EXPECT_EQ(color_panel_state.current_class, 55);
  EXPECT_NE(g(kColorTabWater).extra.page->open, nullptr);
  set(q, kColorBlueField, 5);
  EXPECT_EQ(color_table[55].blue, 5);
}

TEST_F(ColorPanel, OpeningTwiceKeepsOneCopy) {
  PanelRecord* p = open(kColorPageGround);
  EXPECT_EQ(show_color_panel(&parent.panel, kColorPageSky), p);
  EXPECT_EQ(parent.panel.child, p);
  EXPECT_EQ(p->sibling, nullptr);
  EXPECT_EQ(g(kColorTabGround).state, kGadgetOn);
  color_panel_handle(p, kColorCancel, 0, 0);
  EXPECT_EQ(color_panel_state.panel, nullptr);
  // Events for the closed record do nothing; a new opening makes a new record.
  color_panel_handle(p, kColorAccept, 0, 0);
  destroy(p);
  PanelRecord* q = open(kColorPageSky);
  EXPECT_EQ(color_panel_state.current_class, 77);
  EXPECT_EQ(parent.panel.child, q);
}

TEST_F(ColorPanel, SlotButtonsCopySwapAndSpreadColours) {
  PanelRecord* p = open(kColorPageGround);
  PanelRecord* page = open_page(kColorTabGround);
  ASSERT_NE(page, nullptr);
  set_colour(45, 200, 100, 0, 7);
  set_colour(44, 1, 2, 3, 9);
  // Copy: Snow 4 is current, Copy, then Snow 3.
  click(p, p, kColorCopy);
  EXPECT_EQ(color_panel_state.operation, 1);
  click(p, page, 44);
  EXPECT_EQ(color_table[44].red, 200);
  EXPECT_EQ(color_table[44].flag, 7);  // the flag byte moves too
  EXPECT_EQ(color_panel_state.operation, 0);
  EXPECT_EQ(g(kColorCopy).state, kGadgetOff);
  EXPECT_EQ(color_panel_state.current_class, 44);
  EXPECT_EQ(g(44).state, kGadgetOn);
  EXPECT_EQ(g(45).state, kGadgetOff);
  // Swap Snow 3 with Bare 4.
  set_colour(41, 5, 6, 7, 3);
  click(p, p, kColorSwap);
  click(p, page, 41);
  EXPECT_EQ(color_table[44].red, 5);
  EXPECT_EQ(color_table[44].flag, 3);
  EXPECT_EQ(color_table[41].red, 200);
  EXPECT_EQ(color_table[41].flag, 7);
  EXPECT_EQ(g(kColorRedField).value, 200);  // Bare 4 is shown
  // Spread from Snow 4 (slot 0) to Bare 1 (slot 7).
  set_colour(45, 0, 70, 255, 1);
  set_colour(38, 70, 0, 0, 2);
  const uint8_t flag_between = color_table[42].flag;
  click(p, page, 45);
  click(p, p, kColorSpread);
  click(p, page, 38);
  for (int32_t k = 1; k < 7; ++k) {
    const int32_t c = color_slot_classes[k];
    EXPECT_EQ(color_table[c].red, 70 * k / 7) << k;
    EXPECT_EQ(color_table[c].green, 70 + (0 - 70) * k / 7) << k;
    EXPECT_EQ(color_table[c].blue, 255 + (0 - 255) * k / 7) << k;
  }
  EXPECT_EQ(color_table[42].flag, flag_between);  // Spread keeps the flags
  EXPECT_EQ(color_table[45].blue, 255);
  EXPECT_EQ(color_table[38].red, 70);
  // The swatches follow the table.
  EXPECT_EQ(ui_palette_table[64 + 3][0], color_table[42].red);
  EXPECT_TRUE(write_canvas_png(*static_cast<Canvas*>(p->canvas), artifacts_folder() + "/color_panel.png"));
}

TEST_F(ColorPanel, SpreadRulesInEitherOrderAndAcrossPages) {
  struct Case {
    int32_t a, b;
    bool changes;  // slots between are rewritten
  };
  const Case cases[] = {{45, 38, true}, {38, 45, true}, {45, 44, false}, {45, 45, false}, {49, 46, true}};
  for (const Case& c : cases) {
    reset_color_table();
    set_colour(c.a, 0, 0, 0);
    set_colour(c.b, 210, 210, 210);
    ColorEntry before[256];
    std::memcpy(before, color_table, sizeof before);
    spread_colors(c.a, c.b);
    const int32_t s0 = std::min(color_slot_of_class(c.a), color_slot_of_class(c.b));
    const int32_t s1 = std::max(color_slot_of_class(c.a), color_slot_of_class(c.b));
    int32_t changed = 0;
    for (int32_t s = 0; s < kColorSlotCount; ++s) {
      const int32_t k = color_slot_classes[s];
      if (std::memcmp(&before[k], &color_table[k], sizeof(ColorEntry)) != 0) {
        ++changed;
        EXPECT_TRUE(s > s0 && s < s1) << c.a << " " << c.b << " slot " << s;
      }
    }
    EXPECT_EQ(changed > 0, c.changes) << c.a << " " << c.b;
  }
  // Either order gives the same colours.
  reset_color_table();
  set_colour(45, 0, 0, 0);
  set_colour(38, 210, 140, 70);
  spread_colors(38, 45);
  ColorEntry one[256];
  std::memcpy(one, color_table, sizeof one);
  reset_color_table();
  set_colour(45, 0, 0, 0);
  set_colour(38, 210, 140, 70);
  spread_colors(45, 38);
  EXPECT_EQ(std::memcmp(one, color_table, sizeof one), 0);
  // A spread from Pine bark (slot 26) to Road (slot 34) rewrites the house slots of the next page too.
  set_colour(67, 0, 0, 0);
  set_colour(88, 80, 80, 80);
  spread_colors(67, 88);
  EXPECT_EQ(color_table[71].red, 80 * 4 / 8);  // House 4 is slot 30
}

TEST_F(ColorPanel, ClassesWithoutASlotAreNeverIndexedOrSpread) {
  ColorEntry before[256];
  std::memcpy(before, color_table, sizeof before);
  ClassAttributes attrs[256];
  std::memcpy(attrs, class_attributes, sizeof attrs);
  spread_colors(45, 200);   // 200 has no slot
  spread_colors(-5, 38);
  spread_class_attributes(45, 1000);
  copy_color_entry(45, 256);
  copy_color_entry(-1, 45);
  swap_color_entries(45, 999);
  copy_class_attributes(300, 45);
  swap_class_attributes(45, -2);
  EXPECT_EQ(std::memcmp(before, color_table, sizeof before), 0);
  EXPECT_EQ(std::memcmp(attrs, class_attributes, sizeof attrs), 0);
  // Results that are no colour class and no gadget of the panel change nothing.
  PanelRecord* p = open(kColorPageGround);
  for (const int32_t e : {2, 3, 24, 100, 256, 1999, 2002, 2037, 5000, kKeyEventBase + kKeyUp, -7}) color_panel_handle(p, e, 0, 0);
  EXPECT_EQ(color_panel_state.panel, p);
  EXPECT_EQ(color_panel_state.current_class, 45);
  EXPECT_EQ(std::memcmp(before, color_table, sizeof before), 0);
}

TEST_F(ColorPanel, RgbAndHsvSlidersAndFieldsStayInRange) {
  PanelRecord* p = open(kColorPageWater);  // Water 5 (class 55)
  struct Case {
    int32_t id, value;
    int r, g, b;  // resulting colour; -1 leaves the component unchecked
  };
  set_colour(55, 10, 20, 30);
  const Case cases[] = {
      {kColorRedSlider, 128, 128, 20, 30},  {kColorGreenSlider, 300, 128, 255, 30},
      {kColorBlueSlider, -9, 128, 255, 0},  {kColorRedField, 999, 255, 255, 0},
      {kColorGreenField, -40, 255, 0, 0},   {kColorBlueField, 256, 255, 0, 255},
  };
  for (const Case& c : cases) {
    set(p, c.id, c.value);
    EXPECT_EQ(color_table[55].red, c.r) << c.id << "=" << c.value;
    EXPECT_EQ(color_table[55].green, c.g) << c.id << "=" << c.value;
    EXPECT_EQ(color_table[55].blue, c.b) << c.id << "=" << c.value;
    // The fields and sliders show the stored colour, never the out-of-range entry.
    EXPECT_EQ(g(kColorRedField).value, c.r);
    EXPECT_EQ(g(kColorGreenField).value, c.g);
    EXPECT_EQ(g(kColorBlueSlider).value, c.b);
  }
  // HSV fields: pure red at full value; out-of-range values are held to 0..255.
  set_colour(55, 0, 0, 0);
  g(kColorHueField).value = 0;
  g(kColorSatField).value = 400;
  g(kColorValField).value = 255;
  color_panel_handle(p, kColorValField, 0, 0);
  EXPECT_EQ(color_table[55].red, 255);
  EXPECT_EQ(color_table[55].green, 0);
  EXPECT_EQ(color_table[55].blue, 0);
  EXPECT_EQ(g(kColorSatSlider).value, 255);
  EXPECT_EQ(g(kColorSatField).value, 255);
  // The HSV sliders and fields follow the stored colour through the integer conversion.
  set(p, kColorGreenField, 128);
  ColorHSV c{255, 128, 0, 0, 0, 0};
  rgb_to_hsv(c);
  EXPECT_EQ(g(kColorHueSlider).value, c.h);
  EXPECT_EQ(g(kColorHueField).value, c.h);
  EXPECT_EQ(g(kColorValField).value, c.v);
  // HSV slider: value 0 makes black; a negative hue is held at 0.
  set(p, kColorHueSlider, -50);
  set(p, kColorValSlider, 0);
  EXPECT_EQ(color_table[55].red, 0);
  EXPECT_EQ(color_table[55].green, 0);
  EXPECT_EQ(color_table[55].blue, 0);
}

TEST_F(ColorPanel, AttributeFieldsAndSlidersKeepTheirLimits) {
  PanelRecord* p = open(kColorPageGround);
  click(p, p, kColorTabAttributes);
  EXPECT_EQ(g(kColorTabAttributes).state, kGadgetOn);
  EXPECT_NE(open_page(kColorTabAttributes), nullptr);
  struct Case {
    int32_t id, value, byte, stored, field, slider;
  };
  const Case cases[] = {
      {2020, 300, 0, 255, 255, 255},  // Phong intensity field
      {2020, -3, 0, 0, 0, 0},
      {2022, 0, 1, 0, 0, 0},          // the sharpness field can reach 0
      {2021, 0, 1, 1, 1, 1},          // its slider cannot
      {2024, 120, 2, 100, 100, 100},  // flare intensity field
      {2023, 150, 2, 100, 100, 100},  // slider beyond its 101 positions
      {2025, 0, 3, 1, 1, 1},          // flare radius slider at least 1
      {2026, 0, 3, 0, 0, 0},
      {2028, 256, 4, 255, 255, 255},  // roughness field
      {2027, 17, 4, 17, 17, 17},
  };
  for (const Case& c : cases) {
    set(p, c.id, c.value);
    const uint8_t* a = &class_attributes[45].phong_intensity;
    EXPECT_EQ(a[c.byte], c.stored) << c.id << "=" << c.value;
    const int32_t field = c.id % 2 == 0 ? c.id : c.id + 1;
    EXPECT_EQ(g(field).value, c.field) << c.id;
    EXPECT_EQ(g(field - 1).value, c.slider) << c.id;
  }
  // With the Attributes page open, Copy acts on the attributes, not the colours.
  const ColorEntry colour44 = color_table[44];
  click(p, p, kColorCopy);
  color_panel_handle(p, 44, 0, 0);
  EXPECT_EQ(class_attributes[44].roughness, 17);
  EXPECT_EQ(std::memcmp(&color_table[44], &colour44, sizeof colour44), 0);
  EXPECT_TRUE(write_canvas_png(*static_cast<Canvas*>(p->canvas), artifacts_folder() + "/color_panel_attributes.png"));
}

TEST_F(ColorPanel, CancelRestoresEveryClassAndAcceptMarksThePalette) {
  ColorEntry colours[256];
  ClassAttributes attrs[256];
  std::memcpy(colours, color_table, sizeof colours);
  std::memcpy(attrs, class_attributes, sizeof attrs);
  PanelRecord* p = open(kColorPageSky);
  set(p, kColorRedField, 1);
  color_table[200].red ^= 0xFF;  // a class on no page, changed meanwhile
  class_attributes[5].roughness ^= 0xFF;
  spread_colors(77, 26);
  derived_data.palette_stale = 0;
  color_panel_handle(p, kKeyEventBase + kKeyEsc, 0, 0);
  EXPECT_EQ(color_panel_state.panel, nullptr);
  EXPECT_EQ(std::memcmp(colours, color_table, sizeof colours), 0);
  EXPECT_EQ(std::memcmp(attrs, class_attributes, sizeof attrs), 0);
  EXPECT_EQ(derived_data.palette_stale, 0);
  EXPECT_EQ(host_->window_events.back(), "close panel");
  destroy(p);
  p = open(kColorPageSky);
  set(p, kColorRedField, 2);
  color_panel_handle(p, kColorAccept, 0, 0);
  EXPECT_EQ(color_table[77].red, 2);
  EXPECT_EQ(derived_data.palette_stale, land_width);
  EXPECT_EQ(parent.panel.disabled, 1);  // until the front end destroys the window
  destroy(p);
  EXPECT_EQ(parent.panel.disabled, 0);
}

TEST_F(ColorPanel, TabsSwitchPagesAndTheCurrentClass) {
  PanelRecord* p = open(kColorPageGround);
  click(p, p, kColorTabTree);
  EXPECT_EQ(g(kColorTabTree).state, kGadgetOn);
  EXPECT_EQ(g(kColorTabGround).state, kGadgetOff);
  EXPECT_EQ(open_page(kColorTabGround), nullptr);
  EXPECT_EQ(color_panel_state.current_class, 37);
  EXPECT_EQ(color_panel_state.page_panel, open_page(kColorTabTree));
  click(p, open_page(kColorTabTree), 65);
  click(p, p, kColorTabSky);
  click(p, p, kColorTabTree);
  EXPECT_EQ(color_panel_state.current_class, 65);  // each page keeps its selected class
}

TEST_F(ColorPanel, DraggingBetweenSwatchesSpreadsOrCopies) {
  PanelRecord* p = open(kColorPageGround);
  PanelRecord* page = open_page(kColorTabGround);
  ASSERT_NE(page, nullptr);
  // The swatch centre of a class, in canvas pixels.
  auto swatch = [&](int32_t c, int32_t* x, int32_t* y) {
    const GadgetRecord& b = g(c);
    *x = page->x0 + b.hit_x0 - 28 + 8;
    *y = page->y0 + b.y + 7;
  };
  set_colour(45, 0, 0, 0);
  set_colour(38, 140, 140, 140);
  int32_t x0, y0, x1, y1;
  swatch(45, &x0, &y0);
  swatch(38, &x1, &y1);
  // Press on Snow 4, release over Bare 1: spread.
  host_->pointer_script.push_back({x0, y0, kHostButtonLeft});
  host_->pointer_script.push_back({x0, y0, kHostButtonLeft});
  host_->pointer_script.push_back({x1, y1, kHostButtonLeft});
  host_->pointer_script.push_back({x1, y1, 0});
  color_panel_event(p);
  EXPECT_EQ(color_table[41].red, 140 * 4 / 7);
  EXPECT_EQ(color_panel_state.current_class, 38);
  EXPECT_EQ(g(kColorSpread).state, kGadgetOff);
  // Press on Bare 1 and release on it: the copy state; the next press on Snow 3 copies onto it.
  host_->pointer_script.push_back({x1, y1, kHostButtonLeft});
  host_->pointer_script.push_back({x1, y1, 0});
  int32_t x2, y2;
  swatch(44, &x2, &y2);
  host_->pointer_script.push_back({x2, y2, 0});
  host_->pointer_script.push_back({x2, y2, kHostButtonLeft});
  host_->pointer_script.push_back({x2, y2, 0});
  color_panel_event(p);
  EXPECT_EQ(color_table[44].red, 140);
  EXPECT_EQ(color_panel_state.current_class, 44);
  // The right button abandons a drag.
  set_colour(43, 9, 9, 9);
  int32_t x3, y3;
  swatch(43, &x3, &y3);
  host_->pointer_script.push_back({x3, y3, kHostButtonLeft});
  host_->pointer_script.push_back({x3, y3, 0});
  host_->pointer_script.push_back({x0, y0, kHostButtonRight});
  host_->pointer_script.push_back({x0, y0, 0});
  color_panel_event(p);
  EXPECT_EQ(color_table[45].red, 0);
  EXPECT_EQ(color_panel_state.operation, 0);
}

}  // namespace
