// Map and preview speed: a full map redraw (image rebuilt) at the largest landscape, and a preview refresh at an
// 800 by 600 image aspect while the camera moves.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/topo_panel.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "tests/support/headless_host.h"

namespace {

void hilly(int32_t samples) {
  set_landscape_size(samples, samples);
  reset_grid_spacing();
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      elevation_row(r)[c] = static_cast<int16_t>(500 + 400 * std::sin(r / 40.0) * std::cos(c / 50.0));
  scan_elevation_range();
  default_levels();
}

void BM_MapFullRedrawLargest(benchmark::State& state) {
  ScopedHeadlessHost host;
  screen_reset_state();
  gui_init(nullptr);
  topo_init();
  hilly(2050);
  topo_panels_init();
  topo_reset_view();
  default_view_high();
  for (auto _ : state) {
    derived_data.landscape_changed = 1;
    main_panels_redraw();
  }
  topo_panel = nullptr;
  set_landscape_size(258, 258);
}
BENCHMARK(BM_MapFullRedrawLargest)->Unit(benchmark::kMillisecond);

void BM_PreviewRefresh800x600(benchmark::State& state) {
  ScopedHeadlessHost host;
  screen_reset_state();
  gui_init(nullptr);
  topo_init();
  hilly(258);
  topo_panels_init();
  image_width = 800, image_height = 600, proj_width = proj_height = 800;
  default_view_high();
  float heading = 0;
  for (auto _ : state) {
    heading += 1.0f;
    set_heading(std::fmod(heading, 360.0f) - 180.0f);  // a dragged camera
    preview_refresh();
  }
  topo_panel = nullptr;
}
BENCHMARK(BM_PreviewRefresh800x600)->Unit(benchmark::kMillisecond);

}  // namespace
