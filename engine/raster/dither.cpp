// The dither noise generator, the random and ordered dither tables, and dithered palette conversion.
#include "engine/raster/dither.h"

#include <algorithm>

#include "engine/core/settings.h"
#include "engine/raster/image_palette.h"
#include "engine/raster/span_output.h"

constinit thread_local uint32_t dither_seed = 1;
int32_t dither_noise[256] = {};
int32_t dither_noise_wrapped[259] = {};
uint32_t dither_noise_packed[256] = {};
int32_t dither_noise_reach = 0;
int32_t dither_matrix[16] = {};
int32_t dither_tables_amount = 0;
uint8_t dither_row_index = 0;

namespace {
constexpr int32_t kOrderedPattern[16] = {-15, 1, -11, 5, 9, -7, 13, -3, -9, 7, -13, 3, 15, -1, 11, -5};

inline uint16_t clamp_channel(int32_t v) { return static_cast<uint16_t>(std::clamp(v, 0, 65535)); }
inline int32_t clamp_byte(int32_t v) { return std::clamp(v, 0, 255); }
}  // namespace

void build_dither_tables() {
  // Products stay far inside 32 bits for any sensible amount; wide arithmetic keeps a hostile one defined.
  for (int32_t i = 0; i < 256; ++i) {
    dither_noise[i] = static_cast<int32_t>((static_cast<int64_t>(render_settings.dither_amount) * dither_random()) >> 13);
  }
  for (int32_t i = 0; i < 259; ++i) dither_noise_wrapped[i] = dither_noise[i & 255];
  dither_noise_reach = 0;
  for (int32_t i = 0; i < 256; ++i) {
    const int32_t* t = dither_noise_wrapped + i;
    dither_noise_packed[i] = static_cast<uint32_t>(t[1]) * 65536u + static_cast<uint32_t>(t[2]) * 256u +
                             static_cast<uint32_t>(t[3]);
    dither_noise_reach = std::max({dither_noise_reach, dither_noise[i], -dither_noise[i]});
  }
  for (int32_t k = 0; k < 16; ++k) {
    dither_matrix[k] = static_cast<int32_t>(static_cast<int64_t>(render_settings.dither_amount) * kOrderedPattern[k] / 256);
  }
  dither_tables_amount = render_settings.dither_amount;
}

void dither_span(SpanPixel* span, int32_t count, int32_t first, int32_t row) {
  ensure_dither_tables();
  auto index = static_cast<uint8_t>(dither_random());
  if (render_settings.dither_type == 1) {
    for (int32_t i = 0; i < count; ++i) {
      const int32_t d = dither_matrix_at(first + i, row) * 256;
      span[i].r = clamp_channel(span[i].r + d);
      span[i].g = clamp_channel(span[i].g + d);
      span[i].b = clamp_channel(span[i].b + d);
    }
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    ++index;
    span[i].r = clamp_channel(span[i].r + dither_noise[index] * 256);
    ++index;
    span[i].g = clamp_channel(span[i].g + dither_noise[index] * 256);
    ++index;
    span[i].b = clamp_channel(span[i].b + dither_noise[index] * 256);
  }
}

void row_to_palette_dithered(int32_t first, int32_t last, int32_t row, const uint32_t* src, uint8_t* dst) {
  ensure_dither_tables();
  dither_row_index = static_cast<uint8_t>(dither_random());
  dither_row_index = row_to_palette_dithered_from(first, last, row, src, dst, dither_row_index);
}

uint8_t row_to_palette_dithered_from(int32_t first, int32_t last, int32_t row, const uint32_t* src, uint8_t* dst,
                                     uint8_t index) {
  if (last < first) return index;
  const int32_t n = last - first + 1;
  for (int32_t i = 0; i < n; ++i) {
    int32_t r = static_cast<int32_t>((src[i] >> 16) & 255);
    int32_t g = static_cast<int32_t>((src[i] >> 8) & 255);
    int32_t b = static_cast<int32_t>(src[i] & 255);
    if (render_settings.dither_type == 1) {
      const int32_t d = dither_matrix_at(first + i, row);
      r += d;
      g += d;
      b += d;
    } else {
      r += dither_noise[++index];
      g += dither_noise[++index];
      b += dither_noise[++index];
    }
    dst[i] = palette_index_555(rgb555_of(clamp_byte(r), clamp_byte(g), clamp_byte(b)));
  }
  return index;
}
