// Visibility tests of the terrain walk: the cell frustum test, the occlusion survey and the line of sight.
#include "engine/render/visibility.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/landscape/cell_max_elevation.h"
#include "engine/render/sight_line.h"
#include "engine/render/terrain_quad.h"
#include "engine/raster/view_transform.h"

int32_t los_culling = 0;
int32_t sight_line_ceiling = 32767;

int32_t corners_in_view(const float x[4], const float y[4], const float z[4]) {
  bool behind = true, left = true, top = true, right = true, bottom = true;
  for (int32_t i = 0; i < 4; ++i) {
    behind = behind && z[i] <= 0.0f;
    left = left && x[i] <= -z[i];
    top = top && y[i] <= -z[i];
    right = right && x[i] >= z[i];
    bottom = bottom && y[i] >= z[i];
  }
  return (behind || left || top || right || bottom) ? 0 : 1;
}

int32_t cell_in_view(const float* line_a, const float* line_b, int32_t j) {
  const int32_t s = render_settings.grid_step;
  const float margin = horizontal_deform ? static_cast<float>(s) * (grid_spacing_x + grid_spacing_y) / 4.0f : 0.0f;
  const float* e[4] = {line_a + 4 * j, line_a + 4 * (j + s), line_b + 4 * j, line_b + 4 * (j + s)};
  float x[4], y[4], z[4];
  for (int32_t i = 0; i < 4; ++i) {
    x[i] = e[i][0];
    y[i] = e[i][1];
    z[i] = e[i][2] + margin;
  }
  return corners_in_view(x, y, z);
}

void visibility_statistics() {
  los_culling = 0;
  if (render_settings.grid_step != 1 || !elevation_rows) return;
  int32_t hidden = 0, visible = 0;
  for (int32_t row = 0; row < land_height && row < grid_height; row += 16) {
    const int16_t* e = elevation_row(row);
    for (int32_t col = 0; col < land_width && col < grid_width; col += 16) {
      float x, y, z;
      world_to_view(static_cast<float>(col) * grid_spacing_x, static_cast<float>(row) * grid_spacing_y,
                    static_cast<float>(e[col]), &x, &y, &z);
      if (!(z > 0.0f && -z < x && x < z && -z < y && y < z)) continue;
      if (terrain_hides_point(col, row, cell_max_elevation(col, row)) == 1) {
        ++hidden;
      } else {
        ++visible;
      }
    }
  }
  los_culling = hidden > visible / 3 ? 1 : 0;
}

namespace {

// The stepper as it stands after k more advances (line_stepper_advance k times): the error term grows by the
// remainder per step and carries once each time it passes the step count, so the carries can be counted at once.
void stepper_jump(LineStepper* s, int64_t k) {
  if (k <= 0) return;
  const int64_t e = s->error + k * s->remainder;
  const int64_t carries = (e - 1) / s->steps;
  s->value = static_cast<int32_t>(s->value + k * s->step + carries * s->sign);
  s->error = static_cast<int32_t>(e - carries * s->steps);
}

// Walks the sight line along the main index (rows, or columns when along_columns) from the end with the smaller
// index towards the larger one, the larger excluded; 1 as soon as the minimum grid rises above the line. Steps
// whose height reaches the ceiling cannot be hidden and are passed over. While a frame's block maxima are
// valid, the block walk gives the same answer without visiting every step.
int32_t sight_line_blocked(int32_t main_a, int32_t cross_a, int32_t height_a, int32_t main_b, int32_t cross_b,
                           int32_t height_b, bool along_columns) {
  if (sight_line_fits_blocks(main_a, cross_a, height_a, main_b, cross_b, height_b) == 1)
    return sight_line_over_blocks(main_a, cross_a, height_a, main_b, cross_b, height_b, along_columns,
                                  sight_line_ceiling);
  if (main_b < main_a) {
    std::swap(main_a, main_b);
    std::swap(cross_a, cross_b);
    std::swap(height_a, height_b);
  }
  LineStepper cross, height;
  line_stepper_init(&cross, main_a, main_b, cross_a, cross_b);
  line_stepper_init(&height, main_a, main_b, height_a, height_b);
  const int32_t ceiling = sight_line_ceiling;
  int32_t m = main_a;
  if (height_a >= ceiling && height_b < ceiling && main_b > main_a) {
    // Falling towards the far end: skip to the first step below the ceiling (the heights never rise again).
    int64_t lo = 0, hi = static_cast<int64_t>(main_b) - main_a;  // first k with height < ceiling lies in [lo, hi]
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      LineStepper probe = height;
      stepper_jump(&probe, mid);
      if (probe.value < ceiling) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    stepper_jump(&cross, lo);
    stepper_jump(&height, lo);
    m = static_cast<int32_t>(main_a + lo);
  }
  while (m < main_b) {
    // The heights run monotonically towards height_b: once both reach the ceiling nothing can hide the point.
    if (height.value >= ceiling && height_b >= ceiling) return 0;
    const int32_t r = along_columns ? cross.value : m;
    const int32_t c = along_columns ? m : cross.value;
    if (height.value < ceiling && r >= 0 && c >= 0 && r < grid_height && c < grid_width &&
        min_elevation_row(r)[c] > height.value)
      return 1;
    line_stepper_advance(&cross);
    line_stepper_advance(&height);
    ++m;
  }
  return 0;
}

}  // namespace

int32_t terrain_hides_point(int32_t col, int32_t row, int32_t elevation) {
  if (render_settings.backface_culling == 0 || render_settings.grid_step != 1) return 0;
  if (col < 0 || row < 0 || col >= land_width || row >= land_height) return 0;
  const int32_t cx = trunc_to_i32(camera_state.camera_x / grid_spacing_x);
  const int32_t cy = trunc_to_i32(camera_state.camera_y / grid_spacing_y);
  const int32_t cz = trunc_to_i32(camera_state.camera_z);
  if (cx < 0 || cx > land_width || cy < 0 || cy > land_height || !min_elevation_rows) return 0;
  const int32_t dx = cx - col, dy = cy - row;
  if (std::abs(dx) <= std::abs(dy)) {
    if (std::abs(dy) > 1024) return 0;
    return sight_line_blocked(row, col, elevation, cy, cx, cz, false);
  }
  if (std::abs(dx) > 1024) return 0;
  return sight_line_blocked(col, row, elevation, cx, cy, cz, true);
}
