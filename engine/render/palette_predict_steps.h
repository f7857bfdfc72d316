// Private steps shared by the palette pickers: histogram counting and filling, and the picking loop.
#pragma once

#include <cstdint>

// Sets histogram_total and histogram_colors from the histogram.
void count_histogram();
// Adds weight to the bin of a 0x00RRGGBB colour (wrapping at 65536).
void histogram_add(uint32_t rgb, int32_t weight);
// Fills palette entries first .. palette_colors - 1 from the histogram, sorts them and clears
// palette_stale; 1 done, -1 stopped by the user.
int32_t pick_palette_colors(int32_t first);
