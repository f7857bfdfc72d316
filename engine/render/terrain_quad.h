// Terrain quads: the four corner records of a grid cell and their recursive fractal subdivision.
#pragma once

#include <cstdint>

// A corner's place in the view: view coordinates, view_point_flags and the rasteriser's pixel (meaningful for
// triangles drawn without clipping).
struct CornerView {
  float x, y, z;
  uint32_t flags;
  int16_t column, row;
};

// One corner of a terrain quad; every field but the view is averaged at midpoints.
struct QuadVertex {
  float x, y;             // world position in metres, horizontal jitter included
  float z;                // elevation in metres, midpoint displacement (and, while shaded, waves) included
  float tu, tv;           // texture-coordinate jitter in [-0.5, 0.5)
  float distance;         // distance from the camera in metres
  float haze;             // haze term of the corner
  float roughness_scale;  // terrain roughness attribute of the corner's class / 100
  int32_t tree_shadow;    // 96 in a tree or house shadow, else 0
  int32_t cast_shadow;    // 16..31 in the terrain's cast shadow, else 0
  int32_t color_elevation;
  int32_t road_marker;    // -30100 on a road, -29900 elsewhere
  int32_t water_marker;   // -30100..-30355 water, -30020..-30035 beach, -29900..-29389 elsewhere
  int32_t roughness;
  int32_t jitter;
  int32_t seed;
  int32_t red, green, blue;
  // The corner's view, taken by the first leaf quad that draws it and kept for the other leaves sharing the record
  // (a midpoint serves two, a centre four) and, through a walk's corner table, for the neighbouring cells: saves
  // up to three of every four view transforms and projections. A copy whose position changes clears view_ready.
  mutable CornerView view{};
  mutable uint32_t view_ready = 0;
};

// Corners 0 = (col, row), 1 = (col + s, row), 2 = (col, row + s), 3 = (col + s, row + s).
struct TerrainQuad {
  QuadVertex corner[4];
  float size;            // mean side in metres
  float subdiv_size;     // size weighted by orientation; decides the splitting
  int32_t texture_level;  // 0..7
};

// Displacement amplitude by subdivision depth; entry 1 = -32768 means entries 1..6 are not filled in yet.
extern int32_t fractal_amplitudes[8];
// Non-zero: corners and midpoints also move horizontally.
extern int32_t horizontal_deform;

// Bounds on the subdivision whatever the detail settings hold (they can be typed in freely), so that one cell
// cannot split without end: depth limit and smallest split threshold.
constexpr int32_t kMaxTerrainDetailDepth = 8;
constexpr int32_t kMinTerrainPolygonSize = 3;

// A frame's walk keeps the corner records it fills (per thread) between these calls, while the camera, the
// grids and the settings stand still; outside them every corner is filled afresh.
void corner_records_begin_walk();
void corner_records_end_walk();

// Builds the quad of cell (col, row) and, when it is in view, subdivides and draws it.
void build_quad(int32_t col, int32_t row);
// Fills the quad of cell (col, row) (corners, size, splitting weight, texture level); 0 when a corner lies
// outside the grid or holds no data (-32768), else 1.
int32_t make_cell_quad(int32_t col, int32_t row, TerrainQuad* quad);
// Splits the quad recursively, far children first; leaves go to shade_quad.
void subdivide_quad(const TerrainQuad& quad, int32_t depth);
// The texture level of a quad whose scaled size over its corner distances is t: 7 - clamp(trunc(5 * t^0.25), 0, 7).
int32_t texture_level_for(double t);
// 0 when the quad lies wholly outside the view, else 1.
int32_t quad_in_frustum(const TerrainQuad& quad);

// The edge midpoint of a and b, and the centre of the four corners, at the given depth of a quad of the given size.
QuadVertex quad_edge_midpoint(const QuadVertex& a, const QuadVertex& b, int32_t depth, float size);
QuadVertex quad_centre_point(const TerrainQuad& quad, int32_t depth);

// Random offsets; each reseeds the general random stream from its seed.
float midpoint_displacement(int32_t level, float size, float scale, int32_t seed);
int32_t band_dither_offset(int32_t seed);
float horizontal_jitter(float value, float extent);

int32_t quad_height_range(int32_t a, int32_t b, int32_t c, int32_t d);

void interpolate_fractal_amplitudes();
void set_fractal_amplitude_first(int32_t amplitude);
void set_fractal_amplitude_last(int32_t amplitude);
int32_t fractal_amplitude_first();
int32_t fractal_amplitude_last();
