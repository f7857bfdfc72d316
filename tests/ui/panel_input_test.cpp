// Gadget input through scripted pointer and keys: clicks, radio rules, labels, tabs, drop-downs, sliders,
// hover help, the click latch and disabled panels.
#include "engine/ui/panel_input.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/ui/panel_ops.h"
#include "engine/ui/gadget_draw.h"
#include "tests/support/engine_test.h"
#include "tests/ui/ui_test_support.h"

namespace {
using ui_test::click_gadget;
using ui_test::press_release;

class PanelInput : public EngineTest {
 protected:
  void SetUp() override { ui_test::fresh_screen(); }
  void TearDown() override { panel_input_reset(); }
  GadgetRecord make(int32_t kind, int32_t x, int32_t y, int32_t id, char* text) {
    GadgetRecord g{};
    g.kind = kind;
    g.x = x;
    g.y = y;
    g.id = id;
    g.text = text;
    return g;
  }
  int32_t event() { return panel_event(&t.panel, &ex, &ey); }
  ScopedHeadlessHost h;
  ui_test::TestPanel t{200, 200};
  int32_t ex = 0, ey = 0;
};
}  // namespace

TEST_F(PanelInput, RadioButtonsFollowTheGroupRules) {
  char a[] = "A", b[] = "B", c[] = "C";
  GadgetRecord g[3] = {make(kGadgetButton, 10, 10, 100, a), make(kGadgetButton, 40, 10, 101, b),
                       make(kGadgetButton, 70, 10, 102, c)};
  for (int i = 0; i < 3; ++i) {
    g[i].group = 1;
    g[i].next = i < 2 ? &g[i + 1] : nullptr;
  }
  g[0].state = kGadgetOn;
  panel_set_gadgets(&t.panel, g);
  click_gadget(*h, t.panel, g[1]);
  EXPECT_EQ(event(), 101);
  EXPECT_EQ(g[0].state, kGadgetOff);
  EXPECT_EQ(g[1].state, kGadgetOn);
  click_gadget(*h, t.panel, g[1]);  // clicked while on: goes off
  EXPECT_EQ(event(), 101);
  EXPECT_EQ(g[1].state, kGadgetOff);
  g[2].state = kGadgetOn;
  int32_t x = 0, y = 0;
  ui_test::gadget_centre(t.panel, g[2], &x, &y);
  press_release(*h, x, y, 150, 150);  // released outside: stays on, nothing reported
  EXPECT_EQ(event(), 0);
  EXPECT_EQ(g[2].state, kGadgetOn);
  g[0].state = kGadgetGreyed;  // a greyed gadget still takes the click and turns on
  click_gadget(*h, t.panel, g[0]);
  EXPECT_EQ(event(), 100);
  EXPECT_EQ(g[0].state, kGadgetOn);
}

TEST_F(PanelInput, PressOnNothingReportsOnceAndWaitsForTheRelease) {
  h->pointer_script = {{150, 150, kHostButtonLeft}, {150, 150, kHostButtonLeft}, {150, 150, 0}};
  EXPECT_EQ(event(), kEventClickNoGadget);
  EXPECT_EQ(ex, 150);
  EXPECT_EQ(click_latch, 1);
  EXPECT_EQ(event(), kEventNothing);  // waited for the release first
  EXPECT_EQ(click_latch, 0);
  h->pointer_script = {{20, 30, kHostButtonRight}};
  EXPECT_EQ(event(), kEventRightButton);
  EXPECT_EQ(ex, 20);
  EXPECT_EQ(ey, 30);
  h->pointer_script = {{20, 30, 0}};
  h->keys = {kKeyF10};
  EXPECT_EQ(event(), kKeyEventBase + kKeyF10);
}

TEST_F(PanelInput, DisabledPanelsDoNotSeePresses) {
  char a[] = "A";
  GadgetRecord g = make(kGadgetButton, 10, 10, 100, a);
  panel_set_gadgets(&t.panel, &g);
  panel_disable(&t.panel);
  click_gadget(*h, t.panel, g);
  EXPECT_EQ(event(), kEventClickNoGadget);
  EXPECT_EQ(g.state, kGadgetOff);
}

TEST_F(PanelInput, LabelsReportOnlyWhenReleasedOverThem) {
  char text[] = "Label";
  GadgetRecord g = make(kGadgetLabel, 10, 10, 120, text);
  panel_set_gadgets(&t.panel, &g);
  click_gadget(*h, t.panel, g);
  EXPECT_EQ(event(), 120);
  press_release(*h, 12, 12, 190, 190);
  EXPECT_EQ(event(), 0);
  char ro[8] = "x";
  GadgetRecord f = make(kGadgetReadOnly, 10, 40, 121, ro);
  f.width = 4;
  f.text_size = 8;
  panel_set_gadgets(&t.panel, &f);
  click_gadget(*h, t.panel, f);
  EXPECT_EQ(event(), 121);
}

