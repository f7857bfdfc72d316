// The render window: fitting and scroll ranges, the pan and scale table, drawing into its canvas, images of
// any size, tiny windows, and stopping a render by the right button, Esc and closing.
#include "engine/raster/render_window.h"

#include <gtest/gtest.h>

#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"
#include "tests/raster/raster_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {
class RenderWindowTest : public RasterTest {
 protected:
  void SetUp() override {
    RasterTest::SetUp();
    render_window_reset();
    saved_screen_w = render_screen_width;
    saved_screen_h = render_screen_height;
    in_dispatch = 0;
  }
  void TearDown() override {
    render_screen_width = saved_screen_w;
    render_screen_height = saved_screen_h;
    in_dispatch = 0;
    render_window_reset();
    RasterTest::TearDown();
  }
  // An image whose pixel (x, y) is x + 4096 * y, so that every pixel tells where it came from.
  void image(int32_t w, int32_t h) {
    ASSERT_EQ(set_image_size(w, h), 1);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) vidmem24_row(y)[x] = static_cast<uint32_t>(x + 4096 * y);
  }
  uint32_t shown(int32_t x, int32_t y) {
    Canvas* c = render_canvas();
    if (x < 0 || y < 0 || x >= c->width || y >= c->height) return 0xFFFFFFFFu;  // off the window
    return c->rgb[static_cast<size_t>(y) * c->width + x];
  }
  int32_t saved_screen_w = 0, saved_screen_h = 0;
};
}  // namespace

TEST_F(RenderWindowTest, LargeImageStartsCentredAndEndShowsTheCorner) {
  render_screen_width = 640;
  render_screen_height = 480;
  image(1000, 800);
  render_window_fit(1);
  // Client 632 by 435, less the bars: 616 by 419.
  EXPECT_EQ(render_vscroll_steps, 8);
  EXPECT_EQ(render_hscroll_steps, 8);
  EXPECT_EQ(render_client_width, 616);
  EXPECT_EQ(render_client_height, 419);
  EXPECT_EQ(render_scroll_x, (1000 - 616) / 2);
  EXPECT_EQ(render_scroll_y, (800 - 419) / 2);
  EXPECT_EQ(render_menu, std::string("RENDERING"));
  render_window_release();
  render_window_message(kRenderKeyDown, kKeyEnd, 0);
  EXPECT_EQ(render_scroll_x, 1000 - 616 - 1);
  EXPECT_EQ(render_scroll_y, 800 - 419 - 1);
  EXPECT_EQ(render_hscroll_pos, 8);  // a fraction of 50 counts as a whole step
  render_window_message(kRenderPaint, 0, 0);
  EXPECT_EQ(shown(0, 0), static_cast<uint32_t>(383 + 4096 * 380));
  EXPECT_EQ(shown(615, 418), static_cast<uint32_t>(998 + 4096 * 798));
}

TEST_F(RenderWindowTest, PanTable) {
  render_screen_width = 640;
  render_screen_height = 480;
  image(1000, 800);
  render_window_fit(1);
  render_window_release();
  struct Case {
    int32_t command, x, y;
  };
  // Starting from the top left corner each time.
  const Case cases[] = {{1, 0, 0},   {2, 0, 20},  {3, 20, 0},  {4, 0, 0},     {7, 100, 0},   {9, 0, 0},
                        {10, 0, 100}, {12, 0, 380}, {13, 383, 0}, {14, 383, 380}, {6, 192, 190}, {0, 0, 0}};
  for (const Case& c : cases) {
    render_scroll_x = render_scroll_y = 0;
    render_blit(c.command, 0, nullptr);
    EXPECT_EQ(render_scroll_x, c.x) << c.command;
    EXPECT_EQ(render_scroll_y, c.y) << c.command;
  }
  render_scroll_x = 5000;  // beyond the image: command 0 brings it back
  render_blit(0, 0, nullptr);
  EXPECT_EQ(render_scroll_x, 1000 - 616);
  render_blit(5, 0, nullptr);
  EXPECT_EQ(scaled_view, 1);
  render_blit(8, 0, nullptr);  // any pan switches scaling off
  EXPECT_EQ(scaled_view, 0);
}

