// Status line throttle and centring, progress read-out, abort polling and the periodic redraw.
#include "engine/ui/status.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/core/landscape_names.h"
#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/pointer.h"
#include "tests/support/engine_test.h"

namespace {
class StatusTest : public EngineTest {
 protected:
  void SetUp() override {
    user_abort = 0;
    h->now = 1000;
  }
  void TearDown() override {
    status_reset_state();
    user_abort = 0;
    reset_settings_defaults();
  }
  ScopedHeadlessHost h;
};
}  // namespace

TEST_F(StatusTest, SecondStatusWithin55msIsDroppedWithItsTitle) {
  show_status("first");
  h->advance(30);
  show_status("second");
  ASSERT_EQ(h->status_texts.size(), 1u);
  EXPECT_NE(h->status_texts[0].find("first"), std::string::npos);
  ASSERT_EQ(h->titles.size(), 1u);
  EXPECT_EQ(h->titles[0], "first");
  h->advance(25);  // 55 ms after the first drawing
  show_status("third");
  ASSERT_EQ(h->status_texts.size(), 2u);
  EXPECT_EQ(h->titles.back(), "third");
}

TEST_F(StatusTest, LineIsCentredInOrCutTo32Characters) {
  const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  show_status(forty.c_str());
  EXPECT_EQ(h->status_texts.back(), forty.substr(0, 32));
  EXPECT_EQ(h->titles.back(), forty);  // the title takes the whole text

  char line[33];
  status_line_text("0123456789", line);
  EXPECT_EQ(std::string(line).size(), 32u);
  EXPECT_EQ(std::string(line).find("0123456789"), 11u);
  status_line_text(nullptr, line);
  EXPECT_EQ(std::string(line), std::string(32, ' '));
}

TEST_F(StatusTest, WrappedClockResetsTheThrottleInsteadOfBlockingIt) {
  h->now = 0xFFFFFFF0u;
  show_status("before");
  h->now = 5;  // the counter wrapped
  show_status("just after");
  h->advance(55);
  show_status("later");
  ASSERT_EQ(h->status_texts.size(), 2u);
  EXPECT_NE(h->status_texts.back().find("later"), std::string::npos);
}

TEST_F(StatusTest, PrintfClearsToTheLandscapeNameThenFormats) {
  set_landscape_name("ignored");
  std::snprintf(landscape_file_name, sizeof landscape_file_name, "%s", "alps.d4s");
  show_status_printf("%c  X=%-6ld  Y=%-6ld", 'C', 1200, -35, 0);
  ASSERT_EQ(h->status_texts.size(), 2u);
  EXPECT_EQ(h->status_texts[0], std::string(12, ' ') + "alps.d4s" + std::string(12, ' '));
  EXPECT_EQ(h->titles[0], "Dalvenor Image");
  EXPECT_EQ(h->titles[1], "C  X=1200    Y=-35   ");
  landscape_file_name[0] = 0;
}

TEST_F(StatusTest, ProgressLastStepIsNotThrottled) {
  show_progress("Rendering", 98, 100);
  h->advance(10);
  show_progress("Rendering", 99, 100);
  ASSERT_EQ(h->progress_texts.size(), 2u);
  EXPECT_EQ(h->progress_texts[1], "Rendering: 99%");
  EXPECT_EQ(h->progress_bars[1], 283);
  EXPECT_EQ(h->titles.back(), "Rendering: 99%");
  h->advance(10);
  show_progress("Rendering", 100, 100);
  ASSERT_EQ(h->progress_texts.size(), 3u);
  EXPECT_EQ(h->progress_texts[2], "Rendering: 100%");
  EXPECT_EQ(h->progress_bars[2], 286);
}

TEST_F(StatusTest, ProgressThrottleAndUnchangedPercentage) {
  show_progress("Smoothing", 5, 100);
  EXPECT_EQ(h->progress_texts.back(), "Smoothing:  5%");
  EXPECT_EQ(h->progress_bars.back(), 30 + 5 * 256 / 100);
  h->advance(100);
  show_progress("Smoothing", 20, 100);  // 100 ms after: throttled
  EXPECT_EQ(h->progress_texts.size(), 1u);
  h->advance(65);
  show_progress("Smoothing", 20, 100);  // 165 ms after: drawn
  EXPECT_EQ(h->progress_texts.size(), 2u);
  h->advance(1000);
  show_progress("Smoothing", 20, 100);  // same percentage: nothing
  EXPECT_EQ(h->progress_texts.size(), 2u);
}

