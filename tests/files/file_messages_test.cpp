// The common file and landscape messages.
#include "engine/files/file_messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/headless_host.h"

TEST(FileMessages, TextsButtonsAndResults) {
  struct Case {
    std::function<int32_t()> show;
    const char* text;
  };
  const Case cases[] = {
      {[] { return msg_error_opening("a.dem"); }, "Error opening file: \"a.dem\""},
      {[] { return msg_error_reading("a.dem"); }, "Error reading file: \"a.dem\""},
      {[] { return msg_error_writing("DEM\\b c.d4s"); }, "Error writing file: \"DEM\\b c.d4s\""},
      {[] { return msg_error_reading(nullptr); }, "Error reading file: \"\""},
      {[] { return not_a_landscape_msg("x.dem"); }, "Not a Dalvenor Landscape file."},
      {[] { return msg_file_too_big("x.dem"); }, "Landscape file too big!"},
      {[] { return msg_view_buffer_unavailable(); }, "View buffer not available!"},
  };
  for (const Case& c : cases) {
    ScopedHeadlessHost h;
    EXPECT_EQ(c.show(), 0);
    ASSERT_EQ(h->messages.size(), 1u);
    EXPECT_EQ(h->messages[0].text, c.text);
    EXPECT_EQ(h->messages[0].button1, "  OK  ");
    EXPECT_EQ(h->messages[0].button2, "");
  }
}
