// Bounded copies into fixed-size character buffers.
#pragma once

#include <cstddef>

// Copies in (null: empty) into out of size bytes, cut to fit and always ended with a zero.
void copy_text(char* out, const char* in, size_t size);
// Appends in to the text in out of size bytes, cut to fit and always ended with a zero.
void append_text(char* out, const char* in, size_t size);
