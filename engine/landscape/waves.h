// Waves on water: the wave settings and the height offset of the wave field at a world point.
#pragma once

#include <cstdint>

// WaveSettings.
extern int32_t waves_enabled;
extern float wave_number;
extern float wave_length;
extern float wave_phase_step;
extern float wave_period;
extern float wave_amplitude;
extern float wave_height;
extern float wave_direction;

extern float wave_phase;          // percent of a cycle, stored with the landscape
extern float wave_phase_radians;  // the same in radians, used by the wave field

struct WaveSource {
  float x, y;
};
extern WaveSource wave_sources[3];

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
