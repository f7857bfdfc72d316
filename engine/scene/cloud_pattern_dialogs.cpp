// The "Load cloud pattern" and "Save cloud pattern" commands: file requester, replace confirmation, wait pointer.
#include "engine/scene/cloud_pattern_file.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_utils.h"
#include "engine/files/file_requester.h"
#include "engine/core/path_names.h"
#include "engine/ui/pointer.h"

char cloud_name[256];
char cloud_path[256];

int32_t ui_load_cloud_pattern() {
  if (file_requester("Load cloud pattern", cloud_dir_default, cloud_dir, cloud_name, "*.CLD", cloud_path, 0) != 1)
    return -1;
  cursor_wait();
  return load_cloud_pattern_file(cloud_path);
}

int32_t ui_save_cloud_pattern() {
  cloud_name[0] = 0;
  if (file_requester("Save cloud pattern", cloud_dir_default, cloud_dir, cloud_name, "*.CLD", cloud_path,
                     kFileRequesterSave) != 1)
    return -1;
  add_extension(cloud_name, sizeof cloud_name, ".CLD");
  add_extension(cloud_path, sizeof cloud_path, ".CLD");
  if (file_exists(cloud_path) && confirm_replace(cloud_path) != 1) return -1;
  cursor_wait();
  return cloud_pattern_save_pcx(cloud_path);
}
