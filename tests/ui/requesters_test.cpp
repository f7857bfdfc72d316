// Requesters: labels as given for questions, centred in six blanks for value prompts.
#include "engine/ui/requesters.h"

#include <gtest/gtest.h>

#include "tests/support/headless_host.h"

TEST(Requesters, QuestionShowsLabelsUnchanged) {
  ScopedHeadlessHost h;
  h->yes_no_answers = {1, 0};
  EXPECT_EQ(requester("Replace x ?", "Road", "Water"), 1);
  EXPECT_EQ(requester("Replace x ?", "Road", "Water"), 0);
  EXPECT_EQ(requester("Note", "  OK  ", nullptr), 1);
  EXPECT_EQ(h->messages[0].button1, "Road");
  EXPECT_EQ(h->messages[0].button2, "Water");
  EXPECT_EQ(h->messages[2].button2, "");
}

TEST(Requesters, ValuePromptPadsShortLabels) {
  struct Case {
    const char* label;
    const char* shown;
  };
  const Case cases[] = {{"OK", "  OK  "}, {"Cancel", "Cancel"}, {"Yes", " Yes  "},
                        {"", "      "},   {"Interpolate", "Interpolate"}};
  for (const Case& c : cases) {
    char out[64];
    pad_button_label(c.label, out, sizeof out);
    EXPECT_STREQ(out, c.shown) << c.label;
  }
  ScopedHeadlessHost h;
  int32_t value = 258;
  h->value_answers = {{1, 514}, {0, 1026}};
  EXPECT_EQ(value_requester("Enter desired landscape width:", "OK", "Cancel", &value), 1);
  EXPECT_EQ(value, 514);
  EXPECT_EQ(value_requester("Enter desired landscape width:", "OK", "Cancel", &value), 0);
  EXPECT_EQ(value, 514);  // unchanged on the second button
  EXPECT_EQ(h->messages[0].button1, "  OK  ");
  EXPECT_EQ(h->messages[0].button2, "Cancel");
}
