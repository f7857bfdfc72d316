// The current landscape format: whole-session round trips at several sizes, the settings snapshot,
// textures by name and embedded, and damaged files that must leave everything as it was.
#include "engine/render/dl4_landscape_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/landscape_open_save.h"
#include "engine/files/session_section_hooks.h"
#include "engine/animation/path_model.h"
#include "engine/core/random.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/files/targa.h"
#include "engine/render/texture_table.h"
#include "engine/render/lighting.h"
#include "engine/render/terrain_quad.h"
#include "tests/files/file_size_limit.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

// Every snapshot setting away from its start value (and within what loading accepts).
void set_distinct_settings() {
  camera_state.camera_x = 1234.5f, camera_state.camera_y = -987.25f, camera_state.camera_z = 456.75f;
  camera_state.target_x = 11.5f, camera_state.target_y = 22.5f, camera_state.target_z = 33.5f;
  camera_state.camera_height = 77, camera_state.camera_bank = 4.5f, camera_state.camera_heading = -33.25f, camera_state.camera_pitch = -12.5f;
  lens_state.lens_scale = 2.5f, lens_state.lens_scale_inv = 0.4f, lens_state.focal_length = 40;
  camera_state.lock_x = 1, camera_state.lock_y = 0, camera_state.lock_z = 1, light_state.auto_exposure = 1;
  light_state.sun_azimuth = 123.0f, light_state.sun_declination = 31.0f, light_state.contrast = 7, light_state.brightness = 9, render_settings.exaggerate_shading = 1;
  render_settings.shadows_enabled = 0, render_settings.light_roughness = 3, render_settings.sky_enabled = 0, render_settings.horizon_enabled = 0, render_settings.haze_density = 42;
  session_cloud_settings_set(SessionCloudSettings{1, 4, 13, 5, 100, 150, 3500, 60, 70, 15});
  sun_moon_state.stars_enabled = 1, sun_moon_state.moon_enabled = 1, sun_moon_state.moon_distance = 1.5e6f, sun_moon_state.moon_size = 33;
  sun_moon_state.moon_position_x = 1, sun_moon_state.moon_position_y = 2, sun_moon_state.moon_position_z = 3, sun_moon_state.moon_rotation_x = 4, sun_moon_state.moon_rotation_y = 5;
  sun_moon_state.moon_rotation_z = 6, sun_moon_state.sun_distance = 2.5e6f, sun_moon_state.sun_size = 44;
  sun_moon_state.sun_position_x = 7, sun_moon_state.sun_position_y = 8, sun_moon_state.sun_position_z = 9, sun_moon_state.sun_rotation_x = 10, sun_moon_state.sun_rotation_y = 11;
  sun_moon_state.sun_rotation_z = 12;
  terrain_settings.snow_line = 2100, terrain_settings.tree_line = 1300, terrain_settings.line_roughness = 55, terrain_settings.roughness_enabled = 1, terrain_settings.roughness_weight = 6;
  terrain_settings.roughness_radius = 90, terrain_settings.cliffs_enabled = 1, terrain_settings.cliff_angle = 50, terrain_settings.cliff_mode = 1;
  terrain_settings.strata_normal_x = 0.25f, terrain_settings.strata_normal_y = 0.5f, terrain_settings.strata_normal_z = 0.75f, terrain_settings.strata_thickness = 12, terrain_settings.strata_warp = 3;
  terrain_settings.sea_level = 15, wave_settings.waves_enabled = 1, wave_settings.wave_length = 40.0f, wave_settings.wave_period = 12.0f, wave_settings.wave_height = 2.5f;
  wave_settings.wave_phase = 25.0f, wave_settings.wave_direction = 80.0f;
  for (int32_t i = 0; i < 4; ++i) {
    tree_settings.tree_density[i] = 10 + i, tree_settings.tree_size[i] = 20 + i, tree_settings.tree_class_masks[i] = 1 << i;
    tree_settings.tree_leaves[i] = 200 + i, tree_settings.branch_bend[i] = 100 + i;
  }
  const uint8_t picks[16] = {1, 2, 4, 8, 2, 4, 8, 1, 4, 8, 1, 2, 8, 1, 2, 4};
  session_tree_pick_tables_set(picks);
  tree_settings.trees_enabled = 1, tree_settings.tree_detail = 2, tree_settings.trees_3d = 1, tree_settings.tree_textures_enabled = 1;
  render_settings.detail_enabled = 1, render_settings.detail_level = 3, render_settings.detail_param_a = 5, render_settings.detail_param_b = 6, max_polygon_size = 9;
  max_detail_depth = 4, horizontal_deform = 2;
  set_fractal_amplitude_first(321);
  set_fractal_amplitude_last(12);
  render_settings.blend_colors = 0, render_settings.gouraud_enabled = 0, landscape_view.vertical_scale = landscape_view.built_vertical_scale = 1.75f;
  terrain_settings.fractal_seed = 4242, terrain_settings.fractal_roughness = 7, terrain_settings.feature_size = 3, terrain_settings.island_mode = 1, render_settings.topo_click_mode = 1364;
  render_settings.palette_locked = 1, render_settings.dither_amount = 3, render_settings.dither_type = 1, render_settings.antialias_mode = 2, render_settings.phong_enabled = 1, render_settings.flare_enabled = 1;
  set_image_size(320, 200);
  render_settings.palette_colors = 200, render_settings.backface_culling = 0, render_settings.bbox_enabled = 1, render_settings.bbox_x0 = 2, render_settings.bbox_y0 = 3, render_settings.bbox_x1 = 20;
  render_settings.bbox_y1 = 21, render_settings.render_range = 5000, render_settings.background_enabled = 1, render_settings.foreground_enabled = 1;
  lens_state.stereo_camera = 3, lens_state.stereo_image_shift = 6, lens_state.view_facing = 7, lens_state.stereo_separation = 12.5f, lens_state.lens_spare = 4.5f;
  targa_compression = 0;
  landscape_view.origin_x = 3000, landscape_view.origin_y = -600, landscape_view.origin_z = 12, grid_spacing_x = 25.0f, grid_spacing_y = 35.0f;
  grid_spacing_z = 2.0f;
}

