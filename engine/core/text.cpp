// Bounded copies into fixed-size character buffers, and names compared regardless of letter case.
#include "engine/core/text.h"

#include <cctype>
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

bool equal_ignoring_case(const char* a, const char* b) {
  if (!a) a = "";
  if (!b) b = "";
  for (; *a && *b; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  }
  return *a == *b;
}
