// Random streams: x = x * 1103515245 + 12345 modulo 2^32, bit-exact draws and position hashes.
#include "engine/core/random.h"

#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"

constinit thread_local uint32_t random8_state = 1;
constinit thread_local uint32_t random32_state = 1;

namespace {
inline uint32_t step(uint32_t s) { return s * 1103515245u + 12345u; }
}  // namespace

void random_seed(uint32_t seed) { random8_state = random32_state = seed; }

void random_seed_clock() { random_seed(host().tick_count()); }

int32_t random8() {
  random8_state = step(random8_state);
  return static_cast<int32_t>((random8_state >> 16) & 255) - 128;
}

int32_t random8_from(uint32_t seed) {
  random8_state = seed;
  return random8();
}

int32_t random32() {
  random32_state = step(random32_state);
  const int32_t a = static_cast<int32_t>((random32_state >> 16) & 65535) - 32768;
  random32_state = step(random32_state);
  const int32_t b = static_cast<int32_t>((random32_state >> 16) & 65535) - 32768;
  return static_cast<int32_t>(static_cast<uint32_t>(a) * 65536u + static_cast<uint32_t>(b));
}

int32_t random_at2(int32_t x, int32_t y) {
  if (x == 0) x = 123;
  if (y == 0) y = 234;
  const int32_t q1 = 1234567890 / x;
  const uint32_t q2 = 3987654321u / static_cast<uint32_t>(y);
  random32_state = (static_cast<uint32_t>(q1) ^ q2) * 192837465u;
  return random32();
}

void new_fractal_seed() {
  random_seed_clock();
  const uint32_t r1 = static_cast<uint32_t>(random8()) & 255;
  const uint32_t r2 = static_cast<uint32_t>(random8()) & 255;
  const uint32_t r3 = static_cast<uint32_t>(random8()) & 255;
  const uint32_t r4 = static_cast<uint32_t>(random8()) & 255;
  terrain_settings.fractal_seed = static_cast<int32_t>((r1 << 24) | (r2 << 16) | (r3 << 8) | r4);
}

int32_t rand_amplitude(int32_t a) {
  random8();
  const int32_t r2 = random8();
  const int32_t r3 = random8();
  const int32_t t = ((r2 * r3) >> 6) + 32;
  return mul_wrap32(t, a) >> 6;
}

int16_t rand_amplitude_i16(int16_t a) {
  const int16_t lr = wrap16(terrain_settings.line_roughness);
  random8();
  const int32_t r2 = random8();
  const int32_t r3 = random8();
  int16_t t = mul_wrap16(r2, r3);
  t = wrap16((t >> 6) + 32);
  t = wrap16(mul_wrap32(t, a) >> 6);
  t = wrap16(mul_wrap32(t, lr) >> 5);
  return t;
}

int32_t rand_roughness_offset(int32_t a) {
  random8();
  const int32_t r2 = random8();
  const int32_t r3 = random8();
  const int32_t p = mul_wrap32(mul_wrap32(mul_wrap32(r2, r3), a), terrain_settings.fractal_roughness);
  return p / 131072;
}
