// A file writer that replaces its target only after everything was written and closed successfully.
#include "engine/files/atomic_write.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/files/file_open.h"

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::remove(temp_.c_str());
    temp_.clear();
  }
}

bool AtomicFileWriter::open(const char* path) {
  discard();
  failed_ = true;
  char resolved[4096];
  if (!path || !*path || !resolve_path(path, resolved, sizeof resolved)) return false;
  target_ = resolved;
  const std::filesystem::path parent = std::filesystem::path(target_).parent_path();
  if (!parent.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
  }
  // One temporary name per process and target; a stale one from an earlier crash is overwritten.
  temp_ = target_ + ".tmp" + std::to_string(static_cast<long>(::getpid()));
  file_ = std::fopen(temp_.c_str(), "wb");
  if (!file_) {
    temp_.clear();
    return false;
  }
  failed_ = false;
  return true;
}

bool AtomicFileWriter::write(const void* data, size_t size) {
  if (failed_ || !file_) return false;
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
  return !failed_;
}

bool AtomicFileWriter::commit() {
  if (!file_) return false;
  if (std::fflush(file_) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (!failed_ && std::rename(temp_.c_str(), target_.c_str()) != 0) failed_ = true;
  if (failed_) {
    discard();
    return false;
  }
  temp_.clear();
  return true;
}
