// Writing through a temporary file renamed over the target once everything was written.
#include "engine/files/safe_write.h"

#include <cstdio>
#include <cstring>

#include "engine/files/file_open.h"
#include "engine/host/system.h"

namespace {
// Creates every folder named before a "/" of a resolved path; failures (exists, root) are ignored.
void make_folders(const char* resolved) {
  char work[4096];
  const size_t n = std::strlen(resolved);
  if (n >= sizeof work) return;
  for (size_t i = 1; i < n; ++i) {
    if (resolved[i] != '/') continue;
    std::memcpy(work, resolved, i);
    work[i] = 0;
    system_make_folder(work);
  }
}
}  // namespace

int32_t safe_write_open(SafeWrite* w, const char* path) {
  if (!w) return 0;
  w->file = nullptr;
  w->failed = 0;
  w->target[0] = 0;
  w->temp[0] = 0;
  if (!path || !*path) return 0;
  if (!resolve_path(path, w->target, sizeof w->target)) return 0;
  const size_t n = std::strlen(w->target);
  if (n == 0 || w->target[n - 1] == '/') return 0;
  make_folders(w->target);
  // Temporary name: ".<name>.XXXXXX" in the same folder, so the rename stays on one file system.
  const char* slash = std::strrchr(w->target, '/');
  const size_t folder_len = slash ? static_cast<size_t>(slash - w->target) + 1 : 0;
  const char* name = w->target + folder_len;
  if (folder_len + 1 + std::strlen(name) + 8 > sizeof w->temp) return 0;
  std::memcpy(w->temp, w->target, folder_len);
  std::snprintf(w->temp + folder_len, sizeof w->temp - folder_len, ".%s.XXXXXX", name);
  w->file = system_open_temp_file(w->temp);
  if (!w->file) {
    w->temp[0] = 0;
    return 0;
  }
  return 1;
}

int32_t safe_write_bytes(SafeWrite* w, const void* data, size_t n) {
  if (!w || !w->file || w->failed) return 0;
  if (n == 0) return 1;
  if (std::fwrite(data, 1, n, w->file) != n) {
    w->failed = 1;
    return 0;
  }
  return 1;
}

int32_t safe_write_commit(SafeWrite* w) {
  if (!w || !w->file) return 0;
  int ok = !w->failed;
  if (std::fflush(w->file) != 0) ok = 0;
  if (ok && !system_sync_file(w->file)) ok = 0;
  if (std::fclose(w->file) != 0) ok = 0;
  w->file = nullptr;
  if (ok && std::rename(w->temp, w->target) != 0) ok = 0;
  if (!ok) {
    system_remove_file(w->temp);
    w->failed = 1;
  }
  w->temp[0] = 0;
  return ok ? 1 : 0;
}

void safe_write_abort(SafeWrite* w) {
  if (!w) return;
  if (w->file) {
    std::fclose(w->file);
    w->file = nullptr;
  }
  if (w->temp[0]) system_remove_file(w->temp);
  w->temp[0] = 0;
  w->failed = 1;
}
