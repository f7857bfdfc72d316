// The terrain walk: one frame of the landscape in painter's order, background first, then the grid cells from
// the far edges towards the camera's cell, each cell's terrain followed at once by its objects.
#include "engine/render/terrain_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/haze.h"
#include "engine/render/horizon.h"
#include "engine/render/render_frame.h"
#include "engine/render/sky.h"
#include "engine/render/terrain_quad.h"
#include "engine/render/visibility.h"
#include "engine/scene/cell_objects.h"
#include "engine/scene/cloud_layer.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"

void (*walk_cell_observer)(int32_t col, int32_t row, int32_t drawn) = nullptr;

namespace {

float line_buffers[2][kLineBufferEntries * 4];

// Clamps a region end into 0..limit.
inline int32_t clamp_to(int32_t v, int32_t limit) { return std::clamp(v, 0, std::max(limit, 0)); }

// The camera's cell along one axis: clamped into [lo, hi] (upper bound first) and rounded down to the step.
int32_t camera_cell(float position, float spacing, int32_t lo, int32_t hi, int32_t s) {
  int32_t c = trunc_to_i32(static_cast<double>(position) / spacing);
  if (c > hi) c = hi;
  if (c < lo) c = lo;
  return (c / s) * s;
}

// The background: sky, stars, sun, moon, a cloud layer above the camera, the horizon.
int32_t draw_background() {
  light_state.haze_color_slot = 25;
  if (render_sky() == -1) return -1;
  draw_stars();
  draw_sun();
  draw_moon();
  if (static_cast<float>(cloud_settings.cloud_altitude) > camera_state.camera_z && render_clouds() == -1) return -1;
  light_state.haze_color_slot = 26;
  if (render_horizon() == -1) return -1;
  return 1;
}

// One cell of the walk; -1 when the user stops.
inline int32_t draw_cell(int32_t col, int32_t row, const float* line, const float* next_line, int32_t j) {
  if (poll_user_abort() == -1) return -1;
  const int32_t v = cell_in_view(line, next_line, j);
  const int32_t d = trunc_to_i32(camera_distance_haze(static_cast<float>(col) * grid_spacing_x,
                                                      static_cast<float>(row) * grid_spacing_y,
                                                      static_cast<float>(elevation_row(row)[col])));
  if (render_settings.render_range > 0 && d > render_settings.render_range) return 1;
  if (render_settings.render_range < 0 && d < -render_settings.render_range) return 1;
  if (v == 1) build_quad(col, row);
  if (walk_cell_observer) walk_cell_observer(col, row, v);
  draw_cell_objects(row, col);
  return 1;
}

// The whole walk. The outer loop runs over grid lines (rows, or columns when by_columns) converging on the
// camera's line; the inner loops run along each line from both ends towards the camera's cell.
int32_t walk(const char* caption, bool by_columns) {
  if (draw_background() == -1) return -1;
  const int32_t s = render_settings.grid_step;
  const WalkBounds b = walk_bounds(by_columns);
  if (elevation_rows && s >= 1 && b.x1 > b.x0 && b.y1 > b.y0) {
    const int32_t cx = camera_cell(camera_state.camera_x, grid_spacing_x, b.x0, b.x1, s);
    const int32_t cy = camera_cell(camera_state.camera_y, grid_spacing_y, b.y0, b.y1, s);
    // Outer (line) and inner (along the line) axes.
    const int32_t o0 = by_columns ? b.x0 : b.y0, o1 = by_columns ? b.x1 : b.y1, oc = by_columns ? cx : cy;
    const int32_t i0 = by_columns ? b.y0 : b.x0, i1 = by_columns ? b.y1 : b.x1, ic = by_columns ? cy : cx;
    auto project = [by_columns](int32_t line, float* buffer) {
      if (by_columns) {
        project_grid_column(line, buffer);
      } else {
        project_grid_row(line, buffer);
      }
    };
    auto cells = [&](int32_t line, const float* cur, const float* next) -> int32_t {
      for (int32_t i = i0; i < ic; i += s) {
        const int32_t col = by_columns ? line : i, row = by_columns ? i : line;
        if (draw_cell(col, row, cur, next, i) == -1) return -1;
      }
      for (int32_t i = i1 - s; i >= ic; i -= s) {
        const int32_t col = by_columns ? line : i, row = by_columns ? i : line;
        if (draw_cell(col, row, cur, next, i) == -1) return -1;
      }
      return 1;
    };

    float* cur = line_buffers[0];
    float* next = line_buffers[1];
    int32_t counter = 0;
    const int32_t total = o1 - o0;
    // The lines before the camera's line, ascending.
    project(o0, cur);
    for (int32_t line = o0; line < oc; line += s) {
      project(line + s, next);
      counter += s;
      show_progress(caption, counter, total);
      if (cells(line, cur, next) == -1) return -1;
      std::swap(cur, next);
    }
    // The lines from the far end down to the camera's line, descending.
    project(o1, next);
    for (int32_t line = o1 - s; line >= oc; line -= s) {
      project(line, cur);
      counter += s;
      show_progress(caption, counter, total);
      if (cells(line, cur, next) == -1) return -1;
      std::swap(cur, next);
    }
  }
  if (static_cast<float>(cloud_settings.cloud_altitude) <= camera_state.camera_z && render_clouds() == -1) return -1;
  return 1;
}

}  // namespace

WalkBounds walk_bounds(bool by_columns) {
  const int32_t s = std::max(render_settings.grid_step, 1);
  // The last sample a cell may reach is land_width (land_height): cells end at the last whole step.
  const int32_t max_x = (std::max(land_width, 0) / s) * s;
  const int32_t max_y = (std::max(land_height, 0) / s) * s;
  WalkBounds b{0, 0, max_x, max_y};
  if (render_settings.bbox_enabled) {
    const int32_t bx0 = clamp_to(render_settings.bbox_x0, land_width), by0 = clamp_to(render_settings.bbox_y0, land_height);
    const int32_t bx1 = clamp_to(render_settings.bbox_x1, land_width), by1 = clamp_to(render_settings.bbox_y1, land_height);
    b.x0 = (bx0 / s) * s;
    b.y0 = (by0 / s) * s;
    if (by_columns) {
      b.x1 = (bx1 / s) * s;
      b.y1 = (by1 / s) * s;
    } else {
      b.x1 = ((bx1 + s - 1) / s) * s;
      b.y1 = ((by1 + s - 1) / s) * s;
    }
    b.x1 = std::min(b.x1, max_x);
    b.y1 = std::min(b.y1, max_y);
  }
  return b;
}

int32_t walk_by_columns(float heading) {
  int64_t h = trunc_to_i64(heading);
  if (h < 0) h = -h;
  h %= 180;
  return (h >= 46 && h <= 134) ? 1 : 0;
}

int32_t render_rows(const char* caption) { return walk(caption, false); }
int32_t render_columns(const char* caption) { return walk(caption, true); }

int32_t render_landscape(const char* caption) {
  visibility_statistics();
  return walk_by_columns(camera_state.camera_heading) ? render_columns(caption) : render_rows(caption);
}