TEST_F(PanelInput, ClickingTheSelectedTabReopensItsPage) {
  char one[] = "One", two[] = "Two", inside[] = "In";
  GadgetRecord page_gadget = make(kGadgetButton, 10, 10, 130, inside);
  TabPage page{};
  page.x = 10;
  page.y = 40;
  page.width = 100;
  page.height = 60;
  page.gadgets = &page_gadget;
  GadgetRecord g[2] = {make(kGadgetTopTab, 10, 10, 110, one), make(kGadgetTopTab, 60, 10, 111, two)};
  g[0].extra.page = &page;
  g[0].state = kGadgetOn;
  g[0].group = g[1].group = 1;
  g[0].next = &g[1];
  panel_set_gadgets(&t.panel, g);
  ASSERT_NE(page.open, nullptr);
  click_gadget(*h, t.panel, g[0]);
  EXPECT_EQ(event(), 110);
  EXPECT_EQ(g[0].state, kGadgetOn);
  ASSERT_NE(page.open, nullptr);
  // A gadget on the open page is found through the tab.
  click_gadget(*h, *page.open, page_gadget);
  EXPECT_EQ(event(), 130);
  EXPECT_EQ(gadget_state(&t.panel, 130), kGadgetOn);
  // The other tab of the group closes the page.
  click_gadget(*h, t.panel, g[1]);
  EXPECT_EQ(event(), 111);
  EXPECT_EQ(g[0].state, kGadgetOff);
  EXPECT_EQ(page.open, nullptr);
  EXPECT_EQ(t.panel.child, nullptr);
}

TEST_F(PanelInput, DropDownChoicesAndDismissal) {
  char label[] = "Menu", first[] = "First", second[] = "Second";
  char tip1[] = "first tip", tip2[] = "second tip";
  MenuItem items[3] = {{2, 1, 201, first, 1, tip1, 8, 538}, {2, 1, 202, second, 0, tip2, 8, 538}, {}};
  GadgetRecord g = make(kGadgetDropDown, 10, 10, 200, label);
  g.extra.items = items;
  panel_set_gadgets(&t.panel, &g);
  const uint8_t before = t.canvas.pixels[(10 + 16 + 8 + 20) * 200 + 20];
  int32_t dx = 0, dy = 0;
  ui_test::gadget_centre(t.panel, g, &dx, &dy);
  const int32_t ix = 20, iy = 10 + 16 + 8 + 16 + 8;  // inside the second row of the list
  h->pointer_script = {{dx, dy, kHostButtonLeft}, {dx, dy, kHostButtonLeft}, {ix, iy, kHostButtonLeft}, {ix, iy, 0}};
  EXPECT_EQ(event(), 202);
  EXPECT_EQ(items[0].marked, 0u);
  EXPECT_EQ(items[1].marked, 1u);
  EXPECT_EQ(h->status_lines.back(), "second tip");  // the chosen item's help stays on the status line
  EXPECT_EQ(t.canvas.pixels[(10 + 16 + 8 + 20) * 200 + 20], before);  // the screen under the list is back
  EXPECT_EQ(saved_rects_live, 0);
  // Released outside the list it stays open; a fresh press outside closes it with nothing chosen.
  h->pointer_script = {{dx, dy, kHostButtonLeft}, {dx, dy, kHostButtonLeft}, {190, 190, 0}, {190, 190, kHostButtonLeft},
                       {190, 190, 0}};
  EXPECT_EQ(event(), kEventDropDownNone);
  EXPECT_EQ(g.state, kGadgetOff);
  EXPECT_TRUE(h->pointer_script.empty());
  // The right button dismisses it too.
  h->pointer_script = {{dx, dy, kHostButtonLeft}, {dx, dy, kHostButtonLeft}, {dx, dy, 0}, {dx, dy, kHostButtonRight},
                       {dx, dy, 0}};
  EXPECT_EQ(event(), kEventDropDownNone);
}

TEST_F(PanelInput, VerticalSliderDragsAndSteps) {
  char text[3] = "";
  GadgetRecord g = make(kGadgetVSlider, 10, 10, 300, text);
  g.text_size = 3;
  g.width = 64;
  g.range = -256;  // grows upwards
  panel_set_gadgets(&t.panel, &g);
  const int32_t ty = 10 + 63 + 4;  // thumb at the bottom for value 0
  h->pointer_script = {{18, ty + 3, kHostButtonLeft}, {18, ty - 7, kHostButtonLeft}};
  EXPECT_EQ(event(), 300);  // grabbed, and the first step
  EXPECT_EQ(g.value, 40);   // 256 * 10 / 64 up
  EXPECT_EQ(vslider_drag, &g);
  h->pointer_script = {{18, ty - 7, 0}};
  EXPECT_EQ(event(), 300);  // the release ends the drag
  EXPECT_EQ(vslider_drag, nullptr);
  EXPECT_EQ(g.state, kGadgetOff);

  GadgetRecord down = make(kGadgetVSlider, 60, 10, 301, nullptr);
  down.width = 64;
  down.range = 256;
  panel_set_gadgets(&t.panel, &down);
  const int32_t top = 10 + 4;
  press_release(*h, 68, top + 16);  // one pixel below the thumb's last row: nothing changes
  EXPECT_EQ(event(), 301);
  EXPECT_EQ(down.value, 0);
  press_release(*h, 68, top + 30);  // further below: one step down
  EXPECT_EQ(event(), 301);
  EXPECT_EQ(down.value, 1);
  down.value = 0;
  press_release(*h, 68, 11);  // above the thumb at 0: stays clamped
  EXPECT_EQ(event(), 301);
  EXPECT_EQ(down.value, 0);
}

