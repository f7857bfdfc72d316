// Start values of the engine's settings records, the colour table and the class attributes.
#include "engine/core/settings.h"

#include <cstring>

#include "engine/core/grid.h"

int32_t focal_length;
float lens_scale, lens_scale_inv, stereo_separation, lens_spare;
int32_t stereo_image_shift, stereo_camera, view_facing;

float file_vertical_scale, vertical_scale, built_vertical_scale;
int32_t max_elevation, base_level, origin_x, origin_y;
int32_t origin_z;

int32_t fractal_roughness, feature_size, line_roughness, island_mode, tree_line, snow_line, fractal_seed, sea_level;

int32_t dither_amount, dither_type, haze_density, grid_step, light_roughness;
int32_t bbox_x0, bbox_y0, bbox_x1, bbox_y1;
int32_t shadows_enabled, palette_colors, view_mode, redraw_interval, snapshot_spare_a, snapshot_spare_b;
int32_t sky_enabled, horizon_enabled, blend_colors, backface_culling, antialias_mode, phong_enabled, flare_enabled;
int32_t detail_param_a, detail_param_b, detail_level, detail_enabled, render_range, bbox_enabled;
int32_t exaggerate_shading, palette_locked, gouraud_enabled, topo_click_mode, background_enabled, foreground_enabled;

float light_x, light_y, light_z;
int32_t light_x256, light_y256, light_z256;
float second_light_x, second_light_y, second_light_z;
float sun_azimuth, sun_declination;
int32_t contrast, brightness, flat_intensity, sky_intensity, auto_exposure, haze_color_slot;
int32_t sun_light_r, sun_light_g, sun_light_b, ambient_light_r, ambient_light_g, ambient_light_b;
int32_t light_tables_stale;

float sun_position_x, sun_position_y, sun_position_z;
float sun_rotation_speed_x, sun_rotation_speed_y, sun_rotation_speed_z;
float sun_rotation_x, sun_rotation_y, sun_rotation_z;
float sun_radius, sun_distance;
int32_t sun_size;
float moon_azimuth, moon_declination;
float moon_position_x, moon_position_y, moon_position_z;
float moon_rotation_speed_x, moon_rotation_speed_y, moon_rotation_speed_z;
float moon_rotation_x, moon_rotation_y, moon_rotation_z;
float moon_radius, moon_distance;
int32_t moon_size, stars_enabled, moon_enabled;

int32_t tree_density[4], tree_size[4], branch_bend[4], tree_leaves[4];
int32_t tree_detail, trees_enabled, tree_textures_enabled, trees_3d;
int32_t tree_class_masks[4];

int32_t animation_output, frame_rate, anim_save_frames, script_error_frame, script_frame_count;

int32_t shades_done_step, colors_done_step, cliffs_done_step, palette_stale, landscape_changed;

char startup_script_name[256];
char startup_session_name[256];

ColorEntry color_table[256];
ClassAttributes class_attributes[256];

namespace {

void set_colors(int first, const uint8_t (*rgb)[3], int count) {
  for (int i = 0; i < count; ++i) color_table[first + i] = {0, rgb[i][0], rgb[i][1], rgb[i][2]};
}

void set_color_range(int first, int last, uint8_t r, uint8_t g, uint8_t b) {
  for (int i = first; i <= last; ++i) color_table[i] = {0, r, g, b};
}

void set_attr_range(int first, int last, uint8_t a0, uint8_t a1, uint8_t a2, uint8_t a3, uint8_t a4) {
  for (int i = first; i <= last; ++i) class_attributes[i] = {a0, a1, a2, a3, a4};
}

}  // namespace

