// Writing movie files of 24-bit frames.
#pragma once

#include <cstdint>

// Opens a movie file of 24-bit frames: 1 opened, a negative code when it could not be opened.
int32_t avi_open(const char* name, int32_t width, int32_t height, int32_t mode, int32_t frames_per_second);
// Closes the movie opened by avi_open.
void avi_close();