std::vector<uint8_t> snapshot_bytes() {
  std::vector<uint8_t> h(kDl4HeaderSize, 0);
  fill_dl4_snapshot(h.data());
  return std::vector<uint8_t>(h.begin() + 236, h.begin() + 860);
}

void set_session_extras() {
  for (int32_t i = 0; i < 256; ++i) {
    color_table[i] = ColorEntry{static_cast<uint8_t>(i & 1), static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                static_cast<uint8_t>(i * 7)};
    class_attributes[i] = ClassAttributes{static_cast<uint8_t>(i), static_cast<uint8_t>(i + 1),
                                          static_cast<uint8_t>(i + 2), static_cast<uint8_t>(i + 3),
                                          static_cast<uint8_t>(i + 4)};
    image_palette[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2), static_cast<uint8_t>(i / 3), 0};
  }
  std::snprintf(background_name, kPictureNameSize, "%s", "pics\\back.tga");
  std::snprintf(foreground_name, kPictureNameSize, "%s", "pics/front.tga");
  set_landscape_name("Test Vale");
  std::snprintf(landscape_description, sizeof landscape_description, "%s", "A patterned landscape.");
}

}  // namespace

class Dl4RoundTrip : public LandscapeFileTest, public ::testing::WithParamInterface<std::pair<int32_t, int32_t>> {};

