// Benchmarks of saving and loading a whole session of a 2050-sample landscape in the current format.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/render/dl4_landscape_file.h"
#include "engine/render/landscape_open_save.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/fractal.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"

namespace {

// A fractal landscape of 2050 by 2050 samples with every grid filled, and a path for its file.
std::string prepare() {
  region_mode = 1;
  set_landscape_size(2050, 2050);
  terrain_settings.fractal_seed = 77;
  generate_fractal_landscape();
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) {
      cover_row(r)[c] = CoverCell{static_cast<uint8_t>(8 + (elevation_row(r)[c] >> 6) % 8), 0};
      shade_row(r)[c] = static_cast<uint16_t>(100 + (c + r) % 50);
    }
  return "/tmp/dalvenor_bench_" + std::to_string(::getpid()) + ".d4s";
}

void BM_SaveSession2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  const std::string path = prepare();
  for (auto _ : state) benchmark::DoNotOptimize(save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1));
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveSession2050)->Unit(benchmark::kMillisecond);

void BM_LoadSession2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  const std::string path = prepare();
  save_dl4_file(path.c_str(), 1, 1, 0, 1, 1, 1, 1, 1);
  for (auto _ : state) benchmark::DoNotOptimize(load_landscape(path.c_str()));
  std::remove(path.c_str());
  reset_settings_defaults();
  set_landscape_size(258, 258);
}
BENCHMARK(BM_LoadSession2050)->Unit(benchmark::kMillisecond);

}  // namespace
