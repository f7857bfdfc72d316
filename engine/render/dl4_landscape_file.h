// The current landscape format: a whole session (or a colour scheme) in one file behind a 1024-byte header.
#pragma once

#include <cstdint>

// Writes a current-format file; each switch is 0 or 1 and selects sections (embed: texture maps are
// embedded, else named only). Goes through a temporary file renamed over the target when complete.
// 1 written; 0 after a reported failure (nothing replaced).
int32_t save_dl4_file(const char* path, int32_t session, int32_t scheme, int32_t embed, int32_t elevations,
                      int32_t terrain, int32_t shadows, int32_t clouds, int32_t path_block);
// Reads a current-format file into the landscape: everything is read and checked first, and only a
// complete, sound file replaces the landscape. 1 loaded (the settings snapshot waits in dem_header),
// 0 after a reported failure with the landscape, settings and textures as they were.
int32_t load_dl4_dem(const char* path);
