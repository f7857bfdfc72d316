// The Tree Control Panel's callbacks: filling from the settings, field edits and their means, leaves at once,
// stale marks, and the read-back on OK or Enter only.
#include "engine/panels/tree_control_panel.h"

#include <gtest/gtest.h>

#include "tests/support/engine_test.h"

#include <algorithm>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "engine/landscape/tree_classes.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"
#include "engine/ui/screen.h"

#include <cstdio>

namespace {
class TreePanelTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_settings_defaults();
    reset_tree_pick_tables();
    ui_test::fresh_screen();
    const int32_t sizes[4] = {35, 25, 20, 60};
    for (int32_t i = 0; i < 4; ++i) tree_settings.tree_size[i] = sizes[i];
    const int32_t densities[4] = {10, 20, 30, 40};
    for (int32_t i = 0; i < 4; ++i) tree_settings.tree_density[i] = densities[i];
    tree_settings.tree_class_masks[0] = kTreeBitPalm;
    tree_settings.tree_class_masks[2] = kTreeBitOak | kTreeBitPine;
    tree_settings.tree_leaves[2] = 0;
    parent_.draw = [](PanelRecord*) {
      ++parent_draws;
      return 1;
    };
    parent_draws = 0;
    ASSERT_EQ(open_tree_control_panel(&parent_, 14), 1);
    panel_ = tree_control_panel;
    ASSERT_NE(panel_, nullptr);
  }
  void TearDown() override {
    panel_free(panel_);
    panel_input_reset();
    reset_settings_defaults();
    reset_tree_pick_tables();
  }
  GadgetRecord* gadget(int32_t id) {
    for (GadgetRecord* g = panel_->gadgets; g; g = g->next)
      if (g->id == id) return g;
    return nullptr;
  }
  // Types a value into a field: the field's text is replaced, then a click on it and Enter accept it.
  void edit(int32_t id, int32_t value) {
    GadgetRecord* g = gadget(id);
    ASSERT_NE(g, nullptr);
    std::snprintf(g->text, static_cast<size_t>(g->text_size), "%d", value);
    g->value = value;
    ui_test::click_gadget(*h, *panel_, *g);
    h->keys = {kKeyEnter};
    tree_control_panel_event(panel_);
    ASSERT_EQ(g->value, value);
  }
  void click(int32_t id) {
    ui_test::click_gadget(*h, *panel_, *gadget(id));
    tree_control_panel_event(panel_);
  }
  void key(int32_t code) {
    h->keys = {code};
    tree_control_panel_event(panel_);
  }
  static int parent_draws;
  ScopedHeadlessHost h;
  PanelRecord parent_{};
  PanelRecord* panel_ = nullptr;
};
int TreePanelTest::parent_draws = 0;
}  // namespace

TEST_F(TreePanelTest, OpensFilledFromTheSettings) {
  EXPECT_STREQ(panel_->name, "treeset");
  EXPECT_EQ(panel_->id, 14);
  EXPECT_EQ(panel_->width, 524);
  EXPECT_EQ(panel_->height, 350);
  EXPECT_EQ(gadget(2017)->value, 35);
  EXPECT_EQ(gadget(2011)->value, 60);
  EXPECT_STREQ(gadget(2011)->text, "60");
  EXPECT_EQ(gadget(2026)->value, 30);
  EXPECT_EQ(gadget(kTreePanelMeanSize)->value, 35);
  EXPECT_EQ(gadget(kTreePanelMeanDensity)->value, 25);
  EXPECT_EQ(gadget(2012)->state, 1);  // palm on class 56
  EXPECT_EQ(gadget(2000)->state, 0);
  EXPECT_EQ(gadget(2002)->state, 1);  // oak on class 58
  EXPECT_EQ(gadget(2008)->state, 1);  // pine on class 58
  EXPECT_EQ(gadget(2020)->state, 0);
  EXPECT_EQ(gadget(2036)->state, 0);  // cactus leaves off
  EXPECT_EQ(gadget(2035)->state, 1);
  EXPECT_EQ(gadget(1172)->x, 10);
  EXPECT_EQ(gadget(2029)->x, 412);
  EXPECT_EQ(gadget(2029)->y, 284);
  EXPECT_EQ(gadget(2015)->y, 76);
}

