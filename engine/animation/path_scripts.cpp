// Camera path scripts: creating, opening, adding keyframes, straight flights, preview and walkabout.
#include "engine/animation/path_scripts.h"

#include <cmath>
#include <cstring>

#include "engine/animation/motion_export.h"
#include "engine/animation/path_model.h"
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_dialog_buffers.h"
#include "engine/animation/script_keywords.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/host/host.h"
#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/ui/engine_control.h"
#include "engine/files/file_requester.h"
#include "engine/ui/panel_record.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

int32_t fly_frames_default = 100;
PathPreviewHooks path_preview_hooks;

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr int32_t kMaxFlyFrames = 99999;

// Reads one line into buffer (at most size - 1 characters kept, the rest of a longer line skipped),
// without its line end. False at the end of the file.
bool read_line(FILE* f, char* buffer, size_t size) {
  if (!std::fgets(buffer, static_cast<int>(size), f)) return false;
  size_t len = std::strlen(buffer);
  if (len > 0 && buffer[len - 1] != '\n') {
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n') {
    }
  }
  while (len > 0 && (buffer[len - 1] == '\n' || buffer[len - 1] == '\r')) buffer[--len] = 0;
  return true;
}

// 1 when the file's first line is the script header.
bool has_script_header(FILE* f) {
  char first[128];
  if (!read_line(f, first, sizeof first)) return false;
  return std::strcmp(first, kPathScriptHeader) == 0;
}

// The save dialog of a new script with ".SCR" added; 1 chosen, -1 cancelled.
int32_t choose_new_script() {
  char spare[256] = "";
  if (file_requester("Script Name:", spare, script_folder, script_name, "*.SCR", script_path,
                     kFileRequesterSave) != 1)
    return -1;
  add_extension(script_name, ".SCR");
  add_extension(script_path, ".SCR");
  return 1;
}

FILE* create_script(const char* path) {
  make_path_dirs(path);
  FILE* f = open_file(path, "w");
  if (!f) return nullptr;
  std::fprintf(f, "%s\n%s\n", kPathScriptHeader, kPathScriptColumns);
  return f;
}

float clamp_coordinate(float v, float upper) {
  if (!(v > 0.0f)) return 0.0f;
  return v > upper ? upper : v;
}

// Keeps the camera on the landscape and puts it camera_height above the ground under it.
void walk_to_ground() {
  const float max_x = std::floor(static_cast<float>(land_width) * grid_spacing_x);
  const float max_y = std::floor(static_cast<float>(land_height) * grid_spacing_y);
  camera_state.camera_x = clamp_coordinate(camera_state.camera_x, max_x);
  camera_state.camera_y = clamp_coordinate(camera_state.camera_y, max_y);
  if (!elevation_rows) return;
  int32_t c = trunc_to_i32(camera_state.camera_x / grid_spacing_x), r = trunc_to_i32(camera_state.camera_y / grid_spacing_y);
  if (c > land_width) c = land_width;
  if (r > land_height) r = land_height;
  camera_state.camera_z = static_cast<float>(elevation_row(r)[c] + camera_state.camera_height);
}

}  // namespace

void reset_path_script_state() { fly_frames_default = 100; }

void script_not_a_script_message(const char* path) {
  char text[400];
  std::snprintf(text, sizeof text, "\"%s\" is not a script file", path);
  requester(text, "  OK  ", nullptr);
}

int32_t path_script_new() {
  if (choose_new_script() != 1) return 1;
  if (file_exists(script_path) && confirm_replace(script_path) != 1) return 0;
  FILE* f = create_script(script_path);
  if (!f) return msg_error_opening(script_path);
  const bool ok = std::fclose(f) == 0;
  if (!ok) return msg_error_writing(script_path);
  return 1;
}

int32_t path_script_open() {
  char spare[256] = "";
  if (file_requester("Script Name:", spare, script_folder, script_name, "*.SCR", script_path, 0) != 1) return 1;
  FILE* f = open_file(script_path, "r");
  if (!f) {
    msg_error_opening(script_path);
    return 1;
  }
  if (!has_script_header(f)) script_not_a_script_message(script_path);
  std::fclose(f);
  return 1;
}

