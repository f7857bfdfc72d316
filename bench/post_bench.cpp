// Benchmarks of the passes after a render at 800 by 600: palette prediction and lens flare.
#include <benchmark/benchmark.h>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lens_flare.h"
#include "engine/render/palette_predict.h"

namespace {
// A default landscape whose samples carry the ground, bare, snow, cliff and water classes.
void coloured_landscape() {
  set_landscape_size(258, 258);
  make_default_landscape();
  static const uint8_t classes[] = {38, 39, 42, 46, 50, 51, 53, 56, 57, 58, 59, 34, 35};
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) cover_row(r)[c].color_class = classes[(r / 7 + c / 5) % 13];
}

void BM_MakePalette(benchmark::State& state) {
  ScopedHeadlessHost host;
  reset_settings_defaults();
  coloured_landscape();
  for (auto _ : state) {
    derived_data.palette_stale = land_width;
    benchmark::DoNotOptimize(make_palette());
  }
  reset_settings_defaults();
}
BENCHMARK(BM_MakePalette)->Unit(benchmark::kMillisecond);

// Scene 0: no flaring pixels; 1: a sun disc and a band of bright water; 2: every pixel a bright sun pixel.
void fill_scene(int32_t scene) {
  for (int32_t y = 0; y < 600; ++y) {
    uint32_t* row = vidmem24_row(y);
    for (int32_t x = 0; x < 800; ++x) {
      uint32_t p = (56u << 24) | (uint32_t(60 + (x & 63)) << 16) | (uint32_t(100 + (y & 31)) << 8) | 40u;
      if (scene == 1) {
        const int32_t dx = x - 600, dy = y - 120;
        if (dx * dx + dy * dy < 30 * 30) p = (77u << 24) | 0xFFF8F0u;
        if (y >= 400 && y < 460) p = (55u << 24) | (uint32_t(150 + (x & 63)) << 16) | 0xC0C8u;
      } else if (scene == 2) {
        p = (77u << 24) | 0xFFF8F0u;
      }
      row[x] = p;
    }
  }
}

void BM_LensFlare(benchmark::State& state) {
  ScopedHeadlessHost host;
  reset_settings_defaults();
  render_settings.antialias_mode = 0;
  render_settings.flare_enabled = 1;
  set_image_size(800, 600);
  for (auto _ : state) {
    state.PauseTiming();
    fill_scene(static_cast<int32_t>(state.range(0)));
    state.ResumeTiming();
    benchmark::DoNotOptimize(lens_flare());
  }
  free_vidmem24();
  free_vidmem8();
  frame_alloc_width = frame_alloc_height = 0;
  reset_settings_defaults();
}
BENCHMARK(BM_LensFlare)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
}  // namespace

