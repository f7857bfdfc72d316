// Writes the fuzz targets' seeds made by the program itself: small landscape files of both formats, a
// colour scheme, raw and Scenery Animator elevations, a cloud pattern and a surface-feature file.
// Usage: fuzz_make_seeds <corpus folder>; the picture seeds come from ImageMagick (scripts/fuzz.sh).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/grid.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/render/old_landscape_file.h"
#include "fuzz/fuzz_support.h"

namespace {
void write(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}
void write_text(const std::string& path, const char* text) {
  write(path, std::vector<uint8_t>(text, text + std::strlen(text)));
}
void fill(int32_t seed) {
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = static_cast<int16_t>((r * 37 + c * 11 + seed) % 900 - 100);
}
// A Scenery Animator file of columns by rows samples ("SANM", "DEMH", "DEM " chunks, rows coded as differences).
std::vector<uint8_t> scenery(int32_t columns, int32_t rows) {
  std::vector<uint8_t> dem;
  for (int32_t y = 0; y < rows; ++y) {
    int16_t last = static_cast<int16_t>(y * 50);
    dem.push_back(static_cast<uint8_t>(last >> 8));
    dem.push_back(static_cast<uint8_t>(last));
    for (int32_t x = 1; x < columns; ++x) dem.push_back(static_cast<uint8_t>(x % 3 == 0 ? 5 : -2));
  }
  auto be32 = [](std::vector<uint8_t>& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
  };
  std::vector<uint8_t> b = {'S', 'A', 'N', 'M'};
  be32(b, 0);
  b.insert(b.end(), {'D', 'E', 'M', 'H'});
  std::vector<uint8_t> header(34, 0);
  header[7] = static_cast<uint8_t>(rows);
  header[11] = static_cast<uint8_t>(columns);
  for (const char* p = "seed"; *p; ++p) header.push_back(static_cast<uint8_t>(*p));
  header.push_back(0);
  be32(b, static_cast<uint32_t>(header.size()));
  b.insert(b.end(), header.begin(), header.end());
  b.insert(b.end(), {'D', 'E', 'M', ' '});
  be32(b, static_cast<uint32_t>(dem.size()));
  b.insert(b.end(), dem.begin(), dem.end());
  return b;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
    return 2;
  }
  const std::string out = argv[1];
  fuzz_init_once();
  set_landscape_size(18, 18);
  fill(3);
  save_dl4_file((out + "/fuzz_landscape/session_18.d4s").c_str(), 1, 1, 0, 1, 1, 1, 0, 1);
  save_dl4_file((out + "/fuzz_landscape/elevations_18.dl4").c_str(), 0, 0, 0, 1, 0, 0, 0, 0);
  save_dl4_file((out + "/fuzz_scheme/scheme.d4s").c_str(), 0, 1, 0, 0, 0, 0, 0, 0);
  write_old_dem((out + "/fuzz_old_landscape/block_18.dem").c_str(), 0, 0, 18, 18);
  write_old_dem((out + "/fuzz_scheme/old_scheme.dem").c_str(), 0, 0, 4, 4);
  set_landscape_size(10, 7);
  fill(9);
  write_old_dem((out + "/fuzz_old_landscape/block_10x7.dem").c_str(), 0, 0, 10, 7);

  // Raw elevations: 4 size bytes (width 1 + 17 * 3 % 600 = 52 ... chosen by the target), then samples.
  std::vector<uint8_t> raw = {1, 1, 0, 0};
  for (int i = 0; i < 2 * 18 * 14; ++i) raw.push_back(static_cast<uint8_t>(i * 7));
  write(out + "/fuzz_raw_elevations/small.raw", raw);
  write(out + "/fuzz_foreign_elevations/scenery_12x9.ter", scenery(12, 9));
  std::vector<uint8_t> cloud(65536);
  for (size_t i = 0; i < cloud.size(); ++i) cloud[i] = static_cast<uint8_t>((i * 2654435761u) >> 24);
  write(out + "/fuzz_cloud_pattern/pattern.cld", cloud);
  write(out + "/fuzz_cloud_pattern/short.cld", std::vector<uint8_t>(cloud.begin(), cloud.begin() + 300));
  // Surface features: columns 1 and 2, class 88 (road), thick; then lines of numbers.
  write_text(out + "/fuzz_surface_features/road.txt", "\x01\x02\x58\x01" "10 20\n30.5 40\n 60,80\n90 100 7\n");
  return 0;
}
