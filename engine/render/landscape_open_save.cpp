// Landscape open and save commands: the format dispatch of load_landscape and the three dialogs.
#include "engine/render/landscape_open_save.h"

#include <cstring>

#include "engine/files/default_dirs.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_utils.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/files/landscape_header.h"
#include "engine/core/landscape_names.h"
#include "engine/render/old_landscape_file.h"
#include "engine/render/color_scheme_files.h"
#include "engine/render/settings_snapshot.h"
#include "engine/core/color_classes.h"
#include "engine/core/settings.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/render/lighting.h"
#include "engine/render/palette_predict.h"
#include "engine/scene/texture_slots.h"

char landscape_path[256];

namespace {

// The current name and description from a loaded file's header.
void take_names(const uint8_t* header) {
  std::memcpy(landscape_name, header + 32, sizeof landscape_name);
  landscape_name[sizeof landscape_name - 1] = 0;
  std::memcpy(landscape_description, header + 64, sizeof landscape_description);
  landscape_description[sizeof landscape_description - 1] = 0;
}

bool any_texture_loaded() {
  for (const TextureSlot& s : texture_slots)
    if (s.loaded) return true;
  return false;
}

bool yes(const char* question) { return requester(question, "Yes", "No") == 1; }

}  // namespace

void reset_landscape_dialogs() {
  landscape_path[0] = 0;
  scheme_file_name[0] = 0;
  scheme_path[0] = 0;
}

int32_t load_landscape(const char* path) {
  uint8_t first[kOldHeaderSize];
  {
    LandscapeFileReader r;
    if (!r.open(path)) return msg_error_opening(path);
    if (!r.read_at(0, first, sizeof first)) return msg_error_reading(path);
  }
  if (header_has_magic(first, kOldMagic)) {
    if (load_old_dem(path) != 1) return 0;
    take_names(old_dem_header);
    return apply_old_header();
  }
  if (header_has_magic(first, kDl4Magic)) {
    if (load_dl4_dem(path) != 1) return 0;
    std::memcpy(old_dem_header, first, sizeof first);
    take_names(first);
    return apply_dl4_header();
  }
  return not_a_landscape_msg(path);
}

int32_t load_landscape_dialog() {
  if (file_requester("Load Dalvenor Landscape", dem_dir, dem_dir_work, landscape_file_name, "*.D4S;*.DEM",
                     landscape_path, 0) != 1)
    return -1;
  cursor_wait();
  const int32_t result = load_landscape(landscape_path);
  cursor_arrow();
  return result;
}

int32_t save_session_dialog(int32_t ask) {
  landscape_file_name[0] = 0;
  if (file_requester("Save Session Landscape", dem_dir, dem_dir_work, landscape_file_name, "*.D4S", landscape_path,
                     kFileRequesterSave) != 1)
    return -1;
  add_extension(landscape_path, sizeof landscape_path, ".D4S");
  add_extension(landscape_file_name, sizeof landscape_file_name, ".D4S");
  if (file_exists(landscape_path) && confirm_replace(landscape_path) != 1) return -1;

  const bool colors_ok = derived_valid(derived_data.colors_done_step, render_settings.grid_step);
  const bool cliffs_ok = derived_valid(derived_data.cliffs_done_step, render_settings.grid_step) || terrain_settings.cliff_angle == 0;
  const bool shades_ok = derived_valid(derived_data.shades_done_step, render_settings.grid_step) && (derived_data.palette_stale == 0 || render_settings.palette_locked);
  if (!colors_ok || !cliffs_ok || !shades_ok) {
    if (requester("Need to calculate colors/shades", "  OK  ", "Quit") != 1) return -1;
    if (color_landscape() != 1 || color_cliffs() != 1 || shade_landscape() != 1 || make_palette() != 1) return -1;
  }
  int32_t embed = 0;
  if (any_texture_loaded()) embed = requester("Embed textures or only their names?", "Embed textures", "Names only");
  int32_t elevations = 1, terrain = 1, shadows = 1, clouds = 1;
  if (ask) {
    elevations = yes("Include elevation data?") ? 1 : 0;
    terrain = shadows = clouds = 0;
    if (elevations) {
      terrain = yes("Include terrain map?") ? 1 : 0;
      shadows = yes("Include shadow map?") ? 1 : 0;
      clouds = yes("Include cloud pattern?") ? 1 : 0;
    }
  }
  cursor_wait();
  const int32_t result = save_dl4_file(landscape_path, 1, 1, embed, elevations, terrain, shadows, clouds, 1);
  cursor_arrow();
  return result;
}

int32_t save_old_dem_dialog() {
  landscape_file_name[0] = 0;
  if (file_requester("Save Dalvenor Landscape", dem_dir, dem_dir_work, landscape_file_name, "*.DEM", landscape_path,
                     kFileRequesterSave) != 1)
    return -1;
  add_extension(landscape_file_name, sizeof landscape_file_name, ".DEM");
  add_extension(landscape_path, sizeof landscape_path, ".DEM");
  if (file_exists(landscape_path) && confirm_replace(landscape_path) != 1) return -1;
  cursor_wait();
  const int32_t result = save_old_dem(landscape_path);
  cursor_arrow();
  return result;
}
