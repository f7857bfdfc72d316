// Haze measurement and final colour: distance, haze term, mixing, exposure and the guards on odd settings.
#include <gtest/gtest.h>

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

}  // namespace
