// Pop-up panel life and gadget lookups by command id, including open tab pages.
#include "engine/ui/panel_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "tests/support/headless_host.h"
#include "tests/ui/ui_test_support.h"

namespace {
// A panel with a button, a float field and a selected tab whose page holds two gadgets.
struct Fixture {
  char label[8] = "B";
  GadgetRecord page_gadgets[2]{};
  TabPage page{};
  GadgetRecord gadgets[3]{};
  PanelRecord panel{};
  PanelRecord page_panel{};

  Fixture() {
    page_gadgets[0] = GadgetRecord{};
    page_gadgets[0].kind = kGadgetButton;
    page_gadgets[0].id = 2001;
    page_gadgets[0].next = &page_gadgets[1];
    page_gadgets[1].kind = kGadgetInteger;
    page_gadgets[1].id = 2002;
    page_gadgets[1].value = 77;
    page_panel.gadgets = page_gadgets;
    page.open = &page_panel;
    page.gadgets = page_gadgets;

    gadgets[0].kind = kGadgetButton;
    gadgets[0].id = 1000;
    gadgets[0].text = label;
    gadgets[0].next = &gadgets[1];
    gadgets[1].kind = kGadgetTopTab;
    gadgets[1].id = 1001;
    gadgets[1].state = kGadgetOn;
    gadgets[1].extra.page = &page;
    gadgets[1].next = &gadgets[2];
    gadgets[2].kind = kGadgetFloat;
    gadgets[2].id = 1002;
    gadget_set_value_float(gadgets[2], 2.5f);
    panel.gadgets = gadgets;
  }
};
}  // namespace

TEST(PanelOps, LookupsByIdSearchOpenPages) {
  Fixture f;
  EXPECT_EQ(gadget_state(&f.panel, 1001), kGadgetOn);
  EXPECT_EQ(gadget_state(&f.panel, 2001), kGadgetOff);
  EXPECT_EQ(gadget_state(&f.panel, 4242), kGadgetAbsent);
  EXPECT_EQ(gadget_state(nullptr, 1000), kGadgetAbsent);
  EXPECT_EQ(gadget_value(&f.panel, 2002), 77);
  EXPECT_EQ(gadget_value(&f.panel, 4242), 0);
  EXPECT_EQ(gadget_value(nullptr, 1000), 0);
  EXPECT_FLOAT_EQ(gadget_value_float(f.gadgets[2]), 2.5f);

  gadget_select(&f.panel, 2001);
  EXPECT_EQ(f.page_gadgets[0].state, kGadgetOn);
  gadget_deselect(&f.panel, 2001);
  EXPECT_EQ(f.page_gadgets[0].state, kGadgetOff);
  gadget_select(nullptr, 2001);  // ignored

  // A closed tab hides its page from the search.
  f.gadgets[1].state = kGadgetOff;
  EXPECT_EQ(gadget_state(&f.panel, 2001), kGadgetAbsent);
  gadget_select(&f.panel, 2001);
  EXPECT_EQ(f.page_gadgets[0].state, kGadgetOff);
}

TEST(PanelOps, SelectTouchesOnlyButtonsAndKnobs) {
  Fixture f;
  f.gadgets[2].id = 1000;  // a float field sharing the button's id
  const int32_t before = f.gadgets[2].state;
  gadget_select(&f.panel, 1000);
  EXPECT_EQ(f.gadgets[0].state, kGadgetOn);
  EXPECT_EQ(f.gadgets[2].state, before);
}

TEST(PanelOps, PopupsStackOnTheirParentAndFreeInReverse) {
  ScopedHeadlessHost h;
  PanelRecord parent{};
  parent.x0 = 20;
  parent.y0 = 30;
  PanelRecord* a = panel_open(&parent, "first", 7, 5, 6, 100, 50, nullptr, nullptr);
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->name, "first");
  EXPECT_EQ(a->id, 7);
  EXPECT_EQ(a->x0, 25);
  EXPECT_EQ(a->y0, 36);
  EXPECT_EQ(a->x1, 124);
  EXPECT_EQ(a->y1, 85);
  PanelRecord* b = panel_open(&parent, "a title longer than sixteen", 8, 0, 0, 10, 10, nullptr, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(std::string(b->name).size(), 15u);
  EXPECT_EQ(parent.child, b);
  EXPECT_EQ(b->sibling, a);
  EXPECT_EQ(h->window_events.size(), 2u);
  EXPECT_EQ(h->window_events[0], "open popup");
  panel_free(b);
  EXPECT_EQ(parent.child, a);
  panel_free(a);
  EXPECT_EQ(parent.child, nullptr);
  EXPECT_EQ(h->live_blocks, 0);

  h->fail_after = 0;
  EXPECT_EQ(panel_open(&parent, "none", 0, 0, 0, 1, 1, nullptr, nullptr), nullptr);
  EXPECT_EQ(parent.child, nullptr);
  EXPECT_EQ(h->window_events.size(), 2u);
}

