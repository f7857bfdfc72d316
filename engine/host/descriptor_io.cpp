// Writing to an open file descriptor.
#include "engine/host/descriptor_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

bool descriptor_write_all(int descriptor, const void* data, size_t n) {
  if (descriptor < 0) return false;
  const auto* p = static_cast<const uint8_t*>(data);
  while (n > 0) {
    const ssize_t w = ::write(descriptor, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}
