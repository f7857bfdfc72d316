// Reduction of a 256-colour palette to 128 colours in the palette's upper half (used to drape an image as ground colours).
#pragma once

#include <cstdint>

#include "engine/raster/frame_buffers.h"

// Replaces the palette's entries 128..255 with 128 representative colours and gives every old index
// its new index (128..255) in mapping.
void remap_to_palette(PaletteEntry* palette, uint32_t* mapping);
