// Golden hashes of a few small scenes: any change to how a frame comes out shows up here. When a change is
// intended, look at the images (written to the test artifacts folder) and update the hashes.
#include <cstdio>
#include <string>

#include "engine/files/targa.h"
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

}  // namespace

TEST_F(TerrainRenderTest, GoldenScenes) {
  const Golden scenes[] = {
      {"startup", startup_defaults, 0x98fbe0b3b0dd3858ull},
      {"no_antialiasing", no_antialiasing, 0x0a64fea1c5c80d7cull},
      {"weighted_back", weighted_filter_back_view, 0xaade816581177366ull},
      {"coarse_port", coarse_port_view, 0x3e1c09ac4c2036d7ull},
      {"lake_every_option", lake_every_option, 0x486e3e9b9d06788aull},
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
