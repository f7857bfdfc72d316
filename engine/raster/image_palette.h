// The image palette, the RGB555 colour cache with its nearest-colour search, and integer HSV conversion.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/raster/palette_entry.h"

// A colour with its hue, saturation and value, all 0 to 255.
struct ColorHSV {
  uint8_t r, g, b, h, s, v;
};

constexpr uint16_t kColorCacheUnknown = 0xFFFF;
constexpr int32_t kColorCacheSize = 32768;

extern PaletteEntry image_palette[256];  // palette of the 8-bit image; entry 0 is never chosen by a search
extern uint16_t color_cache[kColorCacheSize];  // palette index per RGB555 colour, 0xFFFF unknown
extern ColorHSV palette_hsv[256];        // working records while the palette is sorted

// The RGB555 colour of a 0x??RRGGBB pixel.
inline int32_t rgb555_of(uint32_t pixel) {
  return static_cast<int32_t>(((pixel >> 9) & 0x7C00) | ((pixel >> 6) & 0x03E0) | ((pixel >> 3) & 0x001F));
}
inline int32_t rgb555_of(int32_t r, int32_t g, int32_t b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }

void rgb_to_hsv(ColorHSV& c);  // fills h, s, v from r, g, b
void hsv_to_rgb(ColorHSV& c);  // fills r, g, b from h, s, v
// Sorts entries 1 .. palette_colors - 1 by hue, then larger saturation, then larger value.
void sort_palette();
// Loads the whole image palette into the display palette and the render window.
void set_display_palette();
void clear_color_cache();  // every entry unknown
void zero_color_cache();   // every entry 0 (histogram start for palette prediction)
void set_palette_entry_555(int32_t index, int32_t rgb555);
// Full search over entries 1 .. palette_colors - 1; stores the result in the cache and returns it.
int32_t nearest_palette_index(int32_t rgb555);
// The cached palette index of an RGB555 colour, searching on first use.
// Rows converted on several threads may fill the same entry at once, with the same value: the entry is read and
// written as a relaxed atomic.
inline uint8_t palette_index_555(int32_t c) {
  uint16_t v = std::atomic_ref<uint16_t>(color_cache[c]).load(std::memory_order_relaxed);
  if (v == kColorCacheUnknown) v = static_cast<uint16_t>(nearest_palette_index(c));
  return static_cast<uint8_t>(v);
}
// Palette indexes for the 32-bit pixels of columns first..last, undithered (the row is not used).
void row_to_palette(int32_t first, int32_t last, int32_t row, const uint32_t* src, uint8_t* dst);
