// File existence, folder creation along a path and the replace question.
#include "engine/files/file_utils.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>
#include <string>

#include "engine/files/file_open.h"
#include "engine/ui/requesters.h"

namespace {
constexpr size_t kWorkSize = 256;

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Creates one folder; an existing folder of any letter case is found by the resolution and left alone.
void make_one_dir(const char* folder) {
  if (!folder[0]) return;                               // the empty name in front of a leading "\"
  const size_t len = std::strlen(folder);
  if (folder[len - 1] == ':') return;                   // a drive prefix is no folder to make
  char resolved[4096];
  if (!resolve_path(folder, resolved, sizeof resolved)) return;
  ::mkdir(resolved, 0777);                              // failure (exists, no permission) is ignored
}
}  // namespace

int32_t file_exists(const char* path) {
  if (!path || !path[0]) return 0;
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved)) return 0;
  struct stat st;
  return ::stat(resolved, &st) == 0 ? 1 : 0;
}

void make_path_dirs(const char* path) {
  if (!path) return;
  char work[kWorkSize];
  // Only separators inside the work buffer's capacity are considered: a longer path never overruns it.
  const size_t len = strnlen(path, kWorkSize - 1);
  for (size_t i = 0; i < len; ++i) {
    if (!is_separator(path[i])) continue;
    std::memcpy(work, path, i);
    work[i] = 0;
    make_one_dir(work);
  }
}

int32_t confirm_replace(const char* path) {
  const std::string text = std::string("Replace ") + (path ? path : "") + " ?";
  return requester(text.c_str(), "Replace", "Cancel") == 1 ? 1 : 0;
}
