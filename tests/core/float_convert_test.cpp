// Checked float-to-integer conversions: truncation toward zero, NaN as 0, out-of-range values at the limits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/core/float_convert.h"

namespace {

TEST(FloatConvert, TruncatesAndClamps) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double v;
    int32_t i32;
    int16_t i16;
  };
  const Case cases[] = {{2.9, 2, 2},         {-2.9, -2, -2},         {0.0, 0, 0},
                        {nan, 0, 0},         {inf, INT32_MAX, 32767}, {-inf, INT32_MIN, -32768},
                        {3e9, INT32_MAX, 32767}, {-3e9, INT32_MIN, -32768}, {40000.5, 40000, 32767},
                        {2147483646.9, 2147483646, 32767}};
  for (const Case& c : cases) {
    EXPECT_EQ(trunc_to_i32(c.v), c.i32) << c.v;
    EXPECT_EQ(trunc_to_i16(c.v), c.i16) << c.v;
  }
  EXPECT_EQ(trunc_to_i64(nan), 0);
  EXPECT_EQ(trunc_to_i64(inf), INT64_MAX);
  EXPECT_EQ(trunc_to_i64(-1e300), INT64_MIN);
  EXPECT_EQ(trunc_to_i64(-7.5), -7);
  EXPECT_EQ(clamp_i32(int64_t{1} << 40, 0, 255), 255);
  EXPECT_EQ(clamp_i32(-5, 0, 255), 0);
}

}  // namespace
