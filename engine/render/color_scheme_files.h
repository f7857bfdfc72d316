// Colour-scheme files: current-format schemes (colour table, class attributes, textures) and the colour
// tables of older-format files, with the default colours older tables lack.
#pragma once

#include <cstdint>

extern char scheme_file_name[256];
extern char scheme_path[256];

// Fills the colour-table entries that older tables leave entirely zero with their built-in colours.
void scheme_default_colors();
// Reads the colour table of an older-format file: 1, or 0 without a message (cannot be opened, shorter
// than 2048 bytes, another magic) with the colour table unchanged.
int32_t load_scheme_old(const char* path);
// Load Color Scheme: -1 cancelled, 1 loaded, 0 after a reported failure.
int32_t load_scheme_dialog();
// Save Color Scheme: -1 cancelled or refused, else 1 written or 0 after a reported failure.
int32_t save_scheme_dialog();
// Loads a scheme from either kind of file, keeping the grid spacing and every setting: 1 or 0 (reported).
int32_t load_scheme_file(const char* path);
