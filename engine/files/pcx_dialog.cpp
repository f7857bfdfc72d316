// The PCX save, load and palette commands: file requester, replace confirmation and status line.
#include <cstdio>

#include "engine/files/default_dirs.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/files/pcx_format.h"
#include "engine/files/pcx_image.h"
#include "engine/files/targa.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"

char pcx_name[256];
char pcx_path[256];

int32_t save_pcx_dialog() {
  pcx_name[0] = pcx_path[0] = 0;
  if (file_requester("Save PCX file", pcx_dir_default, pcx_dir, pcx_name, "*.PCX", pcx_path, kFileRequesterSave) != 1)
    return -1;
  add_extension(pcx_path, ".PCX");
  add_extension(pcx_name, ".PCX");
  if (file_exists(pcx_path) && confirm_replace(pcx_path) != 1) return -1;
  show_status("Saving PCX File");
  return save_screen_pcx(pcx_path);
}

int32_t load_pcx_dialog() {
  if (file_requester("Load PCX file", pcx_dir_default, pcx_dir, pcx_name, "*.PCX", pcx_path, 0) != 1) return -1;
  // A smaller picture leaves the rest of the 8-bit image at index 0; the image is cleared only once
  // the file has proved to be a PCX this reader takes, so a refused file leaves it as it was.
  int32_t result = kPcxCannotRead;
  if (FILE* file = open_file(pcx_path, "rb")) {
    result = pcx_read_header(file, nullptr, nullptr, nullptr);
    std::fclose(file);
  }
  if (result == kPcxOk) {
    clear_vidmem8();
    result = load_pcx_to_screen(pcx_path);
  }
  if (result == kPcxOk) {
    loaded_image_width = pcx_header.xmax - pcx_header.xmin + 1;
    loaded_image_height = pcx_header.ymax - pcx_header.ymin + 1;
    loaded_image_bits = 8;
  } else {
    loaded_image_width = loaded_image_height = loaded_image_bits = 0;
  }
  return result;
}

int32_t load_pcx_palette_dialog() {
  if (file_requester("Load PCX Palette", palette_dir_default, palette_dir, pcx_name, "*.PCX", pcx_path, 0) != 1)
    return -1;
  return load_pcx_palette(pcx_path);
}
