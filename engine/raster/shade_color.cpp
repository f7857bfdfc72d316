// The final colour of every drawn surface: ambient and sun light, highlight, haze mixing and exposure.
#include <cstdint>

#include "engine/core/float_convert.h"
#include "engine/core/settings.h"
#include "engine/raster/haze.h"

constinit thread_local float point_distance = 0.0f;
constinit thread_local float haze_factor = 0.0f;
constinit thread_local int32_t haze_slot_override = -1;

namespace {

// The haze strength k as used in the mix k / (k + 256). A negative density (possible from a script)
// counts as no haze, so the divisor k + 256 never reaches 0; the cap keeps the 64-bit mix exact.
inline int64_t haze_strength() {
  const double k = static_cast<double>(render_settings.haze_density) * static_cast<double>(haze_factor) / 131072.0;
  const int64_t ki = trunc_to_i64(k);
  if (ki <= 0) return 0;
  constexpr int64_t kMaxStrength = int64_t{1} << 40;
  return ki > kMaxStrength ? kMaxStrength : ki;
}

inline int32_t channel(int32_t c, int32_t light, int32_t sun, int32_t ambient, int32_t specular) {
  const int32_t a = static_cast<int32_t>(static_cast<uint32_t>(c * ambient) >> 8);
  const int32_t s = static_cast<int32_t>(static_cast<uint32_t>(c * light) >> 8) * sun / 256;
  return a + s + specular;
}

// The quotient is the same whichever width divides it: a numerator and divisor that both fit in 32 unsigned bits
// (the common case) take the 32-bit division, several times faster than the 64-bit one.
inline int64_t mix_haze(int64_t v, int32_t haze_channel, int64_t k) {
  const int64_t n = v * 256 + haze_channel * k;
  const int64_t d = k + 256;
  if (static_cast<uint64_t>(n) <= UINT32_MAX && static_cast<uint64_t>(d) <= UINT32_MAX) {
    return static_cast<uint32_t>(n) / static_cast<uint32_t>(d);
  }
  return n / d;
}

inline uint32_t clamp255(int64_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

}  // namespace

uint32_t shade_color(int32_t red, int32_t green, int32_t blue, int32_t light, int32_t strength, int32_t value) {
  int32_t pr = 0, pg = 0, pb = 0;
  if (strength != 0) {
    pr = static_cast<int32_t>(static_cast<int64_t>(light_state.sun_light_r) * strength * value / 65536);
    pg = static_cast<int32_t>(static_cast<int64_t>(light_state.sun_light_g) * strength * value / 65536);
    pb = static_cast<int32_t>(static_cast<int64_t>(light_state.sun_light_b) * strength * value / 65536);
  }
  int64_t r = channel(red, light, light_state.sun_light_r, light_state.ambient_light_r, pr);
  int64_t g = channel(green, light, light_state.sun_light_g, light_state.ambient_light_g, pg);
  int64_t b = channel(blue, light, light_state.sun_light_b, light_state.ambient_light_b, pb);

  if (haze_factor != 0.0f) {
    const int64_t k = haze_strength();
    if (k != 0) {
      const int32_t slot = haze_slot_override >= 0 ? haze_slot_override : light_state.haze_color_slot;
      const ColorEntry& h = color_table[slot & 255];
      const int32_t hr = h.red * light_state.sun_light_r / 256 + h.red * light_state.ambient_light_r / 256;
      const int32_t hg = h.green * light_state.sun_light_g / 256 + h.green * light_state.ambient_light_g / 256;
      const int32_t hb = h.blue * light_state.sun_light_b / 256 + h.blue * light_state.ambient_light_b / 256;
      r = mix_haze(r, hr, k);
      g = mix_haze(g, hg, k);
      b = mix_haze(b, hb, k);
    }
  }

  const int64_t base = light_state.auto_exposure ? (255 - light_state.flat_intensity) / 3 + 48 : 48;
  const int64_t m = base + 2 * static_cast<int64_t>(light_state.brightness) - 128;
  r = r * m / 128;
  g = g * m / 128;
  b = b * m / 128;
  return clamp255(r) << 16 | clamp255(g) << 8 | clamp255(b);
}
