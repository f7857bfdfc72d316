// The two linear congruential random streams and the draws built on them.
#pragma once

#include <cstdint>

extern constinit thread_local uint32_t random8_state;
extern constinit thread_local uint32_t random32_state;

void random_seed(uint32_t seed);
void random_seed_clock();
int32_t random8();
int32_t random8_from(uint32_t seed);
int32_t random32();
int32_t random_at2(int32_t x, int32_t y);
void new_fractal_seed();
int32_t rand_amplitude(int32_t a);
int16_t rand_amplitude_i16(int16_t a);
int32_t rand_roughness_offset(int32_t a);
