// Command routines: camera, lens and light; script control (pause, stop, exit, priority, spawn); plain settings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/animation/script_interpreter.h"
#include "engine/core/color_classes.h"
#include "engine/landscape/sun.h"
#include "engine/landscape/waves.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "script_test_fixture.h"

namespace {

using ScriptCamera = ScriptTest;
using ScriptControl = ScriptTest;
using ScriptSettings = ScriptTest;

TEST_F(ScriptCamera, PlacingReaimsAndLocksHold) {
  ASSERT_EQ(line("TargetXYZ 1000 1000 0"), 1);
  ASSERT_EQ(line("CameraXYZ 1000 0 100"), 1);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 1000.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 100.0f);
  EXPECT_NEAR(camera_state.camera_heading, 0.0f, 1e-3);  // looking along +y at the target
  camera_state.lock_x = 1;
  ASSERT_EQ(line("CameraX 0"), 1);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 1000.0f);  // locked axis kept
  camera_state.lock_x = 0;
  ASSERT_EQ(line("Heading 400"), 1);
  EXPECT_FLOAT_EQ(camera_state.camera_heading, 400.0f);  // stored unchanged
  ASSERT_EQ(line("Bank -12.5"), 1);
  ASSERT_EQ(line("Pitch 7"), 1);
  EXPECT_FLOAT_EQ(camera_state.camera_bank, -12.5f);
  EXPECT_FLOAT_EQ(camera_state.camera_pitch, 7.0f);
  ASSERT_EQ(line("TargetX 2000"), 1);
  EXPECT_GE(camera_state.camera_heading, -180.0f);
  EXPECT_LE(camera_state.camera_heading, 180.0f);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptCamera, FieldOfViewIsClamped) {
  struct Case {
    const char* text;
    double angle;
  } cases[] = {{"FieldOfView 0", 1.0}, {"FieldOfView", 1.0}, {"FieldOfView 180", 172.0}, {"FieldOfView 90", 90.0}};
  for (const Case& c : cases) {
    ASSERT_EQ(line(c.text), 1);
    const float expected = static_cast<float>(1.0 / std::tan(c.angle / 2.0 / 57.29577951308232));
    EXPECT_FLOAT_EQ(lens_state.lens_scale, expected) << c.text;
    EXPECT_FLOAT_EQ(lens_state.lens_scale_inv, 1.0f / expected);
    EXPECT_EQ(lens_state.focal_length, static_cast<int32_t>(expected * 16.0f));
  }
}

// A focal length of 0 or less would make the inverse lens scale infinite or negative: refused, lens kept.
TEST_F(ScriptCamera, FocalLengthBelowOneIsRefused) {
  ASSERT_EQ(line("FocalLength 24"), 1);
  EXPECT_FLOAT_EQ(lens_state.lens_scale, 1.5f);
  EXPECT_EQ(lens_state.focal_length, 24);
  for (const char* l : {"FocalLength 0", "FocalLength", "FocalLength -16", "FocalLength 0.5"}) {
    host->messages.clear();
    EXPECT_EQ(line(l), 1);
    ASSERT_EQ(host->messages.size(), 1u) << l;
    EXPECT_EQ(host->messages[0].text, std::string("Script error: ") + l);
    EXPECT_FLOAT_EQ(lens_state.lens_scale, 1.5f);
    EXPECT_TRUE(std::isfinite(lens_state.lens_scale_inv));
  }
}

TEST_F(ScriptCamera, ViewStereoSunAndShading) {
  struct Case {
    const char* text;
    const int32_t* field;
    int32_t value;
  } cases[] = {
      {"LensPort", &lens_state.view_facing, 7},        {"LensStarboard", &lens_state.view_facing, 8}, {"LensForward", &lens_state.view_facing, 5},
      {"LensLeft", &lens_state.stereo_camera, 2},      {"LensRight", &lens_state.stereo_camera, 3},   {"LensCenter", &lens_state.stereo_camera, 1},
      {"ShadowsOff", &render_settings.shadows_enabled, 0},  {"ShadowsOn", &render_settings.shadows_enabled, 1},
      {"ExaggerationOn", &render_settings.exaggerate_shading, 1}, {"ExagerationOff", &render_settings.exaggerate_shading, 0},
      {"LightingRoughness 3.9", &render_settings.light_roughness, 3},
  };
  for (const Case& c : cases) {
    derived_data.shades_done_step = 1;
    ASSERT_EQ(line(c.text), 1);
    EXPECT_EQ(*c.field, c.value) << c.text;
  }
  EXPECT_EQ(derived_data.shades_done_step, land_width);  // shading marked stale
  derived_data.shades_done_step = 1;
  ASSERT_EQ(line("SunDeclination 90"), 1);
  EXPECT_NEAR(light_state.light_z, 1.0f, 1e-4);
  EXPECT_EQ(derived_data.shades_done_step, land_width);
  ASSERT_EQ(line("SunAzimuth 30"), 1);
  EXPECT_FLOAT_EQ(light_state.sun_azimuth, 30.0f);
}

