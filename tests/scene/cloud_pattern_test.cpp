// The cloud pattern and settings: ramp bounds and colours, lining, the seeded fractal and its guards.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/scene/cloud_pattern.h"
#include "tests/support/engine_test.h"

namespace {

class CloudPatternTest : public EngineTest {
 protected:
  static std::vector<uint8_t> pattern() { return {cloud_pattern, cloud_pattern + kCloudPatternBytes}; }
  static uint32_t alpha(int32_t v) { return cloud_ramp[v] >> 24; }
};

TEST_F(CloudPatternTest, StartValues) {
  const CloudSettings& s = cloud_settings;
  EXPECT_EQ(s.cloud_ramp_low, 96);
  EXPECT_EQ(s.cloud_ramp_high, 128);
  EXPECT_EQ(s.cloud_altitude, 4000);
  EXPECT_EQ(s.cloud_density, 40);
  EXPECT_EQ(s.cloud_hardness, 50);
  EXPECT_EQ(s.cloud_subdiv_size, 11);
  EXPECT_EQ(s.cloud_subdiv_depth, 6);
  EXPECT_EQ(s.cloud_scale, 8);
  EXPECT_EQ(s.cloud_lining, 20);
  EXPECT_EQ(clouds_enabled, 0);
}

TEST_F(CloudPatternTest, RampBoundsFromDensityAndHardness) {
  struct Case {
    int32_t density, hardness, stored_density, stored_hardness, low, high;
  };
  const Case cases[] = {
      {40, 50, 40, 50, 128, 178},    // start-up values
      {40, 100, 40, 100, 153, 153},  // a hard edge
      {0, 50, 0, 50, 230, 280},      // base 255
      {100, 0, 100, 0, -50, 50},     // base 0, softest edge
      {150, -5, 100, 0, -50, 50},    // both clamped
  };
  for (const Case& c : cases) {
    set_cloud_density(c.density);
    set_cloud_hardness(c.hardness);
    EXPECT_EQ(cloud_settings.cloud_density, c.stored_density) << c.density;
    EXPECT_EQ(cloud_settings.cloud_hardness, c.stored_hardness) << c.hardness;
    EXPECT_EQ(cloud_settings.cloud_ramp_low, c.low) << c.density << " " << c.hardness;
    EXPECT_EQ(cloud_settings.cloud_ramp_high, c.high) << c.density << " " << c.hardness;
  }
}

TEST_F(CloudPatternTest, RampAlphaBetweenTheBounds) {
  set_cloud_density(40);
  set_cloud_hardness(50);  // 128 and 178
  build_cloud_color_ramp();
  EXPECT_EQ(alpha(0), 0u);
  EXPECT_EQ(alpha(127), 0u);
  EXPECT_EQ(alpha(128), 0u);
  EXPECT_EQ(alpha(153), 127u);  // (25 * 255) / 50
  EXPECT_EQ(alpha(178), 255u);
  EXPECT_EQ(alpha(255), 255u);
  for (int32_t v = 1; v < 256; ++v) EXPECT_GE(alpha(v), alpha(v - 1)) << v;

  set_cloud_hardness(100);  // hard edge at 153: the divisor counts as 1
  build_cloud_color_ramp();
  EXPECT_EQ(alpha(152), 0u);
  EXPECT_EQ(alpha(153), 0u);
  EXPECT_EQ(alpha(154), 255u);

  set_cloud_density(100);
  set_cloud_hardness(0);  // -50 and 50
  build_cloud_color_ramp();
  EXPECT_EQ(alpha(0), 127u);
  EXPECT_EQ(alpha(51), 255u);
}

TEST_F(CloudPatternTest, RampColourIsTheCloudColourWithLining) {
  color_table[76] = {0, 200, 100, 250};
  set_cloud_density(40);
  set_cloud_hardness(50);
  build_cloud_color_ramp();
  EXPECT_EQ(cloud_ramp[0], 0x00DC78FFu);    // transparent: + 20, blue saturates
  EXPECT_EQ(cloud_ramp[255], 0xFFC864FAu);  // opaque: no lining
}

TEST_F(CloudPatternTest, LiningColour) {
  struct Case {
    uint32_t in, out;
  };
  const Case cases[] = {
      {0x00102030u, 0x00243444u},  // + 20
      {0xFFFFFFFFu, 0xFFFFFFFFu},  // opaque: unchanged
      {0xFA102030u, 0xFA152535u},  // alpha 250: only 5 added
      {0x00F0F0F0u, 0x00FFFFFFu},  // channels saturate
  };
  for (const Case& c : cases) EXPECT_EQ(cloud_lining_color(c.in), c.out) << std::hex << c.in;
}

TEST_F(CloudPatternTest, SettersAndFractalDetail) {
  set_cloud_altitude(-300);
  set_cloud_lining(99);
  EXPECT_EQ(cloud_settings.cloud_altitude, -300);
  EXPECT_EQ(cloud_settings.cloud_lining, 99);
  fractal_clouds_off();
  EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 0);
  cloud_settings.cloud_subdiv_size = 3;
  fractal_clouds_on();
  EXPECT_EQ(cloud_settings.cloud_subdiv_size, 11);
  EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 6);
}

