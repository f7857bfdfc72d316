// The engine's named settings records with their start values: lens, view, terrain, render, light, sun and moon, trees, animation, derived-data markers, colour table and class attributes.
#pragma once

#include <cstdint>

#include "engine/core/color_classes.h"

// LensState: the lens of the renderer and the stereo pair.
struct LensState {
  int32_t focal_length = 32;
  float lens_scale = 2.0f;
  float lens_scale_inv = 0.5f;
  float stereo_separation = 10.0f;
  float lens_spare = 3.0f;
  int32_t stereo_image_shift = 32;
  int32_t stereo_camera = 1;
  int32_t view_facing = 5;
};
extern LensState lens_state;

// LandscapeView: the view fields of the landscape record.
struct LandscapeView {
  float file_vertical_scale = 1.0f;
  float vertical_scale = 1.0f;
  float built_vertical_scale = 1.0f;
  int32_t max_elevation = 1000;
  int32_t base_level = 0;
  int32_t origin_x = 0, origin_y = 0;
  int32_t origin_z = 0;  // world origin height of the landscape in metres
};
extern LandscapeView landscape_view;

// TerrainSettings: generation and colouring, cliffs, strata and roughness.
struct TerrainSettings {
  int32_t fractal_roughness = 100;
  int32_t feature_size = 1;
  int32_t line_roughness = 100;
  int32_t island_mode = 1;
  int32_t tree_line = 50;
  int32_t snow_line = 100;
  int32_t fractal_seed = 0;
  int32_t sea_level = 0;
  int32_t cliffs_enabled = 1;
  int32_t cliff_mode = 1;  // 2 strata planes, else slope bands
  int32_t cliff_angle = 45;
  int32_t cliff_band_width = 7;
  float strata_normal_x = 0.0f, strata_normal_y = 0.0f, strata_normal_z = 1.0f;
  int32_t strata_thickness = 20;
  int32_t strata_warp = 100;
  int32_t roughness_enabled = 1;
  int32_t roughness_weight = 100;
  int32_t roughness_radius = 200;
};
extern TerrainSettings terrain_settings;

// RenderSettings.
struct RenderSettings {
  int32_t dither_amount = 100;
  int32_t dither_type = 2;
  int32_t haze_density = 100;
  int32_t grid_step = 1;
  int32_t light_roughness = 100;
  int32_t bbox_x0 = 0, bbox_y0 = 0, bbox_x1 = 258, bbox_y1 = 258;
  int32_t shadows_enabled = 1;
  int32_t palette_colors = 256;
  int32_t view_mode = 2;
  int32_t redraw_interval = 5;
  int32_t snapshot_spare_a = 1, snapshot_spare_b = 1;
  int32_t sky_enabled = 1;
  int32_t horizon_enabled = 1;
  int32_t blend_colors = 1;
  int32_t backface_culling = 1;
  int32_t antialias_mode = 1;
  int32_t phong_enabled = 1;
  int32_t flare_enabled = 1;
  int32_t detail_param_a = 0, detail_param_b = 0, detail_level = 0, detail_enabled = 0;
  int32_t render_range = 0;
  int32_t bbox_enabled = 0;
  int32_t exaggerate_shading = 0;
  int32_t palette_locked = 0;
  int32_t gouraud_enabled = 0;
  int32_t topo_click_mode = 0;
  int32_t background_enabled = 0;
  int32_t foreground_enabled = 0;
};
extern RenderSettings render_settings;

// LightState.
struct LightState {
  float light_x = 0.7f, light_y = 0.0f, light_z = 0.71f;
  int32_t light_x256 = 179, light_y256 = 0, light_z256 = 182;
  float second_light_x = 0.0f, second_light_y = 0.0f, second_light_z = 0.1f;
  float sun_azimuth = -90.0f;
  float sun_declination = 45.0f;
  int32_t contrast = 192;
  int32_t brightness = 128;
  int32_t flat_intensity = 248;
  int32_t sky_intensity = 248;
  int32_t auto_exposure = 1;
  int32_t haze_color_slot = kClassHaze;
  int32_t sun_light_r = 255, sun_light_g = 250, sun_light_b = 245;
  int32_t ambient_light_r = 0, ambient_light_g = 15, ambient_light_b = 20;
  int32_t light_tables_stale = 0;
};
extern LightState light_state;

