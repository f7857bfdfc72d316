// The shared light model: face light levels, landscape shading with cast shadows,
// tree and house shadows, flat light and surface-detail levels.
#pragma once

#include <cstdint>

#include "engine/core/vectors.h"

// Light vector for samples in cast shadow: a faint light from straight above.
extern Vec3f shadow_light;

// Step of the cast-shadow ray for one grid step, rebuilt when light_tables_stale is set.
struct ShadowRay {
  float step_x, step_y, step_z;
  int32_t step_x1024, step_y1024, step_z1024;
};
extern ShadowRay shadow_ray;

// Terrain split threshold and depth limit set by the detail level.
extern int32_t max_polygon_size;
extern int32_t max_detail_depth;

// Light level 0..255 of a face given by two edge vectors whose cross product points upwards.
int32_t light_intensity(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2);
// The same under shadow_light, for faces in cast shadow.
int32_t light_intensity_secondary(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2);

// 1 when the terrain hides the sun from sample (row, col), else 0.
int32_t cast_shadow_cell(int32_t row, int32_t col);
// Sets the object-shadow bit of sample (col + dx, row + dy) when it lies on the landscape.
void mark_shadow_cell(int32_t col, int32_t row, int32_t dx, int32_t dy);
// Clears and re-marks the tree and house shadow bits (full detail only).
void mark_tree_shadows();
// Fills shade_rows; 1 done or already valid, -1 stopped by the user.
int32_t shade_landscape();
// Sets flat_intensity and sky_intensity from the light of a level surface.
void set_flat_intensity();
// Sets the detail mode and level and, for levels 0..4, the subdivision thresholds.
void set_detail_level(int32_t mode, int32_t level);
// The control panel's surface-detail buttons (level 0..4).
void surface_detail_command(int32_t level);
