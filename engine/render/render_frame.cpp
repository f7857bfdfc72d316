// One frame: per-frame set-up around the landscape walk and the passes after it.
#include "engine/render/render_frame.h"

#include <cstdio>

#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/landscape/waves.h"
#include "engine/render/antialias.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lens_flare.h"
#include "engine/render/lighting.h"
#include "engine/render/min_grid.h"
#include "engine/render/render_start.h"
#include "engine/render/sight_blocks.h"
#include "engine/render/terrain_quad.h"
#include "engine/render/terrain_walk.h"
#include "engine/raster/view_transform.h"
#include "engine/render/visibility.h"
#include "engine/scene/sun_moon.h"

float saved_bank = 0.0f, saved_heading = 0.0f, saved_pitch = 0.0f;

void format_frame_caption(int32_t frame, int32_t count, char* out) {
  if (count == 1) {
    std::snprintf(out, 128, "Render");
  } else {
    std::snprintf(out, 128, "Frame %d of %d", static_cast<int>(frame) + 1, static_cast<int>(count));
  }
}

void apply_view_direction() {
  saved_bank = camera_state.camera_bank;
  saved_heading = camera_state.camera_heading;
  saved_pitch = camera_state.camera_pitch;
  const float b = saved_bank, h = saved_heading, p = saved_pitch;
  switch (lens_state.view_facing) {
    case 6:  // back
      camera_state.camera_bank = -b;
      camera_state.camera_heading = h + 180.0f;
      camera_state.camera_pitch = -p;
      break;
    case 7:  // port: the pitch becomes a roll
      camera_state.camera_bank = -p;
      camera_state.camera_heading = h + 90.0f;
      camera_state.camera_pitch = b;
      break;
    case 8:  // starboard
      camera_state.camera_bank = p;
      camera_state.camera_heading = h - 90.0f;
      camera_state.camera_pitch = -b;
      break;
    default:
      break;
  }
}

void restore_view_direction() {
  camera_state.camera_bank = saved_bank;
  camera_state.camera_heading = saved_heading;
  camera_state.camera_pitch = saved_pitch;
}

void stereo_eye_offset(float* dx, float* dy, float* dz) {
  *dx = *dy = *dz = 0.0f;
  if (lens_state.stereo_camera != 2 && lens_state.stereo_camera != 3) return;
  // The camera's right-hand direction from bank and heading only: both eyes look in parallel directions.
  SegmentRecord s{};
  s.angle_x = 0.0f;
  s.angle_y = camera_state.camera_bank;
  s.angle_z = camera_state.camera_heading;
  s.dir_x = lens_state.stereo_camera == 2 ? -1.0f : 1.0f;
  s.length = lens_state.stereo_separation;
  segment_direction(&s);
  *dx = s.vec_x;
  *dy = s.vec_y;
  *dz = s.vec_z;
}

int32_t stereo_shift_image(int32_t shift) {
  if (vidmem24.rows == nullptr) return 1;
  const int32_t w = image_width;
  for (int32_t y = 0; y < image_height && y < vidmem24.height; ++y) {
    uint32_t* row = vidmem24_row(y);
    // In place: from the right end for a shift to the right, from the left end otherwise.
    auto pixel = [&](int32_t x) -> uint32_t {
      const int64_t from = static_cast<int64_t>(x) - shift, to = static_cast<int64_t>(x) + shift;
      return (from >= 0 && from < w && to >= 0 && to < w) ? row[from] : 0u;
    };
    if (shift >= 0) {
      for (int32_t x = w - 1; x >= 0; --x) row[x] = pixel(x);
    } else {
      for (int32_t x = 0; x < w; ++x) row[x] = pixel(x);
    }
  }
  return 1;
}

void project_grid_row(int32_t row, float* buffer) {
  if (!elevation_rows || row < 0 || row >= grid_height || render_settings.grid_step < 1) return;
  const int16_t* e = elevation_row(row);
  const float y = static_cast<float>(row) * grid_spacing_y;
  for (int32_t col = 0; col <= land_width && col < grid_width && col < kLineBufferEntries; col += render_settings.grid_step) {
    float* entry = buffer + 4 * col;
    const float z = static_cast<float>(e[col]);
    world_to_view(static_cast<float>(col) * grid_spacing_x, y, z, &entry[0], &entry[1], &entry[2]);
    entry[3] = z;
  }
}

void project_grid_column(int32_t column, float* buffer) {
  if (!elevation_rows || column < 0 || column >= grid_width || render_settings.grid_step < 1) return;
  const float x = static_cast<float>(column) * grid_spacing_x;
  for (int32_t row = 0; row <= land_height && row < grid_height && row < kLineBufferEntries; row += render_settings.grid_step) {
    float* entry = buffer + 4 * row;
    const float z = static_cast<float>(elevation_row(row)[column]);
    world_to_view(x, static_cast<float>(row) * grid_spacing_y, z, &entry[0], &entry[1], &entry[2]);
    entry[3] = z;
  }
}

CameraPoseGuard::CameraPoseGuard()
    : x_(camera_state.camera_x),
      y_(camera_state.camera_y),
      z_(camera_state.camera_z),
      bank_(camera_state.camera_bank),
      heading_(camera_state.camera_heading),
      pitch_(camera_state.camera_pitch) {}

CameraPoseGuard::~CameraPoseGuard() {
  camera_state.camera_x = x_;
  camera_state.camera_y = y_;
  camera_state.camera_z = z_;
  camera_state.camera_bank = bank_;
  camera_state.camera_heading = heading_;
  camera_state.camera_pitch = pitch_;
}

int32_t render_frame(int32_t frame, int32_t frame_count) {
  allocate_frame_buffers();
  mark_tree_shadows();
  if (render_settings.antialias_mode != 0) antialias_begin();
  build_min_elevation_grid();
  // The grid was just built for this frame's walk: its highest value bounds every sight line.
  if (render_settings.grid_step == 1 && min_elevation_rows) {
    sight_line_ceiling = min_elevation_highest;
    build_sight_blocks();
  }
  int32_t result;
  {
    // The view direction and the stereo eye hold only for this walk; the guard puts the pose back
    // however the walk ends, a stop included.
    const CameraPoseGuard pose;
    apply_view_direction();
    scheme_sky_colors();
    char caption[128];
    format_frame_caption(frame, frame_count, caption);
    set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
    if (lens_state.stereo_camera == 2 || lens_state.stereo_camera == 3) {
      const float x = camera_state.camera_x, y = camera_state.camera_y, z = camera_state.camera_z;
      float dx, dy, dz;
      stereo_eye_offset(&dx, &dy, &dz);
      camera_state.camera_x = x + dx;
      camera_state.camera_y = y + dy;
      camera_state.camera_z = z + dz;
      set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
    }
    corner_records_begin_walk();
    result = render_landscape(caption);
    corner_records_end_walk();
  }
  sight_line_ceiling = 32767;
  sight_blocks_invalidate();

  if (result == 1 && render_settings.flare_enabled) result = lens_flare();
  // These passes run after a stopped frame too, so it still leaves a consistent partial image.
  if (render_settings.antialias_mode != 0) antialias_reduce(result);
  if (lens_state.stereo_camera == 2) stereo_shift_image(-lens_state.stereo_image_shift);
  if (lens_state.stereo_camera == 3) stereo_shift_image(lens_state.stereo_image_shift);
  convert_vidmem24_to_8();
  if (result == 1) {
    advance_sun_moon();
    waves_advance();
  }
  return result;
}
