// Colour-scheme files of both kinds and the dialogs that load and save them.
#include "engine/render/color_scheme_files.h"

#include <cstring>

#include "engine/files/default_dirs.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/files/landscape_header.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/scene/texture_slots.h"

char scheme_file_name[256];
char scheme_path[256];

namespace {
struct DefaultColor {
  int32_t first, last;
  uint8_t red, green, blue;
};
constexpr DefaultColor kDefaults[] = {
    {56, 56, 48, 96, 48},     {57, 57, 64, 96, 48},     {58, 58, 80, 96, 64},  {59, 59, 96, 96, 64},
    {64, 67, 80, 64, 48},     {68, 71, 128, 128, 128},  {72, 75, 48, 48, 48},  {76, 76, 192, 192, 192},
    {77, 77, 255, 248, 240},  {78, 78, 240, 248, 255},  {79, 79, 128, 128, 128}, {88, 91, 48, 48, 48},
};
}  // namespace

void scheme_default_colors() {
  for (const DefaultColor& d : kDefaults) {
    for (int32_t i = d.first; i <= d.last; ++i) {
      ColorEntry& e = color_table[i];
      if (e.flag || e.red || e.green || e.blue) continue;
      e.red = d.red;
      e.green = d.green;
      e.blue = d.blue;
    }
  }
}

int32_t load_scheme_old(const char* path) {
  FILE* f = open_file(path, "rb");
  if (!f) return 0;
  uint8_t block[kOldHeaderSize];
  const size_t n = std::fread(block, 1, sizeof block, f);
  std::fclose(f);
  if (n != sizeof block || !header_has_magic(block, kOldMagic)) return 0;
  std::memcpy(color_table, block + 1024, sizeof color_table);
  scheme_sky_colors();
  scheme_default_colors();
  return 1;
}

int32_t load_scheme_file(const char* path) {
  if (load_scheme_old(path) == 1) return 1;
  const float sx = grid_spacing_x, sy = grid_spacing_y, sz = grid_spacing_z;
  const int32_t result = load_dl4_dem(path);
  grid_spacing_x = sx;
  grid_spacing_y = sy;
  grid_spacing_z = sz;
  return result;
}

int32_t load_scheme_dialog() {
  if (file_requester("Load Dalvenor Color Scheme", scheme_dir, scheme_dir_work, scheme_file_name, "*.SCM",
                     scheme_path, 0) != 1)
    return -1;
  cursor_wait();
  const int32_t result = load_scheme_file(scheme_path);
  cursor_arrow();
  return result;
}

int32_t save_scheme_dialog() {
  scheme_file_name[0] = 0;
  if (file_requester("Save Dalvenor Color Scheme", scheme_dir, scheme_dir_work, scheme_file_name, "*.SCM",
                     scheme_path, kFileRequesterSave) != 1)
    return -1;
  add_extension(scheme_file_name, sizeof scheme_file_name, ".SCM");
  add_extension(scheme_path, sizeof scheme_path, ".SCM");
  if (file_exists(scheme_path) && confirm_replace(scheme_path) != 1) return -1;
  int32_t embed = 0;
  for (const TextureSlot& s : texture_slots) {
    if (!s.loaded) continue;
    embed = requester("Embed textures or only their names?", "Embed textures", "Names only");
    break;
  }
  cursor_wait();
  const int32_t result = save_dl4_file(scheme_path, 0, 1, embed, 0, 0, 0, 0, 0);
  cursor_arrow();
  return result;
}