TEST_F(StatusTest, ProgressNeverDividesByZeroAndKeepsTheBarInTheStrip) {
  show_progress("Empty", 0, 0);
  EXPECT_EQ(h->progress_texts.back(), "Empty:  0%");
  EXPECT_EQ(h->progress_bars.back(), 30);
  show_progress("Empty", 5, 0);  // done beyond the total: the bar stops at the strip's end
  EXPECT_EQ(h->progress_bars.back(), 286);
  EXPECT_EQ(h->progress_texts.back(), "Empty: 100%");
  status_reset_state();
  show_progress("Big", 2000000000, 2100000000);  // no overflow of done * 256
  EXPECT_EQ(h->progress_bars.back(), 30 + static_cast<int32_t>(2000000000LL * 256 / 2100000000));
}

TEST_F(StatusTest, PollStopsOnUserAbortOnceAndOnRenderAbortUntilCleared) {
  user_abort = 1;
  EXPECT_EQ(poll_user_abort(), -1);
  EXPECT_EQ(user_abort, 0);
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), 1);

  render_abort = 1;
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), -1);
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), -1);
  render_abort = 0;
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), 1);
}

TEST_F(StatusTest, PollStopsOnEscOnceAndPollsAtMostOncePerTick) {
  EXPECT_EQ(poll_user_abort(), 1);
  h->keys.push_back(kKeyEsc);
  EXPECT_EQ(poll_user_abort(), 1);  // same tick: nothing polled
  EXPECT_EQ(h->keys.size(), 1u);
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), -1);
  EXPECT_EQ(h->invalidations, 1);
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), 1);  // the stop was reported once
  h->keys.push_back('a');
  h->advance(1);
  EXPECT_EQ(poll_user_abort(), 1);  // other keys do not stop
}

TEST_F(StatusTest, PollStopsOnTheRightButtonOnlyWithFocus) {
  struct Case {
    int32_t buttons, swapped, focus, result;
  };
  const Case cases[] = {
      {kHostButtonRight, 0, 1, -1},
      {kHostButtonRight, 1, 1, -1},  // the physical right button, whatever the swap
      {kHostButtonRight, 0, 0, 1},
      {kHostButtonLeft, 0, 1, 1},
      {kHostButtonLeft | kHostButtonRight, 0, 1, -1},
  };
  for (const Case& c : cases) {
    h->buttons = c.buttons;
    h->swapped = c.swapped;
    h->focus = c.focus;
    detect_swapped_buttons();
    h->advance(1);
    EXPECT_EQ(poll_user_abort(), c.result) << c.buttons << " " << c.swapped << " " << c.focus;
  }
  h->buttons = 0;
  h->swapped = 0;
  detect_swapped_buttons();
}

TEST_F(StatusTest, PollPumpsAtMost1000MessagesEvery10ms) {
  h->pending_messages = 1500;
  EXPECT_EQ(poll_user_abort(), 1);
  EXPECT_EQ(h->pending_messages, 500);
  EXPECT_EQ(in_dispatch, 0);
  h->advance(10);
  poll_user_abort();
  EXPECT_EQ(h->pending_messages, 500);  // only 10 ms: no pump
  h->advance(1);
  poll_user_abort();
  EXPECT_EQ(h->pending_messages, 0);
}

TEST_F(StatusTest, PeriodicRedrawAndAdaptiveInterval) {
  render_settings.view_mode = 2;
  render_settings.redraw_interval = 5;
  h->now = 5000;
  poll_user_abort();
  EXPECT_TRUE(h->window_events.empty());  // not more than 5 s since the last redraw
  h->now = 5001;
  h->tick_step = 7000;  // the redraw takes 7 s
  poll_user_abort();
  h->tick_step = 0;
  ASSERT_EQ(h->window_events.size(), 1u);
  EXPECT_EQ(h->window_events[0], "redraw");
  EXPECT_EQ(render_settings.redraw_interval, 35);

  render_settings.view_mode = 1;
  repaint_pending = 1;
  h->advance(1);
  poll_user_abort();
  EXPECT_EQ(h->window_events.size(), 2u);
  EXPECT_EQ(repaint_pending, 0);
  h->advance(1);
  poll_user_abort();
  EXPECT_EQ(h->window_events.size(), 2u);
}

TEST_F(StatusTest, SleepAdvancesTheClock) {
  sleep_ms(40);
  EXPECT_EQ(tick_count(), 1040u);
}
