// Drawing the program's icon: sky, sun, two peaks with snow and the green ground, in the colours of a render.
#include "frontend/logic/program_icon.h"

#include <algorithm>

namespace {
constexpr uint32_t kFrame = 0x202020, kSun = 0xFFD040, kRock = 0x7A6A5A, kShade = 0x5A4C40, kSnow = 0xF4F4F4,
                   kGround = 0x3C8C3C, kGroundFar = 0x5AA050;

uint32_t mix(uint32_t a, uint32_t b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  uint32_t out = 0;
  for (int s = 0; s < 24; s += 8) {
    const double ca = (a >> s) & 0xFF, cb = (b >> s) & 0xFF;
    out |= static_cast<uint32_t>(ca + (cb - ca) * t + 0.5) << s;
  }
  return out;
}

// The height of the ridge above the point's column, as a fraction of the icon from the top (smaller is higher).
double ridge(double u) {
  const double near_peak = 0.20 + 1.25 * (u > 0.38 ? u - 0.38 : 0.38 - u);  // the high peak left of centre
  const double far_peak = 0.40 + 1.10 * (u > 0.78 ? u - 0.78 : 0.78 - u);   // a lower one on the right
  return std::min(near_peak, far_peak);
}
}  // namespace

std::vector<uint32_t> program_icon_pixels(int32_t size) {
  if (size < 8 || size > 256) return {};
  std::vector<uint32_t> px(static_cast<size_t>(size) * static_cast<size_t>(size));
  for (int32_t y = 0; y < size; ++y) {
    for (int32_t x = 0; x < size; ++x) {
      const double u = (x + 0.5) / size, v = (y + 0.5) / size;
      uint32_t c = mix(0x2050A0, 0x9CC8E8, v / 0.7);  // the sky, lighter towards the horizon
      const double du = u - 0.76, dv = v - 0.20;
      if (du * du + dv * dv < 0.11 * 0.11) c = kSun;
      const double top = ridge(u);
      if (v >= top) {
        // Rock, its right flanks in shade, snow on the upper part of the high peak.
        const bool shaded = (u > 0.38 && u < 0.58) || u > 0.78;
        c = shaded ? kShade : kRock;
        if (v < 0.36 && top < 0.36) c = shaded ? mix(kSnow, kShade, 0.25) : kSnow;
      }
      if (v > 0.74) c = mix(kGroundFar, kGround, (v - 0.74) / 0.26);
      if (x == 0 || y == 0 || x == size - 1 || y == size - 1) c = kFrame;
      px[static_cast<size_t>(y) * size + x] = c;
    }
  }
  return px;
}
