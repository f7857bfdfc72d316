// Golden hashes of a few small scenes: any change to how a frame comes out shows up here. When a change is
// intended, look at the images (written to the test artifacts folder) and update the hashes.
#include <cstdio>
#include <string>

#include "engine/files/targa.h"
#include "engine/landscape/sun.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

// Colours, cliffs and shading again after a scene changed the landscape.
void recolour() {
  color_landscape();
  color_cliffs();
  shade_landscape();
}

struct Golden {
  const char* name;
  void (*setup)();
  uint64_t hash;
};

void startup_defaults() {}
void no_antialiasing() { render_settings.antialias_mode = 0; }  // the start-up setting is the box filter
void weighted_filter_back_view() {
  render_settings.antialias_mode = 2;
  lens_state.view_facing = 6;
  camera_state.camera_pitch = 10.0f;
}
void coarse_port_view() {
  render_settings.grid_step = 2;
  lens_state.view_facing = 7;
}
// A lake with waves around the pyramid, the finest detail, every shading option and a marked region.
void lake_every_option() {
  for (int32_t r = 60; r < 120; ++r)
    for (int32_t c = 40; c < 110; ++c) {
      elevation_row(r)[c] = 0;
      cover_row(r)[c].color_class = static_cast<uint8_t>(51 + (r + c) % 2);
    }
  derived_data.shades_done_step = land_width;
  recolour();
  wave_settings.waves_enabled = 1;
  render_settings.gouraud_enabled = 1;
  render_settings.exaggerate_shading = 1;
  horizontal_deform = 1;
  set_detail_level(1, 4);
  camera_state.camera_x = 75 * 30.0f;
  camera_state.camera_y = 20 * 30.0f;
  camera_state.camera_z = 400.0f;
  camera_state.camera_heading = 0.0f;
  camera_state.camera_pitch = -15.0f;
  render_settings.bbox_enabled = 1;
  render_settings.bbox_x0 = 20;
  render_settings.bbox_y0 = 30;
  render_settings.bbox_x1 = 200;
  render_settings.bbox_y1 = 258;
}

// The start-up clouds above the camera, seen looking up over the landscape (fractal detail on).
void clouds_above() {
  clouds_enabled = 1;
  camera_state.camera_pitch = 8.0f;
}
// A thinner layer below the camera, drawn over the terrain, with the fractal detail off.
void clouds_below() {
  clouds_enabled = 1;
  set_cloud_altitude(700);
  set_cloud_density(45);
  set_cloud_hardness(60);
  fractal_clouds_off();
}
// Night: stars and a large moon, lit from the side by the sun's light vector.
void night_stars_moon() {
  free_starmap();
  build_starmap();  // the start-up sky (seed 0), whatever an earlier test left
  stars_on();
  moon_on();
  set_moon_size(40);
  const float unit[3] = {-0.6f, 0.6f, 0.53f};  // the sun's light falls on most of the side facing the camera
  moon_position_dialog_accept(unit);
  camera_state.camera_heading = 45.0f;
  camera_state.camera_pitch = 22.0f;
}
// The sun low over the horizon straight ahead, twice its true size.
void sun_low() {
  set_sun_size(20);
  color_table[77] = {0, 255, 190, 90};  // an evening sun
  scheme_sky_colors();
  light_state.sun_declination = 5.0f;
  light_state.sun_azimuth = 0.0f;
  update_sun_vector();
  camera_state.camera_pitch = -3.0f;
  set_flat_intensity();
  derived_data.shades_done_step = land_width;
  recolour();
}

}  // namespace

TEST_F(TerrainRenderTest, GoldenScenes) {
  const Golden scenes[] = {
      {"startup", startup_defaults, 0x1c420ef21aeb21b2ull},
      {"no_antialiasing", no_antialiasing, 0x70b3b70118b7ae09ull},
      {"weighted_back", weighted_filter_back_view, 0xaade816581177366ull},
      {"coarse_port", coarse_port_view, 0x418744a5f5fed45dull},
      {"lake_every_option", lake_every_option, 0xa35ee6c7fd3338a6ull},
      {"clouds_above", clouds_above, 0xdd9d57f8fdb10f46ull},
      {"clouds_below", clouds_below, 0x492c79c6582b396cull},
      {"night_stars_moon", night_stars_moon, 0x70458c5ba357e7aeull},
      {"sun_low", sun_low, 0x8aad25061a283921ull},
  };
  for (const Golden& g : scenes) {
    reset_all();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    image(96, 72);
    startup_scene();
    g.setup();
    ASSERT_EQ(render_frame(0, 1), 1) << g.name;
    const uint64_t h = image_hash();
    const std::string path = (artifact_dir() / (std::string("golden_") + g.name + ".tga")).string();
    targa_save_frame(path.c_str());
    EXPECT_EQ(h, g.hash) << g.name << " 0x" << std::hex << h;
  }
}
