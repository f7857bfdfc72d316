// Saving the 8-bit render image as a PCX, loading a PCX picture or only its palette, and the commands.
#pragma once

#include <cstdint>

// Requester buffers of the PCX commands, shared by the palette command (the folders pcx_dir and
// palette_dir are with the default folders).
extern char pcx_name[256];
extern char pcx_path[256];

// Fills pcx_header for the render image size.
void pcx_make_header();
// Writes vidmem8 over the render image size with the display palette; 1 written; 0 when vidmem8 is
// missing or the file cannot be written (any previous file is kept).
int32_t save_screen_pcx(const char* path);
// Loads a picture into vidmem8 (clipped to the render image; the render image keeps its size), its
// palette into the display palette, and rebuilds vidmem24 from them. 1 loaded; 0 cannot open, short
// header or no vidmem8; -3 not an 8-bit single-plane run-length version 5 file; -5 wider than 8192
// or of no width or height. The frame buffers are untouched unless the result is 1.
int32_t load_pcx_to_screen(const char* path);
// Reads the palette at the end of a PCX file into image_palette (red, green, blue; the fourth byte
// stays). 1 read, also when the file has no palette (nothing changes); 0; -3; -5 as above.
int32_t load_pcx_palette(const char* path);

int32_t save_pcx_dialog();          // result of the save, or -1 when cancelled or replacing is refused
int32_t load_pcx_dialog();          // result of the load, or -1 when cancelled
int32_t load_pcx_palette_dialog();  // result of the palette load, or -1 when cancelled
