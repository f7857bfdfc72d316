// Anti-aliasing: the frame is drawn at twice the width and height and then reduced with a box or weighted filter.
#pragma once

#include <cstdint>

// Doubles the image and projection size and spreads the pixels already in vidmem24 over 2 by 2 blocks.
// Returns 1 (also when anti-aliasing is off), 0 when vidmem24 is absent or too small for the doubled image.
int32_t antialias_begin();
// Reduces the doubled image to its single size: filtered when result is 1, sampled otherwise (a stopped
// frame). Returns 1 (also when anti-aliasing is off or the image was not doubled), 0 when vidmem24 is absent.
int32_t antialias_reduce(int32_t result);

// The filtered pixel for the 2 by 2 block whose top-left pixel is (x, y) of the doubled image; the slot byte
// is that of (x, y).
uint32_t antialias_linear_pixel(int32_t x, int32_t y);    // 2 by 2 box
uint32_t antialias_gaussian_pixel(int32_t x, int32_t y);  // 4 by 4 weighted, renormalised at the edges
// out[x] = antialias_linear_pixel(2 * x, 2 * y) for x from 0 to count - 1: one output row of the box filter, its
// inner blocks without per-pixel bounds tests (the reduction's per-pixel cost).
void antialias_linear_row(int32_t y, int32_t count, uint32_t* out);
