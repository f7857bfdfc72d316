// Block maxima of the minimum grid, which let a sight line pass over whole blocks that cannot hide anything.
#pragma once

#include <algorithm>
#include <cstdint>

// The block levels, coarse to fine, as shifts: blocks of 256, 32 and 8 samples a side.
constexpr int32_t kSightBlockLevels = 3;
constexpr int32_t kSightBlockShifts[kSightBlockLevels] = {8, 5, 3};

// One level: the maximum of every block, row-major, blocks cut at the grid's edges.
struct SightBlockLevel {
  int32_t columns, rows, shift;
  const int16_t* highest;
};

// Builds every level from the minimum grid as it stands and marks them valid; a frame calls this right after
// building the minimum grid and sight_blocks_invalidate() when its walk ends, because between frames the minimum
// grid serves other commands as scratch space.
void build_sight_blocks();
void sight_blocks_invalidate();
// 1 while the block maxima describe the current minimum grid.
int32_t sight_blocks_valid();
// The levels, coarse to fine (kSightBlockLevels of them); meaningful while sight_blocks_valid().
const SightBlockLevel* sight_block_levels();

// The highest minimum-grid value over the blocks of `level` covering main index `main_block` (already shifted)
// and cross indexes cross_lo..cross_hi (not shifted, clamped by the caller into the grid).
// along_columns: the main index is the column, else the row.
inline int32_t sight_block_max(const SightBlockLevel& level, int32_t main_block, int32_t cross_lo, int32_t cross_hi,
                               bool along_columns) {
  int32_t highest = INT16_MIN;
  for (int32_t b = cross_lo >> level.shift; b <= (cross_hi >> level.shift); ++b) {
    const int64_t at = along_columns ? static_cast<int64_t>(b) * level.columns + main_block
                                     : static_cast<int64_t>(main_block) * level.columns + b;
    highest = std::max<int32_t>(highest, level.highest[at]);
  }
  return highest;
}
