// The wave field: three distant sine sources that beat against each other plus a weak ring wave.
#include "engine/landscape/waves.h"

#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/maths.h"

namespace {
constexpr float kTwoPi = 6.2831853071795864f;
constexpr float kSourceDistance = 10000000.0f;
}  // namespace

int32_t waves_enabled = 1;
float wave_number = 8.0f;
float wave_length = 10.0f;
float wave_phase_step = kTwoPi / 25.0f;
float wave_period = 25.0f;
float wave_amplitude = 1.0f;
float wave_height = 10.0f;
float wave_direction = 45.0f;
float wave_phase = 0.0f;
float wave_phase_radians = 0.0f;
WaveSource wave_sources[3] = {};

void reset_wave_settings() {
  waves_enabled = 1;
  wave_number = 8.0f;
  wave_length = 10.0f;
  wave_phase_step = kTwoPi / 25.0f;
  wave_period = 25.0f;
  wave_amplitude = 1.0f;
  wave_height = 10.0f;
  wave_direction = 45.0f;
  wave_phase = 0.0f;
  wave_phase_radians = 0.0f;
  for (auto& s : wave_sources) s = {0.0f, 0.0f};
}

void set_wave_direction(float d) {
  wave_direction = d;
  const float offsets[3] = {90.0f, 91.0f, 87.0f};
  for (int i = 0; i < 3; ++i) {
    const double a = (static_cast<double>(d) + offsets[i]) / kDegreesPerRadian;
    wave_sources[i].x = static_cast<float>(-kSourceDistance * std::cos(a));
    wave_sources[i].y = static_cast<float>(kSourceDistance * std::sin(a));
  }
}

// A length of 0 (possible from a script) would make the wave number infinite and the field undefined;
// it is treated as the smallest length the Water panel allows, 1.
void set_wave_length(float length) {
  wave_length = length;
  wave_number = 80.0f / (length == 0.0f ? 1.0f : length);
}

void set_wave_period(float p) {
  if (p == 0.0f) {
    wave_period = 1.0f;
    wave_phase_step = kTwoPi;
  } else {
    wave_period = p;
    wave_phase_step = kTwoPi / p;
  }
}

void set_wave_height(float h) {
  wave_height = h;
  wave_amplitude = h / 10.0f;
}

void set_wave_phase(float p) {
  wave_phase = p;
  wave_phase_radians = p * kTwoPi / 100.0f;
}

void waves_recompute() {
  set_wave_direction(wave_direction);
  set_wave_length(wave_length);
  set_wave_height(wave_height);
  set_wave_period(wave_period);
  set_wave_phase(wave_phase);
}

void waves_on() {
  waves_enabled = 1;
  waves_recompute();
}

void waves_off() { waves_enabled = 0; }

void waves_advance() {
  wave_phase_radians += wave_phase_step;
  wave_phase = wave_phase_radians * 100.0f / kTwoPi;
}

namespace {
double distance_to(float sx, float sy, float x, float y) {
  const float dx = x - sx;
  const float dy = y - sy;
  return std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
}
}  // namespace

double wave_height_at(float x, float y) {
  const float k = wave_number;
  const float phi = wave_phase_radians;
  const double d1 = distance_to(wave_sources[0].x, wave_sources[0].y, x, y);
  const float w1 = static_cast<float>(std::sin(d1 * k / 23.0 + phi));
  const double d2 = distance_to(wave_sources[1].x, wave_sources[1].y, x, y);
  float s = w1 + static_cast<float>(std::sin(static_cast<double>(static_cast<float>(d2 * k / 19.0)) + phi));
  const double d3 = distance_to(wave_sources[2].x, wave_sources[2].y, x, y);
  s = s + static_cast<float>(std::sin(static_cast<double>(static_cast<float>(d3 * k / 13.0)) + phi));
  const double d4 = distance_to(static_cast<float>(max_elevation_col) * grid_spacing_x,
                                static_cast<float>(max_elevation_row) * grid_spacing_y, x, y);
  const double w4 = std::sin(d4 * k / 51.0 + phi);
  return (0.14 * w4 + s) * wave_amplitude / k;
}
