// Script commands that save the frame buffers as image files and load image files into them.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include <cstring>

#include "engine/animation/script_interpreter.h"
#include "engine/files/background_image.h"
#include "engine/files/bmp_image.h"
#include "engine/files/file_messages.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/pcx_image.h"
#include "engine/files/stereo_image.h"
#include "engine/files/targa.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"

namespace {

// Each command acts only when the frame buffer it uses exists. A file that cannot be written or read is
// reported with the path, so that no failure passes as success, and the script goes on.
int32_t with_name(char* line, bool buffer_exists, int32_t (*operation)(const char*), int32_t (*report)(const char*)) {
  char name[256];
  script_read_word(line, 1, name, sizeof name);
  if (buffer_exists && operation(name) != 1) report(name);
  return 1;
}

int32_t save_with_name(char* line, bool buffer_exists, int32_t (*operation)(const char*)) {
  return with_name(line, buffer_exists, operation, msg_error_writing);
}

int32_t load_with_name(char* line, bool buffer_exists, int32_t (*operation)(const char*)) {
  return with_name(line, buffer_exists, operation, msg_error_reading);
}

int32_t load_targa_opaque(const char* name) { return targa_load_into_frame(name, kTargaOpaque); }

int32_t cmd_save_targa(int32_t, char* line) { return save_with_name(line, vidmem24.rows, targa_save_frame); }
int32_t cmd_save_bmp(int32_t, char* line) { return save_with_name(line, vidmem24.rows, bmp_save_render_image); }
int32_t cmd_save_jpg(int32_t, char* line) { return save_with_name(line, vidmem24.rows, save_jpeg_screen); }
int32_t cmd_save_pcx(int32_t, char* line) { return save_with_name(line, vidmem8.rows, save_screen_pcx); }
int32_t cmd_load_targa(int32_t, char* line) { return load_with_name(line, vidmem24.rows, load_targa_opaque); }
int32_t cmd_load_bmp(int32_t, char* line) { return load_with_name(line, vidmem24.rows, bmp_load_render_image); }
int32_t cmd_load_jpg(int32_t, char* line) { return load_with_name(line, vidmem24.rows, load_jpeg_to_screen); }

// The picture name (empty when none is given) switches the picture on when not empty. A name longer
// than the name field holds is refused, and the picture settings stay as they were.
int32_t set_picture(char* line, char* name, int32_t* enabled) {
  char word[256];
  if (!script_read_word(line, 1, word, sizeof word) || std::strlen(word) >= static_cast<size_t>(kPictureNameSize)) {
    return script_error(line);
  }
  std::memcpy(name, word, std::strlen(word) + 1);
  *enabled = name[0] ? 1 : 0;
  return 1;
}

int32_t cmd_background_file(int32_t, char* line) {
  return set_picture(line, background_name, &render_settings.background_enabled);
}

int32_t cmd_foreground_file(int32_t, char* line) {
  return set_picture(line, foreground_name, &render_settings.foreground_enabled);
}

// The composition's result is the command's result: -1 stops the script.
int32_t cmd_load_stereo_pair(int32_t, char* line) {
  char left[256], right[256];
  script_read_word(line, 1, left, sizeof left);
  script_read_word(line, 2, right, sizeof right);
  return stereo_compose_anaglyph(left, right);
}

// Asks for both pictures; a cancelled requester stops the script.
int32_t cmd_load_stereo_red_blue(int32_t, char*) { return load_stereo_dialog(); }

}  // namespace

const ScriptRoutineRow script_image_routines[] = {
    {1264, cmd_save_targa},  // SaveTarga, SaveTarga24
    {1265, cmd_save_bmp},    // SaveBMP, SaveBMP24
    {1266, cmd_save_jpg},    // SaveJPG, SaveJPG24
    {1267, cmd_save_pcx},    // SavePCX
    {1268, cmd_load_targa},  // LoadTarga, LoadTarga24
    {1269, cmd_load_bmp},    // LoadBMP, LoadBMP24
    {1270, cmd_load_jpg},    // LoadJPG, LoadJPG24
    {1227, cmd_background_file},       // BackgroundFile
    {1228, cmd_foreground_file},       // ForegroundFile
    {1281, cmd_load_stereo_pair},      // LoadStereoPair
    {1280, cmd_load_stereo_red_blue},  // LoadStereoRedBlue
    {0, nullptr},
};
