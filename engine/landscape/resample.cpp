// Enlarge all, enlarge a quarter and shrink: resampling the elevation grid with duplication, interpolation or means.
#include "engine/landscape/resample.h"

#include <algorithm>
#include <vector>

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/grid_edges.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {

inline int16_t& E(int32_t y, int32_t x) { return elevation_row(y)[x]; }
inline int16_t mean4(int32_t a, int32_t b, int32_t c, int32_t d) { return static_cast<int16_t>((a + b + c + d + 2) >> 2); }
inline int16_t mean2(int32_t a, int32_t b) { return static_cast<int16_t>((a + b + 1) >> 1); }

// The fill passes over a grid whose even rows and columns hold the old samples.
void interpolate() {
  const int32_t R = grid_height, G = grid_width;
  show_status("Fill Centers 1");
  for (int32_t y = 1; y < R - 1; y += 2)
    for (int32_t x = 1; x < G - 1; x += 2) E(y, x) = mean4(E(y - 1, x - 1), E(y - 1, x + 1), E(y + 1, x - 1), E(y + 1, x + 1));
  show_status("Fill Centers 2");
  for (int32_t y = 1; y < R - 1; y += 2)
    for (int32_t x = 2; x < G - 1; x += 2) E(y, x) = mean4(E(y - 1, x), E(y, x - 1), E(y, x + 1), E(y + 1, x));
  show_status("Fill Centers 3");
  for (int32_t y = 2; y < R - 1; y += 2)
    for (int32_t x = 1; x < G - 1; x += 2) E(y, x) = mean4(E(y - 1, x), E(y, x - 1), E(y, x + 1), E(y + 1, x));
  show_status("Fill Edges");
  for (int32_t y = 1; y < R - 1; y += 2) {
    E(y, 0) = mean2(E(y - 1, 0), E(y + 1, 0));
    E(y, G - 1) = mean2(E(y - 1, G - 1), E(y + 1, G - 1));
  }
  for (int32_t x = 1; x < G - 1; x += 2) {
    E(0, x) = mean2(E(0, x - 1), E(0, x + 1));
    E(R - 1, x) = mean2(E(R - 1, x - 1), E(R - 1, x + 1));
  }
  E(0, G - 1) = mean2(E(0, G - 2), E(1, G - 1));
  E(R - 1, G - 1) = mean2(E(R - 1, G - 2), E(R - 2, G - 1));
  E(R - 1, 0) = mean2(E(R - 2, 0), E(R - 1, 1));
}

void fill_new_samples(int32_t fill) {
  if (fill == kFillInterpolate) {
    interpolate();
  } else {
    show_status("Duplicate X");
    show_status("Duplicate Y");
  }
}

void clamp_corner(int32_t* column, int32_t* row) {
  *column = std::max(0, std::min(*column, land_width / 2 - 1));
  *row = std::max(0, std::min(*row, land_height / 2 - 1));
}

}  // namespace

int32_t enlarged_samples(int32_t samples) { return samples % 2 ? 2 * samples - 1 : 2 * samples - 2; }

bool enlarge_all_fits() {
  return enlarged_samples(grid_width) <= kMaxGridSamples && enlarged_samples(grid_height) <= kMaxGridSamples;
}

int32_t enlarge_all(int32_t fill) {
  show_status("Enlarge");
  if (!elevation_rows || !enlarge_all_fits()) return 0;
  const int32_t old_w = grid_width, old_h = grid_height;
  RowTable old = alloc_rows(old_w, old_h, 2);
  if (!old) return 0;
  for (int32_t y = 0; y < old_h; ++y) copy_u16(elevation_rows[y], old[y], old_w);
  if (!set_landscape_size(enlarged_samples(old_w), enlarged_samples(old_h))) {
    // The grids stay as they were; their elevations are put back all the same.
    for (int32_t y = 0; y < old_h && y < grid_height; ++y) copy_u16(old[y], elevation_rows[y], std::min(old_w, grid_width));
    free_rows(old);
    return 0;
  }
  clear_colors();
  for (int32_t y = 0; y < grid_height; ++y) {
    const int16_t* src = row_of<int16_t>(old, y / 2);
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x < grid_width; ++x) e[x] = src[x / 2];
  }
  free_rows(old);
  fill_new_samples(fill);
  grid_spacing_x /= 2.0f;
  grid_spacing_y /= 2.0f;
  return 1;
}

