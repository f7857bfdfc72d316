// The Light and Sky panels' commands: every id reaches its operation, with the edge cases of the haze field,
// the compass buttons and the stars and moon switch.
#include <climits>

#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/ui/popup_slots.h"
#include "tests/panels/scene_commands_fixture.h"

namespace {

class LightSkyCommands : public SceneCommands {};

struct Case {
  const char* what;
  int32_t panel;
  std::function<void()> send;
  std::function<void()> check;
};

TEST_F(LightSkyCommands, EveryIdReachesItsOperation) {
  const int32_t L = kPanelLight, S = kPanelSky;
  const Case cases[] = {
      {"N", L, [&] { press(L, 1048, 1); },
       [] { EXPECT_EQ(light_state.sun_azimuth, 0.0f); EXPECT_EQ(light_state.sun_declination, 45.0f); }},
      {"S", L, [&] { press(L, 1049, 1); }, [] { EXPECT_EQ(light_state.sun_azimuth, 180.0f); }},
      {"W", L, [&] { press(L, 1050, 1); }, [] { EXPECT_EQ(light_state.sun_azimuth, 90.0f); }},
      {"E", L, [&] { press(L, 1051, 1); }, [] { EXPECT_EQ(light_state.sun_azimuth, -90.0f); }},
      {"sun knob", L, [&] { press(L, 1160, 1); },
       [&] {
         ASSERT_NE(getvect_state.panel, nullptr);
         EXPECT_EQ(getvect_state.panel->id, kGetvectLight);
         EXPECT_EQ(getvect_state.vector, &light_state.light_x);
         EXPECT_EQ(gadget(L, 1160).state, kGadgetOff);
       }},
      {"declination", L, [&] { enter_float(L, 1218, 30.0f); },
       [] {
         EXPECT_EQ(light_state.sun_declination, 30.0f);
         EXPECT_NEAR(light_state.light_z, 0.5f, 1e-5);
         EXPECT_EQ(light_state.light_tables_stale, 1);
         EXPECT_EQ(derived_data.shades_done_step, land_width);
         EXPECT_EQ(derived_data.palette_stale, land_width);
       }},
      {"azimuth", L, [&] { enter_float(L, 1217, 0.0f); },
       [] { EXPECT_EQ(light_state.sun_azimuth, 0.0f); EXPECT_NEAR(light_state.light_x, 0.0f, 1e-5); }},
      {"shadows", L, [&] { press(L, 1222, 0); }, [] { EXPECT_EQ(render_settings.shadows_enabled, 0); }},
      {"irregularity", L, [&] { enter(L, 1213, 77); }, [] { EXPECT_EQ(render_settings.light_roughness, 77); }},
      {"exaggeration", L, [&] { press(L, 1161, 1); }, [] { EXPECT_EQ(render_settings.exaggerate_shading, 1); }},
      {"contrast field", L, [&] { enter(L, 1327, 100); }, [] { EXPECT_EQ(light_state.contrast, 100); }},
      {"contrast slider", L, [&] { enter(L, 1328, 90); }, [] { EXPECT_EQ(light_state.contrast, 90); }},
      {"brightness field", L, [&] { enter(L, 1329, 30); }, [] { EXPECT_EQ(light_state.brightness, 30); }},
      {"brightness slider", L, [&] { enter(L, 1330, 31); }, [] { EXPECT_EQ(light_state.brightness, 31); }},
      {"colors", L, [&] { press(L, 1361, 1); }, [&] { EXPECT_EQ(gadget(L, 1361).state, kGadgetOff); }},
      {"textures", S, [&] { press(S, 1317, 1); },
       [&] {
         ASSERT_NE(texture_map_panel, nullptr);
         EXPECT_STREQ(texture_map_panel->name, "Sky Texture");
         EXPECT_EQ(gadget(S, 1317).state, kGadgetOff);
       }},
      {"sky", S, [&] { press(S, 1249, 0); }, [] { EXPECT_EQ(render_settings.sky_enabled, 0); }},
      {"horizon", S, [&] { press(S, 1250, 0); }, [] { EXPECT_EQ(render_settings.horizon_enabled, 0); }},
      {"haze", S, [&] { enter(S, 1197, -40); }, [] { EXPECT_EQ(render_settings.haze_density, 40); }},
      {"haze most negative", S, [&] { enter(S, 1197, INT32_MIN); },
       [] { EXPECT_EQ(render_settings.haze_density, INT32_MAX); }},
      {"clouds on", S, [&] { press(S, 1255, 1); },
       [] {
         EXPECT_EQ(clouds_enabled, 1);
         ASSERT_NE(cloud_panel, nullptr);
         EXPECT_STREQ(cloud_panel->name, "Cloud Texture");
       }},
      {"clouds off", S, [&] { clouds_enabled = 1; press(S, 1255, 0); }, [] { EXPECT_EQ(clouds_enabled, 0); EXPECT_EQ(cloud_panel, nullptr); }},
      {"stars on", S, [&] { press(S, 1248, 1); },
       [] { EXPECT_EQ(sun_moon_state.stars_enabled, 1); EXPECT_EQ(sun_moon_state.moon_enabled, 1); }},
      {"moon knob", S, [&] { press(S, 1408, 1); },
       [&] {
         ASSERT_NE(getvect_state.panel, nullptr);
         EXPECT_EQ(getvect_state.panel->id, 9);
         EXPECT_EQ(gadget(S, 1408).state, kGadgetOff);
       }},
      {"moon size field", S, [&] { enter(S, 1410, 20); }, [] { EXPECT_EQ(sun_moon_state.moon_size, 20); }},
      {"moon size slider", S, [&] { enter(S, 1411, 21); }, [] { EXPECT_EQ(sun_moon_state.moon_size, 21); }},
      {"moon size out of range", S, [&] { enter(S, 1410, 150); }, [] { EXPECT_EQ(sun_moon_state.moon_size, 10); }},
      {"sun size field", S, [&] { enter(S, 1415, 3); }, [] { EXPECT_EQ(sun_moon_state.sun_size, 3); }},
      {"sun size slider", S, [&] { enter(S, 1416, 4); }, [] { EXPECT_EQ(sun_moon_state.sun_size, 4); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset_scene_settings();
    derived_data.shades_done_step = derived_data.palette_stale = 1;
    light_state.sun_azimuth = 33.0f;
    light_state.sun_declination = 20.0f;
    c.send();
    EXPECT_EQ(engine_busy, 0);
    c.check();
    close_popups();
  }
}

TEST_F(LightSkyCommands, EveryIdHasARowInItsFamily) {
  const uint32_t ids[] = {1048, 1049, 1050, 1051, 1160, 1161, 1197, 1213, 1217, 1218, 1222, 1248, 1249,
                          1250, 1255, 1317, 1327, 1328, 1329, 1330, 1361, 1408, 1410, 1411, 1415, 1416};
  for (uint32_t id : ids) {
    const CommandRow* row = find_command_row(id);
    ASSERT_NE(row, nullptr) << id;
    bool in_family = false;
    for (const CommandRow* r = light_sky_commands; r->run; ++r) in_family |= r == row;
    EXPECT_TRUE(in_family) << id;
  }
}

TEST_F(LightSkyCommands, ChoosingNTwiceKeepsItPressedAndRecomputesTheLight) {
  press(kPanelLight, 1048, 1);
  EXPECT_EQ(gadget(kPanelLight, 1048).state, kGadgetOn);
  light_state.light_x = 0.3f;
  derived_data.shades_done_step = 1;
  press(kPanelLight, 1048, 0);  // the click released it; the command presses it again
  EXPECT_EQ(gadget(kPanelLight, 1048).state, kGadgetOn);
  EXPECT_NEAR(light_state.light_x, 0.0f, 1e-5);
  EXPECT_EQ(derived_data.shades_done_step, land_width);
}

TEST_F(LightSkyCommands, StarsOffRestoresTheSkyColours) {
  const ColorEntry sky = color_table[33];
  press(kPanelSky, 1248, 1);
  press(kPanelSky, 1248, 0);
  EXPECT_EQ(sun_moon_state.stars_enabled, 0);
  EXPECT_EQ(sun_moon_state.moon_enabled, 0);
  EXPECT_EQ(color_table[33].red, sky.red);
  EXPECT_EQ(color_table[33].green, sky.green);
  EXPECT_EQ(color_table[33].blue, sky.blue);
}

// The Clouds switch and the Textures button sent again while their pop-up is open leave one pop-up, and a
// closed pop-up leaves no record behind in its global.
TEST_F(LightSkyCommands, PopUpsAreNeverDuplicatedOrLeftDangling) {
  press(kPanelSky, 1255, 1);
  PanelRecord* first = cloud_panel;
  ASSERT_NE(first, nullptr);
  press(kPanelSky, 1255, 1);
  press(kPanelSky, 1317, 1);
  EXPECT_EQ(cloud_panel, first);
  EXPECT_EQ(texture_map_panel, nullptr);
  EXPECT_EQ(children(kPanelSky), 1);
  panel_free(first);  // the front end frees the record once the window has gone, however it was closed
  EXPECT_EQ(cloud_panel, nullptr);
  EXPECT_FALSE(popup_slots_any_open());
  press(kPanelSky, 1317, 1);
  ASSERT_NE(texture_map_panel, nullptr);
  EXPECT_EQ(children(kPanelSky), 1);
}

}  // namespace
