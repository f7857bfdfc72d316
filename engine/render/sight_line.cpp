// The line-of-sight walk over the block maxima of the minimum grid, for sight lines of ordinary size.
#include "engine/render/sight_line.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "engine/core/grid.h"
#include "engine/render/sight_blocks.h"

namespace {

// Multipliers for exact division of any 32-bit dividend by every step count 2..kSightLineMaxSteps: the
// quotient is the high half of dividend times multiplier. Saves the hardware divisions of a stepper per line.
constexpr std::array<uint64_t, kSightLineMaxSteps + 1> make_step_multipliers() {
  std::array<uint64_t, kSightLineMaxSteps + 1> t{};
  for (int32_t d = 2; d <= kSightLineMaxSteps; ++d) t[d] = ~uint64_t{0} / static_cast<uint64_t>(d) + 1;
  return t;
}
constexpr std::array<uint64_t, kSightLineMaxSteps + 1> kStepMultipliers = make_step_multipliers();

// A sight line in closed form. The incremental stepper started at main index `main_a` with value v0 towards a
// value delta away over `steps` steps (error term starting at (steps + 1) / 2, carrying when it passes steps)
// stands after k steps at v0 + sign * floor((k * |delta| + bias) / steps), bias = (steps + 1) / 2 - 1. So any
// step's cross index and height come from one multiply each, with no walking and no stepper copies.
struct ClosedLine {
  int32_t main_a, cross_a, height_a;
  int32_t cross_sign, height_sign;
  uint32_t cross_delta, height_delta, bias;
  uint64_t multiplier;

  uint32_t quotient(uint32_t n) const {
    return static_cast<uint32_t>((static_cast<unsigned __int128>(multiplier) * n) >> 64);
  }
  int32_t cross_at(int32_t m) const {
    const uint32_t k = static_cast<uint32_t>(m - main_a);
    return cross_a + cross_sign * static_cast<int32_t>(quotient(k * cross_delta + bias));
  }
  int32_t height_at(int32_t m) const {
    const uint32_t k = static_cast<uint32_t>(m - main_a);
    return height_a + height_sign * static_cast<int32_t>(quotient(k * height_delta + bias));
  }
};

// The main index of the step that last hid a point on this thread: the next point of the walk is usually hidden
// by the same ridge, so that step is tried first. Saves walking the open ground in front of the ridge again.
thread_local int32_t last_blocker_main = -1;
thread_local bool last_blocker_along_columns = false;

template <bool kAlongColumns>
inline int32_t min_elevation_at(int32_t m, int32_t c) {
  return kAlongColumns ? min_elevation_row(c)[m] : min_elevation_row(m)[c];
}

// Steps m0..m1-1 (all inside the grid along the main index, all below the ceiling) against the block maxima,
// coarse to fine: a stretch from m to the end of its block at some level is passed over when the block maximum
// over the stretch's cross indexes does not exceed the stretch's lowest height; otherwise the next finer level
// takes over, single steps last. After a stretch, the walk climbs back to every coarser level whose block
// boundary it has reached.
template <bool kAlongColumns>
int32_t walk_over_blocks(const ClosedLine& line, int32_t m0, int32_t m1) {
  const SightBlockLevel* levels = sight_block_levels();
  const int32_t cross_limit = kAlongColumns ? grid_height : grid_width;
  // Falling heights: a stretch's lowest height is at its last step; rising or level: at its first.
  const bool falling = line.height_sign < 0;
  int32_t level = 0;
  int32_t m = m0;
  int32_t c = line.cross_at(m);
  for (;;) {
    if (level < kSightBlockLevels) {
      const SightBlockLevel& blocks = levels[level];
      const int32_t end = std::min(((m >> blocks.shift) + 1) << blocks.shift, m1);
      const int32_t c_last = line.cross_at(end - 1);
      const int32_t low = line.height_at(falling ? end - 1 : m);
      const int32_t lo = std::max(std::min(c, c_last), 0);
      const int32_t hi = std::min(std::max(c, c_last), cross_limit - 1);
      if (lo <= hi && sight_block_max(blocks, m >> blocks.shift, lo, hi, kAlongColumns) > low) {
        ++level;
        continue;
      }
      m = end;
    } else {
      if (c >= 0 && c < cross_limit && min_elevation_at<kAlongColumns>(m, c) > line.height_at(m)) {
        last_blocker_main = m;
        last_blocker_along_columns = kAlongColumns;
        return 1;
      }
      ++m;
    }
    if (m >= m1) return 0;
    c = line.cross_at(m);
    while (level > 0 && (m & ((1 << levels[level - 1].shift) - 1)) == 0) --level;
  }
}

}  // namespace