TEST_F(ScriptControl, PauseStopAndExit) {
  host->yes_no_answers = {1, 0};
  EXPECT_EQ(line("Pause"), 1);
  EXPECT_EQ(line("Pause"), -1);
  EXPECT_EQ(host->messages[0].text, "Continue or Stop script?");
  EXPECT_EQ(host->messages[0].button2, "Stop");
  EXPECT_EQ(line("Stop"), -1);
  EXPECT_EQ(host->quit_posts, 0);
  EXPECT_EQ(line("Exit"), -1);
  EXPECT_EQ(host->quit_posts, 1);
}

TEST_F(ScriptControl, PriorityBeepAndAutoSave) {
  EXPECT_EQ(line("SetPriorityLow"), 1);
  EXPECT_EQ(host->engine_priority_low, 1);
  EXPECT_EQ(line("SetPriorityNormal"), 1);
  EXPECT_EQ(host->engine_priority_low, 0);
  EXPECT_EQ(line("BeepOff"), 1);
  EXPECT_EQ(beep_enabled, 0);
  EXPECT_EQ(line("BeepOn"), 1);
  EXPECT_EQ(beep_enabled, 1);
  EXPECT_EQ(line("AutoSaveOff"), 1);
  EXPECT_EQ(animation_state.anim_save_frames, 0);
  EXPECT_EQ(line("AutoSaveOn"), 1);
  EXPECT_EQ(animation_state.anim_save_frames, 1);
}

