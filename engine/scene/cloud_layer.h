// The cloud layer pass of a render: the pattern's cells as curved, shaded, semi-transparent quadrilaterals.
#pragma once

#include <cstdint>

#include "engine/scene/cloud_pattern.h"

// One corner of a cloud cell.
struct CloudCorner {
  float x, y;      // world position, metres
  float z;         // curved cloud altitude at (x, y)
  float distance;  // camera distance of (x, y, highest elevation)
  float haze;      // haze term of the same point
  float seed;      // position hash of the corner's pattern sample
  float density;   // pattern value, 0..255 (may leave that range after displacement)
};

// Corners (c, r), (c + step, r), (c, r + step), (c + step, r + step), and the side in world metres.
struct CloudCell {
  CloudCorner corner[4];
  float size;
};

// Draws the cloud layer; 1 when done or when clouds are off, -1 when the user stopped it.
int32_t render_clouds();

// The altitude a lowered for the horizontal distance of (x, y) from the camera, as on a sphere of radius
// 600,000 scaled units, in proportion to the layer's height above base_level. Distances beyond the sphere's
// radius count as the radius, so the result is always a finite whole number.
int32_t cloud_curved_altitude(int32_t a, float x, float y);
// View-space points (three floats each) of pattern row `row` at every grid-step column, at the curved altitude
// the cells are drawn at, so that culling and drawing agree.
void project_cloud_row(int32_t row, float* buffer, int32_t a);
// 1 when the cell at column c between the two projected rows lies wholly outside the view, else 0.
int32_t cloud_cell_culled(const float* previous, const float* current, int32_t c);
// Builds the cell at (c, r) and draws it, split or not.
void draw_cloud_cell(int32_t c, int32_t r, int32_t a, int32_t e);
// Draws the cell, split recursively while it is large enough on screen.
void subdivide_cloud_polygon(const CloudCell& cell, int32_t depth);
// Shades the four corners and draws the two triangles.
void shade_cloud_polygon(const CloudCell& cell);
// random8_from(seed) * (|length| + 0.01) / 256.
float cloud_jitter(int32_t seed, float length);
// The largest minus the smallest of four values.
float range_of4(float a, float b, float c, float d);

// Rows of cells the last pass went through (for tests and progress checks).
extern int32_t cloud_strips_drawn;
