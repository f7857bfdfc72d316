// Flat trees: recursive figures of thin triangles in a vertical plane turned towards the camera, drawn in a
// frame magnified 256 times about the camera with integer arithmetic.
#pragma once

#include <cstdint>

// Arguments: base X, Y, Z and length L in the magnified frame, angle in degrees from the horizontal, bark and
// leaf colours, the cell's shade word, the level, the seeds and the kind. The _y drawers draw in the plane of
// constant Y, the _x drawers in the plane of constant X.
void draw_palm_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_palm_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_oak_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                   uint32_t shade, int32_t level, int32_t s, int32_t kind);
void draw_oak_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                   uint32_t shade, int32_t level, int32_t s, int32_t kind);
void draw_cactus_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_cactus_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_cactus_b_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                        uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_cactus_b_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                        uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_pine_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
void draw_pine_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind);
