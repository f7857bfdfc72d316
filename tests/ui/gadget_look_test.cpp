// Gadget looks drawn into a canvas and compared with checked-in reference images (palette indexes as PGM);
// a PNG of each is written to the artifacts folder for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "engine/core/text.h"
#include "engine/core/grid.h"
#include "engine/panels/setsize_panel.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "tests/support/engine_test.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"

namespace {
GadgetRecord make(int32_t kind, int32_t x, int32_t y, int32_t id, char* text, int32_t state = 0) {
  GadgetRecord g{};
  g.kind = kind;
  g.x = x;
  g.y = y;
  g.id = id;
  g.text = text;
  g.state = state;
  g.help_x = 8;
  g.help_y = 538;
  return g;
}

// Compares the canvas with the reference image of that name (made when DALVENOR_UPDATE_REFERENCES is set)
// and writes it as a PNG for a person to look at.
void expect_matches_reference(const Canvas& canvas, const std::string& name) {
  write_canvas_png(canvas, artifacts_folder() + "/ui/" + name + ".png");
  const std::string path = std::string(DALVENOR_UI_REFERENCES) + "/" + name + ".pgm";
  if (std::getenv("DALVENOR_UPDATE_REFERENCES")) ASSERT_TRUE(write_canvas_pgm(canvas, path));
  Canvas reference;
  ASSERT_TRUE(read_canvas_pgm(path, &reference)) << path;
  ASSERT_EQ(reference.width, canvas.width);
  ASSERT_EQ(reference.height, canvas.height);
  int32_t differing = 0;
  for (size_t i = 0; i < canvas.pixels.size(); ++i) differing += canvas.pixels[i] != reference.pixels[i];
  EXPECT_EQ(differing, 0) << name;
}

class GadgetLook : public EngineTest {
 protected:
  void SetUp() override { ui_test::fresh_screen(); }
  // A face-coloured panel of the size, with the gadgets drawn by draw.
  void draw_panel(ui_test::TestPanel& t, GadgetRecord* list) {
    panel_fill_rect(&t.panel, 0, 0, t.panel.width - 1, t.panel.height - 1, ui_color_face);
    draw_gadgets(&t.panel, list);
  }
  static void link(GadgetRecord* g, int n) {
    for (int i = 0; i + 1 < n; ++i) g[i].next = &g[i + 1];
    g[n - 1].next = nullptr;
  }
  ScopedHeadlessHost h;
};
}  // namespace

TEST_F(GadgetLook, ButtonsInEachState) {
  char off[] = "Off", on[] = "On", grey[] = "Grey", toggled[] = "Lit", dark[] = "Dim", bs[] = "A\bB";
  GadgetRecord g[5] = {make(kGadgetButton, 12, 10, 1, off, kGadgetOff), make(kGadgetButton, 60, 10, 2, on, kGadgetOn),
                       make(kGadgetButton, 100, 10, 3, grey, kGadgetGreyed),
                       make(kGadgetButton, 12, 40, 4, toggled, kGadgetOff), make(kGadgetButton, 60, 40, 5, bs, kGadgetGreyed)};
  g[3].extra.off_text = dark;
  link(g, 5);
  ui_test::TestPanel t(150, 70);
  draw_panel(t, g);
  // Hit boxes follow the visible length; "A", backspace, "B" is one character wide.
  EXPECT_EQ(g[0].hit_x0, 8);
  EXPECT_EQ(g[0].hit_y0, 6);
  EXPECT_EQ(g[0].hit_x1, 12 + 3 * 8 + 3);
  EXPECT_EQ(g[0].hit_y1, 10 + 16 + 3);
  EXPECT_EQ(g[4].hit_x1, 60 + 8 + 3);
  expect_matches_reference(t.canvas, "buttons");
}

TEST_F(GadgetLook, FieldsAndLabels) {
  char name[32] = "island", number[32] = "", decimal[32] = "", readonly[32] = "fixed", label[] = "Label";
  GadgetRecord g[5] = {make(kGadgetString, 10, 10, 1, name), make(kGadgetInteger, 10, 36, 2, number),
                       make(kGadgetFloat, 70, 36, 3, decimal), make(kGadgetReadOnly, 100, 10, 4, readonly),
                       make(kGadgetLabel, 10, 62, 5, label)};
  for (GadgetRecord& f : g) f.text_size = 32;
  g[0].width = 8;
  g[1].width = 4;
  g[1].value = -5;
  g[2].width = 7;
  gadget_set_value_float(g[2], 100.25f);
  g[3].width = 5;
  link(g, 5);
  ui_test::TestPanel t(160, 86);
  draw_panel(t, g);
  EXPECT_STREQ(number, "-5");
  EXPECT_STREQ(decimal, "100.25");
  EXPECT_EQ(g[4].hit_x1, 10 + 5 * 8);
  expect_matches_reference(t.canvas, "fields");
}

