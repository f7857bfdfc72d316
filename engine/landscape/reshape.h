// Reshaping the elevations in place: vertical rescale, smoothing, stretching, Cloudify, the mirrors and the border key.
#pragma once

#include <cstdint>

// The marker of a sample without data; the reshaping tools leave it alone.
constexpr int16_t kNoDataElevation = -32768;

// Multiplies every sample (guards included, no-data samples kept) by vertical_scale / built_vertical_scale, then
// built_vertical_scale takes vertical_scale.
void rescale_vertical();
// One in-place smoothing pass with the weights 1 2 1 / 2 12 2 / 1 2 1, then the borders, guards and corners.
void smooth_landscape();
// Adds the local roughness term at radius 4 x feature_size sample spacings, divided by 4 x feature_size.
void stretch_landscape();
// Every relative height becomes its fourth root scaled back to the elevation range.
void cloudify();
// Mirrors north-south and east-west (guard samples stay where they are).
void flip_rows();
void flip_columns();
// The four border lines of the landscape become 0.
void zero_grid_border();