TEST_F(ScriptControl, SpawnResults) {
  // Exit code 0: result 0 and no message.
  EXPECT_EQ(line("Spawn true"), 0);
  EXPECT_TRUE(host->messages.empty());
  // The command interpreter is the user's shell; "/c" becomes "-c".
  host->yes_no_answers = {1};
  EXPECT_EQ(line("Spawn COMMAND.COM /c exit 3"), 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Error code 3 from \"Spawn COMMAND.COM /c exit 3\"");
  host->yes_no_answers = {0};
  EXPECT_EQ(line("Spawn false"), -1);  // Cancel stops the script
  host->messages.clear();
  EXPECT_EQ(line("Spawn /no/such/program-here arg"), 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Unable to Spawn: Spawn /no/such/program-here arg");
}

TEST_F(ScriptSettings, LinesFractalAndFeatureSize) {
  EXPECT_EQ(line("SnowLine 1200.7"), 1);
  EXPECT_EQ(terrain_settings.snow_line, 1200);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  EXPECT_EQ(line("FeatureSize8"), 1);
  EXPECT_EQ(terrain_settings.feature_size, 8);
  // A feature size below 1 would divide by zero in generation: taken as 1.
  for (const char* l : {"FractalDivisor 0", "FractalDivisor -4", "FractalDivisor"}) {
    terrain_settings.feature_size = 8;
    EXPECT_EQ(line(l), 1);
    EXPECT_EQ(terrain_settings.feature_size, 1) << l;
  }
  EXPECT_EQ(line("FractalDivisor 16"), 1);
  EXPECT_EQ(terrain_settings.feature_size, 16);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptSettings, ColoursKeepLowBitsAndShareTreeGround) {
  derived_data.palette_stale = 0;
  EXPECT_EQ(line("SetColorSky 300 128 -1"), 1);
  EXPECT_EQ(color_table[33].red, 44);
  EXPECT_EQ(color_table[33].green, 128);
  EXPECT_EQ(color_table[33].blue, 255);
  EXPECT_EQ(derived_data.palette_stale, land_width);
  EXPECT_EQ(line("SetColorOak 1 2 3"), 1);
  EXPECT_EQ(line("SetColorUnderTree2 9 8 7"), 1);
  EXPECT_EQ(color_table[57].red, 9);
  EXPECT_EQ(color_table[35].red, 9);  // the oak leaf colour follows
  EXPECT_EQ(line("SetColorExposure 40"), 1);
  EXPECT_EQ(light_state.brightness, 40);
  EXPECT_EQ(line("SetColorBrightness 41"), 1);
  EXPECT_EQ(light_state.brightness, 41);
}

TEST_F(ScriptSettings, TreesRenderAndSky) {
  EXPECT_EQ(line("Tree2D"), 1);
  EXPECT_EQ(line("TreeDetailLow"), 1);
  EXPECT_EQ(tree_settings.tree_detail, -1);
  EXPECT_EQ(tree_settings.trees_3d, 1);
  EXPECT_EQ(line("TreeTextureOn"), 1);
  EXPECT_EQ(tree_settings.tree_textures_enabled, 2);
  EXPECT_EQ(line("TreePineSize 33"), 1);
  EXPECT_EQ(tree_settings.tree_size[3], 33);
  EXPECT_EQ(line("TreePalmSize 11"), 1);
  EXPECT_EQ(tree_settings.tree_size[0], 11);
  EXPECT_EQ(line("PolygonSize4"), 1);
  EXPECT_EQ(render_settings.grid_step, 4);
  render_settings.redraw_interval = 5;
  EXPECT_EQ(line("RedrawRate 0"), 1);
  EXPECT_EQ(render_settings.view_mode, 1);
  EXPECT_EQ(render_settings.redraw_interval, 5);
  EXPECT_EQ(line("RedrawRate 9"), 1);
  EXPECT_EQ(render_settings.view_mode, 2);
  EXPECT_EQ(render_settings.redraw_interval, 9);
  EXPECT_EQ(line("PixelDitherOrdered 6"), 1);
  EXPECT_EQ(render_settings.dither_type, 1);
  EXPECT_EQ(render_settings.dither_amount, 6);
  EXPECT_EQ(line("MoonRotationSpeed 1 2 3"), 1);
  EXPECT_FLOAT_EQ(sun_moon_state.moon_rotation_speed_z, 3.0f);
  EXPECT_EQ(line("SkyOff"), 1);
  EXPECT_EQ(render_settings.sky_enabled, 0);
}

TEST_F(ScriptSettings, CliffsStrataWavesAndDetail) {
  EXPECT_EQ(line("CliffStrataOn"), 1);
  EXPECT_EQ(terrain_settings.cliff_mode, 2);
  EXPECT_EQ(line("CliffStrataOff"), 1);
  EXPECT_EQ(terrain_settings.cliff_mode, 1);
  EXPECT_EQ(line("CliffStrataThickness 0"), 1);
  EXPECT_EQ(terrain_settings.strata_thickness, 1);
  EXPECT_EQ(line("CliffStrataWarp -5"), 1);
  EXPECT_EQ(terrain_settings.strata_warp, 1);
  EXPECT_EQ(line("Temporary -5"), 1);
  EXPECT_EQ(terrain_settings.strata_warp, -5);
  EXPECT_EQ(line("WaveLength 40"), 1);
  EXPECT_FLOAT_EQ(wave_settings.wave_length, 40.0f);
  EXPECT_EQ(line("ShadeTextureLow"), 1);
  const int32_t shade_mode = render_settings.detail_enabled, shade_level = render_settings.detail_level;
  EXPECT_EQ(line("AltitudeTextureLow"), 1);
  EXPECT_NE(render_settings.detail_enabled * 10 + render_settings.detail_level, shade_mode * 10 + shade_level);  // different modes, same level
  EXPECT_EQ(line("FrTextureDepth 5 9"), 1);
  EXPECT_EQ(max_detail_depth, 5);
  EXPECT_EQ(line("FrTextureSize 12"), 1);
  EXPECT_EQ(max_polygon_size, 12);
}

}  // namespace

namespace {

using ScriptLandscape = ScriptTest;

TEST_F(ScriptLandscape, SetAltitudeWritesTheGuardSampleAndIgnoresBeyond) {
  const float sx = grid_spacing_x, sy = grid_spacing_y;
  const std::string at_edge = "SetAltitude " + std::to_string(static_cast<int>(land_width * sx)) + " " +
                              std::to_string(static_cast<int>(3 * sy)) + " 1234.9";
  EXPECT_EQ(line(at_edge), 1);
  EXPECT_EQ(elevation_row(3)[land_width], 1234);
  const int16_t beyond = elevation_row(3)[land_width + 1];
  const std::string past = "SetAltitude " + std::to_string(static_cast<int>((land_width + 1) * sx)) + " " +
                           std::to_string(static_cast<int>(3 * sy)) + " 777";
  EXPECT_EQ(line(past), 1);
  EXPECT_EQ(elevation_row(3)[land_width + 1], beyond);
  EXPECT_EQ(line("SetAltitude -100 0 5"), 1);  // off the grid: nothing
  EXPECT_EQ(line("SetAltitude 0 0 -5"), 1);
  EXPECT_EQ(elevation_row(0)[0], -5);
}

TEST_F(ScriptLandscape, LandscapeSizes) {
  EXPECT_EQ(line("LandscapeSizeLarge"), 1);
  EXPECT_EQ(grid_width, 514);
  EXPECT_EQ(region_mode, 2);
  EXPECT_EQ(derived_data.landscape_changed, 1);
  elevation_row(5)[5] = 321;
  EXPECT_EQ(line("LandscapeSizeAuto"), 1);  // keeps the grid and its elevations
  EXPECT_EQ(grid_width, 514);
  EXPECT_EQ(elevation_row(5)[5], 321);
  EXPECT_EQ(region_mode, 1);
  EXPECT_EQ(line("LandscapeSizeSmall"), 1);
  EXPECT_EQ(grid_width, 258);
  EXPECT_TRUE(host->messages.empty());
}

}  // namespace

