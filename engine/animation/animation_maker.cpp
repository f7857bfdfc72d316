// The animation maker: asks for the output, continues or replaces what exists, runs the script, restores the engine.
#include "engine/animation/animation_maker.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/animation/script_runner.h"
#include "engine/files/byte_order.h"
#include "engine/files/dan_writer.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/files/flc_writer.h"
#include "engine/files/movie_writer.h"
#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/raster/render_window.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"

char anim_name[256] = "PIC";
char anim_path[256];

namespace {

constexpr int32_t kMaxSeriesFiles = 100000;
constexpr int32_t kMovieContinue = 8;

// The answer of the set-up: go on and run from the start frame, or end with a result.
struct Setup {
  bool go;
  int32_t result;
};

const char* series_extension(int32_t kind) {
  switch (kind) {
    case kOutputPcxSeries: return "PCX";
    case kOutputTargaSeries: return "TGA";
    case kOutputJpegSeries: return "JPG";
    case kOutputBmpSeries: return "BMP";
    default: return nullptr;
  }
}

void series_file(char* out, size_t size, const char* base, int32_t number, const char* extension) {
  std::snprintf(out, size, "%s%05d.%s", base, number, extension);
}

// anim_path with its extension replaced.
void replace_extension(char* path, const char* extension) {
  strip_extension(path);
  const size_t n = std::strlen(path);
  std::snprintf(path + n, sizeof anim_path - n, "%s", extension);
}

Setup setup_dan(int32_t* start) {
  replace_extension(anim_path, ".DAN");
  make_path_dirs(anim_path);
  if (!file_exists(anim_path)) return {true, 0};
  if (!ask_continue_animation()) {
    remove_file(anim_path);
    return {true, 0};
  }
  DanFileInfo info;
  if (!dan_read_info(anim_path, &info) || !info.valid) {
    requester("Not a valid DANIM file!", "  OK  ", nullptr);
    return {false, -1};
  }
  if (info.width != image_width || info.height != image_height) {
    requester("Wrong image size for DANIM!", "  OK  ", nullptr);
    return {false, -1};
  }
  *start = info.frame_count;
  return {true, 0};
}

Setup setup_flc(int32_t* start) {
  replace_extension(anim_path, ".FLC");
  make_path_dirs(anim_path);
  if (!file_exists(anim_path)) return {true, 0};
  if (!ask_continue_animation()) {
    remove_file(anim_path);
    return {true, 0};
  }
  uint8_t header[kFlcHeaderSize];
  if (!flc_read_header(anim_path, header) || get16(header + 4) != kFlcMagic) {
    msg_error_reading(anim_path);
    return {false, 0};
  }
  const int32_t width = get16(header + 8), height = get16(header + 10);
  // A speed of 0 says nothing about the rate: the current rate stays.
  const uint32_t speed = get32(header + 16);
  const int32_t rate_from_file = speed != 0 ? static_cast<int32_t>(1000.0 / speed + 0.5) : animation_state.frame_rate;
  if (width != image_width || height != image_height) {
    std::snprintf(text_buffer, sizeof text_buffer, "Error: FLC size = %dx%d, image size = %dx%d", width, height,
                  image_width, image_height);
    if (requester(text_buffer, "Replace FLC", "Cancel") != 1) return {false, -1};
    animation_state.frame_rate = rate_from_file > 0 ? rate_from_file : 1;
    remove_file(anim_path);
    *start = 0;
    return {true, 0};
  }
  animation_state.frame_rate = rate_from_file > 0 ? rate_from_file : 1;
  *start = get16(header + 6);
  return {true, 0};
}

Setup setup_series(int32_t kind, int32_t* start) {
  const char* extension = series_extension(kind);
  base_name_max3(anim_name);
  const int n = std::snprintf(anim_path, sizeof anim_path, "%s%s", anim_folder, anim_name);
  if (n < 0 || n >= static_cast<int>(sizeof anim_path)) {
    msg_error_opening(anim_folder);  // the folder leaves no room for the name
    return {false, -1};
  }
  char first[300];
  series_file(first, sizeof first, anim_path, 0, extension);
  make_path_dirs(first);
  if (!file_exists(first)) return {true, 0};
  if (ask_continue_animation()) {
    *start = count_series_files(anim_path, extension);
  } else {
    remove_series_files(anim_path, extension);
  }
  return {true, 0};
}

Setup setup_movie(int32_t kind, int32_t* start) {
  replace_extension(anim_path, kind == kOutputAvi ? ".AVI" : ".MPG");
  make_path_dirs(anim_path);
  int32_t r;
  if (file_exists(anim_path) && ask_continue_animation()) {
    r = avi_open(anim_path, image_width, image_height, kMovieContinue, animation_state.frame_rate);
    if (r == 1) *start = avi_frame_count();
  } else {
    if (file_exists(anim_path)) remove_file(anim_path);
    r = avi_open(anim_path, image_width, image_height, kMovieCreate, animation_state.frame_rate);
  }
  if (r == 1) return {true, 0};
  if (r == kMovieCancelled) return {false, 1};
  report_movie_open(r, anim_path);
  return {false, 0};
}

// The output dialog and the continue-or-replace decision for the output kind.
Setup setup_output(int32_t* start) {
  static const struct {
    int32_t kind;
    const char* filter;
  } kFilters[] = {
      {kOutputFrameSequence, "*.DAN"}, {kOutputFlc, "*.FLC"}, {kOutputPcxSeries, "*.PCX"},
      {kOutputTargaSeries, "*.TGA"},   {kOutputJpegSeries, "*.JPG"}, {kOutputBmpSeries, "*.BMP"},
      {kOutputAvi, "*.AVI"},           {kOutputMpeg, "*.MPG"},
  };
  const char* filter = nullptr;
  for (const auto& row : kFilters) {
    if (row.kind == animation_state.animation_output) filter = row.filter;
  }
  if (!filter) return {true, 0};
  if (file_requester("Base Picture Name:", anim_dir, anim_folder, anim_name, filter, anim_path,
                     kFileRequesterSave) != 1) {
    return {false, kMakeAnimationDialogCancelled};
  }
  switch (animation_state.animation_output) {
    case kOutputFrameSequence: return setup_dan(start);
    case kOutputFlc: return setup_flc(start);
    case kOutputAvi:
    case kOutputMpeg: return setup_movie(animation_state.animation_output, start);
    default: return setup_series(animation_state.animation_output, start);
  }
}

// The path script goes to the system's temporary folder, else beside the animation.
void export_path_script() {
  char name[256];
  std::snprintf(name, sizeof name, "%s", anim_name);
  strip_extension(name);
  std::error_code ec;
  std::string folder = std::filesystem::temp_directory_path(ec).string();
  if (ec) folder.clear();
  char temp[256];
  std::snprintf(temp, sizeof temp, "%s", folder.c_str());
  append_backslash(temp, sizeof temp);
  const int n = std::snprintf(script_path, sizeof script_path, "%s%s.SCR", temp, name);
  if (n > 0 && n < static_cast<int>(sizeof script_path) && export_motion_script(script_path) == 1) return;
  const int m = std::snprintf(script_path, sizeof script_path, "%s%s.SCR", anim_folder, name);
  if (m > 0 && m < static_cast<int>(sizeof script_path)) export_motion_script(script_path);
}

}  // namespace

