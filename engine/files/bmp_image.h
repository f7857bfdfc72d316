// Saving the 32-bit render image as a BMP and loading a BMP into it, with the BMP commands.
#pragma once

#include <cstdint>

// Requester buffers of the BMP commands (the folder, bmp_dir, is with the default folders).
extern char bmp_name[256];
extern char bmp_path[256];

// Writes vidmem24 over the render image size as a 24-bit BMP; 1 written; 0 when vidmem24 is
// missing, the file cannot be created or a write fails (any previous file is kept).
int32_t bmp_save_render_image(const char* path);
// Reads a BMP into vidmem24 clipped to the render image size: 8, 24 and 32-bit pictures, bottom-up
// or top-down. 1 read; 0 when vidmem24 is missing, the file cannot be opened, is not a BMP this
// reader takes (the frame is left as it was; bmp_last_error says why) or a row read is short.
int32_t bmp_load_render_image(const char* path);

// The commands: file requester, replace confirmation, status line and wait pointer.
int32_t save_bmp_dialog();  // the save's result, or -1 when cancelled or replacing is refused
int32_t load_bmp_dialog();  // the load's result, or -1 when cancelled