TEST_F(GadgetLook, SlidersAndThumbPositions) {
  char up[3] = "", down[3] = "", across[3] = "";
  GadgetRecord g[4] = {make(kGadgetVSlider, 10, 10, 1, up), make(kGadgetVSlider, 50, 10, 2, down),
                       make(kGadgetHSlider, 90, 10, 3, across), make(kGadgetHSlider, 90, 50, 4, nullptr)};
  for (GadgetRecord& s : g) s.text_size = 3;
  g[0].width = 64;
  g[0].range = -256;  // grows upwards: value 0 sits at the bottom
  g[1].width = 64;
  g[1].range = 256;   // value 0 at the top
  g[2].width = 64;
  g[2].range = 16;
  g[2].value = 5;
  g[3].width = 64;
  g[3].range = 16;
  g[3].value = 15;
  g[3].state = kGadgetOn;  // grabbed: the thumb is pressed in
  link(g, 4);
  ui_test::TestPanel t(190, 100);
  draw_panel(t, g);
  EXPECT_STREQ(up, "00");
  EXPECT_STREQ(across, "05");
  EXPECT_EQ(g[0].hit_y1, 10 + 64 + 16 + 8);
  expect_matches_reference(t.canvas, "sliders");
}

TEST_F(GadgetLook, TabsKnobsAndAnOpenDropDown) {
  char top[] = "Top", side[] = "Side", inner[] = "Page", menu[] = "Menu";
  char first[] = "First", second[] = "Second item";
  GadgetRecord page_gadget = make(kGadgetLabel, 8, 8, 9, inner);
  TabPage page{};
  copy_text(page.name, "page", sizeof page.name);
  page.x = 10;
  page.y = 34;
  page.width = 90;
  page.height = 40;
  page.gadgets = &page_gadget;
  GadgetRecord g[5] = {make(kGadgetTopTab, 14, 10, 1, top, kGadgetOn), make(kGadgetTopTab, 60, 10, 2, side),
                       make(kGadgetKnob, 120, 10, 3, nullptr), make(kGadgetKnob, 120, 50, 4, nullptr, kGadgetOn),
                       make(kGadgetDropDown, 14, 90, 5, menu)};
  g[0].extra.page = &page;
  g[2].width = 12;
  g[2].value = 90;  // points left
  g[3].width = 12;
  g[3].value = 0;   // points up, shortened by the elevation
  g[3].extra.elevation = 60;
  MenuItem items[3] = {{2, 1, 101, first, 1, nullptr, 8, 538}, {2, 1, 102, second, 0, nullptr, 8, 538}, {}};
  g[4].extra.items = items;
  link(g, 5);
  ui_test::TestPanel t(170, 170);
  draw_panel(t, g);
  ASSERT_NE(page.open, nullptr);
  EXPECT_EQ(t.panel.child, nullptr);  // a page is reached only through its tab
  SavedRect* saved = menu_open(&t.panel, &g[4]);
  menu_draw_item(&t.panel, &g[4], 1, true);
  expect_matches_reference(t.canvas, "tabs_knobs_menu");
  menu_close(&t.panel, saved);
  close_sub_panel(&t.panel, &page);
  EXPECT_EQ(saved_rects_live, 0);
}

TEST_F(GadgetLook, SetsizePanel) {
  reset_settings_defaults();
  set_landscape_size(258, 258);
  region_mode = 2;
  PanelRecord parent{};
  PanelRecord* panel = setsize_dialog(&parent);
  ASSERT_NE(panel, nullptr);
  panel_fill_rect(panel, 0, 0, panel->width - 1, panel->height - 1, ui_color_face);
  setsize_paint(panel);
  expect_matches_reference(*static_cast<Canvas*>(panel->canvas), "setsize");
  panel_free(panel);
  region_mode = 1;
  reset_settings_defaults();
}
