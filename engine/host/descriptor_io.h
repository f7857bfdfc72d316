// Writing to an open file descriptor, for file sections that are written at the descriptor level.
#pragma once

#include <cstddef>

// Writes all n bytes at the descriptor's position, resuming after interruptions and partial writes.
// True when every byte was written; false on an invalid descriptor or a failed write.
bool descriptor_write_all(int descriptor, const void* data, size_t n);
