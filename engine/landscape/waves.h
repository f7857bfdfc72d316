// Waves on water: the wave settings and the height offset of the wave field at a world point.
#pragma once

#include <cstdint>

struct WaveSource {
  float x, y;
};

// WaveSettings.
struct WaveSettings {
  int32_t waves_enabled = 1;
  float wave_number = 8.0f;
  float wave_length = 10.0f;
  float wave_phase_step = 6.2831853071795864f / 25.0f;
  float wave_period = 25.0f;
  float wave_amplitude = 1.0f;
  float wave_height = 10.0f;
  float wave_direction = 45.0f;
  float wave_phase = 0.0f;          // percent of a cycle, stored with the landscape
  float wave_phase_radians = 0.0f;  // the same in radians, used by the wave field
  WaveSource wave_sources[3] = {};
};
extern WaveSettings wave_settings;

// Restores the wave settings to their start values (sources back at the origin, phase 0).
void reset_wave_settings();

double wave_height_at(float x, float y);
void set_wave_direction(float degrees);
void set_wave_length(float length);
void set_wave_period(float frames);
void set_wave_height(float height);
void set_wave_phase(float percent);
void waves_on();
void waves_off();
void waves_recompute();
void waves_advance();
