// Pointer layer: swapped buttons, press latch, relative motion, brackets and the release wait.
#include "engine/ui/pointer.h"

#include <gtest/gtest.h>

#include "tests/support/headless_host.h"
#include "tests/support/engine_test.h"

namespace {
class PointerTest : public EngineTest {
 protected:
  void TearDown() override {
    h->swapped = 0;
    detect_swapped_buttons();
    pointer_reset();
    pointer_show();
  }
  ScopedHeadlessHost h;
};
}  // namespace

TEST_F(PointerTest, ButtonCodesFollowTheSystemSwap) {
  struct Case {
    int32_t swapped, physical, code;
  };
  const Case cases[] = {
      {0, kHostButtonLeft, 1}, {0, kHostButtonRight, 2}, {1, kHostButtonLeft, 2},
      {1, kHostButtonRight, 1}, {0, kHostButtonLeft | kHostButtonRight, 1}, {0, 0, 0},
  };
  for (const Case& c : cases) {
    h->swapped = c.swapped;
    detect_swapped_buttons();
    h->buttons = c.physical;
    int32_t x = 0, y = 0, b = -1;
    EXPECT_EQ(mouse_poll(nullptr, &x, &y, &b), c.code);
    EXPECT_EQ(b, c.code);
    EXPECT_EQ(mouse_buttons(nullptr), c.code);
  }
}

TEST_F(PointerTest, PressLatchKeepsThePositionOfTheLastPress) {
  h->pointer_x = 40;
  h->pointer_y = 50;
  h->buttons = kHostButtonLeft;
  mouse_poll(nullptr, nullptr, nullptr, nullptr);
  h->buttons = 0;
  h->pointer_x = 99;
  mouse_poll(nullptr, nullptr, nullptr, nullptr);
  int32_t x = 0, y = 0, b = 0;
  mouse_last_press(1, &x, &y, &b);
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(b, 1);
  mouse_last_press(0, &x, &y, &b);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(b, 0);
}

TEST_F(PointerTest, RelativeMotionAroundTheWarpHome) {
  h->pointer_x = 100;
  h->pointer_y = 200;
  mouse_warp_home(nullptr);
  h->pointer_x = 107;
  h->pointer_y = 195;
  int32_t dx = 0, dy = 0, b = 0;
  mouse_relative_motion(&dx, &dy, &b);
  EXPECT_EQ(dx, 7);
  EXPECT_EQ(dy, -5);
  EXPECT_EQ(h->pointer_x, 100);  // put back home
  EXPECT_EQ(h->pointer_y, 200);

  h->focus = 0;
  h->pointer_x = 150;
  h->buttons = kHostButtonLeft;
  mouse_relative_motion(&dx, &dy, &b);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(h->pointer_x, 150);  // nothing moved without focus
}

TEST_F(PointerTest, BracketsNestAndReset) {
  pointer_reset();
  pointer_show();
  EXPECT_EQ(pointer_hide_count, 1);
  EXPECT_EQ(pointer_visible, 1);
  pointer_hide();
  pointer_hide();
  EXPECT_EQ(pointer_hide_count, -1);
  EXPECT_EQ(pointer_visible, 0);
  pointer_show();
  EXPECT_EQ(pointer_visible, 0);
  pointer_show();
  EXPECT_EQ(pointer_hide_count, 1);
  EXPECT_EQ(pointer_visible, 1);
  pointer_show();  // an extra show keeps the count at 1
  EXPECT_EQ(pointer_hide_count, 1);
  h->swapped = 1;
  EXPECT_EQ(pointer_reset(), 0);
  EXPECT_EQ(pointer_hide_count, 0);
  EXPECT_EQ(left_button_code, 2);
}

TEST_F(PointerTest, CursorShapes) {
  cursor_wait();
  EXPECT_EQ(h->cursor, 2);
  cursor_cross();
  EXPECT_EQ(h->cursor, 3);
  cursor_arrow();
  EXPECT_EQ(h->cursor, 1);
  EXPECT_EQ(cursor_kind, 1);
}

TEST_F(PointerTest, ReleaseWaitDoesNotDispatchAndEndsOnAStuckButton) {
  h->buttons = kHostButtonLeft;
  h->pending_messages = 5;
  wait_mouse_release();
  EXPECT_EQ(h->pending_messages, 5);
  h->buttons = 0;
}
