// Polygon pipeline speed: triangles per second from view space to the frame buffers, flat, textured and clipped.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"

namespace {

constexpr int32_t kWidth = 1024, kHeight = 768;
constexpr int32_t kTriangles = 4096;
constexpr float kDepth = 100.0f;

void prepare() {
  reset_settings_defaults();
  reset_camera_state();
  render_settings.antialias_mode = 0;
  render_settings.flare_enabled = 0;
  render_settings.view_mode = 0;
  render_settings.dither_amount = 0;
  lens_state.lens_scale_inv = 1.0f;
  set_view_matrix(0, 0, 0);
  set_image_size(kWidth, kHeight);
  allocate_frame_buffers();
}

// Triangles in view space whose edges are about `pixels` long on screen, spread over the view (or, with spill,
// partly beyond its edges so that most of them are clipped).
std::vector<PolygonRecord> make_triangles(float pixels, float spread, bool textured) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> where(-spread, spread);
  std::uniform_real_distribution<float> jitter(-0.5f, 0.5f);
  const float unit = kDepth / (kWidth / 2);  // view units per pixel at kDepth
  const float e = pixels * unit;
  std::vector<PolygonRecord> out(kTriangles);
  for (PolygonRecord& p : out) {
    const float cx = where(rng) * kDepth, cy = where(rng) * kDepth * 0.75f;
    const float xs[3] = {cx, cx + e * (1 + jitter(rng)), cx + e * jitter(rng)};
    const float ys[3] = {cy, cy + e * jitter(rng), cy + e * (1 + jitter(rng))};
    p = PolygonRecord{};
    p.count = 4;
    for (int i = 0; i < 3; ++i) {
      PolygonVertex& v = p.vertices[i];
      v.x = xs[i];
      v.y = ys[i];
      v.z = kDepth + 10 * jitter(rng);
      v.r = static_cast<uint16_t>(textured ? 40000 : 40000 + i * 5000);  // textured terrain: one colour and light
      v.g = 30000;
      v.b = 20000;
      v.alpha = 255;
      v.slot = 56;
      v.light = 200 * 256;
      v.tu = textured ? xs[i] / unit : 0;
      v.tv = textured ? ys[i] / unit : 0;
    }
    p.vertices[3] = p.vertices[0];
  }
  return out;
}

std::vector<uint32_t> texture_texels() {
  std::vector<uint32_t> t(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) t[y * 64 + x] = 0xFF000000u | static_cast<uint32_t>((x * 4) << 16 | (y * 4) << 8 | 90);
  return t;
}

void run(benchmark::State& state, float spread, bool textured) {
  prepare();
  const std::vector<PolygonRecord> source = make_triangles(static_cast<float>(state.range(0)), spread, textured);
  const std::vector<uint32_t> texels = texture_texels();
  const TextureRef tex{texels.data(), 64, 64, 0, 0, 0};
  int64_t drawn = 0;
  for (auto _ : state) {
    for (const PolygonRecord& s : source) {
      PolygonRecord p = s;  // the pipeline overwrites its record
      if (textured) {
        p.tx_map = &tex;
        draw_textured_polygon(&p, 0);
      } else {
        draw_polygon_view(&p);
      }
    }
    drawn += kTriangles;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(drawn);
  state.counters["triangles/s"] = benchmark::Counter(static_cast<double>(drawn), benchmark::Counter::kIsRate);
}

void BM_FlatTriangles(benchmark::State& state) { run(state, 0.9f, false); }
void BM_TexturedTriangles(benchmark::State& state) { run(state, 0.9f, true); }
void BM_FlatTrianglesClipped(benchmark::State& state) { run(state, 2.0f, false); }

// World-space triangles: the view transform of every vertex, then the same path.
void BM_WorldFlatTriangles(benchmark::State& state) {
  prepare();
  std::vector<PolygonRecord> source = make_triangles(static_cast<float>(state.range(0)), 0.9f, false);
  // Put them back into world space for a camera at the origin looking along +y.
  for (PolygonRecord& p : source)
    for (int i = 0; i < p.count; ++i) {
      PolygonVertex& v = p.vertices[i];
      const float x = v.x, y = v.y, z = v.z;
      v.x = x;
      v.y = z;
      v.z = -y;
    }
  int64_t drawn = 0;
  for (auto _ : state) {
    for (const PolygonRecord& s : source) {
      PolygonRecord p = s;
      draw_polygon_world(&p);
    }
    drawn += kTriangles;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(drawn);
  state.counters["triangles/s"] = benchmark::Counter(static_cast<double>(drawn), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_FlatTriangles)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TexturedTriangles)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlatTrianglesClipped)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldFlatTriangles)->Arg(16)->Unit(benchmark::kMillisecond);