#include "engine/files/background_image.h"
#include "engine/files/default_dirs.h"

namespace {

using ScriptFolders = ScriptTest;
using ScriptPictures = ScriptTest;

TEST_F(ScriptFolders, RestOfLineBecomesTheFolder) {
  reset_default_dirs();
  EXPECT_EQ(line("DefaultDirScript my scripts "), 1);
  EXPECT_STREQ(script_dir, "my scripts \\");  // the trailing blank stays, then the backslash
  EXPECT_EQ(line("DefaultDirTarga24 c:\\pics\\"), 1);
  EXPECT_STREQ(targa_dir, "c:\\pics\\");
  EXPECT_EQ(line("DefaultDirTexture d:"), 1);  // a colon gets no backslash
  for (const char* dir : {ground_texture_dir, tree_texture_dir, house_texture_dir, sky_texture_dir, water_texture_dir}) {
    EXPECT_STREQ(dir, "d:");
  }
  EXPECT_EQ(line("DefaultDirCMap schemes"), 1);
  EXPECT_STREQ(scheme_dir, "schemes\\");
  reset_default_dirs();
}

TEST_F(ScriptPictures, BackgroundAndForegroundNames) {
  EXPECT_EQ(line("BackgroundFile sky.tga"), 1);
  EXPECT_STREQ(background_name, "sky.tga");
  EXPECT_EQ(render_settings.background_enabled, 1);
  EXPECT_EQ(line("BackgroundFile"), 1);  // no name: background off
  EXPECT_STREQ(background_name, "");
  EXPECT_EQ(render_settings.background_enabled, 0);
  EXPECT_EQ(line("ForegroundFile fg.tga"), 1);
  EXPECT_EQ(render_settings.foreground_enabled, 1);
  // A name the 128-character field cannot hold is refused; the setting stays.
  EXPECT_EQ(line("ForegroundFile " + std::string(140, 'n')), 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text.rfind("Script error: ForegroundFile nnn", 0), 0u);
  EXPECT_STREQ(foreground_name, "fg.tga");
  // The stereo dialog cancelled (no file chosen) stops the script.
  EXPECT_EQ(line("LoadStereoRedBlue"), -1);
  background_name[0] = foreground_name[0] = 0;
}

// Saving into a folder that cannot exist and loading a missing file are reported with the path; the
// script goes on.
TEST_F(ScriptPictures, FailedSavesAndLoadsAreReported) {
  ASSERT_EQ(set_image_size(16, 16), 1);
  const std::string blocked = "/proc/version/x";  // a path under a plain file: no folder can be made there
  const struct {
    std::string line;
    const char* message;
  } cases[] = {
      {"SaveTarga " + blocked + ".tga", "Error writing file:"},
      {"SaveBMP " + blocked + ".bmp", "Error writing file:"},
      {"SaveJPG " + blocked + ".jpg", "Error writing file:"},
      {"SavePCX " + blocked + ".pcx", "Error writing file:"},
      {"LoadTarga /nonexistent/none.tga", "Error reading file:"},
      {"LoadBMP /nonexistent/none.bmp", "Error reading file:"},
      {"LoadJPG /nonexistent/none.jpg", "Error reading file:"},
  };
  for (const auto& c : cases) {
    host->messages.clear();
    EXPECT_EQ(line(c.line), 1) << c.line;
    ASSERT_EQ(host->messages.size(), 1u) << c.line;
    EXPECT_EQ(host->messages[0].text.rfind(c.message, 0), 0u) << host->messages[0].text;
  }
  free_vidmem24();
  free_vidmem8();
}

}  // namespace

#include "engine/animation/script_clouds.h"

namespace {

TEST(ScriptClouds, FeatureSizeForEveryScale) {
  struct Case {
    int32_t scale, feature;
  } cases[] = {{2, 128}, {4, 64}, {8, 32}, {16, 16}, {0, 32}, {1, 32}, {-8, 32}, {17, 32}, {INT32_MIN, 32}};
  for (const Case& c : cases) EXPECT_EQ(cloud_feature_for_scale(c.scale), c.feature) << c.scale;
}

}  // namespace
