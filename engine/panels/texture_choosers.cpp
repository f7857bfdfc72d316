// The texture kinds' file choosers over the file requester, with each kind's folder, file-name and path buffers.
#include "engine/panels/texture_choosers.h"

#include <cstring>

#include "engine/core/path_names.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_requester.h"
#include "engine/ui/pointer.h"

namespace {
struct ChooserBuffers {
  char name[256];
  char path[256];
};
ChooserBuffers ground_buffers, house_buffers, tree_buffers, sky_buffers, water_buffers;

void copy_name(char* dst, const char* src) {
  std::strncpy(dst, src, 255);
  dst[255] = '\0';
}

int32_t choose(const char* title, char* name, char* folder, ChooserBuffers& b) {
  // A slot name with a folder part moves that folder into the kind's folder and keeps the file name.
  split_path(folder, name);
  copy_name(b.name, name);
  b.path[0] = '\0';
  const int32_t r = file_requester(title, nullptr, folder, b.name, "*.TGA", b.path, 0);
  if (r == 1) {
    copy_name(name, b.path);
  } else {
    name[0] = '\0';
  }
  return r;
}
}  // namespace

int32_t choose_ground_texture_file(const char* title, char* name) {
  wait_mouse_release();
  return choose(title, name, ground_texture_dir, ground_buffers);
}
int32_t pick_texture_file(const char* title, char* name) {
  return choose(title, name, house_texture_dir, house_buffers);
}
int32_t select_tree_texture_file(const char* title, char* name) {
  return choose(title, name, tree_texture_dir, tree_buffers);
}
int32_t choose_sky_texture_file(const char* title, char* name) {
  return choose(title, name, sky_texture_dir, sky_buffers);
}
int32_t select_water_texture(const char* title, char* name) {
  return choose(title, name, water_texture_dir, water_buffers);
}
