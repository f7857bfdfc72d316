// Random streams: the worked values, position hashes independent of earlier draws, and the derived draws.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/headless_host.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"

namespace {

std::vector<int32_t> draws(int n) {
  std::vector<int32_t> v;
  for (int i = 0; i < n; ++i) v.push_back(random8());
  return v;
}

TEST(RandomStreams, WorkedValuesFromInitialStateAndSeed) {
  random_seed(1);
  EXPECT_EQ(draws(5), (std::vector<int32_t>{70, -2, 1, -21, -53}));
  random_seed(12345);
  EXPECT_EQ(draws(3), (std::vector<int32_t>{92, -124, -27}));
}

TEST(RandomStreams, RandomAt2WorkedValues) {
  struct Case {
    int32_t x, y, expected;
  } cases[] = {
      {0, 0, -925023934},       {1, 1, 2090607567},          {100, 200, 1744481418},
      {-5, 7, -386793349},      {3000, -3000, -1733341208},
  };
  for (const auto& c : cases) EXPECT_EQ(random_at2(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(RandomStreams, RandomAt2ZeroCoordinatesAndIndependence) {
  EXPECT_EQ(random_at2(0, 77), random_at2(123, 77));
  EXPECT_EQ(random_at2(55, 0), random_at2(55, 234));
  const int32_t first = random_at2(17, -4);
  random_seed(999);
  draws(13);
  random32();
  EXPECT_EQ(random_at2(17, -4), first);
  // Extreme coordinates divide without overflow.
  random_at2(INT32_MIN, INT32_MIN);
  random_at2(-1, -1);
}

TEST(RandomStreams, RandomAt2SeedsTheGeneralStream) {
  const int32_t seed = random_at2(10, 20);
  const int32_t a = random8_from(static_cast<uint32_t>(seed));
  const int32_t b = random8();
  random_seed(5);
  EXPECT_EQ(random8_from(static_cast<uint32_t>(seed)), a);
  EXPECT_EQ(random8(), b);
}

TEST(RandomStreams, RoughnessOffsetTruncatesTowardZeroAndUsesThreeDraws) {
  reset_settings_defaults();
  terrain_settings.fractal_roughness = 1;
  // With a = 1 every product is far below 2^17: the result is 0 whatever its sign.
  random_seed(3);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(rand_roughness_offset(1), 0);
  random_seed(3);
  for (int i = 0; i < 50; ++i) rand_roughness_offset(1);
  const int32_t after_offsets = random8();
  random_seed(3);
  draws(150);
  EXPECT_EQ(random8(), after_offsets);
  terrain_settings.fractal_roughness = 0;
  EXPECT_EQ(rand_roughness_offset(1000), 0);
  reset_settings_defaults();
}

TEST(RandomStreams, AmplitudeRange) {
  random_seed(77);
  int32_t lo = 1 << 30, hi = -(1 << 30);
  for (int i = 0; i < 20000; ++i) {
    const int32_t v = rand_amplitude(64);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_GE(lo, -222);
  EXPECT_LE(hi, 288);
}

TEST(RandomStreams, AmplitudeI16ScalesByLineRoughness) {
  reset_settings_defaults();
  terrain_settings.line_roughness = 0;
  random_seed(8);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(rand_amplitude_i16(200), 0);
  terrain_settings.line_roughness = 32;  // (t * 32) >> 5 == t: the same as the unscaled amplitude
  for (uint32_t seed = 1; seed < 200; ++seed) {
    random_seed(seed);
    const int32_t scaled = rand_amplitude_i16(50);
    random_seed(seed);
    EXPECT_EQ(scaled, rand_amplitude(50)) << seed;
  }
  reset_settings_defaults();
}

TEST(RandomStreams, FractalSeedFromClockUsesLowBytes) {
  ScopedHeadlessHost h;
  h->now = 4242;
  new_fractal_seed();
  random_seed(4242);
  const uint32_t r1 = static_cast<uint32_t>(random8()) & 255, r2 = static_cast<uint32_t>(random8()) & 255;
  const uint32_t r3 = static_cast<uint32_t>(random8()) & 255, r4 = static_cast<uint32_t>(random8()) & 255;
  EXPECT_EQ(static_cast<uint32_t>(terrain_settings.fractal_seed), (r1 << 24) | (r2 << 16) | (r3 << 8) | r4);
  reset_settings_defaults();
}

}  // namespace
