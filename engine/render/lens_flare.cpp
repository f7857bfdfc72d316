// Lens flare over the finished 32-bit image: sources are read from a copy, glows are added into vidmem24.
#include "engine/render/lens_flare.h"

#include <atomic>
#include <cmath>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/host/worker_threads.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lens_flare_divide.h"

namespace {
constexpr int32_t kMaxFlare = 100;

// The glow disc of one radius: for every offset (dx, dy) the fall-off divisor t (2..255), 0 where the glow
// does not reach (t >= 256) and at the centre; reach[dy + radius] is the largest |dx| reached in that row.
struct GlowDisc {
  std::vector<uint8_t> t;  // (2 * radius + 1) rows of 2 * radius + 1 entries
  std::vector<int32_t> reach;
};

// Built on first use; the same radius always gives the same disc.
const GlowDisc& glow_disc(int32_t radius) {
  static GlowDisc discs[kMaxFlare + 1];
  GlowDisc& disc = discs[radius];
  if (disc.reach.empty()) {
    const int32_t side = 2 * radius + 1;
    disc.t.assign(static_cast<size_t>(side) * side, 0);
    disc.reach.assign(side, -1);
    const double r2 = static_cast<double>(radius) * radius;
    for (int32_t dy = -radius; dy <= radius; ++dy) {
      for (int32_t dx = -radius; dx <= radius; ++dx) {
        if (dx == 0 && dy == 0) continue;
        const double d2 = static_cast<double>(dx * dx + dy * dy);
        const int32_t t = static_cast<int32_t>(256.0 * std::sqrt(d2 / r2) + 1.0);
        if (t >= 256) continue;
        disc.t[static_cast<size_t>(dy + radius) * side + dx + radius] = static_cast<uint8_t>(t);
        const int32_t reach = dx < 0 ? -dx : dx;
        if (reach > disc.reach[dy + radius]) disc.reach[dy + radius] = reach;
      }
    }
  }
  return disc;
}

// Reciprocals of v * t for t = 0..255 and the divisor v of one flare intensity (1..100). Dividing by v and
// then by t in integers equals dividing once by v * t, which stays below 2^17.
const uint64_t* intensity_reciprocals(int32_t intensity) {
  static uint64_t tables[kMaxFlare + 1][256];
  static bool built[kMaxFlare + 1] = {};
  if (!built[intensity]) {
    int32_t v = (100 - intensity) * 512 / 100;
    if (v == 0) v = 1;
    for (int32_t t = 0; t < 256; ++t) tables[intensity][t] = flare_reciprocal(static_cast<uint32_t>(v * (t < 1 ? 1 : t)));
    built[intensity] = true;
  }
  return tables[intensity];
}

inline int32_t clamp_flare(int32_t v) { return v < 1 ? 1 : (v > kMaxFlare ? kMaxFlare : v); }

// q + (f * (256 - q) / v) / t, clamped to 255; f is at most 290, so the numerator stays below 2^17.
inline uint32_t brighten(uint32_t q, uint32_t f, uint64_t vt_reciprocal) {
  const uint32_t c = q + flare_divide(f * (256 - q), vt_reciprocal);
  return c > 255 ? 255 : c;
}

// Spreads the glow of one source at (x, y) over vidmem24, row by row, clipped to columns 0..w-1 and to rows
// row_first..row_end-1.
void spread_glow(int32_t x, int32_t y, int32_t w, int32_t row_first, int32_t row_end, uint32_t fr, uint32_t fg,
                 uint32_t fb, const uint64_t* reciprocals, int32_t radius) {
  const GlowDisc& disc = glow_disc(radius);
  const int32_t side = 2 * radius + 1;
  for (int32_t dy = -radius; dy <= radius; ++dy) {
    const int32_t yy = y + dy;
    const int32_t reach = disc.reach[dy + radius];
    if (yy < row_first || yy >= row_end || reach < 0) continue;
    const int32_t x0 = x - reach < 0 ? 0 : x - reach;
    const int32_t x1 = x + reach >= w ? w - 1 : x + reach;
    const uint8_t* t_row = disc.t.data() + static_cast<size_t>(dy + radius) * side + radius - x;
    uint32_t* row = vidmem24_row(yy);
    for (int32_t xx = x0; xx <= x1; ++xx) {
      const uint8_t t = t_row[xx];
      if (t == 0) continue;  // the source itself
      const uint64_t m = reciprocals[t];
      const uint32_t q = row[xx];
      row[xx] = (q & 0xFF000000u) | (brighten((q >> 16) & 255, fr, m) << 16) | (brighten((q >> 8) & 255, fg, m) << 8) |
                brighten(q & 255, fb, m);
    }
  }
}
}  // namespace

