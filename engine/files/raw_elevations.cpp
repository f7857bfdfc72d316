// Raw elevation import: checks the file against the rows it must supply, then replaces the elevations.
#include "engine/files/raw_elevations.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/core/grid.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_requester.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"

int32_t binary_width = 0, binary_height = 0, binary_skip = 0;
char binary_file_name[256] = {};
char binary_path[256] = {};

void reset_raw_elevation_import() {
  binary_width = binary_height = binary_skip = 0;
  binary_file_name[0] = 0;
  binary_path[0] = 0;
}

int32_t load_binary_raw(const char* path, int32_t width, int32_t height, int32_t skip) {
  if (!elevation_rows || width <= 0 || height <= 0 || skip < 0) return 0;
  LandscapeFileReader r;
  if (!r.open(path)) return 0;
  const int32_t rows = std::min(height, grid_height);
  const int32_t keep = std::min(width, grid_width);
  const uint64_t row_bytes = 2ull * static_cast<uint64_t>(width);
  // The file must hold every row that is taken; this also bounds the row buffer by the file's size.
  if (static_cast<uint64_t>(skip) + row_bytes * static_cast<uint64_t>(rows) > r.size) return 0;

  std::vector<uint8_t> row(static_cast<size_t>(row_bytes));
  std::vector<int16_t> samples(static_cast<size_t>(keep) * static_cast<size_t>(rows));
  if (!r.seek(static_cast<uint64_t>(skip))) return 0;
  for (int32_t y = 0; y < rows; ++y) {
    if (!r.read_at(-1, row.data(), row.size())) return 0;
    int16_t* out = samples.data() + static_cast<size_t>(y) * keep;
    for (int32_t x = 0; x < keep; ++x) out[x] = static_cast<int16_t>(row[2 * x] | row[2 * x + 1] << 8);
  }
  // Whole: only now is the landscape replaced.
  clear_elevations();
  for (int32_t y = 0; y < rows; ++y)
    std::memcpy(elevation_row(y), samples.data() + static_cast<size_t>(y) * keep, static_cast<size_t>(keep) * 2);
  return 1;
}

int32_t load_binary_dialog() {
  if (binary_width == 0) binary_width = grid_width;
  if (binary_height == 0) binary_height = grid_height;
  if (file_requester("Load Binary Data", binary_dir, binary_dir_work, binary_file_name, "*.bin", binary_path, 0) != 1)
    return -1;
  value_requester("Data width:", "  OK  ", nullptr, &binary_width);
  value_requester("Data height:", "  OK  ", nullptr, &binary_height);
  value_requester("Header bytes to skip:", "  OK  ", nullptr, &binary_skip);
  cursor_wait();
  const int32_t result = load_binary_raw(binary_path, binary_width, binary_height, binary_skip);
  cursor_arrow();
  return result;
}
