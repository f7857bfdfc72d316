// Block maxima of the minimum grid, which let a sight line pass over whole blocks that cannot hide anything.
#include "engine/render/sight_blocks.h"

#include <vector>

#include "engine/core/grid.h"

namespace {

std::vector<int16_t> level_values[kSightBlockLevels];
SightBlockLevel levels[kSightBlockLevels];
bool blocks_valid = false;

// One level: the maximum of every (1 << shift)-square block, cut at the grid's edges. The finest level reads the
// minimum grid; each coarser one the level below it, whose blocks nest in its own (the same maxima, from a
// fraction of the values).
void build_level(int32_t index) {
  const int32_t shift = kSightBlockShifts[index];
  SightBlockLevel& level = levels[index];
  std::vector<int16_t>& values = level_values[index];
  level.shift = shift;
  level.columns = (grid_width + (1 << shift) - 1) >> shift;
  level.rows = (grid_height + (1 << shift) - 1) >> shift;
  values.assign(static_cast<size_t>(level.columns) * level.rows, INT16_MIN);
  if (index == kSightBlockLevels - 1) {
    for (int32_t r = 0; r < grid_height; ++r) {
      const int16_t* row = min_elevation_row(r);
      int16_t* out = values.data() + static_cast<size_t>(r >> shift) * level.columns;
      for (int32_t c = 0; c < grid_width; ++c) out[c >> shift] = std::max(out[c >> shift], row[c]);
    }
  } else {
    const SightBlockLevel& finer = levels[index + 1];
    const int32_t step = shift - finer.shift;
    for (int32_t r = 0; r < finer.rows; ++r) {
      const int16_t* row = finer.highest + static_cast<size_t>(r) * finer.columns;
      int16_t* out = values.data() + static_cast<size_t>(r >> step) * level.columns;
      for (int32_t c = 0; c < finer.columns; ++c) out[c >> step] = std::max(out[c >> step], row[c]);
    }
  }
  level.highest = values.data();
}

}  // namespace

void build_sight_blocks() {
  blocks_valid = false;
  if (!min_elevation_rows || grid_width < 1 || grid_height < 1) return;
  for (int32_t i = kSightBlockLevels - 1; i >= 0; --i) build_level(i);
  blocks_valid = true;
}

void sight_blocks_invalidate() { blocks_valid = false; }

int32_t sight_blocks_valid() { return blocks_valid ? 1 : 0; }

const SightBlockLevel* sight_block_levels() { return levels; }
