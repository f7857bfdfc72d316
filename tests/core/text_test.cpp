// Bounded copies: cut to fit, always ended, null taken as empty.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/text.h"

TEST(TextCopy, CutsToFitAndAlwaysEnds) {
  char out[6];
  std::memset(out, 'x', sizeof out);
  copy_text(out, "abc", sizeof out);
  EXPECT_STREQ(out, "abc");
  copy_text(out, "abcdefgh", sizeof out);
  EXPECT_STREQ(out, "abcde");
  copy_text(out, nullptr, sizeof out);
  EXPECT_STREQ(out, "");
}

TEST(TextCopy, AppendCutsToFit) {
  char out[6] = "ab";
  append_text(out, "cd", sizeof out);
  EXPECT_STREQ(out, "abcd");
  append_text(out, "efgh", sizeof out);
  EXPECT_STREQ(out, "abcde");
  append_text(out, "z", sizeof out);  // full: nothing more fits
  EXPECT_STREQ(out, "abcde");
}
