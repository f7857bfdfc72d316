// Bounded copies into fixed-size character buffers.
#include "engine/core/text.h"

#include <cstring>

void copy_text(char* out, const char* in, size_t size) {
  if (!out || size == 0) return;
  std::strncpy(out, in ? in : "", size - 1);
  out[size - 1] = 0;
}

void append_text(char* out, const char* in, size_t size) {
  if (!out || size == 0) return;
  const size_t used = strnlen(out, size - 1);
  copy_text(out + used, in, size - used);
}