void reset_animation_maker_names() {
  std::snprintf(anim_name, sizeof anim_name, "%s", "PIC");
  anim_path[0] = 0;
}

int32_t ask_continue_animation() {
  return requester("Continue existing animation or delete it?", "Continue", "Delete") == 1 ? 1 : 0;
}

void strip_extension(char* name) {
  char* dot = nullptr;
  for (char* p = name; *p; ++p) {
    if (*p == '.') dot = p;
    if (is_path_separator(*p)) dot = nullptr;
  }
  if (dot) *dot = 0;
}

void base_name_max3(char* name) {
  strip_extension(name);
  if (std::strlen(name) > 3) name[3] = 0;
}

int32_t count_series_files(const char* base, const char* extension) {
  char name[300];
  int32_t n = 0;
  while (n < kMaxSeriesFiles) {
    series_file(name, sizeof name, base, n, extension);
    if (!file_exists(name)) break;
    ++n;
  }
  return n;
}

int32_t remove_series_files(const char* base, const char* extension) {
  char name[300];
  int32_t n = 0;
  while (n < kMaxSeriesFiles) {
    series_file(name, sizeof name, base, n, extension);
    if (remove_file(name) != 0) break;
    ++n;
  }
  return n;
}

int32_t report_movie_open(int32_t result, const char* path) {
  switch (result) {
    case kMovieCannotOpen:
      std::snprintf(text_buffer, sizeof text_buffer, "Unable to open %s for appending.", path ? path : "");
      break;
    case kMovieWrongSize:
      std::snprintf(text_buffer, sizeof text_buffer, "Incorrect dimensions: %d x %d", avi_width(), avi_height());
      break;
    case kMoviePalettised:
      std::snprintf(text_buffer, sizeof text_buffer, "Can't append, AVI is not direct-color.");
      break;
    case kMovieCodecRefused:
      std::snprintf(text_buffer, sizeof text_buffer, "Error: wrong CODEC?");
      break;
    default:
      return 0;
  }
  requester(text_buffer, "  OK  ", nullptr);
  return 1;
}

int32_t make_animation(int32_t from_path) {
  const int32_t saved_view_mode = render_settings.view_mode;
  user_abort = 0;
  int32_t start = 0;
  if (from_path == 0 && file_requester("Script Name:", script_dir, script_folder, script_name, "*.SCR", script_path,
                                       0) != 1) {
    return kMakeAnimationDialogCancelled;
  }
  const Setup setup = setup_output(&start);
  if (!setup.go) return setup.result;
  if (from_path != 0) export_path_script();

  pointer_hide();
  render_settings.view_mode = 0;
  render_set_busy(1);
  const int32_t r = run_script(script_path, anim_path, start);
  render_set_busy(0);
  render_settings.view_mode = saved_view_mode;
  cursor_arrow();
  camera_state.camera_bank = 0;
  if (from_path != 0) remove_file(script_path);
  // The movie is finished here however the run ended, so that what was written plays.
  if (animation_state.animation_output == kOutputAvi || animation_state.animation_output == kOutputMpeg) avi_close();
  pointer_show();
  return r;
}
