// The colour histogram of the palette pickers: counting, most and least frequent colours, merging a
// chosen colour's neighbourhood, and the picking loop.
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/image_palette.h"
#include "engine/render/palette_predict.h"
#include "engine/render/palette_predict_steps.h"

#include <cmath>
#include <initializer_list>

uint32_t histogram_total = 0;
uint32_t histogram_colors = 0;
uint32_t palette_slots_left = 0;

namespace {
uint16_t* histogram() { return color_cache; }

// Empties one bin, keeping the counters in step.
inline void empty_bin(uint16_t* h, int32_t r, int32_t g, int32_t b) {
  const int32_t c = (r << 10) | (g << 5) | b;
  if (h[c] != 0) {
    histogram_total -= h[c];
    --histogram_colors;
    h[c] = 0;
  }
}

inline bool component_ok(int32_t v) { return v >= 0 && v <= 31; }
}  // namespace

void histogram_add(uint32_t rgb, int32_t weight) {
  const int32_t c = rgb555_of(rgb);
  color_cache[c] = static_cast<uint16_t>(color_cache[c] + weight);
}

void count_histogram() {
  const uint16_t* h = histogram();
  uint32_t total = 0, colors = 0;
  for (int32_t c = 0; c < kHistogramBins; ++c) {
    total += h[c];
    if (h[c] != 0) ++colors;
  }
  histogram_total = total;
  histogram_colors = colors;
}

// Both searches run as two plain passes, the extreme count and then its first bin: the passes vectorise, where
// one loop carrying the best bin along did not. The first bin holding the extreme is the one the single loop
// (keeping a bin only when strictly better) ends with.
int32_t most_frequent_color() {
  const uint16_t* h = histogram();
  uint16_t most = 0;
  for (int32_t c = 0; c < kHistogramBins; ++c) most = h[c] > most ? h[c] : most;
  if (most == 0) return 0;
  int32_t c = 0;
  while (h[c] != most) ++c;
  return c;
}

int32_t least_frequent_color() {
  const uint16_t* h = histogram();
  // Empty bins count as the largest count; counts of 32767 and more are never chosen.
  uint16_t least = 0xFFFF;
  for (int32_t c = 0; c < kHistogramBins; ++c) {
    const uint16_t v = h[c] != 0 ? h[c] : uint16_t{0xFFFF};
    least = v < least ? v : least;
  }
  if (least >= 32767) return 0;
  int32_t c = 0;
  while (h[c] != least) ++c;
  return c;
}

void merge_nearby_colors(int32_t c) {
  uint16_t* h = histogram();
  c &= kHistogramBins - 1;
  const int32_t r = (c >> 10) & 31, g = (c >> 5) & 31, b = c & 31;
  const uint32_t q = palette_slots_left != 0 ? histogram_colors / palette_slots_left : histogram_colors;
  if (q <= 1) {
    empty_bin(h, r, g, b);
  } else if (q == 2) {
    if (r > 0) empty_bin(h, r - 1, g, b);
    if (g > 0) empty_bin(h, r, g - 1, b);
    if (b > 0) empty_bin(h, r, g, b - 1);
    empty_bin(h, r, g, b);
  } else if (q == 3) {
    for (int32_t d : {-1, 1}) {
      if (component_ok(r + d)) empty_bin(h, r + d, g, b);
      if (component_ok(g + d)) empty_bin(h, r, g + d, b);
      if (component_ok(b + d)) empty_bin(h, r, g, b + d);
    }
    empty_bin(h, r, g, b);
  } else {
    int32_t d = static_cast<int32_t>(std::sqrt(static_cast<double>(q - 1))) / 2;
    if (d < 1) d = 1;
    const int32_t r0 = r - d < 0 ? 0 : r - d, r1 = r + d > 31 ? 31 : r + d;
    const int32_t g0 = g - d < 0 ? 0 : g - d, g1 = g + d > 31 ? 31 : g + d;
    const int32_t b0 = b - d < 0 ? 0 : b - d, b1 = b + d > 31 ? 31 : b + d;
    for (int32_t rr = r0; rr <= r1; ++rr)
      for (int32_t gg = g0; gg <= g1; ++gg)
        for (int32_t bb = b0; bb <= b1; ++bb) empty_bin(h, rr, gg, bb);
  }
  // Once every slot is used, further merges keep the count at 0 instead of wrapping around.
  if (palette_slots_left != 0) --palette_slots_left;
}

int32_t pick_palette_colors(int32_t first) {
  for (int32_t i = first; i < render_settings.palette_colors; ++i) {
    if (poll_user_abort() == -1) return -1;
    show_progress("Palette", i, render_settings.palette_colors);
    const int32_t c = (i % 4) != 0 ? most_frequent_color() : least_frequent_color();
    set_palette_entry_555(i, c);
    merge_nearby_colors(c);
  }
  sort_palette();
  derived_data.palette_stale = 0;
  return 1;
}