TEST_F(CloudPatternTest, RandomOffsetStaysWithinTwiceTheAmplitude) {
  random_seed(99);
  int32_t lo = 0, hi = 0;
  for (int32_t i = 0; i < 5000; ++i) {
    const int32_t v = cloud_random_offset(32);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_EQ(lo, -64);
  EXPECT_EQ(hi, 63);
}

TEST_F(CloudPatternTest, StartupPatternCentreRange) {
  random_seed(123456);
  int32_t lowest = 0, highest = 0;
  generate_cloud_pattern_range(32, &lowest, &highest);
  EXPECT_EQ(lowest, 100);
  EXPECT_EQ(highest, 156);
}

TEST_F(CloudPatternTest, InitCloudsMakesTheSeededPatternAndBounds) {
  cloud_settings.cloud_scale = 0;
  init_clouds();
  EXPECT_EQ(cloud_settings.cloud_scale, 8);
  EXPECT_EQ(cloud_settings.cloud_ramp_low, 128);
  EXPECT_EQ(cloud_settings.cloud_ramp_high, 178);
  const auto first = pattern();
  random_seed(123456);
  generate_cloud_pattern(32);
  EXPECT_EQ(pattern(), first);
  // The pattern spreads over the byte range, with both clear and dense parts.
  int32_t clear = 0, dense = 0;
  for (uint8_t v : first) {
    clear += v < 128;
    dense += v > 178;
  }
  EXPECT_GT(clear, 1000);
  EXPECT_GT(dense, 1000);
}

TEST_F(CloudPatternTest, SameSeedSamePatternOtherSeedOtherPattern) {
  for (int32_t f : {128, 64, 32, 16}) {
    random_seed(7);
    generate_cloud_pattern(f);
    const auto a = pattern();
    random_seed(7);
    generate_cloud_pattern(f);
    EXPECT_EQ(pattern(), a) << f;
    random_seed(8);
    generate_cloud_pattern(f);
    EXPECT_NE(pattern(), a) << f;
  }
}

TEST_F(CloudPatternTest, StretchSaturatesInsteadOfWrapping) {
  // Sampled range 100..156: the highest sample itself gives 256 and must stay dense, not turn clear.
  EXPECT_EQ(cloud_stretch(156, 100, 56), 255);
  EXPECT_EQ(cloud_stretch(200, 100, 56), 255);
  EXPECT_EQ(cloud_stretch(100, 100, 56), 0);
  EXPECT_EQ(cloud_stretch(90, 100, 56), 0);  // below the sampled range: clear, not dense
  EXPECT_EQ(cloud_stretch(128, 100, 56), 128);
  EXPECT_EQ(cloud_stretch(5, 5, 0), 0);  // a range of 0 counts as 1
}

TEST_F(CloudPatternTest, SmallestScaleKeepsDenseCloudDense) {
  // With the smallest pattern size the centre samples are exactly the seed points, and samples beyond their
  // range are common. Saturated, a dense sample's smoothed neighbourhood stays dense: no single dense sample
  // sits beside a run of clear ones as a wrapped value would leave.
  random_seed(123456);
  generate_cloud_pattern(16);
  int32_t jumps = 0;
  for (int32_t r = 1; r < 255; ++r)
    for (int32_t c = 1; c < 255; ++c) {
      const int32_t v = cloud_pattern[r * 256 + c], right = cloud_pattern[r * 256 + c + 1];
      jumps += std::abs(v - right) > 128;
    }
  EXPECT_EQ(jumps, 0);
}

TEST_F(CloudPatternTest, FeatureSizeGuardsDamagedScales) {
  struct Case {
    int32_t scale, feature;
  };
  const Case cases[] = {{2, 128}, {4, 64}, {8, 32}, {16, 16}, {0, 32}, {1, 32}, {17, 32}, {-8, 32}, {1 << 30, 32}};
  for (const Case& c : cases) EXPECT_EQ(cloud_feature_for_scale(c.scale), c.feature) << c.scale;
}

TEST_F(CloudPatternTest, OutOfRangeFeatureSizesFinish) {
  // Feature sizes that give a seed spacing below 1 or beyond the pattern still make a whole pattern.
  for (int32_t f : {0, 1, 3, -8, -1000, 1024, 1 << 30}) {
    random_seed(5);
    std::memset(cloud_pattern, 7, sizeof cloud_pattern);
    generate_cloud_pattern(f);
    SUCCEED() << f;
  }
}

TEST_F(CloudPatternTest, CopyOutAndReplace) {
  std::vector<uint8_t> in(kCloudPatternBytes);
  for (int32_t i = 0; i < kCloudPatternBytes; ++i) in[i] = static_cast<uint8_t>(i * 7 + i / 256);
  cloud_pattern_replace(in.data());
  std::vector<uint8_t> out(kCloudPatternBytes, 0);
  cloud_pattern_copy_out(out.data());
  EXPECT_EQ(out, in);
  EXPECT_EQ(cloud_pattern[1 * 256 + 2], in[258]);
}

}  // namespace
