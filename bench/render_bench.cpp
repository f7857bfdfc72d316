// Whole-frame speed: render_frame for the start-up scene at 800 by 600 with and without anti-aliasing, at
// detail levels 0, 2 and 4, and for a 1026-sample fractal landscape, bare and with forests of every kind
// (flat, 3-D at low and ultra detail); and the line-of-sight test alone over that landscape. Counters: polygons
// rasterised per frame, image pixels covered by the landscape (not sky or horizon) and trees drawn per frame.
#include <benchmark/benchmark.h>

#include "engine/animation/path_frames.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/app/engine_init.h"
#include "engine/landscape/fractal.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/render_frame.h"
#include "engine/render/min_grid.h"
#include "engine/render/sight_blocks.h"
#include "engine/render/visibility.h"
#include "engine/landscape/cell_max_elevation.h"
#include "engine/landscape/tree_classes.h"
#include "engine/scene/tree_draw.h"

namespace {

// The start-up scene as engine initialisation leaves it, brought up to date as the Render command does.
void startup_scene() {
  engine_init();
  render_settings.view_mode = 0;
  prepare_render();
}

// A fractal mountain landscape of 1026 by 1026 samples, seen from its default high view.
void fractal_scene() {
  engine_init();
  render_settings.view_mode = 0;
  set_landscape_size(1026, 1026);
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 12345;
  generate_fractal_landscape();
  scan_elevation_range();
  default_view_high();
  default_levels();
  mark_derived_stale();
  prepare_render();
}

int32_t landscape_pixels() {
  int32_t n = 0;
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      const uint32_t slot = vidmem24_row(y)[x] >> 24;
      n += slot != 0 && slot != 32 && slot != 33;
    }
  return n;
}

void run_frames(benchmark::State& state, void (*scene)(), int32_t antialias, int32_t level) {
  ScopedHeadlessHost host;
  scene();
  render_settings.antialias_mode = antialias;
  set_detail_level(1, level);
  allocate_frame_buffers();
  int64_t polygons = 0, trees = 0;
  for (auto _ : state) {
    clear_frame_buffers();
    polygon_count = 0;
    trees_drawn_count = 0;
    render_frame(0, 1);
    polygons = polygon_count;
    trees = trees_drawn_count;
  }
  state.counters["polygons"] = static_cast<double>(polygons);
  state.counters["trees"] = static_cast<double>(trees);
  state.counters["landscape_pixels"] = static_cast<double>(landscape_pixels());
  state.counters["image_pixels"] = static_cast<double>(image_width) * image_height;
  free_path_frames();
  set_landscape_size(258, 258);
  reset_settings_defaults();
}

}  // namespace

static void BM_RenderStartup(benchmark::State& state) {
  run_frames(state, startup_scene, static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
}
// Arguments: anti-aliasing mode, detail level.
BENCHMARK(BM_RenderStartup)
    ->Args({0, 2})
    ->Args({1, 2})
    ->Args({2, 2})
    ->Args({0, 0})
    ->Args({0, 4})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The line-of-sight test alone, as a frame's walk asks it, for every cell of the fractal landscape seen from its
// default high view. Counter: cells hidden.
static void BM_SightLines1026(benchmark::State& state) {
  ScopedHeadlessHost host;
  fractal_scene();
  set_detail_level(1, 2);
  build_min_elevation_grid();
  sight_line_ceiling = min_elevation_highest;
  build_sight_blocks();
  int64_t hidden = 0;
  for (auto _ : state) {
    hidden = 0;
    for (int32_t row = 0; row < land_height; ++row)
      for (int32_t col = 0; col < land_width; ++col) hidden += terrain_hides_point(col, row, cell_max_elevation(col, row));
    benchmark::DoNotOptimize(hidden);
  }
  state.counters["hidden"] = static_cast<double>(hidden);
  sight_line_ceiling = 32767;
  sight_blocks_invalidate();
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
BENCHMARK(BM_SightLines1026)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_RenderFractal1026(benchmark::State& state) {
  run_frames(state, fractal_scene, 0, 2);
}
BENCHMARK(BM_RenderFractal1026)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The fractal landscape with every tree kind allowed on every tree class, scattered anew.
// Argument: 0 no trees, 1 flat trees, 2 3-D trees at low detail, 3 3-D trees at ultra detail.
static int32_t forest_form = 0;
static void forest_scene() {
  fractal_scene();
  for (int32_t c = kFirstTreeClass; c <= kLastTreeClass; ++c) tree_mask_add(c, 15);
  tree_settings.trees_enabled = forest_form != 0;
  tree_settings.trees_3d = forest_form >= 2;
  tree_settings.tree_detail = forest_form == 3 ? 2 : -1;
  mark_derived_stale();
  prepare_render();
}
static void BM_RenderFractal1026Trees(benchmark::State& state) {
  forest_form = static_cast<int32_t>(state.range(0));
  run_frames(state, forest_scene, 0, 2);
}
BENCHMARK(BM_RenderFractal1026Trees)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
