// The save dialog shared by the image formats.
#include "engine/files/save_dialog.h"

#include <cstdio>

#include "engine/core/path_names.h"
#include "engine/files/file_requester.h"
#include "engine/files/file_utils.h"

int32_t confirm_save_name(char* path, char* name, const char* extension) {
  add_extension(path, extension);
  add_extension(name, extension);
  if (file_exists(path) && confirm_replace(path) != 1) return -1;
  return 1;
}

int32_t save_file_dialog(const char* title, char* default_folder, char* folder, char* name, char* path,
                         const char* extension) {
  name[0] = path[0] = 0;
  char filter[32];
  std::snprintf(filter, sizeof filter, "*%s", extension);
  if (file_requester(title, default_folder, folder, name, filter, path, kFileRequesterSave) != 1) return -1;
  return confirm_save_name(path, name, extension);
}
