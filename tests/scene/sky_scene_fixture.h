// A fixture for the sky objects: the start-up scene in a small image, a level camera high over the middle of the
// landscape, and pixel counts by colour slot.
#pragma once

#include "engine/raster/haze.h"
#include "engine/render/sky.h"
#include "engine/scene/cloud_layer.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"
#include "tests/render/terrain_render_fixture.h"

class SkySceneTest : public TerrainRenderTest {
 protected:
  void SetUp() override {
    TerrainRenderTest::SetUp();
    image(64, 48);
    startup_scene();
    look(0.0f, 0.0f);
    polygon_count = 0;
  }
  void TearDown() override {
    reset_cloud_settings();
    TerrainRenderTest::TearDown();
  }
  // Camera high over the landscape's middle with the given heading and pitch (degrees).
  static void look(float heading, float pitch, float altitude = 3000.0f) {
    camera_state.camera_x = 128 * 30.0f;
    camera_state.camera_y = 128 * 30.0f;
    camera_state.camera_z = altitude;
    camera_state.camera_heading = heading;
    camera_state.camera_pitch = pitch;
    camera_state.camera_bank = 0.0f;
    set_view_matrix(0.0f, heading, pitch);
  }
  static int32_t slot_count(uint32_t slot) {
    int32_t n = 0;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) n += (px(x, y) >> 24) == slot;
    return n;
  }
};
