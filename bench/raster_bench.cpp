// Span output speed: filled pixels per second for opaque, blended and dithered spans.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/raster/span_output.h"

namespace {

constexpr int32_t kWidth = 1024, kHeight = 768;

void prepare(int32_t dither) {
  reset_settings_defaults();
  render_settings.antialias_mode = 0;
  render_settings.flare_enabled = 0;
  render_settings.view_mode = 0;
  render_settings.dither_amount = dither;
  render_settings.dither_type = 2;
  set_image_size(kWidth, kHeight);
}

// Spans of one colour, as the scan converter's flat filler makes them, over the whole image.
void run_spans(benchmark::State& state, const std::vector<SpanPixel>& pattern, int32_t dither) {
  prepare(dither);
  std::vector<SpanPixel> span(pattern);
  int64_t pixels = 0;
  for (auto _ : state) {
    for (int32_t y = 0; y < kHeight; ++y) {
      if (dither) span = pattern;  // dithering changes the span in place
      output_hzline(y, 0, kWidth - 1, span.data());
    }
    pixels += int64_t{kWidth} * kHeight;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(pixels);
}

std::vector<SpanPixel> flat_span() { return std::vector<SpanPixel>(kWidth, SpanPixel{0x3000, 0x8000, 0xC000, 255, 56}); }

// What a textured span hands over: a colour per pixel and texel alpha, mostly opaque with transparent and
// blended pixels in between (as a tree billboard).
std::vector<SpanPixel> textured_span() {
  std::vector<SpanPixel> span(kWidth);
  for (int32_t i = 0; i < kWidth; ++i) {
    const auto c = static_cast<uint16_t>((i * 97) & 0xFFFF);
    const uint8_t alpha = (i % 8 == 0) ? 0 : (i % 8 == 1) ? 128 : 255;
    span[i] = SpanPixel{c, static_cast<uint16_t>(c ^ 0x5555), static_cast<uint16_t>(c + 0x1234), alpha, 34};
  }
  return span;
}

std::vector<SpanPixel> cloud_span() { return std::vector<SpanPixel>(kWidth, SpanPixel{0xF000, 0xF000, 0xF000, 150, 76}); }

}  // namespace

static void BM_FlatSpans(benchmark::State& state) { run_spans(state, flat_span(), 0); }
static void BM_FlatSpansDithered(benchmark::State& state) { run_spans(state, flat_span(), 100); }
static void BM_TexturedSpans(benchmark::State& state) { run_spans(state, textured_span(), 0); }
static void BM_TexturedSpansDithered(benchmark::State& state) { run_spans(state, textured_span(), 100); }
static void BM_BlendedCloudSpans(benchmark::State& state) { run_spans(state, cloud_span(), 0); }

static void BM_ConvertTo8Bit(benchmark::State& state) {
  prepare(static_cast<int32_t>(state.range(0)));
  render_settings.palette_colors = 256;
  for (int32_t i = 1; i < 256; ++i) image_palette[i] = {uint8_t(i * 37), uint8_t(i * 91), uint8_t(i * 53), 0};
  clear_color_cache();
  for (int32_t y = 0; y < kHeight; ++y)
    for (int32_t x = 0; x < kWidth; ++x) vidmem24_row(y)[x] = static_cast<uint32_t>(x * 2654435761u + y * 40503u);
  for (auto _ : state) convert_vidmem24_to_8();
  state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}

BENCHMARK(BM_FlatSpans);
BENCHMARK(BM_FlatSpansDithered);
BENCHMARK(BM_TexturedSpans);
BENCHMARK(BM_TexturedSpansDithered);
BENCHMARK(BM_BlendedCloudSpans);
BENCHMARK(BM_ConvertTo8Bit)->Arg(0)->Arg(100);
