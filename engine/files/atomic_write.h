// Writing a file so that a failure never destroys the previous one: a temporary file in the same folder,
// every write and the close checked, then renamed over the target.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  // Removes the temporary file when commit was not reached.
  ~AtomicFileWriter();

  // Creates missing folders along the path and opens the temporary file; false on failure.
  bool open(const char* path);
  // Writes all bytes; false (and the writer marked failed) when short.
  bool write(const void* data, size_t size);
  // Closes, checks the close and renames over the target; false on any failure (the target is untouched).
  bool commit();
  bool failed() const { return failed_; }

 private:
  void discard();
  FILE* file_ = nullptr;
  std::string target_;
  std::string temp_;
  bool failed_ = false;
};
