// Thumbnails of landscape files for the file requester: the elevations coloured by a green, brown and grey
// ramp, read without touching the current landscape.
#pragma once

#include <cstdint>

#include "engine/files/image_buffer.h"

// The 256-entry ramp (0x00RRGGBB).
void dem_preview_ramp(uint32_t* ramp);
// Paints width by height row-major samples (row 0 the first grid row) into the image, the last grid row
// at the top.
void dem_preview_image(const int16_t* samples, ImageBuffer* image, int32_t width, int32_t height);
// A new image of an older-format file's elevations, or null (not that format, unreadable, no memory).
ImageBuffer* preview_old_dem(const char* path);
// The same for a current-format file; null also when it has no elevations.
ImageBuffer* preview_dl4_dem(const char* path);
