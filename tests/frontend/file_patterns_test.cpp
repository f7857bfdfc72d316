// The file dialog's patterns match names in any letter case.
#include <gtest/gtest.h>

#include "frontend/logic/file_patterns.h"

TEST(FilePatterns, LettersMatchEitherCase) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"*.TGA", "*.[tT][gG][aA]"},
               {"*.D4S;*.DEM", "*.[dD]4[sS];*.[dD][eE][mM]"},
               {"*.jpg", "*.[jJ][pP][gG]"},
               {"*", "*"},
               {"", ""},
               {"*.*", "*.*"},
               {"*.\xC3\xA9", "*.\xC3\xA9"}};  // bytes beyond ASCII stay as they are
  for (const auto& c : cases) EXPECT_EQ(case_free_pattern(c.in), c.out) << c.in;
}
