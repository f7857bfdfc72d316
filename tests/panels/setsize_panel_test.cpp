// The landscape size pop-up: radio buttons from the current size, clicks, memory failure and OK.
#include "engine/panels/setsize_panel.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_ops.h"
#include "tests/support/engine_test.h"
#include "tests/ui/ui_test_support.h"

namespace {
class SetsizeTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(258, 258);
    region_mode = 1;
    ui_test::fresh_screen();
    panel_ = setsize_dialog(&parent_);
    ASSERT_NE(panel_, nullptr);
    setsize_paint(panel_);
  }
  void TearDown() override {
    panel_free(panel_);
    panel_input_reset();
    set_landscape_size(258, 258);
    region_mode = 1;
    reset_settings_defaults();
  }
  // The ids of the radio buttons that are on.
  std::vector<int32_t> on_buttons() {
    std::vector<int32_t> ids;
    for (int32_t id : {kSetsizeSmall, kSetsizeLarge, kSetsizeHuge, kSetsizeMega, kSetsizeAutomatic})
      if (gadget_state(panel_, id) == 1) ids.push_back(id);
    return ids;
  }
  // A press and release in the middle of the gadget, taken by the panel's event handler.
  void click(int32_t id) {
    for (GadgetRecord* g = setsize_gadgets; g; g = g->next)
      if (g->id == id) ui_test::click_gadget(*h, *panel_, *g);
    setsize_handler(panel_);
  }
  ScopedHeadlessHost h;
  PanelRecord parent_{};
  PanelRecord* panel_ = nullptr;
};
}  // namespace

TEST_F(SetsizeTest, OpensAsPopupWithTheGadgetTable) {
  EXPECT_STREQ(panel_->name, "setsize");
  EXPECT_EQ(panel_->width, 384);
  EXPECT_EQ(panel_->height, 240);
  EXPECT_EQ(panel_->gadgets, setsize_gadgets);
  EXPECT_EQ(h->cursor, 1);
  int count = 0;
  for (GadgetRecord* g = setsize_gadgets; g; g = g->next) ++count;
  EXPECT_EQ(count, 7);
  EXPECT_STREQ(setsize_gadgets->text, "  OK  ");
}

TEST_F(SetsizeTest, RadioButtonsFollowTheSize) {
  struct Case {
    int32_t width, mode;
    std::vector<int32_t> on;
  };
  const std::vector<Case> cases = {
      {258, 1, {kSetsizeAutomatic}}, {258, 2, {kSetsizeSmall}}, {514, 2, {kSetsizeLarge}},
      {300, 2, {}},                  {514, 1, {kSetsizeAutomatic}},
  };
  for (const Case& c : cases) {
    const int32_t saved = grid_width;
    grid_width = c.width;  // only the width field is read
    region_mode = c.mode;
    setsize_update_buttons();
    EXPECT_EQ(on_buttons(), c.on) << c.width << " " << c.mode;
    grid_width = saved;
  }
}

TEST_F(SetsizeTest, ClickingASizeMakesThatLandscape) {
  click(kSetsizeLarge);
  EXPECT_EQ(grid_width, 514);
  EXPECT_EQ(region_mode, 2);
  EXPECT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeLarge});
  EXPECT_EQ(h->cursor, 1);
  click(kSetsizeAutomatic);
  EXPECT_EQ(grid_width, 514);
  EXPECT_EQ(region_mode, 1);
  EXPECT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeAutomatic});
}

TEST_F(SetsizeTest, ClickingTheButtonThatIsOnChangesNothing) {
  click(kSetsizeSmall);
  ASSERT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeSmall});
  elevation_row(5)[5] = 1234;
  click(kSetsizeSmall);
  EXPECT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeSmall});
  EXPECT_EQ(elevation_row(5)[5], 1234);  // no new landscape
  click(kSetsizeAutomatic);
  click(kSetsizeAutomatic);
  EXPECT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeAutomatic});
  EXPECT_EQ(region_mode, 1);
}

TEST_F(SetsizeTest, OutOfMemoryRevertsAndTellsTheUser) {
  click(kSetsizeLarge);
  h->fail_at_size = 1026 * 1026 * 2;  // the huge grids cannot be had
  click(kSetsizeHuge);
  EXPECT_EQ(grid_width, 514);
  ASSERT_FALSE(h->messages.empty());
  EXPECT_EQ(h->messages.back().text, "Insufficient memory, reverting to previous size.");
  EXPECT_EQ(h->messages.back().button1, "  OK  ");
  EXPECT_EQ(on_buttons(), std::vector<int32_t>{kSetsizeLarge});
  EXPECT_EQ(h->cursor, 1);
  h->fail_at_size = 0;
}

TEST_F(SetsizeTest, OkClosesAndResetsTheSpacing) {
  grid_spacing_x = 90.0f;
  grid_spacing_y = 10.0f;
  landscape_view.origin_x = 5;
  landscape_view.origin_z = 7;
  click(kSetsizeOk);
  EXPECT_EQ(gadget_state(panel_, kSetsizeOk), 0);
  EXPECT_EQ(h->window_events.back(), "close panel");
  EXPECT_FLOAT_EQ(grid_spacing_x, 30.0f);
  EXPECT_FLOAT_EQ(grid_spacing_y, 30.0f);
  EXPECT_EQ(landscape_view.origin_x, 0);
  EXPECT_EQ(landscape_view.origin_z, 0);
  EXPECT_EQ(h->cursor, 1);
}

TEST_F(SetsizeTest, OtherResultsAreIgnored) {
  ui_test::press_release(*h, 300, 220);  // on no gadget
  h->pointer_script.push_back({300, 220, kHostButtonRight});
  setsize_handler(panel_);  // the press on nothing
  setsize_handler(panel_);  // waits for the release, then nothing
  setsize_handler(panel_);  // the right button
  EXPECT_EQ(grid_width, 258);
  EXPECT_TRUE(h->messages.empty());
}
