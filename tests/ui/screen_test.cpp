// The screen layer: UI palette construction, current canvas and window stack, clipping of every primitive,
// saved rectangles and the message poll.
#include "engine/ui/screen.h"

#include <gtest/gtest.h>

#include <climits>

#include "engine/ui/panel_record.h"
#include "tests/support/engine_test.h"
#include "tests/ui/ui_test_support.h"

namespace {
class Screen : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    canvas.resize(20, 10);
    acquire_dc(&canvas);
  }
  int count(uint8_t v) const {
    int n = 0;
    for (uint8_t p : canvas.pixels) n += p == v;
    return n;
  }
  ScopedHeadlessHost h;
  Canvas canvas;
};

void expect_rgb(int index, int r, int g, int b) {
  EXPECT_EQ(ui_palette_table[index][0], r) << index;
  EXPECT_EQ(ui_palette_table[index][1], g) << index;
  EXPECT_EQ(ui_palette_table[index][2], b) << index;
}
}  // namespace

TEST_F(Screen, PaletteAfterStartUp) {
  expect_rgb(33, 13, 77, 9);
  expect_rgb(128, 16, 16, 16);
  expect_rgb(191, 238, 238, 238);
  expect_rgb(129, 90, 16, 16);
  expect_rgb(192, 255, 0, 0);
  expect_rgb(255, 255, 0, 0);
  expect_rgb(12, 176, 176, 176);  // fixed face colour on every machine
  expect_rgb(56, 0, 0, 80);
  EXPECT_EQ(h->ui_palette[4 * 33 + 1], 77);  // the host was given the palette
}

TEST_F(Screen, RampEitherWayRound) {
  ui_palette_ramp(39, 32);
  expect_rgb(33, 13, 77, 9);
  ui_palette_ramp(40, 41);  // n < 2: nothing
  expect_rgb(41, 96, 48, 13);
}

TEST_F(Screen, WindowStackRestoresTheCurrentCanvas) {
  Canvas other;
  other.resize(4, 4);
  push_window();
  select_topo_canvas();
  EXPECT_EQ(current_hwnd, topo_canvas());
  pop_window();
  EXPECT_EQ(current_hwnd, &canvas);
  // Deeper than the stack: counted, and the extra pops change nothing.
  for (int i = 0; i < 12; ++i) push_window();
  acquire_dc(&other);
  pop_window();
  EXPECT_EQ(current_hwnd, &other);
  for (int i = 0; i < 11; ++i) pop_window();
  EXPECT_EQ(current_hwnd, &canvas);
  EXPECT_EQ(window_stack_depth, 0);
  pop_window();  // an empty stack: nothing
  EXPECT_EQ(window_stack_depth, 0);
}

TEST_F(Screen, SelectingTheCurrentPanelKeepsTheContext) {
  PanelRecord p{};
  p.canvas = &canvas;
  select_panel_window(&p);
  EXPECT_EQ(current_hdc, 1);
  EXPECT_EQ(current_hwnd, &canvas);
}

TEST_F(Screen, EveryPrimitiveClipsToTheCanvas) {
  struct Case {
    const char* what;
    void (*draw)();
    int expected;  // pixels of colour 7
  };
  const Case cases[] = {
      {"rect across the corner", [] { fill_rect(-5, -5, 2, 1, 7); }, 3 * 2},
      {"rect wholly outside", [] { fill_rect(30, 0, 40, 5, 7); }, 0},
      {"inverted rect", [] { fill_rect(5, 5, 2, 2, 7); }, 0},
      {"huge rect", [] { fill_rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 7); }, 200},
      {"line from far away", [] { draw_line(INT_MIN, 3, INT_MAX, 3, 7); }, 20},
      {"diagonal line", [] { draw_line(-10, -10, 30, 30, 7); }, 10},
      {"pixel outside", [] { put_pixel(20, 0, 7); }, 0},
      {"row crossing the edge", [] {
         static const uint8_t row[8] = {7, 7, 7, 7, 7, 7, 7, 7};
         put_row8(16, 9, 8, row);
       }, 4},
      {"row above", [] {
         static const uint8_t row[2] = {7, 7};
         put_row8(0, -1, 2, row);
       }, 0},
      {"text running off", [] { draw_text("MMMMMMMMMMMMMMMMMMMM", 10, 5, 7, 7, 0); }, 10 * 5},
      {"block with the first row at the bottom", [] {
         static const uint8_t block[4] = {7, 7, 0, 0};
         put_block8(0, 8, 2, 2, block);
       }, 2},
      {"block whose first row falls below the canvas", [] {
         static const uint8_t block[4] = {7, 7, 0, 0};
         put_block8(0, 9, 2, 2, block);
       }, 0},
  };
  for (const Case& c : cases) {
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), 0);
    c.draw();
    EXPECT_EQ(count(7), c.expected) << c.what;
  }
}

