// Cloud pattern files: the PCX reader and writer of the 256 by 256 pattern and the raw-bytes fallback.
#include "engine/scene/cloud_pattern_file.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/files/file_open.h"
#include "engine/files/pcx_format.h"
#include "engine/scene/cloud_pattern.h"

namespace {

// Picture row y (top first) is pattern row 255 - y.
void pattern_row_source(void*, int32_t y, uint8_t* out, int32_t width) {
  const uint8_t* row = cloud_pattern + (kCloudPatternSide - 1 - y) * kCloudPatternSide;
  for (int32_t c = 0; c < width; ++c) out[c] = row[c];
}

// The last 768 bytes of the file, whatever comes before them; false when the file cannot hold a header and a
// palette.
bool read_trailing_palette(FILE* file, uint8_t rgb[768]) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  if (size < kPcxHeaderSize + 768) return false;
  if (std::fseek(file, size - 768, SEEK_SET) != 0) return false;
  return std::fread(rgb, 1, 768, file) == 768;
}

}  // namespace

int32_t cloud_pattern_save_pcx(const char* path) {
  uint8_t grey[768];
  grey_palette(grey);
  return pcx_write_image(path, kCloudPatternSide, kCloudPatternSide, pattern_row_source, nullptr, grey);
}

int32_t cloud_pattern_load_pcx(const char* path) {
  FILE* file = open_file(path, "rb");
  if (!file) return kPcxCannotRead;
  int32_t width = 0, height = 0, row_bytes = 0;
  const int32_t result = pcx_read_header(file, &width, &height, &row_bytes);
  if (result != kPcxOk) {
    std::fclose(file);
    return result;
  }
  const int32_t rows = height < kCloudPatternSide ? height : kCloudPatternSide;
  const int32_t columns = width < kCloudPatternSide ? width : kCloudPatternSide;
  std::vector<uint8_t> row(static_cast<size_t>(row_bytes) * 2);
  std::vector<uint8_t> indexes(static_cast<size_t>(rows) * kCloudPatternSide);
  int32_t rows_read = 0;
  bool truncated = false;
  std::fseek(file, kPcxHeaderSize, SEEK_SET);
  for (int32_t r = 0; r < rows; ++r) {
    pcx_read_row(file, row.data(), width, row_bytes, row.data() + row_bytes);
    // A row the file ends inside is not a picture row: the pattern keeps what it had there.
    if (std::feof(file) || std::ferror(file)) {
      truncated = true;
      break;
    }
    std::copy(row.begin(), row.begin() + columns, indexes.begin() + static_cast<size_t>(r) * kCloudPatternSide);
    ++rows_read;
  }

  // The palette is the last 768 bytes of the file. A file that ends inside the picture has lost its palette
  // (those bytes are picture data), and a file too short to hold one has none: both are read as grey, the
  // palette every pattern file is written with.
  uint8_t rgb[768];
  if (truncated || !read_trailing_palette(file, rgb)) grey_palette(rgb);
  uint8_t density[256];
  for (int32_t i = 0; i < 256; ++i)
    density[i] = static_cast<uint8_t>((30 * rgb[3 * i] + 59 * rgb[3 * i + 1] + 11 * rgb[3 * i + 2]) / 100);

  for (int32_t r = 0; r < rows_read; ++r) {
    const uint8_t* in = indexes.data() + static_cast<size_t>(r) * kCloudPatternSide;
    uint8_t* out = cloud_pattern + (kCloudPatternSide - 1 - r) * kCloudPatternSide;
    for (int32_t c = 0; c < columns; ++c) out[c] = density[in[c]];
  }
  std::fclose(file);
  return kPcxOk;
}

int32_t load_cloud_pattern_file(const char* path) {
  if (cloud_pattern_load_pcx(path) == kPcxOk) return 1;
  FILE* file = open_file(path, "rb");
  if (!file) return 0;
  // Read into a copy first so that a read error part-way cannot leave half-copied garbage beyond what was read.
  std::vector<uint8_t> bytes(kCloudPatternBytes);
  const size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  for (size_t i = 0; i < n; ++i) cloud_pattern[i] = bytes[i];
  return 1;
}