void reset_color_table() {
  static const uint8_t c1[15][3] = {{176, 176, 176}, {32, 32, 32},  {160, 160, 144}, {160, 144, 112}, {128, 128, 96},
                                    {96, 112, 64},   {96, 80, 64},  {80, 80, 64},    {80, 112, 64},   {48, 64, 32},
                                    {48, 64, 16},    {0, 32, 0},    {96, 96, 144},   {96, 96, 112},   {16, 32, 48}};
  static const uint8_t c16[9][3] = {{0, 0, 0},     {247, 247, 247}, {34, 83, 0},    {0, 99, 0},    {49, 82, 33},
                                    {165, 115, 66}, {165, 165, 165}, {128, 128, 128}, {192, 192, 192}};
  static const uint8_t leaves[4][3] = {{32, 80, 16}, {48, 96, 32}, {64, 96, 48}, {88, 112, 64}};
  static const uint8_t bare[4][3] = {{80, 64, 32}, {112, 88, 64}, {144, 124, 96}, {160, 144, 112}};
  static const uint8_t cliff[4][3] = {{128, 96, 64}, {128, 112, 96}, {128, 96, 96}, {128, 128, 128}};
  static const uint8_t water[5][3] = {{16, 48, 80}, {24, 56, 88}, {64, 96, 112}, {128, 144, 152}, {192, 192, 192}};
  static const uint8_t ground[4][3] = {{48, 128, 16}, {80, 112, 16}, {56, 80, 32}, {80, 112, 64}};
  static const uint8_t placed[4][3] = {{48, 112, 16}, {144, 48, 16}, {56, 80, 32}, {80, 112, 64}};

  std::memset(color_table, 0, sizeof color_table);
  set_colors(1, c1, 15);
  set_colors(16, c16, 9);
  set_color_range(25, 26, 192, 192, 192);
  set_color_range(32, 32, 48, 112, 16);
  set_color_range(33, 33, 64, 128, 192);
  set_colors(34, leaves, 4);
  set_colors(38, bare, 4);
  set_color_range(42, 45, 192, 192, 192);
  set_colors(46, cliff, 4);
  set_color_range(50, 50, 176, 160, 128);
  set_colors(51, water, 5);
  set_colors(56, ground, 4);
  set_colors(60, placed, 4);
  set_color_range(64, 67, 80, 64, 48);
  set_color_range(68, 71, 128, 128, 128);
  set_color_range(72, 75, 48, 48, 48);
  set_color_range(76, 76, 192, 192, 192);
  set_color_range(77, 77, 255, 248, 240);
  set_color_range(78, 78, 240, 248, 255);
  set_color_range(79, 79, 128, 128, 128);
  set_color_range(80, 87, 48, 48, 48);
  set_color_range(88, 91, 160, 144, 112);
}

void reset_class_attributes() {
  set_attr_range(0, 32, 0, 0, 0, 0, 100);
  set_attr_range(33, 33, 100, 10, 0, 0, 100);
  set_attr_range(34, 37, 75, 10, 0, 0, 100);
  set_attr_range(38, 49, 50, 20, 0, 0, 100);
  set_attr_range(56, 63, 50, 20, 0, 0, 100);
  set_attr_range(50, 50, 100, 100, 0, 0, 100);
  set_attr_range(51, 52, 175, 100, 0, 0, 100);
  set_attr_range(53, 53, 75, 75, 0, 0, 100);
  set_attr_range(54, 54, 0, 0, 80, 5, 100);
  set_attr_range(55, 55, 0, 0, 80, 10, 100);
  set_attr_range(64, 67, 75, 5, 0, 0, 100);
  set_attr_range(68, 75, 75, 20, 0, 0, 100);
  set_attr_range(76, 76, 0, 0, 0, 0, 100);
  set_attr_range(77, 77, 0, 0, 80, 10, 100);
  set_attr_range(78, 79, 0, 0, 0, 0, 100);
  set_attr_range(80, 87, 75, 20, 0, 0, 100);
  set_attr_range(88, 255, 50, 20, 0, 0, 100);
}

