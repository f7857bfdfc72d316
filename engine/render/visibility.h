// Visibility tests of the terrain walk: the cell frustum test, the occlusion survey and the line of sight.
#pragma once

#include <cstdint>

// 1 when the line-of-sight test is worth running for this frame (set at the start of every walk), else 0.
extern int32_t los_culling;

// No value of the minimum grid lies above this; a sight line whose remaining heights all reach it cannot be
// hidden any more, so its walk ends early. 32767 (always true of 16-bit samples) unless a frame has just built
// the grid and set it to the grid's highest value.
extern int32_t sight_line_ceiling;

// Four view-space corners against the view pyramid |x| <= z, |y| <= z: 0 when all lie behind the eye or all
// beyond one side, else 1.
int32_t corners_in_view(const float x[4], const float y[4], const float z[4]);
// The cell whose corners are entries j and j + grid_step of two projected grid lines (four floats per entry).
int32_t cell_in_view(const float* line_a, const float* line_b, int32_t j);
// Samples every 16th sample of every 16th line and sets los_culling when enough of the view is hidden.
void visibility_statistics();
// 1 when the terrain (the minimum grid) hides the point (col, row, elevation) from the camera, else 0.
int32_t terrain_hides_point(int32_t col, int32_t row, int32_t elevation);
