// Houses and office buildings placed by hand on the map: boxes on the cell centre, lit and textured per face.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// The house of kind 68..71 at the cell centre (x, y) on height z (note the argument order), with its cell's
// shade word and height base 15 (houses) or 31 (office buildings).
void draw_house(int32_t z, int32_t y, int32_t x, int32_t kind, uint32_t shade, int32_t base);
// A gabled house and an office building centred on (x, y, z) with half extents hx, hy and wall height h.
void draw_gabled_house(int32_t x, int32_t y, int32_t z, int32_t hx, int32_t hy, int32_t h, uint32_t colour,
                       uint32_t shade, int32_t kind);
void draw_office_building(int32_t x, int32_t y, int32_t z, int32_t hx, int32_t hy, int32_t h, uint32_t colour,
                          uint32_t shade, int32_t kind);
// One closed quad with the back-face test on; alpha 0 when the slot's colour is pure black.
void emit_house_quad(const float p0[3], const float p1[3], const float p2[3], const float p3[3],
                     const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot);
// A gable end: the wall rectangle p0, p1, p2, p4 and the triangle p2, p3 (apex), p4.
void emit_gable_wall(const float p0[3], const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                     const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot);

// The footprint and height of the house at cell centre (x, y): its colour, half extents and wall height as
// draw_house hands them on. Seeds random stream 1.
struct HouseShape {
  uint32_t colour;
  int32_t hx, hy, h;
  bool gabled;
};
HouseShape house_shape(int32_t x, int32_t y, int32_t kind, int32_t base);
