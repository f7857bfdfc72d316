// The direction picker: angles from vectors, dial points and typed fields; accept and cancel.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/settings.h"
#include "engine/core/maths.h"
#include "engine/landscape/waves.h"
#include "engine/panels/direction_picker.h"
#include "tests/panels/map_fixture.h"

namespace {

class Picker : public MapFixture {
 protected:
  ui_test::TestPanel parent{400, 400};
  // The front end frees a closed pop-up's record once its window has gone; here the test does.
  void TearDown() override {
    while (parent.panel.child) panel_free(parent.panel.child);
    MapFixture::TearDown();
  }
  // A pointer event at the panel point with the buttons.
  void event_at(PanelRecord* p, int32_t x, int32_t y, int32_t buttons) {
    host_->pointer_script.push_back({p->x0 + x, p->y0 + y, buttons});
    getvect_panel_event(p);
  }
};

TEST_F(Picker, ConversionsFromVectorsAndDialPoints) {
  float az, el;
  const float light[3] = {0.7f, 0.0f, 0.71f};
  getvect_azimuth_elevation(light, &az, &el);
  EXPECT_NEAR(az, -90, 1e-3);
  EXPECT_NEAR(el, 45.4, 0.05);
  struct Case {
    int32_t dx, dy;
    float az, el;
  };
  const Case cases[] = {{0, 0, -90, 90}, {0, -128, 0, 0}, {128, 0, -90, 0}, {-128, 0, 90, 0},
                        {0, 128, 180, 0}, {0, -64, 0, 45}, {200, 0, -90, 0}};
  for (const Case& c : cases) {
    getvect_dial_to_angles(c.dx, c.dy, &az, &el);
    if (c.dx || c.dy) EXPECT_FLOAT_EQ(az, c.az) << c.dx << "," << c.dy;
    EXPECT_FLOAT_EQ(el, c.el) << c.dx << "," << c.dy;
  }
  float v[3];
  getvect_angles_to_vector(90, 0, v);  // west
  EXPECT_NEAR(v[0], -1, 1e-6);
  EXPECT_NEAR(v[1], 0, 1e-6);
  // Elevations beyond the zenith continue through the centre.
  EXPECT_EQ(getvect_elevation_radius(0), 128);
  EXPECT_EQ(getvect_elevation_radius(90), 0);
  EXPECT_EQ(getvect_elevation_radius(120), -(30 * 128 / 90));
  EXPECT_EQ(getvect_elevation_radius(-45), 64);
}

TEST_F(Picker, PointerOnTheDialThenClickAcceptsTheLightDirection) {
  PanelRecord* p = getvect_for(&parent.panel, kGetvectLight);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->id, kGetvectLight);
  EXPECT_NEAR(getvect_state.start_azimuth, -90, 1e-3);
  event_at(p, kDialCenterX, kDialCenterY - 64, 0);  // north, 45 degrees up
  EXPECT_FLOAT_EQ(getvect_state.azimuth, 0);
  EXPECT_FLOAT_EQ(getvect_state.elevation, 45);
  EXPECT_FLOAT_EQ(gadget_float(p, kGetvectDeclination), 45);
  // Leaving the dial square snaps back to the start direction.
  event_at(p, kDialCenterX + 200, kDialCenterY, 0);
  EXPECT_NEAR(getvect_state.azimuth, -90, 1e-3);
  event_at(p, kDialCenterX, kDialCenterY - 64, 0);
  event_at(p, kDialCenterX, kDialCenterY - 64, kHostButtonLeft);
  event_at(p, kDialCenterX, kDialCenterY - 64, 0);
  EXPECT_EQ(getvect_state.panel, nullptr);
  EXPECT_NEAR(light_state.light_x, 0, 1e-5);
  EXPECT_NEAR(light_state.light_y, std::sqrt(0.5), 1e-5);
  EXPECT_NEAR(light_state.light_z, std::sqrt(0.5), 1e-5);
  EXPECT_EQ(light_state.light_tables_stale, 1);
}

TEST_F(Picker, CancelKeepsTheVectorAndSettings) {
  const float before[3] = {terrain_settings.strata_normal_x, terrain_settings.strata_normal_y,
                           terrain_settings.strata_normal_z};
  PanelRecord* p = getvect_for(&parent.panel, kGetvectStrata);
  ASSERT_NE(p, nullptr);
  event_at(p, kDialCenterX + 30, kDialCenterY + 10, 0);
  host_->pointer_script.push_back({p->x0 + 5, p->y0 + 5, kHostButtonRight});
  getvect_panel_event(p);
  EXPECT_EQ(getvect_state.panel, nullptr);
  EXPECT_EQ(terrain_settings.strata_normal_x, before[0]);
  EXPECT_EQ(terrain_settings.strata_normal_y, before[1]);
  EXPECT_EQ(terrain_settings.strata_normal_z, before[2]);
}

TEST_F(Picker, WaveSourceKeepsOnlyTheHorizontalPart) {
  wave_settings.wave_direction = 45;
  PanelRecord* p = getvect_for(&parent.panel, kGetvectWave);
  ASSERT_NE(p, nullptr);
  EXPECT_FLOAT_EQ(getvect_state.start_elevation, 0);
  event_at(p, kDialCenterX + 64, kDialCenterY, 0);  // east, 45 degrees up
  event_at(p, kDialCenterX + 64, kDialCenterY, kHostButtonLeft);
  event_at(p, kDialCenterX + 64, kDialCenterY, 0);
  EXPECT_EQ(getvect_state.panel, nullptr);
  // The source lies east: waves run towards the west.
  float expect = atan2_deg(0.0f, std::sqrt(0.5f)) - 180.0f;
  float got = wave_settings.wave_direction;
  EXPECT_NEAR(std::fmod(got + 720.0f, 360.0f), std::fmod(expect + 720.0f, 360.0f), 0.01);
}

}  // namespace