int32_t enlarge_region(int32_t column, int32_t row, int32_t fill) {
  if (!elevation_rows || !cover_rows || !shade_rows) return 1;
  clamp_corner(&column, &row);
  show_status("Enlarge");
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], shade_rows[y], grid_width);
  for (int32_t y = 0; y < grid_height; ++y) {
    const int16_t* src = row_of<int16_t>(shade_rows, row + y / 2);
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x < grid_width; ++x) e[x] = src[column + x / 2];
  }
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(cover_rows[y], shade_rows[y], grid_width);
  for (int32_t y = 0; y < grid_height; ++y) {
    const CoverCell* src = row_of<CoverCell>(shade_rows, row + y / 2);
    CoverCell* c = cover_row(y);
    for (int32_t x = 0; x < grid_width; ++x) c[x] = src[column + x / 2];
  }
  fill_new_samples(fill);
  const float dx = static_cast<float>(column) * grid_spacing_x;
  const float dy = static_cast<float>(row) * grid_spacing_y;
  landscape_view.origin_x = trunc_to_i32(static_cast<float>(landscape_view.origin_x) + dx);
  landscape_view.origin_y = trunc_to_i32(static_cast<float>(landscape_view.origin_y) + dy);
  camera_state.camera_x -= dx;
  camera_state.target_x -= dx;
  camera_state.camera_y -= dy;
  camera_state.target_y -= dy;
  grid_spacing_x /= 2.0f;
  grid_spacing_y /= 2.0f;
  return 1;
}

int32_t shrink_landscape() {
  if (!elevation_rows || land_width < kMinShrinkCells || land_height < kMinShrinkCells) return 0;
  show_status("Shrink");
  const int32_t h = land_width / 2, hv = land_height / 2;
  RowTable half = alloc_rows(h + 2, hv + 2, 2);
  if (!half) return 0;
  // The edge replication changes the last real lines; keep them so a failed resize can put them back.
  std::vector<int16_t> rows_kept;
  for (int32_t y = land_height; y < grid_height; ++y) rows_kept.insert(rows_kept.end(), elevation_row(y), elevation_row(y) + grid_width);
  std::vector<int16_t> cols_kept;
  for (int32_t y = 0; y < grid_height; ++y) {
    cols_kept.push_back(E(y, land_width));
    cols_kept.push_back(E(y, land_width + 1));
  }
  replicate_grid_edges();
  for (int32_t y = 0; y <= land_height; y += 2)
    for (int32_t x = 0; x <= land_width; x += 2)
      row_of<int16_t>(half, y / 2)[x / 2] =
          static_cast<int16_t>((E(y, x) + E(y, x + 1) + E(y + 1, x) + E(y + 1, x + 1)) / 4);
  if (region_mode == 1) {
    const int32_t old_h = grid_height;
    if (!set_landscape_size(h + 2, hv + 2)) {
      for (int32_t y = 0; y < old_h; ++y) {
        E(y, land_width) = cols_kept[2 * static_cast<size_t>(y)];
        E(y, land_width + 1) = cols_kept[2 * static_cast<size_t>(y) + 1];
      }
      for (int32_t y = land_height; y < grid_height; ++y)
        copy_u16(rows_kept.data() + static_cast<size_t>(y - land_height) * grid_width, elevation_rows[y], grid_width);
      free_rows(half);
      return 0;
    }
    clear_colors();
    for (int32_t y = 0; y < grid_height; ++y) copy_u16(half[y], elevation_rows[y], grid_width);
    replicate_grid_edges();
  } else {
    for (int32_t y = 0; y < grid_height; ++y) fill_u16(elevation_rows[y], grid_width, 0);
    for (int32_t y = 0; y <= hv; ++y) copy_u16(half[y], elevation_rows[y], h + 1);
  }
  free_rows(half);
  grid_spacing_x *= 2.0f;
  grid_spacing_y *= 2.0f;
  mark_derived_stale();
  return 1;
}

int32_t shrink_command() {
  const bool too_small = land_width < kMinShrinkCells || land_height < kMinShrinkCells;
  const int32_t result = shrink_landscape();
  if (result == 0) {
    requester(too_small ? "Unable to shrink: the landscape must be at least 64 cells wide and high."
                        : "Unable to shrink: out of memory",
              "  OK  ", nullptr);
  }
  return result;
}
