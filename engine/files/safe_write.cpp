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
  w->mode = kSafeWriteRename;
  w->target[0] = 0;
  w->temp[0] = 0;
  if (!path || !*path) return 0;
  char resolved[sizeof w->target];
  if (!resolve_path(path, resolved, sizeof resolved)) return 0;
  // A symbolic link is written through: the target of the chain is the file to replace.
  if (!system_link_target(resolved, w->target, sizeof w->target)) return 0;
  const size_t n = std::strlen(w->target);
  if (n == 0 || w->target[n - 1] == '/') return 0;
  const SystemFileStatus status = system_file_status(w->target);
  if (status.kind == kSystemFolder) return 0;
  if (status.kind != kSystemNothing && !system_can_write(w->target)) return 0;
  if (status.kind == kSystemOther) {
    // A device or a pipe cannot be replaced, only written to.
    w->mode = kSafeWriteDirect;
    w->file = std::fopen(w->target, "wb");
    return w->file ? 1 : 0;
  }
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
  if (status.kind == kSystemRegular) {
    // The new file keeps the old one's permissions (and owner where allowed); a file known by several
    // names is filled in place so that every name sees the new data.
    system_copy_permissions(w->file, status.mode, w->target);
    if (status.links > 1) w->mode = kSafeWriteCopy;
  }
  return 1;
}

namespace {
// Copies the complete temporary file into the target in place; 1 done.
int32_t copy_into_target(const char* temp, const char* target) {
  FILE* in = std::fopen(temp, "rb");
  if (!in) return 0;
  FILE* out = std::fopen(target, "r+b");
  if (!out) {
    std::fclose(in);
    return 0;
  }
  int32_t ok = 1;
  uint8_t block[65536];
  size_t got = 0;
  long total = 0;
  while (ok && (got = std::fread(block, 1, sizeof block, in)) > 0) {
    if (std::fwrite(block, 1, got, out) != got) ok = 0;
    total += static_cast<long>(got);
  }
  if (std::ferror(in)) ok = 0;
  std::fclose(in);
  if (std::fflush(out) != 0) ok = 0;
  // The old data beyond the new end go; the size is cut only once the new data are all in place.
  if (ok && !system_truncate_file(out, static_cast<uint64_t>(total))) ok = 0;
  if (ok && !system_sync_file(out)) ok = 0;
  if (std::fclose(out) != 0) ok = 0;
  return ok;
}
}  // namespace

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
  if (w->mode == kSafeWriteDirect) {
    if (!ok) w->failed = 1;
    return ok ? 1 : 0;
  }
  if (ok && w->mode == kSafeWriteCopy) ok = copy_into_target(w->temp, w->target);
  else if (ok && std::rename(w->temp, w->target) != 0) ok = 0;
  if (!ok || w->mode == kSafeWriteCopy) system_remove_file(w->temp);
  if (!ok) w->failed = 1;
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
