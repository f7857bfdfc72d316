// The Sky panel: synchronisation from the sky, sun and moon settings, including the moon angles it stores.
#include <gtest/gtest.h>

#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/sky_panel.h"
#include "engine/scene/cloud_pattern.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class SkyPanel : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    canvas_.resize(300, 500);
    sky_panel_create();
    sky_panel.canvas = &canvas_;
  }
  void TearDown() override {
    control_panels[kPanelSky] = nullptr;
    sky_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& g(int32_t id) { return *gadget_table::find(sky_panel.gadgets, id); }
  Canvas canvas_;
};

TEST_F(SkyPanel, SynchronisesFromTheSettings) {
  render_settings.sky_enabled = 0;
  render_settings.horizon_enabled = 1;
  render_settings.haze_density = 37;
  clouds_enabled = 1;
  sun_moon_state.stars_enabled = 0;
  sun_moon_state.moon_position_x = 0, sun_moon_state.moon_position_y = 1000, sun_moon_state.moon_position_z = 1000;
  sun_moon_state.moon_size = 7;
  sun_moon_state.sun_size = 12;
  light_state.sun_azimuth = -90.7f, light_state.sun_declination = 30.9f;
  sky_panel_init(&sky_panel);
  EXPECT_EQ(g(1249).state, kGadgetOff);
  EXPECT_EQ(g(1250).state, kGadgetOn);
  EXPECT_EQ(g(1197).value, 37);
  EXPECT_EQ(g(1255).state, kGadgetOn);
  EXPECT_EQ(g(1248).state, kGadgetOff);
  // The moon due north at 45 degrees: azimuth 0, elevation 45, both stored in the settings as well.
  EXPECT_EQ(g(1408).value, 0);
  EXPECT_EQ(g(1408).extra.elevation, 45);
  EXPECT_NEAR(sun_moon_state.moon_declination, 45, 1e-3);
  EXPECT_EQ(g(1410).value, 7);
  EXPECT_EQ(g(1411).value, 7);
  EXPECT_EQ(g(1160).value, -90);
  EXPECT_EQ(g(1160).extra.elevation, 30);
  EXPECT_EQ(g(1416).value, 12);
  EXPECT_TRUE(write_canvas_png(canvas_, artifacts_folder() + "/sky_panel.png"));
}

}  // namespace
