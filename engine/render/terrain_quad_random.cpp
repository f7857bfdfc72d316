// The random offsets of terrain subdivision and the amplitude table by depth.
#include <algorithm>
#include <cmath>

#include "engine/core/float_convert.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/render/terrain_quad.h"

int32_t fractal_amplitudes[8] = {100, -32768, 0, 0, 0, 0, 0, 50};
int32_t horizontal_deform = 0;

float midpoint_displacement(int32_t level, float size, float scale, int32_t seed) {
  const int32_t r = random8_from(static_cast<uint32_t>(seed));
  level = std::clamp(level, 0, 7);
  const double v = static_cast<double>(r) * fractal_amplitudes[level] * std::fabs(scale) * std::fabs(size) / 250000.0;
  return static_cast<float>(v);
}

int32_t band_dither_offset(int32_t seed) {
  random8_from(static_cast<uint32_t>(seed));
  const int32_t r = random8();
  return (((r * 30) >> 6) * terrain_settings.line_roughness) >> 8;
}

float horizontal_jitter(float value, float extent) {
  if (horizontal_deform == 0) return 0.0f;
  const int64_t s = trunc_to_i64(static_cast<double>(value) * 0.9864213579);
  const int32_t r = random8_from(static_cast<uint32_t>(s));
  return static_cast<float>(r * static_cast<double>(extent) / 750.0);
}

int32_t quad_height_range(int32_t a, int32_t b, int32_t c, int32_t d) {
  return std::max({a, b, c, d}) - std::min({a, b, c, d});
}

void interpolate_fractal_amplitudes() {
  const int32_t first = fractal_amplitudes[0], last = fractal_amplitudes[7];
  for (int32_t i = 1; i <= 6; ++i) {
    fractal_amplitudes[i] = static_cast<int32_t>(first + (static_cast<int64_t>(last) - first) * i / 7);
  }
}

void set_fractal_amplitude_first(int32_t amplitude) {
  fractal_amplitudes[0] = amplitude;
  interpolate_fractal_amplitudes();
}

void set_fractal_amplitude_last(int32_t amplitude) {
  fractal_amplitudes[7] = amplitude;
  interpolate_fractal_amplitudes();
}

int32_t fractal_amplitude_first() { return fractal_amplitudes[0]; }
int32_t fractal_amplitude_last() { return fractal_amplitudes[7]; }
