// Lens flare over the finished 32-bit image: sources are read from a copy, glows are added into vidmem24.
#include "engine/render/lens_flare.h"

#include <cmath>
#include <vector>

#include "engine/landscape/grid.h"
#include "engine/landscape/settings.h"
#include "engine/panels/pointer.h"
#include "engine/panels/status.h"
#include "engine/render/frame_buffers.h"

namespace {
constexpr int32_t kMaxFlare = 100;

// One offset of a glow disc that the glow reaches (t < 256), with its fall-off divisor t.
struct GlowTap {
  int16_t dx, dy;
  int32_t t;
};

// The taps of each radius 1..100, built on first use; the same radius always gives the same taps.
const std::vector<GlowTap>& glow_taps(int32_t radius) {
  static std::vector<GlowTap> taps[kMaxFlare + 1];
  static bool built[kMaxFlare + 1] = {};
  if (!built[radius]) {
    const double r2 = static_cast<double>(radius) * radius;
    for (int32_t dy = -radius; dy <= radius; ++dy) {
      for (int32_t dx = -radius; dx <= radius; ++dx) {
        if (dx == 0 && dy == 0) continue;
        const double d2 = static_cast<double>(dx * dx + dy * dy);
        const int32_t t = static_cast<int32_t>(256.0 * std::sqrt(d2 / r2) + 1.0);
        if (t < 256) taps[radius].push_back({static_cast<int16_t>(dx), static_cast<int16_t>(dy), t});
      }
    }
    built[radius] = true;
  }
  return taps[radius];
}

inline int32_t clamp_flare(int32_t v) { return v < 1 ? 1 : (v > kMaxFlare ? kMaxFlare : v); }

inline uint32_t brighten(int32_t q, int32_t f, int32_t v, int32_t t) {
  int32_t c = q + (f * (256 - q) / v) / t;
  if (c > 255) c = 255;
  if (c < 0) c = 0;
  return static_cast<uint32_t>(c);
}

// Spreads the glow of one source at (x, y) over vidmem24.
void spread_glow(int32_t x, int32_t y, int32_t w, int32_t h, int32_t fr, int32_t fg, int32_t fb, int32_t v,
                 int32_t radius) {
  const bool inside = x >= radius && y >= radius && x + radius < w && y + radius < h;
  for (const GlowTap& tap : glow_taps(radius)) {
    const int32_t xx = x + tap.dx, yy = y + tap.dy;
    if (!inside && (xx < 0 || xx >= w || yy < 0 || yy >= h)) continue;
    uint32_t& q = vidmem24_row(yy)[xx];
    const int32_t qr = (q >> 16) & 255, qg = (q >> 8) & 255, qb = q & 255;
    q = (q & 0xFF000000u) | (brighten(qr, fr, v, tap.t) << 16) | (brighten(qg, fg, v, tap.t) << 8) |
        brighten(qb, fb, v, tap.t);
  }
}
}  // namespace

int32_t lens_flare() {
  if (vidmem24.rows == nullptr || flare_enabled == 0) return -1;
  // Only the part of the image that lies inside the buffer is read or written.
  const int32_t w = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t h = image_height < vidmem24.height ? image_height : vidmem24.height;
  if (w <= 0 || h <= 0) return 1;  // no pixels, no glow
  RowTable copy = alloc_rows(w, h, 4);
  if (copy == nullptr) return -1;
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* source = vidmem24_row(y);
    uint32_t* target = row_of<uint32_t>(copy, y);
    for (int32_t x = 0; x < w; ++x) target[x] = source[x];
  }
  cursor_wait();
  for (int32_t y = 0; y < h; ++y) {
    if (poll_user_abort() == -1) {
      free_rows(copy);
      return -1;
    }
    show_progress("Flare", y, h);
    const uint32_t* row = row_of<uint32_t>(copy, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const ClassAttributes& a = class_attributes[p >> 24];
      if (a.flare_intensity == 0) continue;
      const int32_t intensity = clamp_flare(a.flare_intensity);
      int32_t v = (100 - intensity) * 512 / 100;
      if (v == 0) v = 1;
      const int32_t radius = clamp_flare(a.flare_radius);
      const int32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      const int32_t fr = r + (g + b) / 16;
      const int32_t fg = g + (fr + b) / 16;
      const int32_t fb = b + (fr + fg) / 16;
      if (fr <= 64 && fg <= 64 && fb <= 64) continue;  // dark pixels do not flare
      spread_glow(x, y, w, h, fr, fg, fb, v, radius);
    }
  }
  free_rows(copy);
  return 1;
}
