// Haze measurement and final colour: distance, haze term, mixing, exposure and the guards on odd settings.
#include <gtest/gtest.h>

#include <random>

#include "engine/core/float_convert.h"

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/raster/haze.h"
#include "tests/support/engine_test.h"

namespace {

class HazeTest : public EngineTest {
 protected:
  void SetUp() override {
    camera_state.camera_x = camera_state.camera_y = camera_state.camera_z = 0.0f;
    landscape_view.base_level = 0;
    haze_factor = 0.0f;
    point_distance = 0.0f;
  }
  void TearDown() override {
    reset_settings_defaults();
    camera_state.camera_x = camera_state.camera_y = camera_state.camera_z = 0.0f;
    haze_factor = 0.0f;
  }
  static void lights(int32_t sr, int32_t sg, int32_t sb, int32_t ar, int32_t ag, int32_t ab) {
    light_state.sun_light_r = sr, light_state.sun_light_g = sg, light_state.sun_light_b = sb;
    light_state.ambient_light_r = ar, light_state.ambient_light_g = ag, light_state.ambient_light_b = ab;
  }
};

TEST_F(HazeTest, DistanceAndHazeTerm) {
  render_settings.haze_density = 100;
  // At the camera: no distance, no haze.
  EXPECT_EQ(camera_distance_haze(0, 0, 0), 0.0f);
  EXPECT_EQ(haze_factor, 0.0f);
  // 10 km away, level, at the base level: f = 1, H = 1e8 * 10 / 2500.
  EXPECT_FLOAT_EQ(camera_distance_haze(10000, 0, 0), 10000.0f);
  EXPECT_FLOAT_EQ(point_distance, 10000.0f);
  EXPECT_FLOAT_EQ(haze_factor, 400000.0f);
  // Seen from 1000 m above the base, the same distance gets one fifth of that (the dz term aside).
  camera_state.camera_z = 2000.0f;
  camera_distance_haze(10000, 0, 2000);
  EXPECT_FLOAT_EQ(haze_factor, 80000.0f);
  // Very distant points reach the cap.
  camera_state.camera_z = 0.0f;
  camera_distance_haze(1.0e6f, 0, 0);
  EXPECT_EQ(haze_factor, kHazeFactorMax);
  // Haze off: no term whatever the distance.
  render_settings.haze_density = 0;
  EXPECT_FLOAT_EQ(camera_distance_haze(3, 4, 0), 5.0f);
  EXPECT_EQ(haze_factor, 0.0f);
}

struct ShadeCase {
  const char* what;
  int32_t r, g, b, light, strength, value;
  int32_t auto_exp, flat, bright;
  uint32_t expected;
};

TEST_F(HazeTest, ShadeColorTable) {
  lights(255, 250, 245, 0, 15, 20);
  const ShadeCase cases[] = {
      // R = 253 * 178 / 128 = 351 -> 255; G = (0 + 244 + ... ) etc.
      {"white full light clamps", 255, 255, 255, 255, 0, 0, 1, 248, 128, 0xFFFFFF},
      // ambient only: r*0>>8=0, g: 255*15>>8=14 -> 14*178/128=19; b: 255*20>>8=19 -> 26
      {"light 0 gives ambient", 255, 255, 255, 0, 0, 0, 1, 248, 128, 0x00131A},
      // auto exposure off: m = 176. 100*255>>8 = 99, *255/256 = 98 -> 98*176/128 = 134
      {"exposure off", 100, 0, 0, 255, 0, 0, 0, 248, 128, 0x860000},
      // darker flat light raises the exposure: m = (255-120)/3+48 + 128 = 221; 98*221/128 = 169
      {"darker flat light", 100, 0, 0, 255, 0, 0, 1, 120, 128, 0xA90000},
      // highlight: 255*255*256/65536 = 254 added to R before exposure: 254*178/128 = 353 -> 255
      {"highlight", 0, 0, 0, 0, 255, 256, 1, 248, 128, 0xFF0000 | 0x0000},
      // brightness 64: m = 50 + 128 - 128 = 50; 98 * 50 / 128 = 38
      {"lower brightness", 100, 0, 0, 255, 0, 0, 1, 248, 64, 0x260000},
  };
  for (const auto& c : cases) {
    light_state.auto_exposure = c.auto_exp;
    light_state.flat_intensity = c.flat;
    light_state.brightness = c.bright;
    haze_factor = 0.0f;
    uint32_t got = shade_color(c.r, c.g, c.b, c.light, c.strength, c.value);
    if (c.strength) got &= 0xFF0000;  // the green and blue highlight parts are checked by the red one
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

TEST_F(HazeTest, HazeMixesTowardsLitHazeColour) {
  lights(0, 0, 0, 0, 0, 0);
  light_state.auto_exposure = 0;
  light_state.brightness = 128;  // m = 176
  render_settings.haze_density = 100;
  color_table[26] = {0, 200, 100, 50};
  light_state.haze_color_slot = 26;
  // No light at all: black, and the lit haze colour is black too.
  haze_factor = kHazeFactorMax;
  EXPECT_EQ(shade_color(255, 255, 255, 255, 0, 0), 0u);
  // With sun 256-ish: hR = 200*128/256 + 200*128/256 = 200; k = 7629; R = 200*7629/7885 = 193 -> *176/128 = 265 -> 255.
  lights(128, 128, 128, 128, 128, 128);
  const uint32_t c = shade_color(0, 0, 0, 0, 0, 0);
  EXPECT_EQ(c >> 16, 255u);
  EXPECT_EQ((c >> 8) & 255, (100u * 7629 / 7885) * 176 / 128);
  EXPECT_EQ(c & 255, (50u * 7629 / 7885) * 176 / 128);
  // Haze factor 0 never mixes, whatever the density.
  haze_factor = 0.0f;
  EXPECT_EQ(shade_color(0, 0, 0, 0, 0, 0), 0u);
}

TEST_F(HazeTest, NegativeOrHugeDensityIsSafe) {
  lights(255, 255, 255, 0, 0, 0);
  light_state.auto_exposure = 0;
  haze_factor = 1.0e7f;
  // A script can set a negative density: k would make the divisor k + 256 zero or negative; it counts as no haze.
  const uint32_t clear = [] {
    const float f = haze_factor;
    haze_factor = 0.0f;
    const uint32_t v = shade_color(100, 100, 100, 255, 0, 0);
    haze_factor = f;
    return v;
  }();
  for (int32_t density : {-1, -3355, -2147483647}) {
    render_settings.haze_density = density;
    EXPECT_EQ(shade_color(100, 100, 100, 255, 0, 0), clear) << density;
  }
  // A huge density saturates towards the haze colour without overflow.
  color_table[26] = {0, 255, 0, 0};
  render_settings.haze_density = 2147483647;
  EXPECT_EQ(shade_color(0, 0, 0, 255, 0, 0), 0xFF0000u);
}

// The final colour computed as plainly as possible, every mix divided in 64 bits: shade_color must agree with it
// for any lights, colours, highlight, haze term and density, including mixes too wide for 32 bits.
uint32_t plain_shade_color(int32_t red, int32_t green, int32_t blue, int32_t light, int32_t strength, int32_t value) {
  const LightState& s = light_state;
  auto channel = [&](int32_t c, int32_t sun, int32_t ambient) -> int64_t {
    const int32_t p = strength != 0 ? static_cast<int32_t>(static_cast<int64_t>(sun) * strength * value / 65536) : 0;
    const int32_t a = static_cast<int32_t>(static_cast<uint32_t>(c * ambient) >> 8);
    return a + static_cast<int32_t>(static_cast<uint32_t>(c * light) >> 8) * sun / 256 + p;
  };
  int64_t r = channel(red, s.sun_light_r, s.ambient_light_r);
  int64_t g = channel(green, s.sun_light_g, s.ambient_light_g);
  int64_t b = channel(blue, s.sun_light_b, s.ambient_light_b);
  int64_t k = trunc_to_i64(static_cast<double>(render_settings.haze_density) * haze_factor / 131072.0);
  if (k < 0) k = 0;
  if (k > (int64_t{1} << 40)) k = int64_t{1} << 40;
  if (haze_factor != 0.0f && k != 0) {
    const ColorEntry& h = color_table[s.haze_color_slot & 255];
    r = (r * 256 + (h.red * s.sun_light_r / 256 + h.red * s.ambient_light_r / 256) * k) / (k + 256);
    g = (g * 256 + (h.green * s.sun_light_g / 256 + h.green * s.ambient_light_g / 256) * k) / (k + 256);
    b = (b * 256 + (h.blue * s.sun_light_b / 256 + h.blue * s.ambient_light_b / 256) * k) / (k + 256);
  }
  const int64_t m = (s.auto_exposure ? (255 - s.flat_intensity) / 3 + 48 : 48) + 2 * int64_t{s.brightness} - 128;
  auto clamp = [](int64_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
  return clamp(r * m / 128) << 16 | clamp(g * m / 128) << 8 | clamp(b * m / 128);
}

TEST_F(HazeTest, ShadeColorMatchesPlainWideArithmetic) {
  std::mt19937 gen(2024);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(gen); };
  const float factors[] = {0.0f, 1.0f, 131.0f, 5.0e4f, 4.0e5f, 3.0e6f, kHazeFactorMax};
  const int32_t densities[] = {0, 1, 100, 5000, 200000, 2147483647, -5};
  for (int32_t i = 0; i < 100000; ++i) {
    lights(pick(0, 400), pick(0, 400), pick(0, 400), pick(0, 300), pick(0, 300), pick(0, 300));
    light_state.auto_exposure = pick(0, 1);
    light_state.flat_intensity = pick(0, 255);
    light_state.brightness = pick(0, 255);
    light_state.haze_color_slot = pick(0, 255);
    color_table[light_state.haze_color_slot] = {0, static_cast<uint8_t>(pick(0, 255)),
                                                 static_cast<uint8_t>(pick(0, 255)), static_cast<uint8_t>(pick(0, 255))};
    render_settings.haze_density = i % 3 == 0 ? pick(0, 1000) : densities[pick(0, 6)];
    haze_factor = i % 2 == 0 ? factors[pick(0, 6)] : static_cast<float>(pick(0, 10000000));
    const int32_t strength = pick(0, 3) == 0 ? 0 : pick(0, 255);
    const int32_t red = pick(0, 255), green = pick(0, 255), blue = pick(0, 255), light = pick(0, 255);
    const int32_t value = pick(0, 256);
    ASSERT_EQ(shade_color(red, green, blue, light, strength, value),
              plain_shade_color(red, green, blue, light, strength, value))
        << i;
  }
}

}  // namespace
