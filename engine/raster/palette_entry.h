// One palette entry of the image and display palettes: red, green, blue and a spare byte.
#pragma once

#include <cstdint>

struct PaletteEntry {
  uint8_t red, green, blue, spare;
};
static_assert(sizeof(PaletteEntry) == 4);
