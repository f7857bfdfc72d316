// The terrain walk: one frame of the landscape in painter's order, background first, then the grid cells from
// the far edges towards the camera's cell, each cell's terrain followed at once by its objects.
#include "engine/render/terrain_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/host/worker_threads.h"
#include "engine/ui/status.h"
#include "engine/raster/haze.h"
#include "engine/render/horizon.h"
#include "engine/render/render_frame.h"
#include "engine/render/sky.h"
#include "engine/render/terrain_quad.h"
#include "engine/render/visibility.h"
#include "engine/render/walk_lines.h"
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
  light_state.haze_color_slot = kClassSkyHaze;
  if (render_sky() == -1) return -1;
  draw_stars();
  draw_sun();
  draw_moon();
  if (static_cast<float>(cloud_settings.cloud_altitude) > camera_state.camera_z && render_clouds() == -1) return -1;
  light_state.haze_color_slot = kClassHaze;
  if (render_horizon() == -1) return -1;
  return 1;
}

// One cell of the walk; -1 when the user stops. Cells drawn on a worker thread leave the polling to the frame's
// own thread (poll false).
inline int32_t draw_cell(int32_t col, int32_t row, const float* line, const float* next_line, int32_t j, bool poll) {
  if (poll && poll_user_abort() == -1) return -1;
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

// The walk's geometry: lines (rows, or columns when by_columns) and the positions along them.
struct WalkPlan {
  bool by_columns;
  int32_t s;
  int32_t o0, o1, oc;  // outer (line) axis: first, last and the camera's line
  int32_t i0, i1, ic;  // inner axis along each line

  void project(int32_t line, float* buffer) const {
    if (by_columns) {
      project_grid_column(line, buffer);
    } else {
      project_grid_row(line, buffer);
    }
  }

  // One line's cells from both ends towards the camera's cell; cur and next hold the projected line and the one
  // after it.
  int32_t cells(int32_t line, const float* cur, const float* next, bool poll,
                const std::atomic<bool>* stop = nullptr) const {
    for (int32_t i = i0; i < ic; i += s) {
      if (stop && stop->load(std::memory_order_relaxed)) return -1;
      const int32_t col = by_columns ? line : i, row = by_columns ? i : line;
      if (draw_cell(col, row, cur, next, i, poll) == -1) return -1;
    }
    for (int32_t i = i1 - s; i >= ic; i -= s) {
      if (stop && stop->load(std::memory_order_relaxed)) return -1;
      const int32_t col = by_columns ? line : i, row = by_columns ? i : line;
      if (draw_cell(col, row, cur, next, i, poll) == -1) return -1;
    }
    return 1;
  }

  // The lines in walk order: ascending up to the camera's line, then descending from the far end down to it.
  std::vector<int32_t> lines() const {
    std::vector<int32_t> out;
    for (int32_t line = o0; line < oc; line += s) out.push_back(line);
    for (int32_t line = o1 - s; line >= oc; line -= s) out.push_back(line);
    return out;
  }
};

// The walk on the calling thread alone, polling for a stop at every cell.
int32_t walk_on_one_thread(const WalkPlan& p, const char* caption) {
  float* cur = line_buffers[0];
  float* next = line_buffers[1];
  int32_t counter = 0;
  const int32_t total = p.o1 - p.o0;
  // The lines before the camera's line, ascending.
  p.project(p.o0, cur);
  for (int32_t line = p.o0; line < p.oc; line += p.s) {
    p.project(line + p.s, next);
    counter += p.s;
    show_progress(caption, counter, total);
    if (p.cells(line, cur, next, true) == -1) return -1;
    std::swap(cur, next);
  }
  // The lines from the far end down to the camera's line, descending.
  p.project(p.o1, next);
  for (int32_t line = p.o1 - p.s; line >= p.oc; line -= p.s) {
    p.project(line, cur);
    counter += p.s;
    show_progress(caption, counter, total);
    if (p.cells(line, cur, next, true) == -1) return -1;
    std::swap(cur, next);
  }
  return 1;
}

// The walk with its lines set up on worker threads and rasterised here in the same order: the same picture as
// the walk on one thread. The stop is polled once per line (and by the rasteriser every 1024 polygons).
int32_t walk_on_workers(const WalkPlan& p, const char* caption, int32_t threads) {
  // Any thread sets up lines or rasterises a band, whichever is ready; the image is split into a band per
  // thread, unless every span is shown as it is drawn.
  const int32_t bands = render_settings.view_mode == 1 ? 1 : threads;
  const std::vector<int32_t> lines = p.lines();
  const int32_t total = p.o1 - p.o0;
  // Lines are handed out a few at a time: every hand-over wakes threads, which costs more than a short line.
  // Never more than four: a chunk's recording is held whole until the bands have drawn it, and a few dozen lines
  // of a 3-D forest took hundreds of megabytes. The lines nearest the camera, last in the walk and the heaviest,
  // go one at a time, so that no thread is left with a long stretch at the end.
  const int32_t n = static_cast<int32_t>(lines.size());
  const int32_t per_chunk = std::clamp(n / (threads * 6), 1, 4);
  const int32_t single_from = n - std::min(n, threads * 4);
  std::vector<int32_t> chunk_start;
  for (int32_t i = 0; i < n; i += i < single_from ? per_chunk : 1) chunk_start.push_back(i);
  chunk_start.push_back(n);
  const int32_t chunks = static_cast<int32_t>(chunk_start.size()) - 1;
  auto draw = [&](int32_t k, const std::atomic<bool>& stop) {
    // Each worker projects its own line and the next one, as the single-thread walk holds them.
    thread_local std::vector<float> buffers;
    buffers.resize(static_cast<size_t>(kLineBufferEntries) * 4 * 2);
    float* cur = buffers.data();
    float* next = cur + static_cast<size_t>(kLineBufferEntries) * 4;
    for (int32_t i = chunk_start[static_cast<size_t>(k)]; i < chunk_start[static_cast<size_t>(k) + 1]; ++i) {
      const int32_t line = lines[static_cast<size_t>(i)];
      p.project(line, cur);
      p.project(line + p.s, next);
      if (p.cells(line, cur, next, false, &stop) == -1) return;
    }
  };
  auto before = [&](int32_t k) {
    show_progress(caption, (chunk_start[static_cast<size_t>(k)] + 1) * p.s, total);
    return poll_user_abort();
  };
  return walk_lines_on_workers(chunks, threads, bands, draw_background, draw, before);
}

// The whole walk. The outer loop runs over grid lines (rows, or columns when by_columns) converging on the
// camera's line; the inner loops run along each line from both ends towards the camera's cell.
int32_t walk(const char* caption, bool by_columns) {
  const int32_t s = render_settings.grid_step;
  const WalkBounds b = walk_bounds(by_columns);
  const bool grid = elevation_rows && s >= 1 && b.x1 > b.x0 && b.y1 > b.y0;
  // A cell observer (tests) sees the cells one by one on this thread.
  const int32_t threads = walk_cell_observer ? 1 : render_worker_count();
  if (!grid || threads <= 1) {
    if (draw_background() == -1) return -1;
  }
  if (grid) {
    // The subdivision amplitudes are filled in here, before any worker reads them.
    if (fractal_amplitudes[1] == -32768) interpolate_fractal_amplitudes();
    const int32_t cx = camera_cell(camera_state.camera_x, grid_spacing_x, b.x0, b.x1, s);
    const int32_t cy = camera_cell(camera_state.camera_y, grid_spacing_y, b.y0, b.y1, s);
    WalkPlan p{by_columns, s,
               by_columns ? b.x0 : b.y0, by_columns ? b.x1 : b.y1, by_columns ? cx : cy,
               by_columns ? b.y0 : b.x0, by_columns ? b.y1 : b.x1, by_columns ? cy : cx};
    const int32_t r = threads > 1 ? walk_on_workers(p, caption, threads) : walk_on_one_thread(p, caption);
    if (r == -1) return -1;
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
