// Benchmark of fractal generation: a 2048-cell mountain landscape from a seed.
#include <benchmark/benchmark.h>

#include "engine/landscape/fractal.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"

static void BM_FractalMountain2048(benchmark::State& state) {
  reset_settings_defaults();
  set_landscape_size(2050, 2050);
  terrain_settings.island_mode = 0;
  terrain_settings.feature_size = static_cast<int32_t>(state.range(0));
  int32_t seed = 1;
  for (auto _ : state) {
    terrain_settings.fractal_seed = seed++;
    generate_fractal_landscape();
    benchmark::DoNotOptimize(elevation_row(1024)[1024]);
  }
  state.SetItemsProcessed(state.iterations() * 2049LL * 2049LL);
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
BENCHMARK(BM_FractalMountain2048)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

static void BM_FractalIsland2048(benchmark::State& state) {
  reset_settings_defaults();
  set_landscape_size(2050, 2050);
  terrain_settings.island_mode = 1;
  int32_t seed = 1;
  for (auto _ : state) {
    terrain_settings.fractal_seed = seed++;
    generate_fractal_landscape();
    benchmark::DoNotOptimize(elevation_row(1024)[1024]);
  }
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
BENCHMARK(BM_FractalIsland2048)->Unit(benchmark::kMillisecond);

static void BM_RoughenBySlope2048(benchmark::State& state) {
  reset_settings_defaults();
  set_landscape_size(2050, 2050);
  terrain_settings.feature_size = 1;
  for (auto _ : state) roughen_landscape();
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
BENCHMARK(BM_RoughenBySlope2048)->Unit(benchmark::kMillisecond);
