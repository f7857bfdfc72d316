// Integer sine, lengths, 2-D angles, the line stepper and segment rotations.
#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <vector>

#include "engine/core/maths.h"

namespace {

TEST(IntegerMaths, SineTable) {
  const int16_t* t = sine_table();
  const int16_t start[10] = {0, 18, 36, 54, 71, 89, 107, 125, 143, 160};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(t[i], start[i]);
  EXPECT_EQ(t[89], 1024);
  EXPECT_EQ(t[90], 1024);
  EXPECT_EQ(t[91], 1024);
  const int16_t end[6] = {89, 71, 54, 36, 18, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(t[175 + i], end[i]);
  for (int d = 0; d <= 180; ++d) EXPECT_EQ(t[d], t[180 - d]);
}

TEST(IntegerMaths, SinDegReduction) {
  struct Case {
    int32_t angle, expected;
  } cases[] = {{90, 1024},  {270, -1024}, {-90, -1024}, {450, 1024}, {360, 0},  {-360, 0},
               {180, 0},    {-181, 18},   {719, -18},   {1, 18},     {-1, -18}, {181, -18}};
  for (const auto& c : cases) EXPECT_EQ(sin_deg(c.angle), c.expected) << c.angle;
  EXPECT_EQ(cos_deg(0), 1024);
  EXPECT_EQ(cos_deg(180), -1024);
  // The extremes reduce without overflow.
  EXPECT_EQ(sin_deg(INT32_MIN), -sin_deg(static_cast<int32_t>((-(int64_t)INT32_MIN) % 360)));
  EXPECT_GE(cos_deg(INT32_MAX), -1024);
}

TEST(IntegerMaths, Hypot) {
  EXPECT_EQ(int_hypot3(3, 4, 0), 5);
  EXPECT_EQ(int_hypot3(-30000, -30000, -30000), 51961);
  EXPECT_EQ(int_hypot3(30000, 30000, 30000), 51961);
  EXPECT_EQ(int_hypot3(23999, 23999, 23999), static_cast<int32_t>(std::sqrt(3.0 * 23999 * 23999)));
  EXPECT_DOUBLE_EQ(hypot2(3, 4), 5.0);
  EXPECT_DOUBLE_EQ(hypot3(2, 3, 6), 7.0);
}

TEST(IntegerMaths, Atan2Deg) {
  struct Case {
    float x, y, expected;
  } cases[] = {{1, 0, 0}, {0, 1, 90}, {-1, 0, 180}, {0, -1, 270}, {1, -1, 315}, {0, 0, 90}, {1, 1, 45}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(atan2_deg(c.x, c.y), c.expected) << c.x << "," << c.y;
}

std::vector<int32_t> walk(int32_t i0, int32_t i1, int32_t v0, int32_t v1) {
  LineStepper s;
  line_stepper_init(&s, i0, i1, v0, v1);
  std::vector<int32_t> values;
  for (int32_t i = i0; i <= i1; ++i) {
    values.push_back(s.value);
    line_stepper_advance(&s);
  }
  return values;
}

TEST(IntegerMaths, LineStepper) {
  LineStepper s;
  line_stepper_init(&s, 0, 4, 0, 10);
  EXPECT_EQ(s.step, 2);
  EXPECT_EQ(s.remainder, 2);
  EXPECT_EQ(s.error, 2);
  EXPECT_EQ(walk(0, 4, 0, 10), (std::vector<int32_t>{0, 2, 5, 7, 10}));
  EXPECT_EQ(walk(0, 4, 10, 0), (std::vector<int32_t>{10, 8, 5, 3, 0}));
  line_stepper_init(&s, 7, 7, 3, 9);
  EXPECT_EQ(s.steps, 1);
  EXPECT_EQ(s.step, 6);
  // The last index always reaches the last value.
  for (int32_t n = 1; n < 40; ++n)
    for (int32_t d : {-97, -13, 0, 5, 64, 1000}) EXPECT_EQ(walk(0, n, 3, 3 + d).back(), 3 + d) << n << " " << d;
}

// Jumping k steps at once lands exactly where k single advances do, carries and signs included.
TEST(IntegerMaths, LineStepperJumpMatchesSteps) {
  struct Case {
    int32_t i0, i1, v0, v1;
  } cases[] = {{0, 60, 2, 40},     {0, 60, 40, 2},      {0, 7, -300, 1200}, {0, 1, 5, 5},
               {3, 3, 9, -4},      {0, 1000, 0, 65535}, {0, 999, 65535, 0}, {0, 5, -32768, 32767},
               {10, 2, 0, 100}};  // a negative step count is stepped one by one
  for (const Case& c : cases) {
    for (int32_t k : {0, 1, 2, 5, 17, 59, 60, 61, 1000}) {
      LineStepper jumped, stepped;
      line_stepper_init(&jumped, c.i0, c.i1, c.v0, c.v1);
      stepped = jumped;
      line_stepper_jump(&jumped, k);
      for (int32_t i = 0; i < k; ++i) line_stepper_advance(&stepped);
      EXPECT_EQ(jumped.value, stepped.value) << c.i1 << " " << c.v0 << " " << c.v1 << " k " << k;
      EXPECT_EQ(jumped.error, stepped.error) << c.i1 << " " << c.v0 << " " << c.v1 << " k " << k;
    }
  }
}

TEST(IntegerMaths, SegmentRotations) {
  SegmentRecord s{};
  s.dir_x = 0.6f;
  s.dir_y = 0.0f;
  s.dir_z = 0.8f;
  s.length = 5.0f;
  segment_direction(&s);
  EXPECT_FLOAT_EQ(s.vec_x, 3.0f);
  EXPECT_FLOAT_EQ(s.vec_y, 0.0f);
  EXPECT_FLOAT_EQ(s.vec_z, 4.0f);

  SegmentRecord r{};
  r.dir_y = 1.0f;
  r.length = 2.0f;
  r.angle_x = 90.0f;  // y turns into z
  segment_direction(&r);
  EXPECT_NEAR(r.vec_y, 0.0f, 1e-6);
  EXPECT_NEAR(r.vec_z, 2.0f, 1e-6);

  SegmentRecord q{};
  q.dir_x = 1.0f;
  q.length = 1.0f;
  q.angle_y = 90.0f;  // x turns into -z
  segment_direction(&q);
  EXPECT_NEAR(q.vec_x, 0.0f, 1e-6);
  EXPECT_NEAR(q.vec_z, -1.0f, 1e-6);

  SegmentRecord p{};
  p.dir_x = 1.0f;
  p.length = 1.0f;
  p.angle_z = 90.0f;  // x turns into y
  segment_direction(&p);
  EXPECT_NEAR(p.vec_x, 0.0f, 1e-6);
  EXPECT_NEAR(p.vec_y, 1.0f, 1e-6);
}

// Rotations give what sin and cos give, whatever angles came before: angles repeated, angles sharing a slot of the
// remembered sines, signed zeros, angles a hair apart and angles far out of range, interleaved.
TEST(IntegerMaths, SegmentRotationsMatchPlainSinAndCos) {
  auto turn = [](float& a, float& b, float degrees) {
    const double r = degrees / kDegreesPerRadian;
    const double sn = std::sin(r), cs = std::cos(r);
    const double na = a * cs - b * sn, nb = a * sn + b * cs;
    a = static_cast<float>(na);
    b = static_cast<float>(nb);
  };
  std::vector<float> angles = {0.0f, -0.0f, 90.0f, 30.0f, 30.000002f, -45.0f, 1e20f, -7.5e-30f, 359.5f, 720.25f};
  uint32_t state = 12345;
  for (int32_t i = 0; i < 5000; ++i) {
    state = state * 1664525u + 1013904223u;
    // Mostly whole degrees, as the tree makers turn by, now and then any float.
    angles.push_back(i % 7 == 0 ? std::bit_cast<float>(state & 0x7F7FFFFFu) : static_cast<float>(state >> 23) - 256.0f);
  }
  for (size_t i = 0; i < angles.size() * 3; ++i) {
    const float ax = angles[i % angles.size()], ay = angles[(i * 7 + 3) % angles.size()],
                az = angles[(i * 13 + 5) % angles.size()];
    SegmentRecord s{};
    s.dir_x = 0.48f;
    s.dir_y = -0.6f;
    s.dir_z = 0.64f;
    s.length = 3.5f;
    s.angle_x = ax;
    s.angle_y = ay;
    s.angle_z = az;
    segment_direction(&s);
    float x = s.dir_x * s.length, y = s.dir_y * s.length, z = s.dir_z * s.length;
    turn(y, z, ax);
    turn(z, x, ay);
    turn(x, y, az);
    ASSERT_EQ(std::bit_cast<uint32_t>(s.vec_x), std::bit_cast<uint32_t>(x)) << i;
    ASSERT_EQ(std::bit_cast<uint32_t>(s.vec_y), std::bit_cast<uint32_t>(y)) << i;
    ASSERT_EQ(std::bit_cast<uint32_t>(s.vec_z), std::bit_cast<uint32_t>(z)) << i;
  }
}

}  // namespace
