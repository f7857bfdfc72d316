// Sky objects: whole frames of the start-up scene at 800 by 600 looking up at the cloud layer, with fractal cloud
// detail off and on, at night with stars and moon, and the same frame without any of them; and the generation of
// the cloud pattern. Counter: polygons rasterised per frame.
#include <benchmark/benchmark.h>

#include "engine/animation/path_frames.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/app/engine_init.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/render_frame.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"

namespace {

enum SkyCase { kPlain = 0, kCloudsFlat = 1, kCloudsFractal = 2, kNight = 3 };

void sky_scene(int32_t which) {
  engine_init();
  render_settings.view_mode = 0;
  render_settings.antialias_mode = 0;
  set_detail_level(1, 2);
  set_camera(3840.0f, -2000.0f, 600.0f);
  set_target(3840.0f, 3840.0f, 1300.0f);
  if (which == kCloudsFlat || which == kCloudsFractal) {
    clouds_enabled = 1;
    if (which == kCloudsFlat) fractal_clouds_off();
  }
  if (which == kNight) {
    stars_on();
    moon_on();
    set_moon_size(30);
    const float unit[3] = {0.0f, 0.8f, 0.6f};
    moon_position_dialog_accept(unit);
  }
  prepare_render();
}

}  // namespace

static void BM_RenderSky(benchmark::State& state) {
  ScopedHeadlessHost host;
  sky_scene(static_cast<int32_t>(state.range(0)));
  allocate_frame_buffers();
  int64_t polygons = 0;
  for (auto _ : state) {
    clear_frame_buffers();
    polygon_count = 0;
    render_frame(0, 1);
    polygons = polygon_count;
  }
  state.counters["polygons"] = static_cast<double>(polygons);
  if (sun_moon_state.stars_enabled) stars_off();
  reset_cloud_settings();
  free_path_frames();
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
// Argument: 0 plain frame, 1 clouds without fractal detail, 2 clouds with fractal detail, 3 night with stars and moon.
BENCHMARK(BM_RenderSky)
    ->Arg(kPlain)
    ->Arg(kCloudsFlat)
    ->Arg(kCloudsFractal)
    ->Arg(kNight)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_GenerateCloudPattern(benchmark::State& state) {
  const int32_t feature = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    random_seed(123456);
    generate_cloud_pattern(feature);
    benchmark::DoNotOptimize(cloud_pattern[0]);
  }
}
BENCHMARK(BM_GenerateCloudPattern)->Arg(128)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
