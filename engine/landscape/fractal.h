// Fractal landscapes: a new island or mountain landscape from fractal_seed, and fractal roughening of the landscape in memory.
#pragma once

// A new square landscape of 256, 512, 1024 or 2048 cells from fractal_seed, fractal_roughness,
// feature_size and island_mode; the same settings always give the same elevations.
void generate_fractal_landscape();
// Adds relief to the landscape in memory at the current feature_size, scaled by the local relief.
void roughen_landscape();
// The Roughen button's entry.
void roughen_command();
// True when the landscape is square with 256, 512, 1024 or 2048 cells, the sizes generation works on.
bool fractal_size_generable();
