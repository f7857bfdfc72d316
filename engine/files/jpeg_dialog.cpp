// The JPEG save and load commands: file requester, replace confirmation, quality prompt and status line.
#include "engine/files/default_dirs.h"
#include "engine/files/file_utils.h"
#include "engine/files/jpeg_codec.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/targa.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

char jpeg_name[256];
char jpeg_path[256];

int32_t save_jpeg_dialog() {
  jpeg_name[0] = jpeg_path[0] = 0;
  if (file_requester("Save JPEG file", jpeg_dir_default, jpeg_dir, jpeg_name, "*.JPG", jpeg_path,
                     kFileRequesterSave) != 1)
    return -1;
  add_extension(jpeg_path, ".JPG");
  add_extension(jpeg_name, ".JPG");
  if (file_exists(jpeg_path) && confirm_replace(jpeg_path) != 1) return -1;
  value_requester("Select JPEG quality (25-100):", "  OK  ", nullptr, &jpeg_quality);
  jpeg_quality = clamp_jpeg_quality(jpeg_quality);
  show_status("Save JPEG");
  return save_jpeg_screen(jpeg_path);  // wait pointer inside
}

int32_t load_jpeg_dialog() {
  if (file_requester("Load JPEG file", jpeg_dir_default, jpeg_dir, jpeg_name, "*.JPG", jpeg_path, 0) != 1) return -1;
  show_status("Load JPEG");
  const int32_t result = load_jpeg_to_screen(jpeg_path);  // wait pointer and clearing inside
  if (result == 1) {
    loaded_image_width = jpeg_last_width;
    loaded_image_height = jpeg_last_height;
    loaded_image_bits = 24;
  } else {
    loaded_image_width = loaded_image_height = loaded_image_bits = 0;
  }
  return result;
}
