// Landscape file thumbnails: both formats' elevations through the bounded row readers, painted with a
// ramp of greens, browns and greys.
#include "engine/files/landscape_preview.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/files/landscape_header.h"
#include "engine/files/old_landscape_header.h"
#include "engine/core/grid.h"

namespace {
struct Rgb {
  int32_t r, g, b;
};
// The six ramp colours of the UI palette (entries 32, 39, 40, 47, 48 and 55).
constexpr Rgb kSegments[3][2] = {
    {{0, 64, 0}, {96, 160, 64}}, {{80, 32, 0}, {192, 144, 96}}, {{80, 80, 80}, {224, 224, 224}}};
constexpr int32_t kSegmentStart[3] = {0, 85, 170};
constexpr int32_t kSegmentLength[3] = {85, 85, 86};

ImageBuffer* paint(const std::vector<int16_t>& samples, int32_t columns, int32_t rows) {
  ImageBuffer* image = image_alloc(columns, rows);
  if (!image) return nullptr;
  dem_preview_image(samples.data(), image, columns, rows);
  return image;
}

bool size_ok(int32_t columns, int32_t rows) {
  return columns >= kMinGridSamples && rows >= kMinGridSamples && columns <= kMaxGridSamples &&
         rows <= kMaxGridSamples;
}
}  // namespace

void dem_preview_ramp(uint32_t* ramp) {
  for (int32_t s = 0; s < 3; ++s) {
    const Rgb& a = kSegments[s][0];
    const Rgb& b = kSegments[s][1];
    const int32_t n = kSegmentLength[s];
    for (int32_t k = 0; k < n; ++k) {
      const uint32_t r = static_cast<uint32_t>(a.r + k * (b.r - a.r) / n);
      const uint32_t g = static_cast<uint32_t>(a.g + k * (b.g - a.g) / n);
      const uint32_t bl = static_cast<uint32_t>(a.b + k * (b.b - a.b) / n);
      ramp[kSegmentStart[s] + k] = r << 16 | g << 8 | bl;
    }
  }
}

void dem_preview_image(const int16_t* samples, ImageBuffer* image, int32_t width, int32_t height) {
  uint32_t ramp[256];
  dem_preview_ramp(ramp);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  int32_t highest = -32768, lowest = 32767;
  for (size_t i = 0; i < count; ++i) {
    highest = std::max<int32_t>(highest, samples[i]);
    if (samples[i] >= -32766) lowest = std::min<int32_t>(lowest, samples[i]);
  }
  const int32_t step = std::max((highest - lowest) / 256 + 1, 1);
  for (int32_t y = 0; y < height; ++y) {
    const int16_t* row = samples + static_cast<size_t>(height - 1 - y) * width;
    uint32_t* out = image->pixels + static_cast<size_t>(y) * width;
    for (int32_t x = 0; x < width; ++x) out[x] = ramp[std::clamp((row[x] - lowest) / step, 0, 255)];
  }
}

ImageBuffer* preview_old_dem(const char* path) {
  LandscapeFileReader r;
  uint8_t h[kOldHeaderSize];
  if (!r.open(path) || !r.read_at(0, h, sizeof h) || !header_has_magic(h, kOldMagic)) return nullptr;
  old_header_swap(h, true);
  int32_t columns = 258, rows = 258;
  if (get32(h + 132) & kOldHasSize) {
    columns = get_i32(h + 136) ? get_i32(h + 136) : 258;
    rows = get_i32(h + 140) ? get_i32(h + 140) : 258;
  }
  if (!size_ok(columns, rows)) return nullptr;
  std::vector<int16_t> samples;
  const bool packed = (get32(h + 128) & 1) != 0;
  if (!read_elevation_rows(r, packed, columns, rows, columns, rows, &samples)) return nullptr;
  return paint(samples, columns, rows);
}

ImageBuffer* preview_dl4_dem(const char* path) {
  LandscapeFileReader r;
  uint8_t h[kDl4HeaderSize];
  if (!r.open(path) || !r.read_at(0, h, sizeof h) || !header_has_magic(h, kDl4Magic)) return nullptr;
  const uint32_t at = get32(h + dl4::kElevations);
  const int32_t columns = get_i32(h + dl4::kColumns), rows = get_i32(h + dl4::kRows);
  if (!at || !size_ok(columns, rows) || !r.seek(at)) return nullptr;
  std::vector<int16_t> samples;
  const bool packed = (get32(h + dl4::kFlags) & 1) != 0;
  if (!read_elevation_rows(r, packed, columns, rows, columns, rows, &samples)) return nullptr;
  return paint(samples, columns, rows);
}
