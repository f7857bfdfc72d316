// Reduces the 256-colour palette of a draped picture to 128 representative colours in entries 128..255.
#include "engine/raster/image_palette.h"
#include "engine/render/palette_predict.h"
#include "engine/render/palette_predict_steps.h"

void remap_to_palette(PaletteEntry* palette, uint32_t* mapping) {
  zero_color_cache();
  for (int32_t i = 0; i < 256; ++i) {
    const PaletteEntry& e = palette[i];
    histogram_add((static_cast<uint32_t>(e.red) << 16) | (static_cast<uint32_t>(e.green) << 8) | e.blue, 1000);
  }
  count_histogram();
  histogram_colors *= 14;  // widens the merging: 128 colours spread over what occurs
  palette_slots_left = 128;

  PaletteEntry chosen[256] = {};
  for (int32_t i = 128; i < 256; ++i) {
    const int32_t c = most_frequent_color();
    chosen[i].red = static_cast<uint8_t>(((c >> 10) & 31) * 8 + 7);
    chosen[i].green = static_cast<uint8_t>(((c >> 5) & 31) * 8 + 7);
    chosen[i].blue = static_cast<uint8_t>((c & 31) * 8 + 7);
    merge_nearby_colors(c);
  }

  for (int32_t i = 0; i < 256; ++i) {
    const int32_t r = palette[i].red >> 3, g = palette[i].green >> 3, b = palette[i].blue >> 3;
    int32_t best = 128, best_distance = 0x7FFFFFFF;
    for (int32_t j = 128; j < 256; ++j) {
      const int32_t dr = r - (chosen[j].red >> 3), dg = g - (chosen[j].green >> 3), db = b - (chosen[j].blue >> 3);
      const int32_t distance = dr * dr + dg * dg + db * db;
      if (distance < best_distance) {
        best_distance = distance;
        best = j;
      }
    }
    mapping[i] = static_cast<uint32_t>(best);
  }

  for (int32_t i = 0; i < 256; ++i) {
    palette[i].red = chosen[i].red;
    palette[i].green = chosen[i].green;
    palette[i].blue = chosen[i].blue;
  }
}
