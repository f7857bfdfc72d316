// Operating-system services on open files, through the file descriptor behind the stream.
#include "engine/host/file_handles.h"

#include <sys/stat.h>
#include <unistd.h>

int64_t open_file_size(FILE* file) {
  if (!file) return -1;
  std::fflush(file);
  struct stat st;
  if (::fstat(::fileno(file), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

int32_t cut_open_file(FILE* file, int64_t size) {
  if (!file || size < 0) return 0;
  std::fflush(file);
  return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0 ? 1 : 0;
}

void set_file_owner_writable(FILE* file) {
  if (file) ::fchmod(::fileno(file), S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
}
