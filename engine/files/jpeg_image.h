// Saving the 32-bit render image as a JPEG and loading a JPEG into it, with the JPEG commands.
#pragma once

#include <cstdint>

// Requester buffers of the JPEG commands (the folder, jpeg_dir, is with the default folders).
extern char jpeg_name[256];
extern char jpeg_path[256];

// Writes vidmem24 at the render image size with jpeg_quality (kept within 25 to 100), wait pointer
// around it; 1 written, 0 when vidmem24 is missing or the write fails (any previous file is kept).
int32_t save_jpeg_screen(const char* path);
// Clears vidmem24 and reads the picture into it, clipped to the render image size; wait pointer
// around it; 1 read, 0 when vidmem24 is missing or the read fails.
int32_t load_jpeg_to_screen(const char* path);

int32_t save_jpeg_dialog();  // the write's result, or -1 when cancelled or replacing is refused
int32_t load_jpeg_dialog();  // the read's result, or -1 when cancelled
