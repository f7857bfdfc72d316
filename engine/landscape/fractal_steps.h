// The subdivision passes behind fractal generation and roughening (each takes the initial cell step).
#pragma once

#include <cstdint>

// Island: edge midpoints with noise, centres picked from the four edge midpoints; the outer edges stay 0.
void fractal_midpoint_pick(int32_t s);
// Mountain refinement: edge midpoints with noise up to the last row and column, centres averaged plus noise.
void fractal_diamond_square(int32_t s);
// Mountain start: random corners, noisy left column and top row, and a noise-free surface down to step s.
void fractal_from_corners(int32_t s);
// Roughening at feature sizes 2, 4 and 8: regenerate between the lattice of step s with relief-scaled noise.
void roughen_midpoint(int32_t s);
// Roughening at feature size 1: noise on every inner sample scaled by its steepest neighbour difference.
void roughen_by_slope();
// One draw of the first random stream picks a, b, c or d by its low two bits.
int32_t random_pick4(int32_t a, int32_t b, int32_t c, int32_t d);
