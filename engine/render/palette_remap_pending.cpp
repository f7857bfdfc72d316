// Placeholder for the 128-colour palette reduction: to be replaced by the palette module's remap_to_palette.
// Until then it keeps every other colour, so that callers get a usable palette and mapping.
#include "engine/render/palette_remap.h"

void remap_to_palette(PaletteEntry* palette, uint32_t* mapping) {
  PaletteEntry old[256];
  for (int32_t i = 0; i < 256; ++i) old[i] = palette[i];
  for (int32_t i = 0; i < 128; ++i) palette[128 + i] = old[2 * i];
  for (uint32_t i = 0; i < 256; ++i) mapping[i] = 128 + (i >> 1);
}
