// Start-up: command line, program folder, default folders, start-up script, arguments, start-up landscape.
#include "engine/app/startup.h"

#include <cstdio>
#include <cstring>

#include "engine/animation/animation_maker.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "engine/host/system.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/files/image_buffer.h"
#include "engine/files/movie_writer.h"
#include "engine/landscape/camera.h"
#include "engine/app/command_line.h"
#include "engine/core/settings.h"
#include "engine/files/landscape_file.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/engine_control.h"
#include "engine/core/path_names.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/view_reset.h"
#include "engine/raster/frame_buffers.h"

char program_dir[kFolderBufferSize];
char startup_dir[kFolderBufferSize];
char launch_dir[kFolderBufferSize];
int32_t startup_failures = 0;

namespace {

constexpr int32_t kFileTypeLandscape = 5;
constexpr int32_t kFileTypeSession = 6;
constexpr int32_t kFileTypeScript = 7;

bool is_absolute(const char* path) {
  if (path[0] == '/' || path[0] == '\\') return true;
  return path[0] && path[1] == ':';  // a drive letter
}

// Reads the current folder followed by "/"; an empty text when it cannot be read or is too long.
void current_folder(char* out) {
  if (!system_current_folder(out, kFolderBufferSize - 1)) {
    out[0] = 0;
    return;
  }
  const size_t n = std::strlen(out);
  if (n > 0 && !is_path_separator(out[n - 1])) {
    out[n] = '/';
    out[n + 1] = 0;
  }
}

// Joins a folder and a file name; false when the result would not fit.
bool join(const char* folder, const char* name, char* out) {
  const int n = std::snprintf(out, kFolderBufferSize, "%s%s", folder, name);
  return n >= 0 && n < kFolderBufferSize;
}

// The file name found in the current folder, else in the given folder; false when neither has it.
bool find_startup_file(const char* name, const char* folder, char* out) {
  if (file_exists(name)) return join("", name, out);
  return join(folder, name, out) && file_exists(out);
}

// Program folder from argument 0, made the current folder.
void enter_program_folder() {
  char folder[kCommandLineSize];
  std::snprintf(folder, sizeof folder, "%s", program_path);
  char* cut = nullptr;
  for (char* p = folder; *p; ++p) {
    if (*p == '\\' || *p == '/') cut = p;
  }
  if (!cut) return;  // no folder on argument 0: the current folder stays
  cut[cut == folder ? 1 : 0] = 0;  // "/dalvenor" keeps the root
  char resolved[4096];
  if (resolve_path(folder, resolved, sizeof resolved) && system_change_folder(resolved)) return;
  std::snprintf(text_buffer, sizeof text_buffer, "Cannot enter the program folder:\n\"%.900s\"", folder);
  requester(text_buffer, "  OK  ", nullptr);
}

void after_script() {
  sync_bbox_button();
  status_show_landscape_name();
}

bool is_movie_kind(int32_t kind) { return kind == kOutputAvi || kind == kOutputMpeg; }

// The movie for "-ta"; reports when it cannot be opened. 1 when it is open.
int32_t open_movie(const char* base_name) {
  const int32_t r = avi_open(base_name, image_width, image_height, kMovieCreate, animation_state.frame_rate);
  if (r == 1) return 1;
  if (!report_movie_open(r, base_name)) {
    std::snprintf(text_buffer, sizeof text_buffer, "Cannot open movie file:\n\"%s\" (error %d)", base_name, r);
    requester(text_buffer, "  OK  ", nullptr);
  }
  return 0;
}

// A command-line script that did not run to its end, or met errors on the way (also errors answered
// "Continue"), is reported as the animation commands report it, followed by the file, the line number
// and the line of its first fault, and counts as a failure of the run. "Exit" ends a script normally.
void report_script_result(int32_t result, const char* path) {
  if (result == -1 && script_exit_requested && script_run_fault.faults == 0) return;
  if (result == 1 && script_run_fault.faults == 0) return;
  ++startup_failures;
  if (result == -1 && !script_exit_requested) {
    requester("User aborted script!", "  OK  ", nullptr);
  } else if (result == -3) {
    requester("Format error in script!", "  OK  ", nullptr);
  } else if (result == 0 && animation_state.script_frame_count > 0) {
    std::snprintf(text_buffer, sizeof text_buffer, "Error running script! (frame %d of %d)", animation_state.script_error_frame + 1,
                  animation_state.script_frame_count);
    requester(text_buffer, "  OK  ", nullptr);
  }
  if (script_run_fault.faults > 0 && script_run_fault.line_number > 0) {
    std::snprintf(text_buffer, sizeof text_buffer, "Script \"%s\", line %d: %s", path, script_run_fault.line_number,
                  script_run_fault.line);
    requester(text_buffer, "  OK  ", nullptr);
  }
}

// The extension a single-file output gets when the name given with "-o" has none.
const char* output_extension(int32_t kind) {
  switch (kind) {
    case kOutputFrameSequence: return ".DAN";
    case kOutputFlc: return ".FLC";
    case kOutputAvi: return ".AVI";
    case kOutputMpeg: return ".MPG";
    default: return nullptr;
  }
}

// The base name as given by "-o" (empty when none was) becomes a path under the start folder, so that
// frames and movies land where the user started the program, not in the program folder.
void run_startup_script_argument(const char* path, const char* base_name) {
  char frames[kFolderBufferSize];
  if (!command_line_path(base_name, frames)) {
    std::snprintf(text_buffer, sizeof text_buffer, "Frame file name too long:\n\"%s\"", base_name);
    requester(text_buffer, "  OK  ", nullptr);
    return;
  }
  const char* extension = output_extension(animation_state.animation_output);
  if (extension && base_name[0]) add_extension(frames, sizeof frames, extension);
  const bool movie = is_movie_kind(animation_state.animation_output) && base_name[0] && open_movie(frames) == 1;
  if (is_movie_kind(animation_state.animation_output) && !base_name[0]) {
    requester("No movie name for AVI output: give one with -o before the script.", "  OK  ", nullptr);
  }
  // The script's own relative names (saved images, loaded files) mean the start folder too.
  char here[kFolderBufferSize];
  current_folder(here);
  const bool moved = system_change_folder(launch_dir);
  report_script_result(run_script(path, frames, 0), path);
  if (moved && !system_change_folder(here)) {
    std::snprintf(text_buffer, sizeof text_buffer, "Cannot return to the program folder:\n\"%s\"", here);
    requester(text_buffer, "  OK  ", nullptr);
  }
  if (movie) avi_close();
  after_script();
}

void handle_file_argument(const char* argument, const char* base_name) {
  const int32_t type = file_type_by_extension(argument);
  if (type != kFileTypeScript && type != kFileTypeLandscape && type != kFileTypeSession) {
    // Only scripts and landscape files run from the command line; anything else fails the run.
    std::snprintf(text_buffer, sizeof text_buffer,
                  "Not a script or landscape file, not used:\n\"%.900s\"", argument);
    requester(text_buffer, "  OK  ", nullptr);
    ++startup_failures;
    return;
  }
  char path[kFolderBufferSize];
  if (!command_line_path(argument, path)) {
    std::snprintf(text_buffer, sizeof text_buffer, "File name too long:\n\"%.900s\"", argument);
    requester(text_buffer, "  OK  ", nullptr);
    ++startup_failures;
    return;
  }
  if (type == kFileTypeScript) {
    run_startup_script_argument(path, base_name);
  } else {
    if (startup_load_landscape(path) == 0) ++startup_failures;
  }
}

}  // namespace

