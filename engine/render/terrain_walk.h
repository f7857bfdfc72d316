// The terrain walk: one frame of the landscape in painter's order, background first, then the grid cells from
// the far edges towards the camera's cell, each cell's terrain followed at once by its objects.
#pragma once

#include <cstdint>

// Room of a projected grid line: one entry of four floats (view x, y, z and elevation) per sample.
constexpr int32_t kLineBufferEntries = 8194;

// The cells a walk visits: col = x0, x0 + s, ... below x1 and row = y0 ... below y1.
struct WalkBounds {
  int32_t x0, y0, x1, y1;
};

// The walk's bounds for the current settings, never beyond the landscape (the marked region and its rounding
// are clamped to the last whole step). by_columns selects the column walk's rounding of the marked region.
WalkBounds walk_bounds(bool by_columns);
// 1 when the walk for this heading runs by columns (the camera looks mostly along x), else 0.
int32_t walk_by_columns(float heading);

// Called, when set, for every cell the walk reaches (after its range test), with drawn = 1 when the cell was
// in view and its quad was built. For tests and tools that follow the walk; null in normal use.
extern void (*walk_cell_observer)(int32_t col, int32_t row, int32_t drawn);

// Each returns 1 when done, -1 when stopped by the user; caption labels the progress read-out.
int32_t render_landscape(const char* caption);
int32_t render_rows(const char* caption);
int32_t render_columns(const char* caption);
