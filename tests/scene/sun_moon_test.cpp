// The sun and the moon: band counts, sphere light, sizes, drawing switches, textures and the placement halves.
#include <cmath>

#include "engine/landscape/sun.h"
#include "tests/scene/sky_scene_fixture.h"

namespace {

class SunMoonTest : public SkySceneTest {
 protected:
  // Looks straight at a body at (x, y, z) from the camera position.
  static void look_at(float x, float y, float z) {
    const double dx = x - camera_state.camera_x, dy = y - camera_state.camera_y, dz = z - camera_state.camera_z;
    const float heading = static_cast<float>(-std::atan2(dx, dy) * 180.0 / 3.14159265358979323846);
    const float pitch = static_cast<float>(std::atan2(dz, std::hypot(dx, dy)) * 180.0 / 3.14159265358979323846);
    look(heading, pitch, camera_state.camera_z);
  }
  void SetUp() override {
    SkySceneTest::SetUp();
    ASSERT_EQ(render_sky(), 1);
  }
};

TEST_F(SunMoonTest, DefaultSunBandCount) {
  const int32_t saved_width = proj_width;
  const float saved_lens = lens_state.lens_scale;
  proj_width = 800;
  lens_state.lens_scale = 2.0f;
  // The default sun: size 10, radius 6.923e9 at 1.5e11: R about 73.8, 8 latitude steps per hemisphere.
  EXPECT_EQ(sun_moon_state.sun_size, 10);
  EXPECT_FLOAT_EQ(sun_moon_state.sun_radius, 6.923e9f);
  EXPECT_FLOAT_EQ(sun_moon_state.sun_distance, 1.5e11f);
  EXPECT_EQ(sky_sphere_bands(sun_moon_state.sun_radius, sun_moon_state.sun_distance), 8);
  EXPECT_EQ(sky_sphere_bands(6.923e9, 1.5e11), 8);
  EXPECT_EQ(sky_sphere_bands(1.0, 1.5e11), 4);
  EXPECT_EQ(sky_sphere_bands(6.923e11, 1.5e11), 18);
  EXPECT_EQ(sky_sphere_bands(6.923e9, 0.0), 18);  // at the centre itself
  proj_width = saved_width;
  lens_state.lens_scale = saved_lens;
}

TEST_F(SunMoonTest, SphereLightFacesTheLight) {
  light_state.light_x = 0.0f;
  light_state.light_y = 0.6f;
  light_state.light_z = 0.8f;
  EXPECT_EQ(sphere_light(0.0, 6.0, 8.0), 255);
  EXPECT_EQ(sphere_light(0.0, -6.0, -8.0), 0);
  EXPECT_EQ(sphere_light(1.0, 0.0, 0.0), 0);
  EXPECT_EQ(sphere_light(0.0, 0.0, 2.0), static_cast<int32_t>(255.9 * std::sqrt(0.8)));
  EXPECT_EQ(sphere_light(0.0, 0.0, 0.0), 0);
}

TEST_F(SunMoonTest, SizesOutsideTheRangeAreIgnored) {
  set_sun_size(5);
  EXPECT_EQ(sun_moon_state.sun_size, 5);
  EXPECT_FLOAT_EQ(sun_moon_state.sun_radius, 5 * 6.923e8f);
  set_sun_size(100);
  set_sun_size(-1);
  EXPECT_EQ(sun_moon_state.sun_size, 5);
  set_moon_size(99);
  EXPECT_FLOAT_EQ(sun_moon_state.moon_radius, 99 * 1.728e6f);
  set_moon_size(100);
  EXPECT_EQ(sun_moon_state.moon_size, 99);
  set_moon_size(0);
  EXPECT_EQ(sun_moon_state.moon_size, 0);
}

TEST_F(SunMoonTest, SunInViewIsDrawnUnlessItsSizeIsZero) {
  look_at(sun_moon_state.sun_position_x, sun_moon_state.sun_position_y, sun_moon_state.sun_position_z);
  ASSERT_EQ(render_sky(), 1);
  sun_moon_state.sun_size = 0;
  draw_sun();
  EXPECT_EQ(slot_count(77), 0);
  set_sun_size(10);
  draw_sun();
  const int32_t disc = slot_count(77);
  EXPECT_GT(disc, 0);
  EXPECT_LT(disc, 64 * 48 / 4);
  // Untextured: the disc is the shaded sun colour at full light in the image's middle.
  EXPECT_EQ(px(32, 24) >> 24, 77u);
}

TEST_F(SunMoonTest, SunOutOfViewDrawsNothing) {
  look_at(-sun_moon_state.sun_position_x, -sun_moon_state.sun_position_y,
          sun_moon_state.sun_position_z);  // facing away
  ASSERT_EQ(render_sky(), 1);
  polygon_count = 0;
  draw_sun();
  EXPECT_EQ(slot_count(77), 0);
  EXPECT_EQ(polygon_count, 0);
}

TEST_F(SunMoonTest, MoonNeedsItsSwitchAndASize) {
  look_at(sun_moon_state.moon_position_x, sun_moon_state.moon_position_y, sun_moon_state.moon_position_z);
  ASSERT_EQ(render_sky(), 1);
  sun_moon_state.moon_enabled = 0;
  draw_moon();
  EXPECT_EQ(slot_count(79), 0);
  sun_moon_state.moon_enabled = 1;
  sun_moon_state.moon_size = 0;
  draw_moon();
  EXPECT_EQ(slot_count(79), 0);
  set_moon_size(40);
  draw_moon();
  EXPECT_GT(slot_count(79), 0);
}

TEST_F(SunMoonTest, MoonIsLitOnTheSideOfTheLight) {
  // Light from +x: the moon's +x half is bright, its -x half dark.
  light_state.light_x = 1.0f;
  light_state.light_y = 0.0f;
  light_state.light_z = 0.0f;
  color_table[79] = {0, 200, 200, 200};
  sun_moon_state.moon_enabled = 1;
  set_moon_size(60);
  sun_moon_state.moon_position_x = 0.0f;
  sun_moon_state.moon_position_y = 3.8e8f;
  sun_moon_state.moon_position_z = camera_state.camera_z;
  look_at(sun_moon_state.moon_position_x, sun_moon_state.moon_position_y, sun_moon_state.moon_position_z);
  ASSERT_EQ(render_sky(), 1);
  draw_moon();
  // Heading 0 looks along +y with +x to the right of the image.
  int32_t left = 0, right = 0;
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      if ((px(x, y) >> 24) != 79) continue;
      const int32_t g = (px(x, y) >> 8) & 255;
      (x < 32 ? left : right) += g;
    }
  EXPECT_GT(right, 2 * left + 1);
}

