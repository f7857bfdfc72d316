// Frame-sequence files (".DAN"): a header, one palette, then raw 8-bit frames bottom row first.
#pragma once

#include <cstdint>

constexpr int32_t kDanHeaderSize = 256;
constexpr int32_t kDanFirstFrameOffset = 1024;
constexpr char kDanMagic[] = "DANIMWN";

// The 256-byte header for a width by height animation.
void dan_fill_header(uint8_t* header, int32_t width, int32_t height);
// The 768-byte palette: the display palette shifted to 6 bits.
void dan_fill_palette(uint8_t* palette);

// Appends the current 8-bit frame to the file, creating it with header and palette first when it does
// not exist. 1 appended; 0 when the file cannot be opened or created, the header or palette of a new
// file is written short (the new file is deleted), there is no 8-bit frame buffer, or a row is written
// short (the file is then cut back to its frames before this one).
int32_t dan_append_frame(const char* path);

// What a frame-sequence file holds, read from its header and size.
struct DanFileInfo {
  int32_t valid;       // 1 when the header starts with the magic text
  int32_t width, height;
  int32_t frame_count;  // whole frames after the first-frame offset; 0 when the stride is 0
};
// Reads the header of an existing file; 0 when fewer than 256 bytes could be read.
int32_t dan_read_info(const char* path, DanFileInfo* info);
