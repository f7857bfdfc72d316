// The name and description a generated fractal landscape receives.
#pragma once

#include <cstdint>

// landscape_name "Fractal ISLAND #seed" or "Fractal MOUNTAIN #seed" (by island_mode), and
// landscape_description "Fractal roughness R, Feature size F." from the current settings.
void name_fractal_landscape(int32_t seed);
