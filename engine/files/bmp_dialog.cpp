// The BMP save and load commands: file requester, replace confirmation, status line and wait pointer.
#include "engine/files/bmp_format.h"
#include "engine/files/bmp_image.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_utils.h"
#include "engine/files/targa.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

char bmp_name[256];
char bmp_path[256];

int32_t save_bmp_dialog() {
  bmp_name[0] = bmp_path[0] = 0;
  if (file_requester("Save BMP file", bmp_dir_default, bmp_dir, bmp_name, "*.BMP", bmp_path, kFileRequesterSave) != 1)
    return -1;
  add_extension(bmp_path, ".BMP");
  add_extension(bmp_name, ".BMP");
  if (file_exists(bmp_path) && confirm_replace(bmp_path) != 1) return -1;
  show_status("Save BMP");
  cursor_wait();
  const int32_t result = bmp_save_render_image(bmp_path);
  cursor_arrow();
  return result;
}

int32_t load_bmp_dialog() {
  if (file_requester("Load BMP file", bmp_dir_default, bmp_dir, bmp_name, "*.BMP", bmp_path, 0) != 1) return -1;
  show_status("Load BMP");
  cursor_wait();
  // The load clears the frame itself once the file has proved readable, so a refused file leaves it.
  const int32_t result = bmp_load_render_image(bmp_path);
  cursor_arrow();
  if (result == 1) {
    loaded_image_width = bmp_header.width;
    // A top-down file has a negative height (the most negative one is refused on reading).
    loaded_image_height = bmp_header.height < 0 ? -bmp_header.height : bmp_header.height;
    loaded_image_bits = bmp_header.bits;
  } else {
    loaded_image_width = loaded_image_height = loaded_image_bits = 0;
    // A kind of BMP this reader does not take is explained; read errors are reported by the caller.
    if (bmp_last_error && *bmp_last_error) requester(bmp_last_error, "  OK  ", nullptr);
  }
  return result;
}
