// Benchmark of the landscape shading with cast shadows on a 2048-cell landscape, high and low sun.
#include <benchmark/benchmark.h>

#include <cmath>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/render/lighting.h"

namespace {

// A deterministic rolling relief of ridges and valleys, 0 to about 1200 m.
void make_relief() {
  set_landscape_size(2050, 2050);
  int32_t top = 0;
  for (int32_t r = 0; r < grid_height; ++r) {
    int16_t* e = elevation_row(r);
    for (int32_t c = 0; c < grid_width; ++c) {
      const double v = 600.0 + 300.0 * std::sin(c * 0.011) * std::cos(r * 0.007) + 200.0 * std::sin((c + r) * 0.023) +
                       80.0 * std::cos(c * 0.05 - r * 0.031);
      e[c] = static_cast<int16_t>(v);
      if (e[c] > top) top = e[c];
    }
  }
  landscape_view.max_elevation = top;
  landscape_view.base_level = 0;
}

void shade_with_sun(benchmark::State& state, float declination) {
  ScopedHeadlessHost host;
  reset_settings_defaults();
  make_relief();
  grid_spacing_x = grid_spacing_y = 30.0f;
  const double d = declination / 57.29577951308232;
  light_state.light_x = static_cast<float>(std::cos(d) * 0.6);
  light_state.light_y = static_cast<float>(std::cos(d) * 0.8);
  light_state.light_z = static_cast<float>(std::sin(d));
  light_state.sun_declination = declination;
  render_settings.shadows_enabled = 1;
  render_settings.grid_step = 1;
  for (auto _ : state) {
    derived_data.shades_done_step = land_width;
    benchmark::DoNotOptimize(shade_landscape());
  }
  state.SetItemsProcessed(state.iterations() * int64_t{land_width} * land_height);
  set_landscape_size(258, 258);
}

void BM_ShadeLandscapeSun45(benchmark::State& state) { shade_with_sun(state, 45.0f); }
void BM_ShadeLandscapeSun5(benchmark::State& state) { shade_with_sun(state, 5.0f); }

}  // namespace

BENCHMARK(BM_ShadeLandscapeSun45)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadeLandscapeSun5)->Unit(benchmark::kMillisecond);
