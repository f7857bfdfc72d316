// The motion script export, recording camera poses as frames, and importing a camera path script.
#include "engine/animation/motion_export.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/animation/path_model.h"
#include "engine/animation/path_scripts.h"
#include "engine/animation/script_dialog_buffers.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_utils.h"
#include "engine/files/safe_write.h"
#include "engine/landscape/camera.h"
#include "engine/files/file_requester.h"

namespace {

float fold(float a) {
  if (a > 180.0f) return a - 360.0f;
  if (a < -180.0f) return a + 360.0f;
  return a;
}

}  // namespace

int32_t export_motion_script(const char* path) {
  SafeWrite w;
  if (!safe_write_open(&w, path)) {
    char text[400];
    std::snprintf(text, sizeof text, "Error opening motion file %s", path);
    path_message(text);
    return 0;
  }
  std::string text;
  text.reserve(80 * static_cast<size_t>(path_frame_count + 2));
  text += kPathScriptHeader;
  text += '\n';
  text += kPathScriptColumns;
  text += '\n';
  char line[256];
  for (int32_t i = 0; path_frames && i < path_frame_count; ++i) {
    PathFrame& f = path_frames[i];
    f.bank = fold(f.bank);
    f.heading = fold(f.heading);
    f.pitch = fold(f.pitch);
    int len = std::snprintf(line, sizeof line, "%9.2f, %9.2f, %9.2f, %9.2f, %9.2f, %9.2f, ", f.x, f.y, f.altitude,
                            f.bank, f.heading, f.pitch);
    if (i > 0) {
      const PathFrame& p = path_frames[i - 1];
      const double dx = static_cast<double>(f.x) - p.x, dy = static_cast<double>(f.y) - p.y,
                   dz = static_cast<double>(f.altitude) - p.altitude;
      len += std::snprintf(line + len, sizeof line - static_cast<size_t>(len), " (%0.2f)",
                           std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    text.append(line, static_cast<size_t>(len < static_cast<int>(sizeof line) ? len : sizeof line - 1));
    text += '\n';
  }
  if (!safe_write_bytes(&w, text.data(), text.size())) {
    safe_write_abort(&w);
    msg_error_writing(path);
    return 0;
  }
  if (!safe_write_commit(&w)) {
    msg_error_writing(path);
    return 0;
  }
  return 1;
}

void export_motion_dialog() {
  char spare[256] = "";
  if (file_requester("Save Script name:", spare, script_folder, script_name, "*.SCR", script_path,
                     kFileRequesterSave) != 1)
    return;
  if (file_exists(script_path) && confirm_replace(script_path) != 1) return;
  export_motion_script(script_path);
}

int32_t append_camera_frame() {
  if (!path_frames || path_frame_count >= path_frame_capacity) return 0;
  PathFrame& f = path_frames[path_frame_count];
  f.x = camera_state.camera_x;
  f.y = camera_state.camera_y;
  f.altitude = camera_state.camera_z;
  f.bank = camera_state.camera_bank;
  f.heading = camera_state.camera_heading;
  f.pitch = camera_state.camera_pitch;
  ++path_frame_count;
  return 1;
}

int32_t import_script_path() {
  clear_path();
  preview_path_script(200, 1);
  return 1;
}
