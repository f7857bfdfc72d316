// Background and foreground pictures chosen by the user and drawn around a render.
#include "engine/files/background_image.h"

#include <cstring>

#include "engine/core/text.h"
#include "engine/files/default_dirs.h"
#include "engine/files/targa.h"
#include "engine/core/settings.h"
#include "engine/files/file_requester.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"

char background_name[kPictureNameSize] = "";
char foreground_name[kPictureNameSize] = "";

namespace {
char picture_choice_name[256];
char picture_choice_path[256];

constexpr const char* kNameTooLong = "Picture path too long (at most 127 characters).";

int32_t choose_picture(const char* title, char* spare, char* folder, char* name, int32_t* enabled) {
  picture_choice_name[0] = 0;
  int32_t result = file_requester(title, spare, folder, picture_choice_name, "*.TGA", picture_choice_path, 0);
  if (result == 1 && std::strlen(picture_choice_path) >= kPictureNameSize) {
    requester(kNameTooLong, "  OK  ", nullptr);
    result = -1;
  }
  if (result == 1) copy_text(name, picture_choice_path, kPictureNameSize);
  *enabled = result == 1 ? 1 : 0;
  return result;
}
}  // namespace

int32_t choose_background_file() {
  return choose_picture("Targa Background", background_dir_default, background_dir, background_name,
                        &render_settings.background_enabled);
}

int32_t choose_foreground_file() {
  return choose_picture("Targa Foreground", foreground_dir_default, foreground_dir, foreground_name,
                        &render_settings.foreground_enabled);
}

int32_t load_background_image() {
  if (!vidmem24.rows) return 0;
  clear_vidmem24();
  return targa_load_into_frame(background_name, kTargaOpaque);
}

int32_t load_foreground_image() {
  if (!vidmem24.rows) return 0;
  return targa_load_into_frame(foreground_name, kTargaOverlay);
}
