// Making a path frame current: the camera takes the frame's pose and the target is put ahead of it.
#include "engine/animation/path_camera.h"

#include "engine/animation/path_frames.h"
#include "engine/animation/path_model.h"
#include "engine/landscape/camera.h"

void camera_to_path_frame(int32_t frame) {
  const PathFrame& f = path_frames[frame];
  camera_state.camera_x = f.x;
  camera_state.camera_y = f.y;
  camera_state.camera_z = f.altitude;
  camera_state.camera_bank = f.bank;
  camera_state.camera_heading = f.heading;
  camera_state.camera_pitch = f.pitch;
}

void set_current_frame(int32_t frame) {
  if (!path_frames || frame < 0 || frame >= path_frame_count) return;
  current_frame = frame;
  camera_to_path_frame(frame);
  aim_target_ahead();
}

void aim_target_ahead() {
  // The distance first (along +x at the camera's altitude), then turned to the camera's angles.
  camera_state.target_x = camera_state.camera_x + static_cast<float>(vehicle.path_speed) / 3.0f;
  camera_state.target_y = camera_state.camera_y;
  camera_state.target_z = camera_state.camera_z;
  target_from_angles();
}
