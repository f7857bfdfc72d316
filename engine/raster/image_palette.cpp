// The image palette, the RGB555 colour cache with its nearest-colour search, sorting and integer HSV.
#include "engine/raster/image_palette.h"

#include <algorithm>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"

PaletteEntry image_palette[256] = {};
uint16_t color_cache[kColorCacheSize];
ColorHSV palette_hsv[256] = {};

namespace {
// The cache starts with no valid entries.
const bool cache_cleared_at_start = [] {
  clear_color_cache();
  return true;
}();

// Entries in use, kept inside the table whatever a file or script set.
int32_t colors_in_use() { return std::clamp(render_settings.palette_colors, 0, 256); }
}  // namespace

void rgb_to_hsv(ColorHSV& c) {
  const int32_t r = c.r, g = c.g, b = c.b;
  const int32_t max = std::max({r, g, b});
  const int32_t min = std::min({r, g, b});
  const int32_t d = max - min;
  int32_t s = max != 0 ? d * 256 / max : 0;
  int32_t h = 0;
  if (s != 0) {
    int32_t hue;
    if (r == max) {
      hue = (g - b) * 256 / d;
    } else if (g == max) {
      hue = (b - r) * 256 / d + 512;
    } else {
      hue = (r - g) * 256 / d + 1024;
    }
    h = hue / 6;
    if (h < 0) h += 256;
  }
  c.h = static_cast<uint8_t>(std::clamp(h, 0, 255));
  c.s = static_cast<uint8_t>(std::clamp(s, 0, 255));
  c.v = static_cast<uint8_t>(max);
}

void hsv_to_rgb(ColorHSV& c) {
  const int32_t v = c.v, s = c.s;
  if (s == 0) {
    c.r = c.g = c.b = c.v;
    return;
  }
  const int32_t h = c.h == 255 ? 0 : c.h;
  const int32_t sector = h / 43;
  const int32_t f = (h % 43) * 6;
  const auto p = static_cast<uint8_t>((v * (256 - s)) >> 8);
  const auto q = static_cast<uint8_t>((v * (256 - ((s * f) >> 8))) >> 8);
  const auto t = static_cast<uint8_t>((v * (256 - ((s * (256 - f)) >> 8))) >> 8);
  const auto vv = static_cast<uint8_t>(v);
  switch (sector) {
    case 0: c.r = vv; c.g = t; c.b = p; break;
    case 1: c.r = q; c.g = vv; c.b = p; break;
    case 2: c.r = p; c.g = vv; c.b = t; break;
    case 3: c.r = p; c.g = q; c.b = vv; break;
    case 4: c.r = t; c.g = p; c.b = vv; break;
    default: c.r = vv; c.g = p; c.b = q; break;
  }
}

void sort_palette() {
  const int32_t n = colors_in_use();
  if (n <= 2) return;
  for (int32_t i = 1; i < n; ++i) {
    palette_hsv[i] = {image_palette[i].red, image_palette[i].green, image_palette[i].blue, 0, 0, 0};
    rgb_to_hsv(palette_hsv[i]);
  }
  std::stable_sort(palette_hsv + 1, palette_hsv + n, [](const ColorHSV& a, const ColorHSV& b) {
    if (a.h != b.h) return a.h < b.h;
    if (a.s != b.s) return a.s > b.s;
    return a.v > b.v;
  });
  for (int32_t i = 1; i < n; ++i) {
    image_palette[i].red = palette_hsv[i].r;
    image_palette[i].green = palette_hsv[i].g;
    image_palette[i].blue = palette_hsv[i].b;
  }
}

void set_display_palette() { set_palette(image_palette, 0, 256); }

void clear_color_cache() { std::fill(color_cache, color_cache + kColorCacheSize, kColorCacheUnknown); }
void zero_color_cache() { std::memset(color_cache, 0, sizeof color_cache); }

void set_palette_entry_555(int32_t index, int32_t c) {
  if (index < 0 || index > 255) return;
  image_palette[index].red = static_cast<uint8_t>(((c >> 10) & 31) * 8);
  image_palette[index].green = static_cast<uint8_t>(((c >> 5) & 31) * 8);
  image_palette[index].blue = static_cast<uint8_t>((c & 31) * 8);
}

int32_t nearest_palette_index(int32_t c) {
  c &= kColorCacheSize - 1;
  const int32_t cr = (c >> 10) & 31, cg = (c >> 5) & 31, cb = c & 31;
  const int32_t n = colors_in_use();
  int32_t best = 0;
  int32_t best_distance = 32767;
  for (int32_t i = 1; i < n; ++i) {
    const int32_t dr = cr - (image_palette[i].red >> 3);
    const int32_t dg = cg - (image_palette[i].green >> 3);
    const int32_t db = cb - (image_palette[i].blue >> 3);
    const int32_t distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = i;
    }
  }
  std::atomic_ref<uint16_t>(color_cache[c]).store(static_cast<uint16_t>(best), std::memory_order_relaxed);
  return best;
}

void row_to_palette(int32_t first, int32_t last, int32_t, const uint32_t* src, uint8_t* dst) {
  for (int32_t i = 0; i <= last - first; ++i) dst[i] = palette_index_555(rgb555_of(src[i]));
}
