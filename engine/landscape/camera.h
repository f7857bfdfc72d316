// CameraState: the camera and target points, their angles and placement locks, and the operations that place them.
#pragma once

#include <cstdint>

// CameraState (world metres: x along the grid rows, y across them, z the altitude; angles in degrees).
struct CameraState {
  float camera_x = 0.0f, camera_y = 0.0f, camera_z = 0.0f;
  float target_x = 0.0f, target_y = 0.0f, target_z = 0.0f;
  float camera_heading = 0.0f;  // -180 to 180; 0 looks along +y, 90 along -x
  float camera_pitch = 0.0f;    // -90 to 90; positive looks up
  float camera_bank = 0.0f;     // roll
  int32_t lock_x = 0, lock_y = 0, lock_z = 0;  // non-zero: placing a point keeps that coordinate
  int32_t camera_height = 100;                 // height above ground when put on the ground
};
extern CameraState camera_state;
// Elevation range kept with the landscape; base_level and max_elevation live in settings.h.
extern int32_t max_elevation_col, max_elevation_row;

// Start values of the camera record (all zero, camera_height 100, no locks).
void reset_camera_state();

// Placing points: unlocked coordinates change, then heading and pitch follow.
void set_camera(float x, float y, float z);
void set_target(float x, float y, float z);
void set_camera_from_map(int32_t px, int32_t py);
void set_target_from_map(int32_t px, int32_t py);
void camera_to_ground();
void camera_at_distance(int32_t distance);

// Heading and pitch from the two points (set_camera and set_target end with this).
void update_camera_angles();
// The target from camera, heading, pitch and bank at the current distance (ignores the locks).
void target_from_angles();
void set_heading(float angle);
void set_pitch(float angle);

// Settings from a map click: the elevation of the clicked sample; nothing changes off the landscape.
void pick_tree_line(int32_t px, int32_t py);
void pick_snow_line(int32_t px, int32_t py);
void pick_sea_level(int32_t px, int32_t py);

// haze_density from the camera to target distance.
void auto_haze();

// Default views and levels, and the landscape's elevation range.
void default_view();
void default_view_high();
void default_levels();
void scan_elevation_range();
