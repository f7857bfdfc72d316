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

WaveSettings wave_settings;

void reset_wave_settings() { wave_settings = WaveSettings{}; }

void set_wave_direction(float d) {
  wave_settings.wave_direction = d;
  const float offsets[3] = {90.0f, 91.0f, 87.0f};
  for (int i = 0; i < 3; ++i) {
    const double a = (static_cast<double>(d) + offsets[i]) / kDegreesPerRadian;
    wave_settings.wave_sources[i].x = static_cast<float>(-kSourceDistance * std::cos(a));
    wave_settings.wave_sources[i].y = static_cast<float>(kSourceDistance * std::sin(a));
  }
}

// A length of 0 (possible from a script) would make the wave number infinite and the field undefined;
// it is treated as the smallest length the Water panel allows, 1.
void set_wave_length(float length) {
  wave_settings.wave_length = length;
  wave_settings.wave_number = 80.0f / (length == 0.0f ? 1.0f : length);
}

void set_wave_period(float p) {
  if (p == 0.0f) {
    wave_settings.wave_period = 1.0f;
    wave_settings.wave_phase_step = kTwoPi;
  } else {
    wave_settings.wave_period = p;
    wave_settings.wave_phase_step = kTwoPi / p;
  }
}

void set_wave_height(float h) {
  wave_settings.wave_height = h;
  wave_settings.wave_amplitude = h / 10.0f;
}

void set_wave_phase(float p) {
  wave_settings.wave_phase = p;
  wave_settings.wave_phase_radians = p * kTwoPi / 100.0f;
}

void waves_recompute() {
  set_wave_direction(wave_settings.wave_direction);
  set_wave_length(wave_settings.wave_length);
  set_wave_height(wave_settings.wave_height);
  set_wave_period(wave_settings.wave_period);
  set_wave_phase(wave_settings.wave_phase);
}

void waves_on() {
  wave_settings.waves_enabled = 1;
  waves_recompute();
}

void waves_off() { wave_settings.waves_enabled = 0; }

void waves_advance() {
  wave_settings.wave_phase_radians += wave_settings.wave_phase_step;
  wave_settings.wave_phase = wave_settings.wave_phase_radians * 100.0f / kTwoPi;
}

namespace {
double distance_to(float sx, float sy, float x, float y) {
  const float dx = x - sx;
  const float dy = y - sy;
  return std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
}
}  // namespace

double wave_height_at(float x, float y) {
  const float k = wave_settings.wave_number;
  const float phi = wave_settings.wave_phase_radians;
  const double d1 = distance_to(wave_settings.wave_sources[0].x, wave_settings.wave_sources[0].y, x, y);
  const float w1 = static_cast<float>(std::sin(d1 * k / 23.0 + phi));
  const double d2 = distance_to(wave_settings.wave_sources[1].x, wave_settings.wave_sources[1].y, x, y);
  float s = w1 + static_cast<float>(std::sin(static_cast<double>(static_cast<float>(d2 * k / 19.0)) + phi));
  const double d3 = distance_to(wave_settings.wave_sources[2].x, wave_settings.wave_sources[2].y, x, y);
  s = s + static_cast<float>(std::sin(static_cast<double>(static_cast<float>(d3 * k / 13.0)) + phi));
  const double d4 = distance_to(static_cast<float>(max_elevation_col) * grid_spacing_x,
                                static_cast<float>(max_elevation_row) * grid_spacing_y, x, y);
  const double w4 = std::sin(d4 * k / 51.0 + phi);
  return (0.14 * w4 + s) * wave_settings.wave_amplitude / k;
}