int32_t sight_line_fits_blocks(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                               int32_t height_b) {
  if (sight_blocks_valid() != 1) return 0;
  const int64_t steps = std::abs(static_cast<int64_t>(main_b) - main_a);
  if (steps > kSightLineMaxSteps) return 0;
  for (const int32_t v : {main_a, cross_a, height_a, main_b, cross_b, height_b}) {
    if (v <= -kSightLineMaxValue || v >= kSightLineMaxValue) return 0;
  }
  return 1;
}

int32_t sight_line_over_blocks(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                               int32_t height_b, bool along_columns, int32_t ceiling) {
  if (main_b < main_a) {
    std::swap(main_a, main_b);
    std::swap(cross_a, cross_b);
    std::swap(height_a, height_b);
  }
  const int32_t steps = main_b - main_a;
  if (steps == 0) return 0;
  const int32_t main_limit = along_columns ? grid_width : grid_height;
  ClosedLine line;
  line.main_a = main_a;
  line.cross_a = cross_a;
  line.height_a = height_a;
  line.cross_sign = cross_b < cross_a ? -1 : 1;
  line.height_sign = height_b < height_a ? -1 : 1;
  line.cross_delta = static_cast<uint32_t>(std::abs(cross_b - cross_a));
  line.height_delta = static_cast<uint32_t>(std::abs(height_b - height_a));
  line.bias = static_cast<uint32_t>((steps + 1) / 2 - 1);
  line.multiplier = kStepMultipliers[steps];
  if (steps == 1) {
    // The single step is the start itself.
    const int32_t r = along_columns ? cross_a : main_a;
    const int32_t c = along_columns ? main_a : cross_a;
    return height_a < ceiling && r >= 0 && c >= 0 && r < grid_height && c < grid_width &&
                   min_elevation_row(r)[c] > height_a
               ? 1
               : 0;
  }

  // Steps whose height reaches the ceiling cannot hide anything. The heights run monotonically, so the steps
  // below it form one stretch: from the first step below it when falling, up to the last one when rising.
  // First k with floor((k * delta + bias) / steps) >= t: ceil((t * steps - bias) / delta).
  auto first_reaching = [&](int64_t t) -> int64_t {
    const int64_t d = line.height_delta;
    return (t * steps - line.bias + d - 1) / d;
  };
  int64_t k_lo = 0, k_hi = steps;
  if (line.height_delta == 0) {
    if (height_a >= ceiling) return 0;
  } else if (line.height_sign < 0) {
    if (height_a >= ceiling) k_lo = first_reaching(static_cast<int64_t>(height_a) - ceiling + 1);
  } else {
    if (height_a >= ceiling) return 0;
    k_hi = std::min<int64_t>(k_hi, first_reaching(static_cast<int64_t>(ceiling) - height_a));
  }
  // Steps outside the grid along the main index cannot hide anything either.
  k_lo = std::max<int64_t>(k_lo, -static_cast<int64_t>(main_a));
  k_hi = std::min<int64_t>(k_hi, static_cast<int64_t>(main_limit) - main_a);
  if (k_lo >= k_hi) return 0;
  const int32_t m0 = static_cast<int32_t>(main_a + k_lo), m1 = static_cast<int32_t>(main_a + k_hi);

  if (last_blocker_along_columns == along_columns && last_blocker_main >= m0 && last_blocker_main < m1) {
    const int32_t m = last_blocker_main, c = line.cross_at(m);
    const int32_t r = along_columns ? c : m, col = along_columns ? m : c;
    if (r >= 0 && col >= 0 && r < grid_height && col < grid_width && min_elevation_row(r)[col] > line.height_at(m))
      return 1;
  }
  return along_columns ? walk_over_blocks<true>(line, m0, m1) : walk_over_blocks<false>(line, m0, m1);
}
