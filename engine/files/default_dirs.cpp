// Storage of the default folder pairs and their setters.
#include "engine/files/default_dirs.h"

#include <cstdio>
#include <cstring>

#include "engine/core/text.h"
#include "engine/files/file_utils.h"
#include "engine/core/path_names.h"

char dem_dir[kDirBufferSize], dem_dir_work[kDirBufferSize];
char scheme_dir[kDirBufferSize], scheme_dir_work[kDirBufferSize];
char binary_dir[kDirBufferSize], binary_dir_work[kDirBufferSize];
char palette_dir[kDirBufferSize], palette_dir_default[kDirBufferSize];
char pcx_dir[kDirBufferSize], pcx_dir_default[kDirBufferSize];
char targa_dir[kDirBufferSize], targa_dir_default[kDirBufferSize];
char bmp_dir[kDirBufferSize], bmp_dir_default[kDirBufferSize];
char jpeg_dir[kDirBufferSize], jpeg_dir_default[kDirBufferSize];
char background_dir[kDirBufferSize] = "TEXTURE\\BackGr", background_dir_default[kDirBufferSize] = "TEXTURE\\BackGr";
char foreground_dir[kDirBufferSize] = "TEXTURE\\ForeGr", foreground_dir_default[kDirBufferSize] = "TEXTURE\\ForeGr";
char stereo_dir[kDirBufferSize], stereo_dir_default[kDirBufferSize];
char cloud_dir[kDirBufferSize], cloud_dir_default[kDirBufferSize];
char script_dir[kDirBufferSize], script_folder[kDirBufferSize];
char anim_dir[kDirBufferSize], anim_folder[kDirBufferSize];
char batch_dir[kDirBufferSize], batch_folder[kDirBufferSize];
char iq_dir[kDirBufferSize] = "iq\\", iq_folder[kDirBufferSize] = "iq\\";
char ground_texture_dir[kDirBufferSize], ground_texture_dir_default[kDirBufferSize];
char house_texture_dir[kDirBufferSize] = "TEXTURE\\HOUSE", house_texture_dir_default[kDirBufferSize] = "TEXTURE\\HOUSE";
char tree_texture_dir[kDirBufferSize], tree_texture_dir_default[kDirBufferSize];
char sky_texture_dir[kDirBufferSize], sky_texture_dir_default[kDirBufferSize];
char water_texture_dir[kDirBufferSize], water_texture_dir_default[kDirBufferSize];

namespace {
// Copies the folder (cut to the buffer) and appends the backslash when it is due and fits.
void set_one(char* buffer, const char* folder) {
  std::memset(buffer, 0, kDirBufferSize);
  std::strncpy(buffer, folder ? folder : "", kDirBufferSize - 1);
  append_backslash(buffer, kDirBufferSize);
}

void set_pair(char* requester_folder, char* spare, const char* folder) {
  set_one(requester_folder, folder);
  set_one(spare, folder);
}

// Sets the pair to base + sub when that folder exists; the folder, or null.
const char* find_pair(char* requester_folder, char* spare, const char* base, const char* sub) {
  char candidate[kDirBufferSize];
  const int n = std::snprintf(candidate, sizeof candidate, "%s%s", base ? base : "", sub);
  if (n < 0 || static_cast<size_t>(n) >= sizeof candidate || !file_exists(candidate)) return nullptr;
  std::memcpy(requester_folder, candidate, static_cast<size_t>(n) + 1);
  std::memcpy(spare, candidate, static_cast<size_t>(n) + 1);
  return requester_folder;
}

void put_pair(char* a, char* b, const char* value) {
  std::memset(a, 0, kDirBufferSize);
  std::memset(b, 0, kDirBufferSize);
  copy_text(a, value, kDirBufferSize);
  copy_text(b, value, kDirBufferSize);
}
}  // namespace

