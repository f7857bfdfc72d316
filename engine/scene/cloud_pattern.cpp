// The cloud pattern generator, the cloud settings and their setters, and the opacity ramp.
#include "engine/scene/cloud_pattern.h"

#include <algorithm>
#include <cstring>

#include "engine/core/random.h"
#include "engine/core/settings.h"

CloudSettings cloud_settings;
int32_t clouds_enabled = 0;
uint8_t cloud_pattern[kCloudPatternBytes];
uint32_t cloud_ramp[256];

namespace {

constexpr int32_t kCloudColorClass = 76;
constexpr uint32_t kStartupCloudSeed = 123456;

void update_ramp_bounds() {
  CloudSettings& s = cloud_settings;
  const int32_t base = ((100 - s.cloud_density) * 255) / 100;
  const int32_t half = (100 - s.cloud_hardness) / 2;
  s.cloud_ramp_low = base - half;
  s.cloud_ramp_high = base + half;
}

// The generator works on a signed copy so that the stretch can be saturated instead of wrapped.
int32_t& at(int32_t* p, int32_t r, int32_t c) { return p[r * kCloudPatternSide + c]; }

// Steps 2 and 3 of the fractal keep only the low 8 bits of every stored value (the pattern's own arithmetic).
int32_t low8(int32_t v) { return v & 255; }

}  // namespace

void reset_cloud_settings() {
  cloud_settings = CloudSettings{};
  clouds_enabled = 0;
  std::memset(cloud_pattern, 0, sizeof cloud_pattern);
  std::memset(cloud_ramp, 0, sizeof cloud_ramp);
}

void cloud_pattern_copy_out(uint8_t out[kCloudPatternBytes]) { std::memcpy(out, cloud_pattern, kCloudPatternBytes); }

void cloud_pattern_replace(const uint8_t in[kCloudPatternBytes]) { std::memcpy(cloud_pattern, in, kCloudPatternBytes); }

void init_clouds() {
  if (cloud_settings.cloud_scale == 0) cloud_settings.cloud_scale = 8;
  random_seed(kStartupCloudSeed);
  generate_cloud_pattern(cloud_feature_for_scale(cloud_settings.cloud_scale));
  set_cloud_density(cloud_settings.cloud_density);
  set_cloud_hardness(cloud_settings.cloud_hardness);
}

void set_cloud_density(int32_t v) {
  cloud_settings.cloud_density = std::clamp(v, 0, 100);
  update_ramp_bounds();
}

void set_cloud_hardness(int32_t v) {
  cloud_settings.cloud_hardness = std::clamp(v, 0, 100);
  update_ramp_bounds();
}

void set_cloud_altitude(int32_t v) { cloud_settings.cloud_altitude = v; }
void set_cloud_lining(int32_t v) { cloud_settings.cloud_lining = v; }

void fractal_clouds_on() {
  cloud_settings.cloud_subdiv_size = 11;
  cloud_settings.cloud_subdiv_depth = 6;
}

void fractal_clouds_off() { cloud_settings.cloud_subdiv_depth = 0; }