int32_t command_line_path(const char* argument, char* out) {
  out[0] = 0;
  if (!argument) return 0;
  const bool ok = is_absolute(argument) ? join("", argument, out) : join(launch_dir, argument, out);
  if (!ok) out[0] = 0;
  return ok ? 1 : 0;
}

int32_t startup_load_landscape(const char* path) {
  const int32_t r = load_landscape(path);
  if (r == 0) {
    status_show_landscape_name();
    return 0;
  }
  if (r != 2) reset_view_state();
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  status_show_landscape_name();
  topo_reset_view();
  main_panels_redraw();
  preview_refresh();
  status_show_landscape_name();
  return r;
}

void init_default_dirs(const char*) {
  char folder[kFolderBufferSize];
  current_folder(folder);
  std::memcpy(program_dir, folder, sizeof program_dir);
  std::memcpy(startup_dir, folder, sizeof startup_dir);

  struct Kind {
    const char* name;
    void (*set)(const char*);
  };
  static const Kind kKinds[] = {
      {"DEM", set_default_dir_dem},       {"SCHEME", set_default_dir_scheme}, {"CLOUD", set_cloud_directory},
      {"PCX", set_default_dir_palette},   {"PCX", set_default_dir_pcx},       {"TGA", set_default_dir_targa},
      {"BMP", set_default_dir_bmp},       {"JPG", set_default_dir_jpg},       {"Script", set_default_dir_script},
      {"ANIM", set_default_dir_anim},     {"BAT", set_default_dir_batch},     {"IQ", set_default_dir_iq},
  };
  char path[kFolderBufferSize];
  for (const Kind& kind : kKinds) {
    if (join(program_dir, kind.name, path) && file_exists(path)) kind.set(path);
  }
  init_jpeg_dir(program_dir);
  find_ground_texture_dir(program_dir);
  find_tree_texture_dir(program_dir);
  find_sky_texture_dir(program_dir);
  find_house_texture_dir(program_dir);
  init_water_texture_dir(program_dir);
}

void startup() {
  // Relative paths on the command line mean the folder the user started in, not the program folder.
  current_folder(launch_dir);
  split_startup_command_line();
  if (command_line_refused_count > 0) {
    // Arguments past the sixteenth or longer than any path are never dropped silently: they fail the run.
    std::snprintf(text_buffer, sizeof text_buffer,
                  "Too many or too long arguments (at most %d, each at most %d characters); not used:\n%.800s",
                  kMaxStartupArgs, kCommandLinePathMax, command_line_refused);
    requester(text_buffer, "  OK  ", nullptr);
    ++startup_failures;
  }
  enter_program_folder();
  init_default_dirs(program_dir);

  char path[kFolderBufferSize];
  if (find_startup_file(startup_files.startup_script_name, program_dir, path)) {
    run_script(path, nullptr, 0);
    after_script();
  }

  char base_name[kCommandLineSize] = "";
  for (int32_t i = 1; i < startup_argc; ++i) {  // argument 0 is the program
    const char* argument = startup_argv[i];
    if (is_option_argument(argument)) {
      apply_option(argument, base_name);
      continue;
    }
    handle_file_argument(argument, base_name);
  }

  if (find_startup_file(startup_files.startup_session_name, startup_dir, path)) startup_load_landscape(path);
}