int32_t path_script_add_keyframe() {
  FILE* f = open_file(script_path, "r+");
  if (!f) return msg_error_opening(script_path);
  if (!has_script_header(f)) {
    std::fclose(f);
    script_not_a_script_message(script_path);
    return 0;
  }
  // A last line without its line end would run into the new keyframe: end it first.
  std::fseek(f, -1, SEEK_END);
  const int last = std::fgetc(f);
  std::fseek(f, 0, SEEK_END);
  if (last != '\n') std::fputc('\n', f);
  std::fprintf(f, "%5d, %5d, %5d, ", trunc_to_i32(camera_state.camera_x), trunc_to_i32(camera_state.camera_y), trunc_to_i32(camera_state.camera_z));
  std::fprintf(f, "%4d, %4d, %4d,\n", trunc_to_i32(camera_state.camera_bank), trunc_to_i32(camera_state.camera_heading),
               trunc_to_i32(camera_state.camera_pitch));
  if (std::fclose(f) != 0) return msg_error_writing(script_path);
  return 1;
}

void write_straight_flight(FILE* file, int32_t frames) {
  const float dx = camera_state.target_x - camera_state.camera_x, dy = camera_state.target_y - camera_state.camera_y, dz = camera_state.target_z - camera_state.camera_z;
  for (int32_t i = 0; i < frames; ++i) {
    const float x = static_cast<float>(camera_state.camera_x + static_cast<double>(i) * dx / frames);
    const float y = static_cast<float>(camera_state.camera_y + static_cast<double>(i) * dy / frames);
    const float z = static_cast<float>(camera_state.camera_z + static_cast<double>(i) * dz / frames);
    std::fprintf(file, "%f, %f, %f, ", x, y, z);
    std::fprintf(file, "%f, %f, %f,\n", camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
  }
}

int32_t path_script_fly_to_target() {
  if (choose_new_script() != 1) return -1;
  if (file_exists(script_path) && confirm_replace(script_path) != 1) return 0;
  int32_t frames = fly_frames_default;
  if (value_requester("Number of frames?", "  OK  ", "Cancel", &frames) != 1) return -1;
  cursor_wait();
  frames = frames < 0 ? 0 : frames > kMaxFlyFrames ? kMaxFlyFrames : frames;
  fly_frames_default = frames;
  FILE* f = create_script(script_path);
  if (!f) {
    cursor_arrow();
    return msg_error_opening(script_path);
  }
  write_straight_flight(f, frames);
  const bool ok = std::fclose(f) == 0;
  cursor_arrow();
  if (!ok) return msg_error_writing(script_path);
  return 1;
}

void preview_map_pixel(float x, float y, int32_t* mx, int32_t* my) {
  const int32_t w = land_width > 0 ? land_width : 1, h = land_height > 0 ? land_height : 1;
  *mx = trunc_to_i32(x / grid_spacing_x * 256.0f / static_cast<float>(w) + 30.0f);
  *my = trunc_to_i32(280.0f - y / grid_spacing_y * 256.0f / static_cast<float>(h));
}

int32_t preview_path_script(int32_t fps, int32_t record) {
  char spare[256] = "";
  if (file_requester("Script Name:", spare, script_folder, script_name, "*.SCR", script_path, 0) != 1) return 0;
  const bool map_mode = requester("2D or 3D preview?", "2D", "3D") == 1;
  cursor_wait();
  FILE* f = open_file(script_path, "r");
  if (!f) {
    cursor_arrow();
    return msg_error_opening(script_path);
  }
  if (!has_script_header(f)) {
    std::fclose(f);
    cursor_arrow();
    script_not_a_script_message(script_path);
    return 0;
  }
  char line[kScriptLineMax + 1];
  read_line(f, line, sizeof line);  // the column line
  pointer_hide();
  if (fps <= 0) fps = 1;
  const uint32_t period = static_cast<uint32_t>(1000 / fps);
  uint32_t previous = host().tick_count();
  user_abort = 0;
  for (;;) {
    if (poll_user_abort() == -1) break;
    if (!map_mode) {
      const uint32_t due = previous + period;
      for (;;) {
        const uint32_t now = host().tick_count();
        if (now >= due || now < previous) break;
        host().sleep_ms(1);
      }
      previous = due;
    }
    if (!read_line(f, line, sizeof line)) {
      requester("End of script.", "  OK  ", nullptr);
      break;
    }
    if (!line_is_numeric(line)) continue;
    float pose[6];
    if (script_read_keyframe(line, pose) < 6) {
      requester("Data format error!", "  OK  ", nullptr);
      break;
    }
    camera_state.camera_x = pose[0];
    camera_state.camera_y = pose[1];
    camera_state.camera_z = pose[2];
    camera_state.camera_bank = pose[3];
    camera_state.camera_heading = pose[4];
    camera_state.camera_pitch = pose[5];
    if (map_mode) {
      int32_t mx, my;
      preview_map_pixel(camera_state.camera_x, camera_state.camera_y, &mx, &my);
      if (mx > 0 && mx < kMainClientWidth && my > 0 && my < kMainClientHeight && path_preview_hooks.map_pixel)
        path_preview_hooks.map_pixel(mx, my, 0);
    } else if (path_preview_hooks.preview_draw) {
      path_preview_hooks.preview_draw(host().key_down('C') ? 1 : 0);
    }
    if (record && append_camera_frame() == 0) {
      frames_full_message(path_frame_count);
      break;
    }
  }
  camera_state.camera_bank = 0.0f;
  pointer_show();
  std::fclose(f);
  cursor_arrow();
  return 1;
}

int32_t walkabout(PanelRecord* panel) {
  pointer_hide();
  cursor_cross();
  show_status("Press ESC to terminate.");
  camera_state.camera_bank = 0.0f;
  camera_state.camera_pitch = 0.0f;
  walk_to_ground();
  mouse_warp_home(panel);
  float forward = 0.0f, side = 0.0f;
  bool redraw = true, detailed = true;
  uint32_t last_draw = host().tick_count();
  for (;;) {
    if (redraw) {
      const double h = camera_state.camera_heading * kRadiansPerDegree, p = camera_state.camera_pitch * kRadiansPerDegree;
      const double h90 = (camera_state.camera_heading + 90.0) * kRadiansPerDegree;
      camera_state.camera_x = static_cast<float>(camera_state.camera_x - std::sin(h) * forward * std::cos(p) +
                                    std::sin(h90) * side * std::cos(p));
      camera_state.camera_y = static_cast<float>(camera_state.camera_y + std::cos(h) * forward * std::cos(p) -
                                    std::cos(h90) * side * std::cos(p));
      walk_to_ground();
      if (path_preview_hooks.preview_draw) path_preview_hooks.preview_draw(detailed ? 1 : 0);
      last_draw = host().tick_count();
      redraw = false;
      forward = side = 0.0f;
    } else {
      host().sleep_ms(1);
      host().dispatch_pending_events();
    }
    if (!detailed && host().tick_count() - last_draw > 250) {
      detailed = true;
      redraw = true;
    }
    int32_t key = host().next_key();
    if (key != 0) key += 0x10000;
    int32_t mx = 0, my = 0, buttons = 0;
    mouse_relative_motion(&mx, &my, &buttons);  // buttons: 1 the left button, 2 the right one
    if (key == 0x1011B || buttons == 2) break;
    if (key != 0) {
      bool known = true;
      float set_forward = 0.0f, set_side = 0.0f;
      switch (key) {
        case 0x14800: set_forward = 30.0f; break;
        case 0x15000: set_forward = -30.0f; break;
        case 0x14B00: camera_state.camera_heading += 1.0f; break;
        case 0x14D00: camera_state.camera_heading -= 1.0f; break;
        case 0x14F00: set_side = -30.0f; break;
        case 0x15100: set_side = 30.0f; break;
        case 0x10D2B:
        case 0x14E2B:
          camera_state.camera_pitch = camera_state.camera_pitch + 1.0f > 89.0f ? 89.0f : camera_state.camera_pitch + 1.0f;
          break;
        case 0x10C2D:
        case 0x14A2D:
          camera_state.camera_pitch = camera_state.camera_pitch - 1.0f < -89.0f ? -89.0f : camera_state.camera_pitch - 1.0f;
          break;
        case 0x10D3D: camera_state.camera_pitch = 0.0f; break;
        default: known = false; break;
      }
      if (known) {
        forward = set_forward;
        side = set_side;
        redraw = true;
        detailed = false;
      }
    }
    if (mx != 0 || my != 0) {
      detailed = false;
      redraw = true;
      if (buttons == 1) {
        forward = 0.0f;
        side = static_cast<float>(mx);
        camera_state.camera_pitch += static_cast<float>(my) / 10.0f;
      } else {
        forward = static_cast<float>(-my);
        side = 0.0f;
        camera_state.camera_heading -= static_cast<float>(mx) / 10.0f;
      }
    }
  }
  if (path_preview_hooks.realize_palette) path_preview_hooks.realize_palette(panel);
  status_show_landscape_name();
  cursor_arrow();
  pointer_show();
  return 1;
}
