// Rendering one image of the current scene into the frame buffers, with the view direction, the stereo eye and
// the passes after the landscape walk.
#pragma once

#include <cstdint>

// Renders frame number frame (0-based) of frame_count frames (the progress caption is "Frame %d of %d", or
// "Render" when frame_count is 1). Returns 1 when the image was completed, -1 when the user stopped the
// landscape walk or the flare pass. Camera pose and image size are as before afterwards.
int32_t render_frame(int32_t frame, int32_t frame_count);

// Keeps the camera's pose (position, bank, heading, pitch) for a scope and puts it back when the scope
// ends, whichever way it ends; the frame turns and moves the camera only inside one.
class CameraPoseGuard {
 public:
  CameraPoseGuard();
  ~CameraPoseGuard();
  CameraPoseGuard(const CameraPoseGuard&) = delete;
  CameraPoseGuard& operator=(const CameraPoseGuard&) = delete;

 private:
  float x_, y_, z_, bank_, heading_, pitch_;
};

// The camera's angles saved by apply_view_direction.
extern float saved_bank, saved_heading, saved_pitch;

// Saves bank, heading and pitch and turns the camera for view_facing (6 back, 7 port, 8 starboard).
void apply_view_direction();
// Puts the three saved angles back.
void restore_view_direction();

// The camera offset of a stereo eye (stereo_camera 2 left, 3 right; zero otherwise) for the camera's current
// bank and heading, ignoring pitch.
void stereo_eye_offset(float* dx, float* dy, float* dz);
// Shifts vidmem24 horizontally by shift pixels (negative: to the left), leaving black bands of |shift| pixels
// at both edges; returns 1.
int32_t stereo_shift_image(int32_t shift);

// Fill the entries (view x, y, z, elevation; four floats each) of the samples of one grid row (indexed by
// column) or one grid column (indexed by row) at every grid_step-th sample.
void project_grid_row(int32_t row, float* buffer);
void project_grid_column(int32_t column, float* buffer);

// The progress caption for frame of count ("Render" or "Frame %d of %d"); out holds at least 128 bytes.
void format_frame_caption(int32_t frame, int32_t count, char* out);
