// The engine's named settings records with their start values: lens, view, terrain, render, light, sun and moon, trees, animation, derived-data markers, colour table and class attributes.
#pragma once

#include <cstdint>

// LensState (renderer).
extern int32_t focal_length;
extern float lens_scale;
extern float lens_scale_inv;
extern float stereo_separation;
extern float lens_spare;
extern int32_t stereo_image_shift;
extern int32_t stereo_camera;
extern int32_t view_facing;

// View fields of the landscape record.
extern float file_vertical_scale;
extern float vertical_scale;
extern float built_vertical_scale;
extern int32_t max_elevation;
extern int32_t base_level;
extern int32_t origin_x, origin_y;
extern int32_t origin_z;  // world origin height of the landscape in metres

// TerrainSettings (this block's part).
extern int32_t fractal_roughness;
extern int32_t feature_size;
extern int32_t line_roughness;
extern int32_t island_mode;
extern int32_t tree_line;
extern int32_t snow_line;
extern int32_t fractal_seed;
extern int32_t sea_level;

// RenderSettings.
extern int32_t dither_amount;
extern int32_t dither_type;
extern int32_t haze_density;
extern int32_t grid_step;
extern int32_t light_roughness;
extern int32_t bbox_x0, bbox_y0, bbox_x1, bbox_y1;
extern int32_t shadows_enabled;
extern int32_t palette_colors;
extern int32_t view_mode;
extern int32_t redraw_interval;
extern int32_t snapshot_spare_a, snapshot_spare_b;
extern int32_t sky_enabled;
extern int32_t horizon_enabled;
extern int32_t blend_colors;
extern int32_t backface_culling;
extern int32_t antialias_mode;
extern int32_t phong_enabled;
extern int32_t flare_enabled;
extern int32_t detail_param_a, detail_param_b, detail_level, detail_enabled;
extern int32_t render_range;
extern int32_t bbox_enabled;
extern int32_t exaggerate_shading;
extern int32_t palette_locked;
extern int32_t gouraud_enabled;
extern int32_t topo_click_mode;
extern int32_t background_enabled;
extern int32_t foreground_enabled;

// LightState.
extern float light_x, light_y, light_z;
extern int32_t light_x256, light_y256, light_z256;
extern float second_light_x, second_light_y, second_light_z;
extern float sun_azimuth;
extern float sun_declination;
extern int32_t contrast;
extern int32_t brightness;
extern int32_t flat_intensity;
extern int32_t sky_intensity;
extern int32_t auto_exposure;
extern int32_t haze_color_slot;
extern int32_t sun_light_r, sun_light_g, sun_light_b;
extern int32_t ambient_light_r, ambient_light_g, ambient_light_b;
extern int32_t light_tables_stale;

// SunMoonState.
extern float sun_position_x, sun_position_y, sun_position_z;
extern float sun_rotation_speed_x, sun_rotation_speed_y, sun_rotation_speed_z;
extern float sun_rotation_x, sun_rotation_y, sun_rotation_z;
extern float sun_radius;
extern float sun_distance;
extern int32_t sun_size;
extern float moon_azimuth, moon_declination;
extern float moon_position_x, moon_position_y, moon_position_z;
extern float moon_rotation_speed_x, moon_rotation_speed_y, moon_rotation_speed_z;
extern float moon_rotation_x, moon_rotation_y, moon_rotation_z;
extern float moon_radius;
extern float moon_distance;
extern int32_t moon_size;
extern int32_t stars_enabled;
extern int32_t moon_enabled;

// TreeSettings.
extern int32_t tree_density[4];
extern int32_t tree_size[4];
extern int32_t branch_bend[4];
extern int32_t tree_leaves[4];
extern int32_t tree_detail;
extern int32_t trees_enabled;
extern int32_t tree_textures_enabled;
extern int32_t trees_3d;
extern int32_t tree_class_masks[4];

// AnimationState.
extern int32_t animation_output;
extern int32_t frame_rate;
extern int32_t anim_save_frames;
extern int32_t script_error_frame;
extern int32_t script_frame_count;

// DerivedDataState: a result is valid while its marker is at most grid_step; 32000 means never computed.
extern int32_t shades_done_step;
extern int32_t colors_done_step;
extern int32_t cliffs_done_step;
extern int32_t palette_stale;
extern int32_t landscape_changed;

// Start-up file names.
extern char startup_script_name[256];
extern char startup_session_name[256];

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

// Restores every setting of this header to its start value (start-up and tests).
void reset_settings_defaults();
// Fills the colour table and the class attributes with their start values.
void reset_color_table();
void reset_class_attributes();

// Marks colours, cliffs and shading stale for every grid step (stores land_width in the markers).
void mark_derived_stale();
// True when a result computed at done_step serves the current grid_step.
inline bool derived_valid(int32_t done_step, int32_t step) { return done_step <= step; }
