// Texture slots and the user: asking for a missing texture and saving a slot as a Targa file.
#include <cstdio>
#include <cstring>

#include "engine/files/default_dirs.h"
#include "engine/files/file_utils.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/scene/texture_slots.h"

namespace {
void copy_name(char* dst, const char* src) {
  std::strncpy(dst, src, 255);
  dst[255] = '\0';
}
}  // namespace

int32_t choose_missing_texture_file(const char* title, char* name) {
  HostFileChoice choice{title, ground_texture_dir, "", "*.TGA", 0};
  char chosen[256] = "";
  if (host().choose_file(choice, chosen, sizeof chosen) != 1) {
    name[0] = '\0';
    return -1;
  }
  copy_name(name, chosen);
  return 1;
}

int32_t texture_slot_load_or_ask(int32_t n, char* name) {
  if (file_exists(name)) return texture_slot_load(n, name) == 1 ? 1 : 0;
  std::snprintf(text_buffer, sizeof text_buffer, "Unable to locate %s", name);
  if (requester(text_buffer, "Select another texture", "Skip it") != 1) return 0;
  choose_missing_texture_file("Select texture map", name);
  return texture_slot_load(n, name) == 1 ? 1 : 0;
}

int32_t save_texture_slot_dialog(int32_t n) {
  if (n < 0 || n > 255) return 1;
  TextureSlot& s = texture_slots[n];
  if (s.loaded == 0) return 1;
  wait_mouse_release();
  // The folder part of the slot's name becomes the texture folder; its file name the suggestion.
  char suggested[256];
  copy_name(suggested, s.name);
  const char* slash = std::strrchr(suggested, '\\');
  if (const char* fwd = std::strrchr(suggested, '/'); fwd && (!slash || fwd > slash)) slash = fwd;
  const char* file = suggested;
  if (slash) {
    const size_t folder_len = static_cast<size_t>(slash - suggested);
    if (folder_len < sizeof ground_texture_dir) {
      std::memcpy(ground_texture_dir, suggested, folder_len);
      ground_texture_dir[folder_len] = '\0';
    }
    file = slash + 1;
  }
  HostFileChoice choice{"Save texture map", ground_texture_dir, file, "*.TGA", 1};
  char chosen[256] = "";
  if (host().choose_file(choice, chosen, sizeof chosen) != 1) return -1;
  copy_name(s.name, chosen);
  const TextureLevel& l0 = s.levels[0];
  return targa_save_texture(s.name, l0.pixels, static_cast<int32_t>(l0.width), static_cast<int32_t>(l0.height));
}
