// The line-of-sight walk over the block maxima of the minimum grid, for sight lines of ordinary size.
#pragma once

#include <cstdint>

// Longest sight line (in steps along the main index) and largest index or height magnitude the block walk
// takes; other lines go to the plain walk.
constexpr int32_t kSightLineMaxSteps = 2048;
constexpr int32_t kSightLineMaxValue = 1 << 18;

// 1 when sight_line_over_blocks can answer for a line with these ends (sight blocks valid, short enough, indexes
// and heights small enough for its 32-bit arithmetic), else 0.
int32_t sight_line_fits_blocks(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                               int32_t height_b);

// The same answer as the plain sample-by-sample walk of the sight line from (main_a, cross_a, height_a) to
// (main_b, cross_b, height_b), the end with the larger main index excluded: 1 when some step below `ceiling`
// and inside the grid has a minimum-grid value above the line's height there, else 0. The line's cross index
// and height at each step are those of the incremental line stepper started at the end with the smaller main
// index. along_columns: the main index is the column, else the row. Needs sight_line_fits_blocks().
int32_t sight_line_over_blocks(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                               int32_t height_b, bool along_columns, int32_t ceiling);