TEST_F(RenderWindowTest, SmallImageIsCentredAndDoesNotPan) {
  image(320, 200);
  render_window_fit(1);
  render_window_release();
  render_window_message(kRenderSize, 500, 400);
  EXPECT_EQ(render_hscroll_steps, 0);
  render_window_message(kRenderKeyDown, kKeyDown, 0);
  render_window_message(kRenderKeyDown, kKeyRight, 0);
  EXPECT_EQ(render_scroll_x, 0);
  EXPECT_EQ(render_scroll_y, 0);
  render_window_message(kRenderPaint, 0, 0);
  EXPECT_EQ(shown(90, 100), 0u);                           // the image's top left pixel
  EXPECT_EQ(shown(90 + 319, 100 + 199), static_cast<uint32_t>(319 + 4096 * 199));
  EXPECT_EQ(shown(89, 100), 0u);
}

TEST_F(RenderWindowTest, ScaleShowsEverySecondRowAndColumn) {
  render_screen_width = 2000;
  render_screen_height = 1600;
  image(1600, 1200);
  render_window_fit(1);
  render_window_release();
  render_window_message(kRenderSize, 800, 600);  // the bars appear
  render_window_message(kRenderSize, 800, 600);  // and the client beside them is 800 by 600
  ASSERT_EQ(render_client_width, 800);
  ASSERT_EQ(render_client_height, 600);
  render_window_message(kRenderKeyDown, kKeyPadStar, 0);
  EXPECT_EQ(scaled_view, 1);
  render_window_message(kRenderPaint, 0, 0);
  const int32_t ox = (render_client_width - 800) / 2, oy = (render_client_height - 600) / 2;
  EXPECT_EQ(shown(ox + 1, oy + 1), static_cast<uint32_t>(2 + 4096 * 2));
  EXPECT_EQ(shown(ox + 10, oy + 3), static_cast<uint32_t>(20 + 4096 * 6));
  write_canvas_png(*render_canvas(), artifacts_folder() + "/ui/render_window_scaled.png");
  render_window_message(kRenderKeyDown, kKeyLeft, 0);
  EXPECT_EQ(scaled_view, 0);
}

TEST_F(RenderWindowTest, TinyWindowsAndWideImages) {
  render_screen_width = 4000;
  image(3200, 40);  // wider than 3000
  render_window_fit(1);
  render_window_release();
  render_window_message(kRenderPaint, 0, 0);
  EXPECT_EQ(shown(3199, 39), static_cast<uint32_t>(3199 + 4096 * 39));
  render_window_message(kRenderSize, 1, 1);
  render_blit(5, 1, nullptr);
  render_window_message(kRenderPaint, 0, 0);  // scaled into one pixel: no division by zero
  render_window_message(kRenderSize, 0, 0);
  render_window_message(kRenderPaint, 0, 0);
  SUCCEED();
}

TEST_F(RenderWindowTest, StopByRightButtonEscAndClose) {
  image(64, 48);
  render_window_fit(1);
  render_set_busy(1);
  in_dispatch = 1;  // messages taken from inside the render
  struct Case {
    int32_t message, a;
  };
  for (const Case c : {Case{kRenderClose, 0}, Case{kRenderRightUp, 0}, Case{kRenderKeyDown, kKeyEsc}}) {
    render_abort = 0;
    render_window_message(c.message, c.a, 0);
    EXPECT_EQ(render_abort, 1) << c.message;
    EXPECT_EQ(render_canvas()->visible, 1);  // the window stays
    EXPECT_EQ(poll_user_abort(), -1);
  }
  render_window_message(kRenderPaint, 0, 0);
  in_dispatch = 0;
  render_set_busy(0);
  EXPECT_EQ(render_abort, 0);
  render_window_release();
  render_window_message(kRenderClose, 0, 0);  // afterwards closing hides it
  EXPECT_EQ(render_canvas()->visible, 0);
  EXPECT_EQ(render_abort, 0);
}

TEST_F(RenderWindowTest, NarrowWindowGetsTheSmallMenu) {
  image(100, 50);
  render_window_fit(1);
  render_window_release();
  EXPECT_EQ(render_menu, std::string("SMALL_MENU"));
  image(200, 50);
  render_window_fit(1);
  render_window_release();
  EXPECT_EQ(render_menu, std::string("RENDER_EXIT"));
}

