// Benchmark of the default landscape fill on the start-up grid.
#include <benchmark/benchmark.h>

#include "engine/core/grid.h"

static void BM_DefaultLandscape(benchmark::State& state) {
  set_landscape_size(258, 258);
  for (auto _ : state) make_default_landscape();
}
BENCHMARK(BM_DefaultLandscape);