TEST_F(Screen, LinesIncludeTheEndAndInvertWithout) {
  draw_line(0, 0, 3, 0, 5);
  EXPECT_EQ(count(5), 4);
  draw_line(0, 1, 3, 1, ui_color_invert);
  EXPECT_EQ(count(0xFF), 3);  // the end pixel is not inverted
  draw_line(0, 1, 3, 1, ui_color_invert);
  EXPECT_EQ(count(0xFF), 0);
}

TEST_F(Screen, NoLinesOrRowsWithoutAContext) {
  release_dc();
  draw_line(0, 0, 5, 0, 9);
  const uint8_t row[2] = {9, 9};
  put_row8(0, 0, 2, row);
  EXPECT_EQ(count(9), 0);
  fill_rect(0, 0, 0, 0, 9);  // fills go to the current canvas all the same
  EXPECT_EQ(count(9), 1);
}

TEST_F(Screen, SavedRectanglesAreCutToTheCanvasAndFreed) {
  fill_rect(0, 0, 19, 9, 3);
  SavedRect* s = save_screen_rect(25, 15, -100, -100);  // given the wrong way round, mostly off the canvas
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->x0, 0);
  EXPECT_EQ(s->y0, 0);
  EXPECT_EQ(s->x1, 19);
  EXPECT_EQ(s->y1, 9);
  fill_rect(0, 0, 19, 9, 4);
  restore_free_screen_rect(s);
  EXPECT_EQ(count(3), 200);
  EXPECT_EQ(saved_rects_live, 0);
  SavedRect* off = save_screen_rect(100, 100, 200, 200);  // wholly off: nothing kept, still freed cleanly
  ASSERT_NE(off, nullptr);
  restore_free_screen_rect(off);
  EXPECT_EQ(saved_rects_live, 0);
  EXPECT_EQ(h->live_blocks, 0);
  h->fail_after = 1;  // the record can be had, the copy cannot
  SavedRect* no_copy = save_screen_rect(0, 0, 5, 5);
  ASSERT_NE(no_copy, nullptr);
  EXPECT_EQ(no_copy->bitmap, nullptr);
  restore_free_screen_rect(no_copy);
  EXPECT_EQ(h->live_blocks, 0);
  h->fail_after = 0;
  EXPECT_EQ(save_screen_rect(0, 0, 1, 1), nullptr);
}

TEST_F(Screen, PollEventGivesKeyCodesOneAtATime) {
  h->keys = {kKeyEnter, kKeyMinus, 0};
  EXPECT_EQ(poll_event(), 0x1C0D);
  EXPECT_EQ(poll_event(), 0x0C2D);
  EXPECT_EQ(poll_event(), 0);  // a message that is no key
  EXPECT_EQ(poll_event(), 0);  // none
  h->shift = 1;
  EXPECT_EQ(key_modifiers(), 3);
  h->control = 1;
  EXPECT_EQ(key_modifiers(), 7);
}

TEST_F(Screen, CanvasesOfAHostNoLongerInForceAreForgotten) {
  {
    ScopedHeadlessHost inner;
    select_topo_canvas();
    EXPECT_NE(current_hwnd, nullptr);
  }
  fill_rect(0, 0, 1, 1, 3);  // must not touch the inner host's canvas
  EXPECT_EQ(current_hwnd, nullptr);
}

namespace {
// A host whose message dispatch runs a window procedure that polls again.
class ReentrantHost : public HeadlessHost {
 public:
  int32_t inner = -1;
  int32_t next_key() override {
    inner = poll_event();  // a poll from inside a dispatch
    return HeadlessHost::next_key();
  }
};
}  // namespace

TEST(ScreenPoll, NestedPollsReturnNothing) {
  ReentrantHost h;
  set_host(&h);
  h.keys = {kKeyEsc, kKeyEnter};
  EXPECT_EQ(poll_event(), kKeyEsc);
  EXPECT_EQ(h.inner, 0);           // the nested poll took nothing
  EXPECT_EQ(h.keys.size(), 1u);    // and left the queue alone
  EXPECT_EQ(in_dispatch, 0);
  set_host(nullptr);
}
