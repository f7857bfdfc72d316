// The Targa writing core shared by the frame, texture and ground-colour writers (private to the Targa files).
#pragma once

#include <cstdint>
#include <functional>

// Fills one row of pixels (0xAARRGGBB); the index counts file rows, from the picture's bottom row up.
using TargaRowSource = std::function<void(int32_t file_row, uint32_t* pixels)>;

// Writes a 24- or 32-bit file, run-length coded when rle; 1 written, 0 failed (an earlier file stays).
int32_t targa_write_rows(const char* path, int32_t width, int32_t height, int32_t bits, bool rle,
                         const TargaRowSource& source);
