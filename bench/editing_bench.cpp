// Benchmarks of the whole-grid editing operations: smoothing, stretching, enlarging and erosion passes.
#include <benchmark/benchmark.h>

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/erosion.h"
#include "engine/landscape/fractal.h"
#include "engine/landscape/resample.h"
#include "engine/landscape/reshape.h"
#include "engine/landscape/topo_view.h"

namespace {

// A 1026-sample fractal mountain landscape with its elevation range.
void fractal_1026() {
  reset_settings_defaults();
  reset_grid_spacing();
  set_landscape_size(1026, 1026);
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 7;
  generate_fractal_landscape();
  scan_elevation_range();
}

void restore() {
  set_landscape_size(258, 258);
  reset_grid_spacing();
  reset_settings_defaults();
}

}  // namespace

static void BM_Smooth1026(benchmark::State& state) {
  fractal_1026();
  for (auto _ : state) {
    smooth_landscape();
    benchmark::DoNotOptimize(elevation_row(512)[512]);
  }
  state.SetItemsProcessed(state.iterations() * 1024LL * 1024LL);
  restore();
}
BENCHMARK(BM_Smooth1026)->Unit(benchmark::kMillisecond);

static void BM_Stretch1026(benchmark::State& state) {
  fractal_1026();
  roughness_on();
  terrain_settings.feature_size = 4;
  for (auto _ : state) {
    stretch_landscape();
    benchmark::DoNotOptimize(elevation_row(512)[512]);
  }
  state.SetItemsProcessed(state.iterations() * 1026LL * 1026LL);
  roughness_off();
  restore();
}
BENCHMARK(BM_Stretch1026)->Unit(benchmark::kMillisecond);

static void BM_EnlargeAll1026To2050(benchmark::State& state) {
  const int32_t fill = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    fractal_1026();
    state.ResumeTiming();
    if (enlarge_all(fill) != 1) state.SkipWithError("enlarging failed");
    benchmark::DoNotOptimize(elevation_row(1024)[1024]);
  }
  restore();
}
BENCHMARK(BM_EnlargeAll1026To2050)->Arg(kFillDuplicate)->Arg(kFillInterpolate)->Unit(benchmark::kMillisecond);

static void BM_Erode100Passes1026(benchmark::State& state) {
  topo_init();
  for (auto _ : state) {
    state.PauseTiming();
    fractal_1026();
    state.ResumeTiming();
    erode_landscape(100);
    benchmark::DoNotOptimize(elevation_row(512)[512]);
  }
  restore();
}
BENCHMARK(BM_Erode100Passes1026)->Unit(benchmark::kMillisecond);