int32_t lens_flare() {
  if (vidmem24.rows == nullptr || render_settings.flare_enabled == 0) return -1;
  // Only the part of the image that lies inside the buffer is read or written.
  const int32_t w = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t h = image_height < vidmem24.height ? image_height : vidmem24.height;
  if (w <= 0 || h <= 0) return 1;  // no pixels, no glow
  cursor_wait();
  // The discs and divisor tables of every flaring class are built here, before the threads read them. The
  // flaring classes are listed once: the search for sources then looks up one byte per pixel instead of a whole
  // class record.
  int32_t widest = 0;
  uint8_t flares[256] = {};
  int32_t radius_of[256] = {};
  const uint64_t* reciprocals_of[256] = {};
  for (int32_t slot = 0; slot < 256; ++slot) {
    const ClassAttributes& a = class_attributes[slot];
    if (a.flare_intensity == 0) continue;
    reciprocals_of[slot] = intensity_reciprocals(clamp_flare(a.flare_intensity));
    radius_of[slot] = clamp_flare(a.flare_radius);
    glow_disc(radius_of[slot]);
    flares[slot] = 1;
    if (radius_of[slot] > widest) widest = radius_of[slot];
  }
  // First the sources of every row are listed from the image as rendered, each thread its own rows; the glows
  // are then added from the list alone. The list stands in for a copy of the image (glows never brighten a
  // source another glow reads) and lets a thread visit only the sources near its rows instead of scanning every
  // pixel of the rows a glow can reach from. The rows are counted first, so the list takes one block, sized
  // exactly, from the engine's memory.
  struct Source {
    int32_t x;
    uint32_t fr, fg, fb;
    uint32_t slot;
  };
  auto visit_sources = [&](int32_t y, auto&& take) {
    const uint32_t* row = vidmem24_row(y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      if (flares[p >> 24] == 0) continue;
      const int32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      const int32_t fr = r + (g + b) / 16;
      const int32_t fg = g + (fr + b) / 16;
      const int32_t fb = b + (fr + fg) / 16;
      if (fr <= 64 && fg <= 64 && fb <= 64) continue;  // dark pixels do not flare
      take(Source{x, static_cast<uint32_t>(fr), static_cast<uint32_t>(fg), static_cast<uint32_t>(fb), p >> 24});
    }
  };
  std::vector<int64_t> row_start(static_cast<size_t>(h) + 1, 0);
  parallel_rows(h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      int64_t n = 0;
      visit_sources(y, [&](const Source&) { ++n; });
      row_start[static_cast<size_t>(y) + 1] = n;
    }
  });
  for (int32_t y = 0; y < h; ++y) row_start[static_cast<size_t>(y) + 1] += row_start[static_cast<size_t>(y)];
  const int64_t total = row_start[static_cast<size_t>(h)];
  if (total == 0) return 1;  // nothing bright enough to flare
  auto* sources = static_cast<Source*>(global_alloc_zeroed(static_cast<size_t>(total) * sizeof(Source)));
  if (sources == nullptr) return -1;
  parallel_rows(h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      Source* at = sources + row_start[static_cast<size_t>(y)];
      visit_sources(y, [&](const Source& s) { *at++ = s; });
    }
  });
  // Each thread writes its own rows, taking every source that reaches them in the order of one pass over the
  // image, so every pixel is brightened by the same sources in the same order as in one pass. The first range's
  // thread polls for a stop and tells the others.
  std::atomic<bool> stopped{false};
  parallel_rows(h, [&](int32_t first, int32_t end) {
    const bool polls = first == 0;
    const int32_t y0 = first - widest < 0 ? 0 : first - widest;
    const int32_t y1 = end + widest > h ? h : end + widest;
    for (int32_t y = y0; y < y1; ++y) {
      if (polls) {
        if (poll_user_abort() == -1) {
          stopped.store(true);
          return;
        }
        show_progress("Flare", y, h);
      } else if (stopped.load(std::memory_order_relaxed)) {
        return;
      }
      for (int64_t i = row_start[static_cast<size_t>(y)]; i < row_start[static_cast<size_t>(y) + 1]; ++i) {
        const Source& s = sources[i];
        spread_glow(s.x, y, w, first, end, s.fr, s.fg, s.fb, reciprocals_of[s.slot], radius_of[s.slot]);
      }
    }
  });
  global_free(sources);
  return stopped.load() ? -1 : 1;
}
