// Animation output speed: frames per second for writing one rendered 800 by 600 frame to each output kind
// (FLC, frame-sequence file, AVI and MPEG movies per codec, Targa series), beside the render time per frame
// of the same fractal scene.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/animation/path_frames.h"
#include "engine/animation/script_frame_ops.h"
#include "engine/animation/script_runner.h"
#include "engine/files/dan_writer.h"
#include "engine/files/flc_writer.h"
#include "engine/files/movie_writer.h"
#include "engine/files/targa.h"
#include "tests/support/headless_host.h"
#include "engine/app/engine_init.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/render_frame.h"
#include "engine/render/lighting.h"
#include "engine/ui/status.h"
#include "engine/core/grid.h"
#include "engine/landscape/fractal.h"
#include "engine/core/color_classes.h"
#include "engine/landscape/camera.h"

namespace {

namespace fs = std::filesystem;

// A fractal mountain landscape of 514 by 514 samples seen from its default high view, as flights show.
void fractal_scene() {
  engine_init();
  render_settings.view_mode = 0;
  set_landscape_size(514, 514);
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 12345;
  generate_fractal_landscape();
  scan_elevation_range();
  default_view_high();
  default_levels();
  mark_derived_stale();
  prepare_render();
}

// The fractal scene rendered once at 800 by 600; the writers then take this frame again and again.
struct RenderedScene {
  ScopedHeadlessHost host;
  fs::path dir;
  RenderedScene() {
    fractal_scene();
    allocate_frame_buffers();
    // As the script runner renders a frame, so that both frame buffers hold what the writers take.
    script_frame_prepare();
    script_frame_render(0, 1);
    std::string pattern = (fs::temp_directory_path() / "dalvenor_anim_bench_XXXXXX").string();
    if (::mkdtemp(pattern.data())) dir = pattern;
  }
  ~RenderedScene() {
    std::error_code ec;
    fs::remove_all(dir, ec);
    free_path_frames();
    set_landscape_size(258, 258);
    reset_settings_defaults();
  }
};

}  // namespace

static void BM_AnimationRenderFrame(benchmark::State& state) {
  ScopedHeadlessHost host;
  fractal_scene();
  allocate_frame_buffers();
  script_frame_prepare();
  for (auto _ : state) script_frame_render(0, 1);
  state.SetItemsProcessed(state.iterations());
  free_path_frames();
  set_landscape_size(258, 258);
  reset_settings_defaults();
}
BENCHMARK(BM_AnimationRenderFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

static void BM_AnimationWriteFlc(benchmark::State& state) {
  RenderedScene scene;
  const std::string path = (scene.dir / "a.flc").string();
  for (auto _ : state) {
    if (flc_append_frame(path.c_str(), 15) != 1) state.SkipWithError("FLC frame not written");
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["bytes_per_frame"] =
      static_cast<double>(std::filesystem::file_size(path) - 128) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AnimationWriteFlc)->Unit(benchmark::kMillisecond)->Iterations(60);

static void BM_AnimationWriteFrameSequence(benchmark::State& state) {
  RenderedScene scene;
  const std::string path = (scene.dir / "a.dan").string();
  for (auto _ : state) {
    if (dan_append_frame(path.c_str()) != 1) state.SkipWithError("frame not written");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnimationWriteFrameSequence)->Unit(benchmark::kMillisecond)->Iterations(60);

static void BM_AnimationWriteTargaSeries(benchmark::State& state) {
  RenderedScene scene;
  int32_t frame = 0;
  char name[512];
  for (auto _ : state) {
    std::snprintf(name, sizeof name, "%s/f%05d.TGA", scene.dir.c_str(), frame++);
    if (targa_save_frame(name) != 1) state.SkipWithError("Targa frame not written");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnimationWriteTargaSeries)->Unit(benchmark::kMillisecond)->Iterations(60);

// Arguments: 0 Motion JPEG, 1 MPEG-4 Part 2, 2 FFV1 (AVI); 3 MPEG-1, 4 MPEG-2 (MPEG).
static void BM_AnimationWriteMovie(benchmark::State& state) {
  static const struct {
    const char* codec;
    const char* file;
  } kKinds[] = {{"mjpeg", "a.avi"}, {"mpeg4", "b.avi"}, {"ffv1", "c.avi"}, {"mpeg1video", "d.mpg"},
                {"mpeg2video", "e.mpg"}};
  const auto& kind = kKinds[state.range(0)];
  RenderedScene scene;
  reset_movie_codec_options();
  movie_ask_codec = 0;
  std::snprintf(state.range(0) < 3 ? movie_codec_options.avi_codec : movie_codec_options.mpeg_codec,
                sizeof movie_codec_options.avi_codec, "%s", kind.codec);
  const std::string path = (scene.dir / kind.file).string();
  if (avi_open(path.c_str(), image_width, image_height, kMovieCreate, 15) != 1) {
    state.SkipWithError("movie not opened");
    return;
  }
  int32_t frame = 0;
  for (auto _ : state) {
    if (avi_write_frame(frame++) != 1) state.SkipWithError("movie frame not written");
  }
  avi_close();
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(kind.codec);
  movie_ask_codec = 1;
}
BENCHMARK(BM_AnimationWriteMovie)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(60);
