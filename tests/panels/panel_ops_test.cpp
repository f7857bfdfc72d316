// Pop-up panel life and gadget lookups by command id, including open tab pages.
#include "engine/panels/panel_ops.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/host/headless_host.h"

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

