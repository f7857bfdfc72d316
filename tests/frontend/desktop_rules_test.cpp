// The value box's number, panel activation, pop-up placement and windows kept on a small screen.
#include <gtest/gtest.h>

#include <climits>

#include "frontend/logic/desktop_rules.h"

TEST(DesktopRules, ValueTextReadsLikeAtoi) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {{"-5", -5},         {"12abc", 12},        {"", 0},           {"abc", 0},     {"  +42", 42},
               {"\t-7 8", -7},     {"-", 0},             {"007", 7},        {"2147483647", INT32_MAX},
               {"-2147483648", INT32_MIN},
               // Beyond the int range the value is held at its ends instead of overflowing.
               {"99999999999999999999", INT32_MAX}, {"-99999999999999999999", INT32_MIN}, {"2147483648", INT32_MAX}};
  for (const auto& c : cases) EXPECT_EQ(parse_value_text(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(parse_value_text(nullptr), 0);
}

TEST(DesktopRules, PanelActivationCommands) {
  const uint32_t expected[18] = {0,    0,    0,    0,    1293, 1294, 1295, 1296, 1297,
                                 1298, 1299, 1300, 1301, 1305, 1304, 1303, 1306, 1307};
  for (int32_t type = 0; type < 18; ++type) EXPECT_EQ(panel_activation_command(type), expected[type]) << type;
  EXPECT_EQ(panel_activation_command(-1), 0u);
  EXPECT_EQ(panel_activation_command(18), 0u);
}

TEST(DesktopRules, PopupCentredOverTheArea) {
  const WindowRect r = centred_popup({100, 50, 825, 660}, 301, 201);
  EXPECT_EQ(r.x, 100 + 412 - 150);
  EXPECT_EQ(r.y, 50 + 330 - 100);
  EXPECT_EQ(r.width, 301);
  EXPECT_EQ(r.height, 201);
}

TEST(DesktopRules, WindowsKeptOnTheScreen) {
  const WindowRect screen{0, 0, 800, 600};
  const struct {
    WindowRect in, out;
  } cases[] = {
      {{10, 10, 300, 200}, {10, 10, 300, 200}},     // already on the screen
      {{640, 25, 234, 707}, {566, 0, 234, 600}},    // too tall and beyond the right edge
      {{-50, -20, 100, 100}, {0, 0, 100, 100}},     // above and left of the screen
      {{0, 0, 825, 715}, {0, 0, 800, 600}},         // larger than the screen
      {{700, 550, 300, 200}, {500, 400, 300, 200}}, // beyond the bottom right corner
  };
  for (const auto& c : cases) {
    const WindowRect r = keep_on_screen(c.in, screen);
    EXPECT_EQ(r.x, c.out.x);
    EXPECT_EQ(r.y, c.out.y);
    EXPECT_EQ(r.width, c.out.width);
    EXPECT_EQ(r.height, c.out.height);
  }
  const WindowRect offset = keep_on_screen({0, 0, 100, 100}, {1280, 0, 1024, 768});  // a second monitor
  EXPECT_EQ(offset.x, 1280);
}
