// The background: sky dome and horizon disc switched on and off, the dome closing below the camera, and the
// worked haze example of the final colour.
#include "engine/raster/haze.h"
#include "engine/render/horizon.h"
#include "engine/render/sky.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

class SkyHorizonTest : public TerrainRenderTest {
 protected:
  void SetUp() override {
    TerrainRenderTest::SetUp();
    image(64, 48);
    startup_scene();
    scheme_sky_colors();
    // Looking level from high above the landscape's middle: the upper half shows sky, the lower the horizon.
    camera_state.camera_x = 128 * 30.0f;
    camera_state.camera_y = 128 * 30.0f;
    camera_state.camera_z = 3000.0f;
    camera_state.camera_pitch = 0.0f;
    camera_state.camera_heading = 0.0f;
    camera_state.camera_bank = 0.0f;
    set_view_matrix(0, 0, 0);
    polygon_count = 0;
  }
  static int32_t slot_count(uint32_t slot) {
    int32_t n = 0;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) n += (px(x, y) >> 24) == slot;
    return n;
  }
};

TEST_F(SkyHorizonTest, SwitchedOffDrawsNothing) {
  render_settings.sky_enabled = render_settings.horizon_enabled = 0;
  EXPECT_EQ(render_sky(), 1);
  EXPECT_EQ(render_horizon(), 1);
  EXPECT_EQ(polygon_count, 0);
  EXPECT_EQ(slot_count(0), 64 * 48);
}

TEST_F(SkyHorizonTest, SkyAboveHorizonBelow) {
  EXPECT_EQ(render_sky(), 1);
  EXPECT_EQ(render_horizon(), 1);
  EXPECT_EQ(px(32, 2) >> 24, 33u);
  EXPECT_EQ(px(32, 45) >> 24, 32u);
  EXPECT_EQ(slot_count(33) + slot_count(32), 64 * 48);
}

TEST_F(SkyHorizonTest, WithoutHorizonTheDomeClosesBelowTheCamera) {
  render_settings.horizon_enabled = 0;
  EXPECT_EQ(render_sky(), 1);
  EXPECT_EQ(slot_count(33), 64 * 48);
}

TEST_F(SkyHorizonTest, StopEndsEachPass) {
  user_abort = 1;
  EXPECT_EQ(render_sky(), -1);
  user_abort = 1;
  EXPECT_EQ(render_horizon(), -1);
  EXPECT_EQ(polygon_count, 0);
}

TEST_F(SkyHorizonTest, HazeExampleFollowsTheFormula) {
  // 10 km away at the base level, seen level: f = 1, H = 1 * 10^8 * 10 / 2500 = 400000 (the worked figure
  // 480000 would need f = 1.2). With density 100, k = trunc(100 * 400000 / 131072) = 305.
  landscape_view.base_level = 0;
  camera_state.camera_x = camera_state.camera_y = camera_state.camera_z = 0.0f;
  render_settings.haze_density = 100;
  camera_distance_haze(10000.0f, 0.0f, 0.0f);
  EXPECT_EQ(haze_factor, 400000.0f);
  // A black surface hazed towards a haze colour of red 200 under sun factor 255 and exposure 1:
  // hR = 200 * 255 / 256 = 199; R = 199 * 305 / (305 + 256) = 108 (the worked k = 366 would give 117).
  color_table[26] = ColorEntry{0, 200, 0, 0};
  light_state.haze_color_slot = 26;
  light_state.sun_light_r = light_state.sun_light_g = light_state.sun_light_b = 255;
  light_state.ambient_light_r = light_state.ambient_light_g = light_state.ambient_light_b = 0;
  light_state.auto_exposure = 0;
  light_state.brightness = 104;
  EXPECT_EQ(shade_color(0, 0, 0, 0, 0, 0), 108u << 16);
}

}  // namespace

namespace {

TEST_F(SkyHorizonTest, CameraFarOutsideTheLandscapeStillDrawsTheBackground) {
  camera_state.camera_x = 3.0e9f;
  camera_state.camera_y = -3.0e9f;
  EXPECT_EQ(render_sky(), 1);
  EXPECT_EQ(render_horizon(), 1);
  EXPECT_EQ(px(32, 2) >> 24, 33u);
}

}  // namespace
