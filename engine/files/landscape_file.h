// Reading landscape files.
#pragma once

#include <cstdint>

// Loads a landscape file: 0 failed (after its message), 1 loaded, 2 loaded with the file's settings.
int32_t load_landscape(const char* path);
