// Background triangles of the sky and the horizon: one coloured vertex and the record of three of them.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// A background vertex: world position and its 0x00RRGGBB colour.
struct SkyVertex {
  float x, y, z;
  uint32_t color;
};

// Draws the untextured world triangle (a, b, c) with colour slot slot, light 0, alpha 255.
void draw_sky_triangle(const SkyVertex& a, const SkyVertex& b, const SkyVertex& c, int32_t slot);
