// What the scene objects ask of the renderer, which sits above them: the light of a face and the terrain's
// sight test. Defined with the renderer's lighting and visibility tests.
#pragma once

#include <cstdint>

// Light level 0..255 of a face given by two edge vectors whose cross product points upwards.
int32_t light_intensity(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2);
// 1 when the line-of-sight test is worth running for this frame, else 0.
extern int32_t los_culling;
// 1 when the terrain hides the point (col, row, elevation) from the camera, else 0.
int32_t terrain_hides_point(int32_t col, int32_t row, int32_t elevation);