// SunMoonState.
struct SunMoonState {
  float sun_position_x = 1.061e11f, sun_position_y = 0.0f, sun_position_z = 1.061e11f;
  float sun_rotation_speed_x = 0.0f, sun_rotation_speed_y = 0.0f, sun_rotation_speed_z = 1.0f;
  float sun_rotation_x = 0.0f, sun_rotation_y = 0.0f, sun_rotation_z = 0.0f;
  float sun_radius = 6.923e9f;
  float sun_distance = 1.5e11f;
  int32_t sun_size = 10;
  float moon_azimuth = 90.0f, moon_declination = 45.0f;
  float moon_position_x = -2.687e8f, moon_position_y = 0.0f, moon_position_z = 2.687e8f;
  float moon_rotation_speed_x = 0.0f, moon_rotation_speed_y = 0.0f, moon_rotation_speed_z = 1.0f;
  float moon_rotation_x = 0.0f, moon_rotation_y = 0.0f, moon_rotation_z = 0.0f;
  float moon_radius = 1.728e7f;
  float moon_distance = 3.8e8f;
  int32_t moon_size = 10;
  int32_t stars_enabled = 0;
  int32_t moon_enabled = 0;
};
extern SunMoonState sun_moon_state;

// TreeSettings (four tree classes).
struct TreeSettings {
  int32_t tree_density[4] = {50, 50, 50, 50};
  int32_t tree_size[4] = {35, 25, 20, 60};
  int32_t branch_bend[4] = {50, 100, 50, 75};
  int32_t tree_leaves[4] = {1, 1, 1, 1};
  int32_t tree_detail = 1;
  int32_t trees_enabled = 0;
  int32_t tree_textures_enabled = 0;
  int32_t trees_3d = 0;
  int32_t tree_class_masks[4] = {0, 0, 0, 0};
};
extern TreeSettings tree_settings;

// AnimationState.
struct AnimationState {
  int32_t animation_output = 4;
  int32_t frame_rate = 15;
  int32_t anim_save_frames = 1;
  int32_t script_error_frame = 0;
  int32_t script_frame_count = 0;
};
extern AnimationState animation_state;

// DerivedDataState: a result is valid while its marker is at most grid_step; 32000 means never computed.
struct DerivedDataState {
  int32_t shades_done_step = 32000;
  int32_t colors_done_step = 32000;
  int32_t cliffs_done_step = 32000;
  int32_t palette_stale = 1;
  int32_t landscape_changed = 1;
};
extern DerivedDataState derived_data;

// StartupFiles: the script and session read at start-up.
struct StartupFiles {
  char startup_script_name[256] = "STARTUP.SCR";
  char startup_session_name[256] = "STARTUP.D4S";
};
extern StartupFiles startup_files;

// Colour table: flag byte, then red, green, blue, indexed by colour class.
struct ColorEntry {
  uint8_t flag;
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};
extern ColorEntry color_table[256];

// Class attributes: Phong intensity, Phong sharpness, flare intensity, flare radius, terrain roughness.
struct ClassAttributes {
  uint8_t phong_intensity;
  uint8_t phong_sharpness;
  uint8_t flare_intensity;
  uint8_t flare_radius;
  uint8_t roughness;
};
extern ClassAttributes class_attributes[256];

// Restores every record and table of this header to its start value (reset_engine_state calls it).
void reset_settings_defaults();
// Fills the colour table and the class attributes with their start values.
void reset_color_table();
void reset_class_attributes();

// Marks colours, cliffs and shading stale for every grid step (stores land_width in the markers).
void mark_derived_stale();
// True when a result computed at done_step serves the current grid_step.
inline bool derived_valid(int32_t done_step, int32_t step) { return done_step <= step; }