void set_default_dir_dem(const char* folder) { set_pair(dem_dir_work, dem_dir, folder); }
void set_default_dir_scheme(const char* folder) { set_pair(scheme_dir_work, scheme_dir, folder); }
void set_default_dir_binary(const char* folder) { set_pair(binary_dir_work, binary_dir, folder); }
void set_default_dir_palette(const char* folder) { set_pair(palette_dir, palette_dir_default, folder); }
void set_default_dir_pcx(const char* folder) { set_pair(pcx_dir, pcx_dir_default, folder); }
void set_default_dir_targa(const char* folder) { set_pair(targa_dir, targa_dir_default, folder); }
void set_default_dir_bmp(const char* folder) { set_pair(bmp_dir, bmp_dir_default, folder); }
void set_default_dir_jpg(const char* folder) { set_pair(jpeg_dir, jpeg_dir_default, folder); }
void set_default_dir_background(const char* folder) { set_pair(background_dir, background_dir_default, folder); }
void set_default_dir_foreground(const char* folder) { set_pair(foreground_dir, foreground_dir_default, folder); }
void set_default_dir_stereo(const char* folder) { set_pair(stereo_dir, stereo_dir_default, folder); }
void set_cloud_directory(const char* folder) { set_pair(cloud_dir, cloud_dir_default, folder); }
void set_default_dir_script(const char* folder) { set_pair(script_folder, script_dir, folder); }
void set_default_dir_anim(const char* folder) { set_pair(anim_folder, anim_dir, folder); }
void set_default_dir_batch(const char* folder) { set_pair(batch_folder, batch_dir, folder); }
void set_default_dir_iq(const char* folder) { set_pair(iq_dir, iq_folder, folder); }
void set_default_dir_ground_texture(const char* folder) {
  set_pair(ground_texture_dir, ground_texture_dir_default, folder);
}
void set_house_texture_directory(const char* folder) { set_pair(house_texture_dir, house_texture_dir_default, folder); }
void set_tree_texture_dir(const char* folder) { set_pair(tree_texture_dir, tree_texture_dir_default, folder); }
void set_default_dir_sky_texture(const char* folder) { set_pair(sky_texture_dir, sky_texture_dir_default, folder); }
void set_water_texture_dir(const char* folder) { set_pair(water_texture_dir, water_texture_dir_default, folder); }

void init_jpeg_dir(const char* program_folder) { find_pair(jpeg_dir, jpeg_dir_default, program_folder, "JPG"); }
const char* find_ground_texture_dir(const char* base) {
  return find_pair(ground_texture_dir, ground_texture_dir_default, base, "TEXTURE\\GROUND");
}
const char* find_house_texture_dir(const char* base) {
  return find_pair(house_texture_dir, house_texture_dir_default, base, "TEXTURE\\HOUSE");
}
const char* find_tree_texture_dir(const char* base) {
  return find_pair(tree_texture_dir, tree_texture_dir_default, base, "TEXTURE\\TREE");
}
const char* find_sky_texture_dir(const char* base) {
  return find_pair(sky_texture_dir, sky_texture_dir_default, base, "TEXTURE\\SKY");
}
const char* init_water_texture_dir(const char* base) {
  return find_pair(water_texture_dir, water_texture_dir_default, base, "TEXTURE\\WATER");
}

void reset_default_dirs() {
  put_pair(dem_dir, dem_dir_work, "");
  put_pair(scheme_dir, scheme_dir_work, "");
  put_pair(binary_dir, binary_dir_work, "");
  put_pair(palette_dir, palette_dir_default, "");
  put_pair(pcx_dir, pcx_dir_default, "");
  put_pair(targa_dir, targa_dir_default, "");
  put_pair(bmp_dir, bmp_dir_default, "");
  put_pair(jpeg_dir, jpeg_dir_default, "");
  put_pair(background_dir, background_dir_default, "TEXTURE\\BackGr");
  put_pair(foreground_dir, foreground_dir_default, "TEXTURE\\ForeGr");
  put_pair(stereo_dir, stereo_dir_default, "");
  put_pair(cloud_dir, cloud_dir_default, "");
  put_pair(script_dir, script_folder, "");
  put_pair(anim_dir, anim_folder, "");
  put_pair(batch_dir, batch_folder, "");
  put_pair(iq_dir, iq_folder, "iq\\");
  put_pair(ground_texture_dir, ground_texture_dir_default, "");
  put_pair(house_texture_dir, house_texture_dir_default, "TEXTURE\\HOUSE");
  put_pair(tree_texture_dir, tree_texture_dir_default, "");
  put_pair(sky_texture_dir, sky_texture_dir_default, "");
  put_pair(water_texture_dir, water_texture_dir_default, "");
}