TEST_F(RenderWindowTest, ScrollBarsPanByLinePageAndThumb) {
  render_screen_width = 640;
  render_screen_height = 480;
  image(1000, 800);
  render_window_fit(1);
  render_window_release();
  // Client 616 by 419 beside the bars; the view starts centred at (192, 190) and the bars show it there.
  EXPECT_EQ(render_hscroll_pos, 4);
  EXPECT_EQ(render_vscroll_pos, 4);
  struct Case {
    int32_t message, code, position, x, y;
  };
  const Case cases[] = {
      {kRenderVScroll, 0, 0, 192, 170},         // line up: 20 pixels
      {kRenderVScroll, 1, 0, 192, 210},         // line down
      {kRenderVScroll, 2, 0, 192, 90},          // page up: 100 pixels
      {kRenderVScroll, 3, 0, 192, 290},         // page down
      {kRenderHScroll, 0, 0, 172, 190},         // line left
      {kRenderHScroll, 1, 0, 212, 190},         // line right
      {kRenderHScroll, 2, 0, 92, 190},          // page left
      {kRenderHScroll, 3, 0, 292, 190},         // page right
      {kRenderVScroll, 4, 2, 192, 100},         // thumb: 50 pixels a step
      {kRenderHScroll, 4, 3, 150, 190},
      {kRenderVScroll, 4, 8, 192, 800 - 419},   // the last step stops at the bottom edge
      {kRenderHScroll, 4, 99, 1000 - 616, 190}, // a position beyond the range too
      {kRenderHScroll, 4, -5, 0, 190},          // and a negative one at the left edge
  };
  for (const Case& c : cases) {
    render_scroll_x = 192;
    render_scroll_y = 190;
    render_window_message(c.message, c.code, c.position);
    EXPECT_EQ(render_scroll_x, c.x) << c.message << " " << c.code << " " << c.position;
    EXPECT_EQ(render_scroll_y, c.y) << c.message << " " << c.code << " " << c.position;
    // The bar follows the view: a fraction of 50 pixels counts as a whole step.
    if (c.message == kRenderVScroll) EXPECT_EQ(render_vscroll_pos, (c.y + 49) / 50) << c.code;
    else EXPECT_EQ(render_hscroll_pos, (c.x + 49) / 50) << c.code;
  }
  // While messages are taken from inside a render, the thumb and the page keys do not pan.
  in_dispatch = 1;
  render_scroll_x = 192;
  render_scroll_y = 190;
  render_window_message(kRenderVScroll, 4, 0);
  render_window_message(kRenderHScroll, 2, 0);
  render_window_message(kRenderVScroll, 3, 0);
  EXPECT_EQ(render_scroll_x, 192);
  EXPECT_EQ(render_scroll_y, 190);
}

TEST_F(RenderWindowTest, ResizingSetsTheBarsForTheNewClientArea) {
  render_screen_width = 2000;
  render_screen_height = 2000;
  image(400, 300);
  render_window_fit(1);
  render_window_release();
  EXPECT_EQ(render_vscroll_steps, 0);
  EXPECT_EQ(render_hscroll_steps, 0);
  struct Case {
    int32_t cw, ch, v, h, client_w, client_h;
  };
  const Case cases[] = {
      {400, 300, 0, 0, 400, 300},  // the image fits: no bars
      {400, 250, 1, 1, 384, 234},  // taller than the window: the vertical bar takes width, then a horizontal bar
      {300, 300, 1, 2, 284, 284},  // wider: the horizontal bar takes height, so the vertical bar comes too
      {390, 400, 0, 1, 390, 384},  // only wider, with room for the horizontal bar
      {100, 60, 5, 7, 84, 44},
  };
  for (const Case& c : cases) {
    // The size message gives the client area beside the bars shown at the time.
    render_window_message(kRenderSize, c.cw - (render_vscroll_steps > 0 ? kRenderScrollBar : 0),
                          c.ch - (render_hscroll_steps > 0 ? kRenderScrollBar : 0));
    EXPECT_EQ(render_vscroll_steps, c.v) << c.cw << "x" << c.ch;
    EXPECT_EQ(render_hscroll_steps, c.h) << c.cw << "x" << c.ch;
    EXPECT_EQ(render_client_width, c.client_w) << c.cw << "x" << c.ch;
    EXPECT_EQ(render_client_height, c.client_h) << c.cw << "x" << c.ch;
    EXPECT_EQ(render_pan_menu_enabled(), c.v || c.h ? 1 : 0);
    EXPECT_EQ(render_canvas()->width, c.cw);
    EXPECT_EQ(render_canvas()->height, c.ch);
  }
}
