// Sun direction: presets, the integer copy, the sun position and the conversion back to angles.
#include <gtest/gtest.h>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/sun.h"
#include "tests/support/engine_test.h"

namespace {

class SunTest : public EngineTest {
 protected:
  void SetUp() override { reset_settings_defaults(); }
  void TearDown() override { reset_settings_defaults(); }
};

TEST_F(SunTest, PresetsGiveTheirDirections) {
  struct Case {
    void (*preset)();
    float x, y, z;
    int32_t x256, y256, z256;
    float declination, azimuth;
  };
  const float k = 0.70710678f;
  const Case cases[] = {
      {sun_preset_north, 0, k, k, 0, 181, 181, 45, 0},
      {sun_preset_south, 0, -k, k, 0, -181, 181, 45, 180},
      {sun_preset_east, k, 0, k, 181, 0, 181, 45, -90},
      {sun_preset_west, -k, 0, k, -181, 0, 181, 45, 90},
      {sun_preset_overhead, 0, 0, 1, 0, 0, 256, 90, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "azimuth " << c.azimuth << " declination " << c.declination);
    derived_data.shades_done_step = 1;
    c.preset();
    EXPECT_FLOAT_EQ(light_state.sun_declination, c.declination);
    EXPECT_FLOAT_EQ(light_state.sun_azimuth, c.azimuth);
    EXPECT_NEAR(light_state.light_x, c.x, 1e-6);
    EXPECT_NEAR(light_state.light_y, c.y, 1e-6);
    EXPECT_NEAR(light_state.light_z, c.z, 1e-6);
    EXPECT_EQ(light_state.light_x256, c.x256);
    EXPECT_EQ(light_state.light_y256, c.y256);
    EXPECT_EQ(light_state.light_z256, c.z256);
    EXPECT_FLOAT_EQ(sun_moon_state.sun_position_z, light_state.light_z * sun_moon_state.sun_distance);
    EXPECT_EQ(derived_data.shades_done_step, land_width);
  }
}

TEST_F(SunTest, AngleChangesUpdateTheVectorButLeaveShadingToTheCaller) {
  derived_data.shades_done_step = 1;
  light_state.sun_azimuth = -90.0f;
  light_state.sun_declination = 30.0f;
  sun_declination_changed();
  EXPECT_NEAR(light_state.light_x, 0.8660254f, 1e-6);
  EXPECT_NEAR(light_state.light_z, 0.5f, 1e-6);
  EXPECT_EQ(light_state.light_x256, 221);
  EXPECT_EQ(derived_data.shades_done_step, 1);
}

TEST_F(SunTest, DirectionsConvertBackToAngles) {
  struct Case {
    float x, y, z, azimuth, declination;
  };
  for (const Case c : {Case{0, -1, 0, 180, 0}, Case{1, 0, 0, -90, 0}, Case{-1, 0, 0, 90, 0}, Case{0, 1, 0, 0, 0},
                       Case{0, 0.6f, 0.8f, 0, 53.130102f}, Case{0, 0, 1, 0, 90}}) {
    light_state.light_x = c.x;
    light_state.light_y = c.y;
    light_state.light_z = c.z;
    light_state.light_x256 = 7;
    update_sun_angles();
    EXPECT_NEAR(light_state.sun_azimuth, c.azimuth, 1e-4) << c.x << "," << c.y << "," << c.z;
    EXPECT_NEAR(light_state.sun_declination, c.declination, 1e-4);
    EXPECT_FLOAT_EQ(sun_moon_state.sun_position_y, c.y * sun_moon_state.sun_distance);
    EXPECT_EQ(light_state.light_x256, 7);  // the integer copy is left alone
  }
}

TEST_F(SunTest, VectorAndAnglesRoundTrip) {
  for (float az : {-150.0f, -45.0f, 10.0f, 120.0f}) {
    light_state.sun_azimuth = az;
    light_state.sun_declination = 20.0f;
    update_sun_vector();
    update_sun_angles();
    EXPECT_NEAR(light_state.sun_azimuth, az, 1e-3);
    EXPECT_NEAR(light_state.sun_declination, 20.0f, 1e-3);
  }
}

}  // namespace
