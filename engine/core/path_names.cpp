// Path helpers: add an extension, append a trailing backslash, split a path into folder and name.
#include "engine/core/path_names.h"

#include <cstring>

void add_extension(char* path, const char* extension) { add_extension(path, kPathBufferSize, extension); }

void add_extension(char* path, size_t size, const char* extension) {
  if (!path || !extension || size == 0) return;
  const size_t len = strnlen(path, size);
  if (len >= size) return;  // not terminated inside its buffer: leave it alone
  for (size_t i = len; i > 0; --i) {
    const char c = path[i - 1];
    if (c == '.') return;
    if (is_path_separator(c)) break;
  }
  const size_t ext_len = std::strlen(extension);
  if (len + ext_len + 1 > size) return;
  std::memcpy(path + len, extension, ext_len + 1);
}

int32_t append_backslash(char* folder) { return append_backslash(folder, kPathBufferSize); }

int32_t append_backslash(char* folder, size_t size) {
  if (!folder || size == 0) return 0;
  const size_t len = strnlen(folder, size);
  if (len == 0 || len + 2 > size) return 0;
  const char last = folder[len - 1];
  if (is_path_separator(last)) return 0;
  folder[len] = '\\';
  folder[len + 1] = 0;
  return 1;
}

void split_path(char* folder, char* path) { split_path(folder, kPathBufferSize, path); }

void split_path(char* folder, size_t folder_size, char* path) {
  if (!folder || !path || folder_size == 0) return;
  const char* slash = nullptr;
  const char* colon = nullptr;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') slash = p;
    else if (*p == ':') colon = p;
  }
  const char* cut = slash ? slash : colon;
  if (!cut) return;
  // The folder keeps the colon but not the backslash.
  size_t folder_len = static_cast<size_t>(cut - path) + (slash ? 0 : 1);
  if (folder_len >= folder_size) folder_len = folder_size - 1;
  std::memmove(folder, path, folder_len);
  folder[folder_len] = 0;
  const char* rest = cut + 1;
  std::memmove(path, rest, std::strlen(rest) + 1);
}
