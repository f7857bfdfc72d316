// Choosing the 8-bit image palette: colour prediction before a render, from the finished image,
// the 128-colour remap of a draped picture, and loading the chosen palette.
#pragma once

#include <cstdint>

#include "engine/raster/palette_entry.h"
#include "engine/raster/palette_remap.h"  // remap_to_palette

// Bins of the colour histogram (one per RGB555 colour); the histogram borrows color_cache's storage.
constexpr int32_t kHistogramBins = 32768;

// Counters of the picking.
extern uint32_t histogram_total;     // sum of the counts still in the histogram
extern uint32_t histogram_colors;    // non-empty bins still in it (weighted for the remap)
extern uint32_t palette_slots_left;  // palette entries still to be chosen

// Predicts the picture's colours and picks the image palette; 1 done (or nothing to do), -1 stopped.
int32_t make_palette();
// Picks the image palette from the finished 32-bit image; 1 done (or locked), -1 stopped.
int32_t ui_make_palette();
// Loads the image palette into the display and forgets every cached colour lookup.
void reset_palette();

// Fills the histogram with the predicted colours of the scene (used by make_palette).
void predict_colors();
// Fills the histogram from vidmem24 (used by ui_make_palette).
void histogram_image();
// The first bin with the largest count (0 when all are empty).
int32_t most_frequent_color();
// The first bin with the smallest non-zero count below 32767 (0 when there is none).
int32_t least_frequent_color();
// Empties bin c and a neighbourhood that grows with the colours left per remaining palette entry.
void merge_nearby_colors(int32_t c);
