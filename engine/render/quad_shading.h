// Shading of a leaf terrain quad: two lit, coloured (or textured) triangles handed to the polygon pipeline.
#pragma once

#include <cstdint>

#include "engine/core/vectors.h"
#include "engine/render/terrain_quad.h"

// Texture-coordinate divisor at texture level 0..7.
extern const int32_t texture_level_scale[8];

// Draws the quad's triangles (0, 1, 3) and (0, 2, 3). depth is the subdivision depth (not used by the shading).
void shade_quad(const TerrainQuad& quad, int32_t depth);
// shade_quad of the quad with these four corner records (corner order 0..3) and texture level, without gathering
// them into one quad record.
void shade_quad_corners(const QuadVertex* const corner[4], int32_t texture_level);
// The slope of a unit face normal in whole degrees (the arc cosine of |n.z|).
int32_t normal_slope(const Vec3f& n);
// false only when normal_slope(n) surely does not exceed cliff_angle; true when it may (then take the slope).
bool steeper_than_cliff_possible(const Vec3f& n, int32_t cliff_angle);
// A bound for the highlight sharpness k: for every r below it, trunc(pow(r, k) * 256) is 0. 0 when k is 0 or out of
// 0..255.
double highlight_zero_bound(int32_t k);
// shade_color of the mean of two colours.
uint32_t blend_shade_color(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2, int32_t light,
                           int32_t strength, int32_t value);
// The colour slot of a triangle from the means of its corners (road, water, cliff, altitude bands, beach).
// slope is the triangle's slope, water_slope the slope used for water (taken before the waves).
int32_t triangle_color_slot(int32_t road_mean, int32_t water_mean, int32_t water_slope, int32_t slope,
                            int32_t color_elevation, int32_t roughness, int32_t jitter, float mean_x, float mean_y,
                            float mean_z);