TEST_P(Dl4RoundTrip, SessionComesBackExactly) {
  const auto [w, h] = GetParam();
  ASSERT_EQ(set_landscape_size(w, h), 1);
  fill_grids(7);
  set_session_extras();
  set_distinct_settings();
  const std::string path = file("session.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  const Fingerprint saved = fingerprint();
  const auto snapshot = snapshot_bytes();

  // Another landscape, other settings, then the file again.
  reset_state();
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  fill_grids(99);
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_TRUE(host_->messages.empty()) << first_message(*host_);
  const Fingerprint loaded = fingerprint();
  EXPECT_EQ(loaded.width, w);
  EXPECT_EQ(loaded.height, h);
  EXPECT_TRUE(loaded.elevations == saved.elevations);
  EXPECT_TRUE(loaded.cover == saved.cover);
  EXPECT_TRUE(loaded.shades == saved.shades);
  EXPECT_EQ(loaded.colors, saved.colors);
  EXPECT_EQ(loaded.palette, saved.palette);
  EXPECT_EQ(loaded.name, "Test Vale");
  EXPECT_STREQ(landscape_description, "A patterned landscape.");
  EXPECT_EQ(loaded.background, saved.background);
  EXPECT_EQ(loaded.foreground, saved.foreground);
  EXPECT_EQ(std::make_tuple(landscape_view.origin_x, landscape_view.origin_y, landscape_view.origin_z), std::make_tuple(3000, -600, 12));
  EXPECT_EQ(std::make_tuple(grid_spacing_x, grid_spacing_y, grid_spacing_z), std::make_tuple(25.0f, 35.0f, 2.0f));
  const auto now = snapshot_bytes();
  for (size_t i = 0; i < now.size(); ++i) {
    if (236 + i >= 752 && 236 + i < 760) continue;  // the render window's client size follows the window
    EXPECT_EQ(now[i], snapshot[i]) << "header byte " << 236 + i;
  }
  // The stored maps are current; derived data need not be recomputed.
  EXPECT_EQ(derived_data.colors_done_step, 1);
  EXPECT_EQ(derived_data.shades_done_step, 1);
  EXPECT_EQ(derived_data.palette_stale, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Dl4RoundTrip,
                         ::testing::Values(std::make_pair(258, 258), std::make_pair(1026, 1026),
                                           std::make_pair(130, 67)));

TEST_F(LandscapeFileTest, ClassAttributesRoundTripAndClass33GetsItsStartValuesWhenEmpty) {
  set_session_extras();
  class_attributes[33].phong_sharpness = 0;
  const std::string path = file("attrs.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  const auto saved = fingerprint();
  reset_class_attributes();
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  auto loaded = fingerprint();
  loaded.attributes[33 * 5] = saved.attributes[33 * 5];
  loaded.attributes[33 * 5 + 1] = 0;
  EXPECT_EQ(loaded.attributes, saved.attributes);
  EXPECT_EQ(class_attributes[33].phong_intensity, 100);
  EXPECT_EQ(class_attributes[33].phong_sharpness, 10);
}

TEST_F(LandscapeFileTest, SnapshotExamples) {
  struct Case {
    const char* what;
    void (*set)();
    void (*check)();
  };
  const Case cases[] = {
      {"azimuth -90.7 is written as -90", [] { light_state.sun_azimuth = -90.7f; }, [] { EXPECT_EQ(light_state.sun_azimuth, -90.0f); }},
      {"lens 2.0 gives focal 32",
       [] {
         lens_state.lens_scale = 2.0f;
         lens_state.focal_length = 5;
       },
       [] {
         EXPECT_EQ(lens_state.focal_length, 32);
         EXPECT_EQ(lens_state.lens_scale_inv, 0.5f);
       }},
      {"view facing 0 becomes 5", [] { lens_state.view_facing = 0; }, [] { EXPECT_EQ(lens_state.view_facing, 5); }},
      {"stereo camera 7 becomes 1", [] { lens_state.stereo_camera = 7; }, [] { EXPECT_EQ(lens_state.stereo_camera, 1); }},
      {"moon size 150 is not taken",
       [] { sun_moon_state.moon_size = 150; },
       [] { EXPECT_EQ(sun_moon_state.moon_size, 12); }},
      {"vertical scale restored to both",
       [] { landscape_view.vertical_scale = landscape_view.built_vertical_scale = 2.5f; },
       [] {
         EXPECT_EQ(landscape_view.vertical_scale, 2.5f);
         EXPECT_EQ(landscape_view.built_vertical_scale, 2.5f);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset_state();
    c.set();
    const std::string path = file("snap.d4s");
    ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
    reset_settings_defaults();
    sun_moon_state.moon_size = 12;
    ASSERT_EQ(load_landscape(path.c_str()), 2);
    c.check();
  }
}

TEST_F(LandscapeFileTest, DamagingSnapshotValuesAreRefusedOrBroughtIntoRange) {
  const std::string path = file("hostile.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  auto bytes = imgtest::read_bytes(path);
  const float nan = std::nanf("");
  uint32_t nan_bits;
  std::memcpy(&nan_bits, &nan, 4);
  patch32(bytes, 276, nan_bits);            // lens scale
  patch32(bytes, 340, 0);                   // cloud scale
  patch32(bytes, 348, 100000);              // cloud recursion depth
  patch32(bytes, 528, 0);                   // wave period
  patch32(bytes, 660, 0x7FFFFFFF);          // detail recursion depth
  patch32(bytes, 708, 99);                  // map click mode
  patch32(bytes, 768, 100000);              // palette size
  patch32(bytes, 816, static_cast<uint32_t>(-50));  // bounding box
  patch32(bytes, 824, 100000);
  patch32(bytes, 160, 0);                   // spacings 0 and NaN
  patch32(bytes, 164, nan_bits);
  patch32(bytes, 236, nan_bits);            // camera x
  imgtest::write_bytes(path, bytes);

  lens_state.lens_scale = 3.0f;
  camera_state.camera_x = 55.0f;
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(lens_state.lens_scale, 3.0f);
  EXPECT_EQ(camera_state.camera_x, 55.0f);
  SessionCloudSettings clouds;
  session_cloud_settings_get(&clouds);
  EXPECT_EQ(clouds.scale, 8);
  EXPECT_LE(clouds.subdiv_depth, 16);
  EXPECT_EQ(wave_settings.wave_period, 1.0f);
  EXPECT_EQ(max_detail_depth, kMaxTerrainDetailDepth);
  EXPECT_EQ(render_settings.topo_click_mode, 0);
  EXPECT_EQ(render_settings.palette_colors, 256);
  EXPECT_EQ(render_settings.bbox_x0, 0);
  EXPECT_EQ(render_settings.bbox_x1, land_width);
  EXPECT_EQ(grid_spacing_x, 30.0f);
  EXPECT_EQ(grid_spacing_y, 30.0f);
}

TEST_F(LandscapeFileTest, TexturesRoundTripEmbeddedAndByName) {
  // Slot 40 from a Targa file by name, slot 41 only in memory (embedded or lost).
  std::vector<uint32_t> pixels(16 * 8);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 977);
  const std::string tga = file("rock.tga");
  ASSERT_EQ(targa_save_texture(tga.c_str(), pixels.data(), 16, 8), 1);
  char name[256];
  std::snprintf(name, sizeof name, "%s", tga.c_str());
  ASSERT_EQ(texture_slot_load(40, name), 1);
  texture_slots[40].deformation = -7;
  make_texture(41, 32, 16, 5, "memory.tga");
  const auto by_name = texture_pixels(40), in_memory = texture_pixels(41);

  for (int32_t embed = 0; embed <= 1; ++embed) {
    SCOPED_TRACE(embed ? "embedded" : "names only");
    const std::string path = file(embed ? "embed.d4s" : "names.d4s");
    ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, embed, 1, 1, 1, 1, 1), 1);
    // The table holds offsets or zeros, never addresses of this process.
    const auto bytes = imgtest::read_bytes(path);
    const uint32_t table = read32(bytes, 180);
    ASSERT_NE(table, 0u);
    for (int32_t n = 0; n < 256; ++n) {
      const size_t e = table + static_cast<size_t>(n) * kTextureEntryBytes;
      const uint32_t block_bytes = read32(bytes, e + 260 + 8), block_at = read32(bytes, e + 260 + 12);
      if (!embed || (n != 40 && n != 41)) {
        EXPECT_EQ(block_bytes, 0u) << n;
        EXPECT_EQ(block_at, 0u) << n;
      } else {
        EXPECT_LE(static_cast<uint64_t>(block_at) + block_bytes, bytes.size()) << n;
      }
      for (int32_t l = 1; l < kTextureLevels; ++l) EXPECT_LT(read32(bytes, e + 260 + 16 * l + 12), embed ? block_bytes + 1 : 1u);
    }
    texture_slots_free_all();
    ASSERT_EQ(load_landscape(path.c_str()), 2);
    EXPECT_EQ(texture_pixels(40), by_name);
    EXPECT_EQ(texture_slots[40].deformation, -7);
    if (embed) {
      EXPECT_EQ(texture_pixels(41), in_memory);
      EXPECT_STREQ(texture_slots[41].name, "memory.tga");
      for (int32_t l = 1; l < kTextureLevels; ++l) {
        const TextureSlot& s = texture_slots[41];
        EXPECT_EQ(s.levels[l].pixels, s.levels[l - 1].pixels + s.levels[l - 1].width * s.levels[l - 1].height);
      }
    } else {
      // "memory.tga" cannot be found; the user skips it and the slot stays empty.
      EXPECT_EQ(texture_slots[41].loaded, 0);
      EXPECT_EQ(texture_slots[41].levels[0].pixels, nullptr);
    }
    host_->messages.clear();
    make_texture(41, 32, 16, 5, "memory.tga");
  }
}

TEST_F(LandscapeFileTest, FailedSaveKeepsThePreviousFile) {
  const std::string path = file("keep.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  const auto before = imgtest::read_bytes(path);
  fill_grids(3);
  {
    imgtest::FileSizeLimit limit(2000);
    EXPECT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 0);
  }
  EXPECT_EQ(imgtest::read_bytes(path), before);
  EXPECT_NE(first_message(*host_).find("Error writing file:"), std::string::npos);
  EXPECT_EQ(dir_.entries(), std::vector<std::string>{"keep.d4s"});
}

TEST_F(LandscapeFileTest, StartUpPathIsStoredAsAnEmptyPathWithTheJetSettings) {
  reset_path_state();
  const std::string path = file("sections.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  const auto bytes = imgtest::read_bytes(path);
  const uint32_t block = read32(bytes, 200);
  ASSERT_EQ(block + static_cast<size_t>(kPathBlockBytes), bytes.size());  // the last section
  const int32_t start[19] = {0, 0, 0, 1, 1, 0, 0, 1, 2, 0, 1, 200, 3000, 10, 100, 15, 20, 0, 30};
  for (int32_t i = 0; i < 19; ++i) EXPECT_EQ(static_cast<int32_t>(read32(bytes, block + 4 * i)), start[i]) << i;
  EXPECT_EQ(get_f32(bytes.data() + block + 76), 1.0f);
}

TEST_F(LandscapeFileTest, CloudPatternColoursAndCameraPathComeBackExactly) {
  reset_cloud_settings();
  reset_path_state();
  random_seed(77);
  generate_cloud_pattern(cloud_feature_for_scale(8));
  session_cloud_settings_set(SessionCloudSettings{1, 4, 13, 5, 100, 150, 3500, 60, 70, 15});
  build_cloud_color_ramp();
  for (int32_t i = 0; i < 3; ++i) {
    PathNode node = make_path_node(100.0f + 200.0f * i, 150.0f + 50.0f * i);
    node.speed = 2500.0f + 100.0f * i;
    node.roll = i - 1;
    ASSERT_EQ(append_path_node(node, i, i), 1);
  }
  std::vector<uint8_t> pattern(kCloudPatternBytes), ramp(sizeof cloud_ramp), block(kPathBlockBytes);
  cloud_pattern_copy_out(pattern.data());
  std::memcpy(ramp.data(), cloud_ramp, ramp.size());
  session_path_block_get(block.data());
  const std::string path = file("sky_and_path.d4s");
  ASSERT_EQ(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);

  reset_cloud_settings();
  reset_path_state();
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_TRUE(host_->messages.empty()) << first_message(*host_);
  std::vector<uint8_t> pattern2(kCloudPatternBytes), block2(kPathBlockBytes);
  cloud_pattern_copy_out(pattern2.data());
  session_path_block_get(block2.data());
  EXPECT_TRUE(pattern2 == pattern);
  EXPECT_EQ(std::memcmp(cloud_ramp, ramp.data(), ramp.size()), 0);
  EXPECT_TRUE(block2 == block);
  EXPECT_EQ(path_node_count, 3);
  EXPECT_EQ(clouds_enabled, 1);
  EXPECT_EQ(cloud_settings.cloud_altitude, 3500);
  reset_cloud_settings();
  reset_path_state();
}

TEST_F(LandscapeFileTest, DamagedCloudSplitSettingsAreHeldToWhatTheProgramSets) {
  // A split depth without end or a split size of zero would make the cloud layer split its cells for ever.
  session_cloud_settings_set(SessionCloudSettings{1, 8, -5, 1000000, 128, 178, 4000, 400, -3, 20});
  EXPECT_EQ(cloud_settings.cloud_subdiv_size, 1);
  EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 6);
  EXPECT_EQ(cloud_settings.cloud_density, 100);
  EXPECT_EQ(cloud_settings.cloud_hardness, 0);
  reset_cloud_settings();
}