TEST(PanelOps, DisableCountAndAttach) {
  PanelRecord p{};
  panel_enable(&p);
  EXPECT_EQ(p.disabled, 0);
  panel_disable(&p);
  panel_disable(&p);
  panel_enable(&p);
  EXPECT_EQ(p.disabled, 1);
  GadgetRecord g{};
  const int64_t draws = gadget_draw_count;
  panel_set_gadgets(&p, &g);
  EXPECT_EQ(p.disabled, 0);
  EXPECT_EQ(p.gadgets, &g);
  EXPECT_EQ(gadget_draw_count, draws + 1);
  panel_set_gadgets(nullptr, &g);
  panel_disable(nullptr);
  panel_enable(nullptr);
}


TEST(PanelOps, SetValueLeavesFloatFieldsToSetFloat) {
  ScopedHeadlessHost h;
  ui_test::fresh_screen();
  ui_test::TestPanel t(100, 60);
  char text[32] = "";
  GadgetRecord f{};
  f.kind = kGadgetFloat;
  f.id = 40;
  f.x = 10;
  f.y = 10;
  f.width = 6;
  f.text = text;
  f.text_size = 32;
  panel_set_gadgets(&t.panel, &f);
  set_gadget_value(&t.panel, 40, 1234);
  EXPECT_EQ(f.value, 0);
  set_gadget_float(&t.panel, 40, std::bit_cast<int32_t>(2.5f));
  EXPECT_FLOAT_EQ(gadget_float(&t.panel, 40), 2.5f);
  EXPECT_STREQ(text, "2.5");  // redrawn
  EXPECT_EQ(gadget_state(&t.panel, 41), kGadgetAbsent);
  EXPECT_EQ(gadget_value(&t.panel, 41), 0);
}

TEST(PanelOps, SubPanelRestoresTheScreenUnderIt) {
  ScopedHeadlessHost h;
  ui_test::fresh_screen();
  ui_test::TestPanel t(100, 60);
  std::fill(t.canvas.pixels.begin(), t.canvas.pixels.end(), 7);
  PanelRecord* sub = sub_panel_new(&t.panel, 10, 10, 40, 30, 1, nullptr);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(t.panel.child, sub);
  EXPECT_EQ(sub->canvas, t.panel.canvas);
  EXPECT_EQ(t.canvas.pixels[20 * 100 + 20], ui_color_face);
  sub_panel_free(sub);
  EXPECT_EQ(t.panel.child, nullptr);
  EXPECT_EQ(t.canvas.pixels, std::vector<uint8_t>(100 * 60, 7));
  EXPECT_EQ(saved_rects_live, 0);
  EXPECT_EQ(h->live_blocks, 0);
  h->fail_after = 0;
  EXPECT_EQ(sub_panel_open(&t.panel, 0, 0, 10, 10), nullptr);  // no memory: nothing pushed
  EXPECT_EQ(t.panel.child, nullptr);
}

TEST(PanelOps, DestroyedPopupWindowsEnableTheirParentsInAnyOrder) {
  // A panel opens pop-up A and disables itself; A opens pop-up B and disables itself. The front end may destroy the
  // two windows in either order once the engine closed them.
  struct Case {
    bool a_first;
  };
  for (const Case c : {Case{false}, Case{true}}) {
    ScopedHeadlessHost h;
    PanelRecord parent{};
    PanelRecord* a = panel_open(&parent, "a", 1, 0, 0, 50, 50, nullptr, nullptr);
    ASSERT_NE(a, nullptr);
    disable_panel_gadgets(&parent);
    PanelRecord* b = panel_open(a, "b", 2, 0, 0, 20, 20, nullptr, nullptr);
    ASSERT_NE(b, nullptr);
    disable_panel_gadgets(a);
    EXPECT_EQ(a->child, b);
    if (c.a_first) {
      popup_window_destroyed(a);
      EXPECT_EQ(b->parent, nullptr);  // no link into the freed record is left
      popup_window_destroyed(b);
    } else {
      popup_window_destroyed(b);
      EXPECT_EQ(a->disabled, 0);
      EXPECT_EQ(a->child, nullptr);
      popup_window_destroyed(a);
    }
    EXPECT_EQ(parent.disabled, 0) << c.a_first;  // the panel takes input again
    EXPECT_EQ(parent.child, nullptr) << c.a_first;
    EXPECT_EQ(h->live_blocks, 0) << c.a_first;  // both records are freed
  }
  popup_window_destroyed(nullptr);
}
