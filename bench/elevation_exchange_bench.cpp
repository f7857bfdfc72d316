// Benchmarks of the elevation imports and exports on a 2050-sample landscape: raw rows, ASCII Z, the DSAA
// grid, DXF meshes, PCX elevation and ground-colour maps, Scenery Animator files and a region tile.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/elevation_exports.h"
#include "engine/files/elevation_pcx.h"
#include "engine/files/raw_elevations.h"
#include "engine/files/scenery_import.h"
#include "engine/landscape/fractal.h"
#include "engine/render/old_landscape_file.h"
#include "engine/render/region_load.h"
#include "tests/support/headless_host.h"

namespace {

std::string temp(const char* name) { return "/tmp/dalvenor_xbench_" + std::to_string(::getpid()) + "_" + name; }

void prepare() {
  region_mode = 1;
  set_landscape_size(2050, 2050);
  terrain_settings.fractal_seed = 91;
  generate_fractal_landscape();
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      cover_row(r)[c] = CoverCell{static_cast<uint8_t>(34 + (elevation_row(r)[c] >> 5) % 24), 0};
}

template <typename Export>
void run_export(benchmark::State& state, const char* name, Export run) {
  ScopedHeadlessHost host;
  prepare();
  const std::string path = temp(name);
  for (auto _ : state) benchmark::DoNotOptimize(run(path.c_str()));
  std::remove(path.c_str());
}

void BM_ExportAsciiZ2050(benchmark::State& state) { run_export(state, "z.txt", export_ascii_z); }
BENCHMARK(BM_ExportAsciiZ2050)->Unit(benchmark::kMillisecond);

void BM_ExportAsciiGrid2050(benchmark::State& state) { run_export(state, "g.grd", export_ascii_grid); }
BENCHMARK(BM_ExportAsciiGrid2050)->Unit(benchmark::kMillisecond);

void BM_ExportDxf2050(benchmark::State& state) {
  run_export(state, "m.dxf", [](const char* p) { return export_dxf(p, 0, land_width, 0, land_height, 1); });
}
BENCHMARK(BM_ExportDxf2050)->Unit(benchmark::kMillisecond);

void BM_SaveElevationsPcx2050(benchmark::State& state) {
  run_export(state, "e.pcx", [](const char* p) { return save_elevations_pcx(p, kPcxIndexMode, 0, 16); });
}
BENCHMARK(BM_SaveElevationsPcx2050)->Unit(benchmark::kMillisecond);

void BM_SaveGroundColorsPcx2050(benchmark::State& state) { run_export(state, "c.pcx", save_ground_colors_pcx); }
BENCHMARK(BM_SaveGroundColorsPcx2050)->Unit(benchmark::kMillisecond);

void BM_LoadElevationsPcx2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  prepare();
  const std::string path = temp("le.pcx");
  save_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16);
  for (auto _ : state) benchmark::DoNotOptimize(load_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16));
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadElevationsPcx2050)->Unit(benchmark::kMillisecond);

void BM_LoadGroundColorsPcx2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  prepare();
  const std::string path = temp("lc.pcx");
  save_ground_colors_pcx(path.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(load_ground_colors_pcx(path.c_str(), 0));
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadGroundColorsPcx2050)->Unit(benchmark::kMillisecond);

void BM_LoadBinaryRaw2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  prepare();
  const std::string path = temp("r.bin");
  FILE* f = std::fopen(path.c_str(), "wb");
  for (int32_t r = 0; r < grid_height; ++r) std::fwrite(elevation_row(r), 2, static_cast<size_t>(grid_width), f);
  std::fclose(f);
  for (auto _ : state) benchmark::DoNotOptimize(load_binary_raw(path.c_str(), grid_width, grid_height, 0));
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadBinaryRaw2050)->Unit(benchmark::kMillisecond);

// A Scenery Animator file of 2048 by 2048 samples made from the landscape (fills the 2050 grid).
void BM_LoadSceneryAnimator2048(benchmark::State& state) {
  ScopedHeadlessHost host;
  prepare();
  const int32_t n = 2048;
  std::vector<uint8_t> dem;
  for (int32_t r = 0; r < n; ++r) {
    const int16_t* row = elevation_row(r);
    dem.push_back(static_cast<uint8_t>(row[0] >> 8)), dem.push_back(static_cast<uint8_t>(row[0]));
    for (int32_t c = 1; c < n; ++c) {
      const int32_t d = row[c] - row[c - 1];
      if (d > -128 && d < 128) {
        dem.push_back(static_cast<uint8_t>(static_cast<int8_t>(d)));
      } else {
        dem.push_back(0x80), dem.push_back(static_cast<uint8_t>(row[c] >> 8)), dem.push_back(static_cast<uint8_t>(row[c]));
      }
    }
  }
  std::vector<uint8_t> file = {'S', 'A', 'N', 'M', 'D', 'E', 'M', 'H', 0, 0, 0, 40};
  std::vector<uint8_t> header(40, 0);
  header[6] = header[10] = static_cast<uint8_t>(n >> 8);
  file.insert(file.end(), header.begin(), header.end());
  const uint32_t len = static_cast<uint32_t>(dem.size());
  file.insert(file.end(), {'D', 'E', 'M', ' ', static_cast<uint8_t>(len >> 24), static_cast<uint8_t>(len >> 16),
                           static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len)});
  file.insert(file.end(), dem.begin(), dem.end());
  const std::string path = temp("s.dem");
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  for (auto _ : state) benchmark::DoNotOptimize(load_scenery_animator(path.c_str()));
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadSceneryAnimator2048)->Unit(benchmark::kMillisecond);

void BM_LoadRegionTile2050(benchmark::State& state) {
  ScopedHeadlessHost host;
  prepare();
  const std::string path = temp("t.dem");
  write_old_dem(path.c_str(), 0, 0, grid_width, grid_height);
  for (auto _ : state) benchmark::DoNotOptimize(load_region_tile(path.c_str()));
  std::remove(path.c_str());
  reset_settings_defaults();
  set_landscape_size(258, 258);
}
BENCHMARK(BM_LoadRegionTile2050)->Unit(benchmark::kMillisecond);

}  // namespace