TEST_F(TreePanelTest, EditsTakeEffectOnlyOnOk) {
  edit(2005, 45);  // oak size: the mean follows in the panel only
  EXPECT_EQ(gadget(kTreePanelMeanSize)->value, 40);
  EXPECT_EQ(tree_settings.tree_size[1], 25);
  derived_data.colors_done_step = 1;
  edit(2024, 50);  // class 56 density
  EXPECT_EQ(gadget(kTreePanelMeanDensity)->value, 35);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  click(2013);  // palm on class 57
  click(2002);  // oak off class 58
  EXPECT_EQ(tree_settings.tree_class_masks[1], 0);
  click(kTreePanelOk);
  EXPECT_EQ(tree_settings.tree_size[1], 45);
  EXPECT_EQ(tree_settings.tree_density[0], 50);
  EXPECT_EQ(tree_settings.tree_class_masks[1], kTreeBitPalm);
  EXPECT_EQ(tree_settings.tree_class_masks[2], kTreeBitPine);
  EXPECT_EQ(tree_pick_table_2[0], 1);
  EXPECT_EQ(tree_pick_table_3[0], 8);
  EXPECT_EQ(gadget(kTreePanelOk)->state, 0);
  EXPECT_EQ(parent_draws, 1);
  EXPECT_NE(std::find(h->window_events.begin(), h->window_events.end(), "close panel"), h->window_events.end());
}

TEST_F(TreePanelTest, UncheckingEveryKindAndOkLeavesTreesEnabled) {
  tree_settings.trees_enabled = 1;
  click(2012);
  click(2002);
  click(2008);
  key(kKeyEnter);
  for (int32_t m : tree_settings.tree_class_masks) EXPECT_EQ(m, 0);
  EXPECT_EQ(tree_settings.trees_enabled, 1);
}

TEST_F(TreePanelTest, MeanFieldsRescaleBothRows) {
  edit(kTreePanelMeanSize, 70);
  EXPECT_EQ(gadget(2017)->value, 70);
  EXPECT_EQ(gadget(2005)->value, 50);
  EXPECT_EQ(gadget(2023)->value, 40);
  EXPECT_EQ(gadget(2011)->value, 120);
  // The densities are re-rounded to their own unchanged mean: they stay.
  EXPECT_EQ(gadget(2024)->value, 10);
  EXPECT_EQ(gadget(2027)->value, 40);
  edit(kTreePanelMeanDensity, 50);
  EXPECT_EQ(gadget(2024)->value, 20);
  EXPECT_EQ(gadget(2027)->value, 80);
  EXPECT_EQ(tree_settings.tree_density[0], 10);  // until OK
}

TEST_F(TreePanelTest, LeavesSwitchAtOnceAndOtherClosingsKeepTheSettings) {
  click(2036);
  EXPECT_EQ(tree_settings.tree_leaves[2], 1);
  click(2034);
  EXPECT_EQ(tree_settings.tree_leaves[0], 0);
  edit(2017, 99);
  key(kKeyEsc);
  EXPECT_EQ(tree_settings.tree_size[0], 35);
  EXPECT_EQ(parent_draws, 0);
}

// The panel draws its background, gadgets and the row and column labels.
TEST_F(TreePanelTest, DrawsItsLabels) {
  const Canvas& c = *static_cast<Canvas*>(panel_->canvas);
  auto ink_in = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    int32_t n = 0;
    for (int32_t y = y0; y < y1; ++y)
      for (int32_t x = x0; x < x1; ++x)
        if (c.pixels[static_cast<size_t>(panel_->y0 + y) * c.width + panel_->x0 + x] != ui_color_face) ++n;
    return n;
  };
  EXPECT_GT(ink_in(12 + 24, 172, 12 + 64, 172 + 16), 0);   // "   Tree1"
  EXPECT_GT(ink_in(12 + 32, 204, 12 + 64, 204 + 16), 0);   // "    Size"
  EXPECT_GT(ink_in(252 + 48, 284, 252 + 144, 284 + 16), 0);  // "      Mean density"
  EXPECT_EQ(ink_in(460, 320, 520, 345), 0);               // plain face where nothing is drawn
  EXPECT_TRUE(write_canvas_png(c, artifacts_folder() + "/tree_control_panel.png"));
}

// Opening it again while it is open (the trees switch clicked twice) leaves one panel; closing with OK forgets it.
TEST_F(TreePanelTest, OpeningTwiceLeavesOnePanelAndOkForgetsIt) {
  EXPECT_EQ(open_tree_control_panel(&parent_, 14), 1);
  EXPECT_EQ(tree_control_panel, panel_);
  int32_t n = 0;
  for (PanelRecord* p = parent_.child; p; p = p->sibling) ++n;
  EXPECT_EQ(n, 1);
  click(kTreePanelOk);
  EXPECT_EQ(tree_control_panel, nullptr);
}