uint32_t cloud_lining_color(uint32_t color) {
  const int32_t alpha = static_cast<int32_t>(color >> 24);
  const int32_t add = std::min(255 - alpha, cloud_settings.cloud_lining);
  auto channel = [&](int32_t shift) {
    const int32_t v = static_cast<int32_t>((color >> shift) & 255u) + add;
    return static_cast<uint32_t>(std::clamp(v, 0, 255)) << shift;
  };
  return (color & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

void build_cloud_color_ramp() {
  const int32_t low = cloud_settings.cloud_ramp_low, high = cloud_settings.cloud_ramp_high;
  int32_t d = high - low;
  if (d == 0) d = 1;
  const ColorEntry& c = color_table[kCloudColorClass];
  const uint32_t rgb = (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
  for (int32_t v = 0; v < 256; ++v) {
    int32_t alpha;
    if (v < low) {
      alpha = 0;
    } else if (v > high) {
      alpha = 255;
    } else {
      alpha = ((v - low) * 255) / d;
    }
    // With the bounds the setters allow (low >= -50, high <= 305) alpha stays within 0..255; clamp anyway
    // so a damaged pair of bounds from a file cannot spill into the colour bits.
    alpha = std::clamp(alpha, 0, 255);
    cloud_ramp[v] = cloud_lining_color((static_cast<uint32_t>(alpha) << 24) | rgb);
  }
}

int32_t cloud_random_offset(int32_t a) { return (random8() * a) / 64; }

int32_t cloud_stretch(int32_t value, int32_t lowest, int32_t range) {
  if (range == 0) range = 1;
  return std::clamp(((value - lowest) * 256) / range, 0, 255);
}

int32_t cloud_feature_for_scale(int32_t scale) {
  if (scale < 2 || scale > 16) scale = 8;
  return 256 / scale;
}

void generate_cloud_pattern(int32_t f) { generate_cloud_pattern_range(f, nullptr, nullptr); }

void generate_cloud_pattern_range(int32_t f, int32_t* lowest_out, int32_t* highest_out) {
  static int32_t p[kCloudPatternBytes];
  constexpr int32_t n = kCloudPatternSide;
  int32_t s = std::clamp(f / 4, 1, n);
  std::fill(p, p + kCloudPatternBytes, 128);

  // Seed points.
  for (int32_t r = 0; r < n; r += s)
    for (int32_t c = 0; c < n; c += s) at(p, r, c) = low8(cloud_random_offset(s) + 128);

  // Midpoint displacement, halving the spacing each pass.
  while (s > 1) {
    const int32_t h = s / 2;
    for (int32_t r = 0; r < n - s; r += s) {
      for (int32_t c = 0; c < n - s; c += s) {
        at(p, r + s, c + h) = low8(((at(p, r + s, c) + at(p, r + s, c + s) + 1) >> 1) + cloud_random_offset(s));
        at(p, r + h, c + s) = low8(((at(p, r, c + s) + at(p, r + s, c + s) + 1) >> 1) + cloud_random_offset(s));
        at(p, r + h, c + h) =
            low8(((at(p, r + h, c) + at(p, r + h, c + s) + at(p, r, c + h) + at(p, r + s, c + h) + 2) >> 2) +
                 cloud_random_offset(s));
      }
    }
    s /= 2;
  }

  // Range of the centre samples.
  int32_t lowest = 128, highest = 128;
  for (int32_t r = 64; r <= 188; r += 4)
    for (int32_t c = 64; c <= 188; c += 4) {
      lowest = std::min(lowest, at(p, r, c));
      highest = std::max(highest, at(p, r, c));
    }
  if (lowest_out) *lowest_out = lowest;
  if (highest_out) *highest_out = highest;
  int32_t range = highest - lowest;
  if (range == 0) range = 1;

  // Stretch the sampled range over the bytes. Values beyond it saturate: dense cloud stays dense and clear sky
  // stays clear, rather than wrapping round to the other end of the range.
  for (int32_t i = 0; i < kCloudPatternBytes; ++i) p[i] = cloud_stretch(p[i], lowest, range);

  // Smooth in place, so later samples see the smoothed row above and the smoothed sample to their left.
  for (int32_t r = 1; r <= n - 2; ++r)
    for (int32_t c = 1; c <= n - 2; ++c) {
      const int32_t sum = 4 * at(p, r - 1, c) + 2 * at(p, r - 1, c - 1) + 2 * at(p, r - 1, c + 1) + 8 * at(p, r, c) +
                          4 * at(p, r, c - 1) + 4 * at(p, r, c + 1) + 4 * at(p, r + 1, c) + 2 * at(p, r + 1, c - 1) +
                          2 * at(p, r + 1, c + 1);
      at(p, r, c) = sum >> 5;
    }

  for (int32_t i = 0; i < kCloudPatternBytes; ++i) cloud_pattern[i] = static_cast<uint8_t>(p[i]);
}
