// The star field drawn behind everything else of a frame, its star map, and the night-sky and moon switches.
#pragma once

#include <cstdint>

// One star: a direction of length at most 16000 and a colour whose channels lie in 32..190.
struct StarRecord {
  int16_t dx, dy, dz;
  uint8_t r, g, b;
};

constexpr int32_t kStarCount = 10000;

// The star map, built once at start-up; null when it could not be allocated (the sky then has no stars).
extern StarRecord* starmap;

// Allocates (once) and fills the star map from the random stream seeded with fractal_seed. When the block cannot
// be had, says "Insufficient memory (starmap)" (only the first time) and leaves the star field empty.
void build_starmap();
// Forgets the sky colours the last stars_on saved (they read as black again), as at program start.
void reset_star_field_state();
// Releases the star map (tests; the program keeps it for the whole run).
void free_starmap();
// Draws every star when stars_enabled is set; returns 1 (callers ignore it).
int32_t draw_stars();
// One star at the world point (x, y, z) with colour 0x00RRGGBB: one pixel, or a 3 by 3 pattern while
// anti-aliasing (corners at half brightness).
void draw_star(int32_t x, int32_t y, int32_t z, uint32_t color);
// One pixel of the square projection through the span output; pixels outside the image are dropped.
void plot_star_pixel(int32_t column, int32_t row, uint32_t color);

// Night sky on: saves the Sky, Haze and SkyHaze colours and darkens them; off: puts the saved colours back.
void stars_on();
void stars_off();
void moon_on();
void moon_off();