TEST_F(PanelInput, HorizontalSliderSteps) {
  GadgetRecord g = make(kGadgetHSlider, 10, 10, 310, nullptr);
  g.width = 64;
  g.range = 16;
  g.value = 8;
  panel_set_gadgets(&t.panel, &g);
  press_release(*h, 14, 20);  // left of the thumb
  EXPECT_EQ(event(), 310);
  EXPECT_EQ(g.value, 7);
  press_release(*h, 90, 20);  // right of it
  EXPECT_EQ(event(), 310);
  EXPECT_EQ(g.value, 8);
}

TEST_F(PanelInput, HoverHelpFollowsTheGadgetUnderThePointer) {
  char a[] = "A", tip[] = "Does A";
  GadgetRecord g = make(kGadgetButton, 10, 10, 100, a);
  g.tooltip = tip;
  panel_set_gadgets(&t.panel, &g);
  h->pointer_script = {{12, 12, 0}};
  EXPECT_EQ(event(), kEventNothing);
  ASSERT_FALSE(h->status_lines.empty());
  EXPECT_EQ(h->status_lines.back(), "Does A");
  const size_t shown = h->status_lines.size();
  h->pointer_script = {{13, 12, 0}};
  event();
  EXPECT_EQ(h->status_lines.size(), shown);  // the same gadget changes nothing
  h->pointer_script = {{150, 150, 0}};
  event();
  EXPECT_EQ(h->status_lines.back(), "");
  EXPECT_EQ(hover_gadget, nullptr);
}

TEST_F(PanelInput, ModalWaitsEndWhenTheWindowCloses) {
  char a[] = "A";
  GadgetRecord g = make(kGadgetButton, 10, 10, 100, a);
  panel_set_gadgets(&t.panel, &g);
  int32_t x = 0, y = 0;
  ui_test::gadget_centre(t.panel, g, &x, &y);
  h->pointer_script = {{x, y, kHostButtonLeft}};  // pressed and never released
  h->idle_poll_limit = 50;
  event();  // returns once the window is gone
  EXPECT_EQ(panel_window_open(&t.panel), 0);
}

TEST_F(PanelInput, PressingAnotherDropDownSwitchesToIt) {
  char a[] = "Left", b[] = "Right", one[] = "One", two[] = "Two";
  MenuItem left_items[2] = {{1, 0, 401, one, 0, nullptr, 8, 538}, {}};
  MenuItem right_items[3] = {{1, 0, 411, one, 0, nullptr, 8, 538}, {1, 0, 412, two, 0, nullptr, 8, 538}, {}};
  GadgetRecord g[2] = {make(kGadgetDropDown, 10, 10, 400, a), make(kGadgetDropDown, 120, 10, 410, b)};
  g[0].extra.items = left_items;
  g[1].extra.items = right_items;
  g[0].next = &g[1];
  panel_set_gadgets(&t.panel, g);
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ui_test::gadget_centre(t.panel, g[0], &x0, &y0);
  ui_test::gadget_centre(t.panel, g[1], &x1, &y1);
  const int32_t item_y = 10 + 16 + 8 + 16 + 8;  // the second row of the right list
  h->pointer_script = {{x0, y0, kHostButtonLeft}, {x0, y0, kHostButtonLeft}, {x1, y1, kHostButtonLeft},
                       {x1, y1, kHostButtonLeft}, {130, item_y, kHostButtonLeft}, {130, item_y, 0}};
  EXPECT_EQ(event(), 412);
  EXPECT_EQ(g[0].state, kGadgetOff);
  EXPECT_EQ(g[1].state, kGadgetOff);
  EXPECT_EQ(saved_rects_live, 0);
}

TEST_F(PanelInput, KnobsToggleWithoutRadioHandling) {
  GadgetRecord k[2] = {make(kGadgetKnob, 10, 10, 500, nullptr), make(kGadgetKnob, 60, 10, 501, nullptr)};
  k[0].width = k[1].width = 10;
  k[0].group = k[1].group = 1;
  k[1].state = kGadgetOn;
  k[0].next = &k[1];
  panel_set_gadgets(&t.panel, k);
  click_gadget(*h, t.panel, k[0]);
  EXPECT_EQ(event(), 500);
  EXPECT_EQ(k[0].state, kGadgetOn);
  EXPECT_EQ(k[1].state, kGadgetOn);  // the shared group bit changes nothing for knobs
}
