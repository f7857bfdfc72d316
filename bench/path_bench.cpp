// Benchmark of camera flight generation: 100 nodes over a fractal landscape, about 10000 frames,
// every pass (clearance, smoothing, headings, banks with rolls, pitches).
#include <benchmark/benchmark.h>

#include "engine/animation/path_model.h"
#include "engine/animation/path_spline.h"
#include "engine/landscape/fractal.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "tests/support/headless_host.h"

static void BM_GenerateFlight100Nodes(benchmark::State& state) {
  ScopedHeadlessHost host;  // status texts and messages are recorded, not printed
  set_landscape_size(258, 258);
  terrain_settings.fractal_seed = 4321;
  generate_fractal_landscape();
  alloc_path_frames();
  reset_path_state();
  // Ten rows of ten nodes sweeping back and forth across the landscape, with targets and rolls.
  for (int32_t i = 0; i < 100; ++i) {
    const int32_t row = i / 10, col = row % 2 ? 9 - i % 10 : i % 10;
    PathNode n = make_path_node(700.0f + 690.0f * col, 500.0f + 700.0f * row);
    n.speed = static_cast<float>(state.range(0));
    if (i % 10 == 3) {
      n.target_state = kTargetLook;
      n.target_x = 3840.0f;
      n.target_y = 3840.0f;
      n.target_z = 300.0f;
    }
    if (i % 10 == 5) n.target_state = kTargetRelease;
    if (i % 17 == 4) n.roll = 40;
    append_path_node(n, 0, 0);
  }
  average_node_speed();
  use_min_clearance = 1;
  for (auto _ : state) {
    generate_path_frames(0);
    benchmark::DoNotOptimize(path_frames[path_frame_count - 1].pitch);
  }
  state.counters["frames"] = path_frame_count;
  free_path_frames();
  reset_path_state();
}
BENCHMARK(BM_GenerateFlight100Nodes)->Arg(600)->Unit(benchmark::kMillisecond);
