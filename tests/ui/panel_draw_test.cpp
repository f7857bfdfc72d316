// Panel drawing primitives: frames that do not fit, circles, the rubber band, segment clipping and
// clipped lines.
#include "engine/ui/panel_draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/engine_test.h"
#include "tests/ui/ui_test_support.h"

namespace {
class PanelDraw : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    draw_xor_box_forget();
  }
  int count(uint8_t v) const {
    int n = 0;
    for (uint8_t p : t.canvas.pixels) n += p == v;
    return n;
  }
  ScopedHeadlessHost h;
  ui_test::TestPanel t{40, 30};
};
}  // namespace

TEST_F(PanelDraw, FramesBeyondThePanelAreNotDrawnAtAll) {
  draw_frame(&t.panel, 5, 5, 40, 10, 3, 4);  // right edge beyond x1 = 39
  EXPECT_EQ(count(3) + count(4), 0);
  draw_frame(&t.panel, 5, 5, 10, 10, 3, 4);
  EXPECT_EQ(count(3), 9);   // left and top edges, less the two corners the later edges draw over
  EXPECT_EQ(count(4), 11);  // right and bottom edges, drawn last
}

TEST_F(PanelDraw, RubberBandShowsOnceAndErasesCleanly) {
  std::fill(t.canvas.pixels.begin(), t.canvas.pixels.end(), 12);
  const std::vector<uint8_t> before = t.canvas.pixels;
  draw_xor_box(&t.panel, 2, 2, 20, 15);
  const std::vector<uint8_t> shown = t.canvas.pixels;
  EXPECT_NE(shown, before);
  draw_xor_box(&t.panel, 2, 2, 20, 15);  // the same rectangle again: already shown
  EXPECT_EQ(t.canvas.pixels, shown);
  draw_xor_box(&t.panel, 3, 3, 10, 10);  // moving it erases the old one
  draw_xor_box(&t.panel, -1, -1, -1, -1);
  EXPECT_EQ(t.canvas.pixels, before);
}

TEST_F(PanelDraw, ClipLine) {
  struct Case {
    int32_t rect[4];
    int32_t in[4];
    int32_t result;
    int32_t out[4];
  };
  const Case cases[] = {
      {{10, 10, 0, 0}, {2, 3, 5, 6}, 1, {2, 3, 5, 6}},     // inside: unchanged, rectangle reordered
      {{0, 0, 10, 10}, {-5, 2, -1, 8}, 0, {-5, 2, -1, 8}},  // both left
      {{0, 0, 10, 10}, {-10, 5, 5, 5}, 1, {0, 5, 5, 5}},    // cut at the left
      {{0, 0, 10, 10}, {5, -10, 5, 5}, 1, {5, 0, 5, 5}},    // cut at the top
  };
  for (const Case& c : cases) {
    int32_t rect[4] = {c.rect[0], c.rect[1], c.rect[2], c.rect[3]};
    int32_t x0 = c.in[0], y0 = c.in[1], x1 = c.in[2], y1 = c.in[3];
    EXPECT_EQ(clip_line(rect, &x0, &y0, &x1, &y1), c.result);
    EXPECT_EQ(rect[0], 0);
    EXPECT_EQ(rect[2], 10);
    EXPECT_EQ((std::vector<int32_t>{x0, y0, x1, y1}), (std::vector<int32_t>{c.out[0], c.out[1], c.out[2], c.out[3]}));
  }
}

TEST_F(PanelDraw, ClippedLinesAndCirclesStayOnThePanel) {
  panel_draw_line_clipped(&t.panel, 20, 10, 100, 10, 7);
  EXPECT_EQ(count(7), 20);  // from x 20 to the last column 39
  panel_draw_line_clipped(&t.panel, -5, -5, -1, 100, 8);
  EXPECT_EQ(count(8), 0);
  draw_circle(&t.panel, 38, 15, 12, 9);  // partly off the panel
  EXPECT_GT(count(9), 0);
  draw_circle(&t.panel, 5, 5, 0, 10);
  EXPECT_EQ(count(10), 1);
  draw_circle(&t.panel, 5, 20, 1, 11);
  EXPECT_EQ(count(11), 5);  // a plus sign
  EXPECT_EQ(text_length_bs("A\bB"), 1);
  EXPECT_EQ(text_length_bs("\b\bAB"), 2);
}
