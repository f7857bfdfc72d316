// The current frame of the camera path: making a frame current puts the camera at its pose and aims
// the target ahead of it.
#pragma once

#include <cstdint>

// Degrees to radians as the path drawing and aiming use it.
constexpr double kPathDegToRad = 0.01745277777777778;

// For 0 <= frame < frame count: current_frame := frame, camera pose := the frame's, then
// aim_target_ahead. Other frames change nothing.
void set_current_frame(int32_t frame);
// Camera position, altitude, bank, heading and pitch from a frame (the index must be valid).
void camera_to_path_frame(int32_t frame);
// The target path_speed / 3 metres ahead of the camera along its heading, pitch and bank.
void aim_target_ahead();