void reset_settings_defaults() {
  focal_length = 32;
  lens_scale = 2.0f;
  lens_scale_inv = 0.5f;
  stereo_separation = 10.0f;
  lens_spare = 3.0f;
  stereo_image_shift = 32;
  stereo_camera = 1;
  view_facing = 5;

  file_vertical_scale = 1.0f;
  vertical_scale = 1.0f;
  built_vertical_scale = 1.0f;
  max_elevation = 1000;
  base_level = 0;
  origin_x = origin_y = 0;
  origin_z = 0;

  fractal_roughness = 100;
  feature_size = 1;
  line_roughness = 100;
  island_mode = 1;
  tree_line = 50;
  snow_line = 100;
  fractal_seed = 0;
  sea_level = 0;

  dither_amount = 100;
  dither_type = 2;
  haze_density = 100;
  grid_step = 1;
  light_roughness = 100;
  bbox_x0 = bbox_y0 = 0;
  bbox_x1 = bbox_y1 = 258;
  shadows_enabled = 1;
  palette_colors = 256;
  view_mode = 2;
  redraw_interval = 5;
  snapshot_spare_a = snapshot_spare_b = 1;
  sky_enabled = horizon_enabled = blend_colors = backface_culling = 1;
  antialias_mode = 1;
  phong_enabled = 1;
  flare_enabled = 1;
  detail_param_a = detail_param_b = detail_level = detail_enabled = 0;
  render_range = bbox_enabled = exaggerate_shading = palette_locked = gouraud_enabled = 0;
  topo_click_mode = background_enabled = foreground_enabled = 0;

  light_x = 0.7f;
  light_y = 0.0f;
  light_z = 0.71f;
  light_x256 = 179;
  light_y256 = 0;
  light_z256 = 182;
  second_light_x = 0.0f;
  second_light_y = 0.0f;
  second_light_z = 0.1f;
  sun_azimuth = -90.0f;
  sun_declination = 45.0f;
  contrast = 192;
  brightness = 128;
  flat_intensity = 248;
  sky_intensity = 248;
  auto_exposure = 1;
  haze_color_slot = 26;
  sun_light_r = 255;
  sun_light_g = 250;
  sun_light_b = 245;
  ambient_light_r = 0;
  ambient_light_g = 15;
  ambient_light_b = 20;
  light_tables_stale = 0;

  sun_position_x = 1.061e11f;
  sun_position_y = 0.0f;
  sun_position_z = 1.061e11f;
  sun_rotation_speed_x = sun_rotation_speed_y = 0.0f;
  sun_rotation_speed_z = 1.0f;
  sun_rotation_x = sun_rotation_y = sun_rotation_z = 0.0f;
  sun_radius = 6.923e9f;
  sun_distance = 1.5e11f;
  sun_size = 10;
  moon_azimuth = 90.0f;
  moon_declination = 45.0f;
  moon_position_x = -2.687e8f;
  moon_position_y = 0.0f;
  moon_position_z = 2.687e8f;
  moon_rotation_speed_x = moon_rotation_speed_y = 0.0f;
  moon_rotation_speed_z = 1.0f;
  moon_rotation_x = moon_rotation_y = moon_rotation_z = 0.0f;
  moon_radius = 1.728e7f;
  moon_distance = 3.8e8f;
  moon_size = 10;
  stars_enabled = moon_enabled = 0;

  static const int32_t sizes[4] = {35, 25, 20, 60};
  static const int32_t bends[4] = {50, 100, 50, 75};
  for (int i = 0; i < 4; ++i) {
    tree_density[i] = 50;
    tree_size[i] = sizes[i];
    branch_bend[i] = bends[i];
    tree_leaves[i] = 1;
    tree_class_masks[i] = 0;
  }
  tree_detail = 1;
  trees_enabled = tree_textures_enabled = trees_3d = 0;

  animation_output = 4;
  frame_rate = 15;
  anim_save_frames = 1;
  script_error_frame = 0;
  script_frame_count = 0;

  shades_done_step = colors_done_step = cliffs_done_step = 32000;
  palette_stale = 1;
  landscape_changed = 1;

  std::memset(startup_script_name, 0, sizeof startup_script_name);
  std::memset(startup_session_name, 0, sizeof startup_session_name);
  std::strcpy(startup_script_name, "STARTUP.SCR");
  std::strcpy(startup_session_name, "STARTUP.D4S");

  reset_color_table();
  reset_class_attributes();
}

void mark_derived_stale() {
  shades_done_step = land_width;
  colors_done_step = land_width;
  cliffs_done_step = land_width;
}

namespace {
// The settings hold their start values before anything runs.
struct SettingsAtStart {
  SettingsAtStart() { reset_settings_defaults(); }
} settings_at_start;
}  // namespace
