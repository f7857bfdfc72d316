// The Targa commands: choose a file, confirm replacing, and save or load the frame or the ground colours.
#include <cstring>

#include "engine/files/default_dirs.h"
#include "engine/files/file_utils.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/core/color_classes.h"
#include "engine/core/settings.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"

namespace {

// Asks for a Targa path into targa_path (and its file part into targa_name); 1 chosen, -1 cancelled.
int32_t choose_targa(const char* title, const char* folder, int32_t save) {
  targa_name[0] = '\0';
  targa_path[0] = '\0';
  HostFileChoice choice{title, folder, "", "*.TGA", save};
  char chosen[kPathBufferSize] = "";
  if (host().choose_file(choice, chosen, sizeof chosen) != 1 || chosen[0] == '\0') return -1;
  std::strncpy(targa_path, chosen, sizeof targa_path - 1);
  targa_path[sizeof targa_path - 1] = '\0';
  char folder_part[kPathBufferSize] = "";
  std::strncpy(targa_name, chosen, sizeof targa_name - 1);
  targa_name[sizeof targa_name - 1] = '\0';
  split_path(folder_part, sizeof folder_part, targa_name);
  if (save) {
    add_extension(targa_path, sizeof targa_path, ".TGA");
    add_extension(targa_name, sizeof targa_name, ".TGA");
    if (file_exists(targa_path) && confirm_replace(targa_path) != 1) return -1;
  }
  return 1;
}

}  // namespace

int32_t save_targa_dialog() {
  if (choose_targa("Save Targa file", targa_dir, 1) != 1) return -1;
  show_status("Save Targa");
  cursor_wait();
  const int32_t result = targa_save_frame(targa_path);
  cursor_arrow();
  return result;
}

int32_t load_targa_dialog() {
  if (choose_targa("Load Targa file", targa_dir, 0) != 1) return -1;
  show_status("Load Targa");
  cursor_wait();
  clear_vidmem24();
  const int32_t result = targa_load_into_frame(targa_path, kTargaOpaque);
  if (result == 1) {
    loaded_image_width = targa_header.width;
    loaded_image_height = targa_header.height;
    loaded_image_bits = targa_header.bits_per_pixel;
  } else {
    loaded_image_width = loaded_image_height = loaded_image_bits = 0;
  }
  cursor_arrow();
  return result;
}

int32_t save_texture_map_dialog() {
  if (choose_targa("Save Texture Map (Targa)", texture_map_dir, 1) != 1) return -1;
  if (derived_data.colors_done_step >= 2 || derived_data.cliffs_done_step >= 2) {
    if (requester("Need to calculate colors first!", "  OK  ", "Quit") != 1) return -1;
    const int32_t saved_step = render_settings.grid_step;
    render_settings.grid_step = 1;
    int32_t ok = color_landscape();
    if (ok == 1) ok = color_cliffs();
    render_settings.grid_step = saved_step;
    if (ok != 1) return -1;
  }
  show_status("Save Texture Map");
  cursor_wait();
  const int32_t result = texture_map_save_targa(targa_path);
  cursor_arrow();
  return result;
}