TEST_F(SunMoonTest, RotationAdvancesBySpeed) {
  sun_moon_state.sun_rotation_x = 1.0f;
  sun_moon_state.sun_rotation_speed_x = 0.5f;
  sun_moon_state.moon_rotation_z = -2.0f;
  sun_moon_state.moon_rotation_speed_z = -1.0f;
  advance_sun_moon();
  advance_sun_moon();
  EXPECT_FLOAT_EQ(sun_moon_state.sun_rotation_x, 2.0f);
  EXPECT_FLOAT_EQ(sun_moon_state.moon_rotation_z, -4.0f);
}

TEST_F(SunMoonTest, TexturedSunShowsItsTexels) {
  static uint32_t texels[16 * 16];
  for (uint32_t& t : texels) t = 0xFF00FF00u;  // opaque green
  texture_slots[77].loaded = 77;
  texture_slots[77].levels[0] = {16, 16, 0, texels};
  color_table[77] = {0, 255, 255, 255};
  look_at(sun_moon_state.sun_position_x, sun_moon_state.sun_position_y, sun_moon_state.sun_position_z);
  ASSERT_EQ(render_sky(), 1);
  draw_sun();
  const uint32_t c = px(32, 24);
  EXPECT_EQ(c >> 24, 77u);
  EXPECT_GT((c >> 8) & 255, 4 * ((c >> 16) & 255) + 1);  // green, not the white class colour
  texture_slots[77].loaded = 0;
  texture_slots[77].levels[0] = {};
}

TEST_F(SunMoonTest, PlacementWithoutThePicker) {
  float v[3];
  sun_position_dialog_vector(v);
  EXPECT_NEAR(v[0], 1.061e11 / 1.5e11, 1e-6);
  EXPECT_NEAR(v[2], 1.061e11 / 1.5e11, 1e-6);
  const float unit[3] = {0.0f, -0.6f, 0.8f};
  const float light_before[3] = {light_state.light_x, light_state.light_y, light_state.light_z};
  sun_position_dialog_accept(unit);
  EXPECT_FLOAT_EQ(sun_moon_state.sun_position_y, -0.6f * 1.5e11f);
  EXPECT_FLOAT_EQ(sun_moon_state.sun_position_z, 0.8f * 1.5e11f);
  // The light vector is not touched: a sun placed this way need not agree with the light.
  EXPECT_EQ(light_state.light_x, light_before[0]);
  EXPECT_EQ(light_state.light_y, light_before[1]);
  EXPECT_EQ(light_state.light_z, light_before[2]);
  moon_position_dialog_accept(unit);
  moon_position_dialog_vector(v);
  EXPECT_NEAR(v[1], -0.6, 1e-6);
  sun_moon_state.moon_distance = 0.0f;
  moon_position_dialog_vector(v);
  EXPECT_EQ(v[0] + v[1] + v[2], 0.0f);
  EXPECT_STREQ(kSunPositionTitle, "        Set sun position:       ");
  EXPECT_STREQ(kMoonPositionTitle, "       Set moon position:       ");
}

}  // namespace
