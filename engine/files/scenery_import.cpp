// Scenery Animator landscapes: chunks found and checked against the file, rows decoded into a temporary
// grid, and the landscape replaced only when the file was sound.
#include "engine/files/scenery_import.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_requester.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

char scenery_dir[256], scenery_name[256], scenery_path[256];

void reset_scenery_import() { scenery_dir[0] = scenery_name[0] = scenery_path[0] = 0; }

namespace {

constexpr int16_t kNoData = -32768;
// Files larger than the largest landscape's elevations can need (with room for other chunks) are refused
// before anything is read.
constexpr uint64_t kMaxFileBytes = 512ull << 20;

bool valid(int16_t v) { return v > -30000; }
uint32_t be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

}  // namespace

uint64_t file_size(const char* path) {
  LandscapeFileReader r;
  return r.open(path) ? r.size : 0;
}

int64_t find_chunk(const uint8_t* buffer, const char* id, size_t length) {
  if (length < 8) return -1;
  for (size_t i = 0; i + 4 < length; ++i)
    if (std::memcmp(buffer + i, id, 4) == 0) return static_cast<int64_t>(i + 4);
  return -1;
}

size_t decode_sanim_row(const uint8_t* coded, size_t length, int16_t* out, int32_t count) {
  size_t at = 0;
  if (count <= 0) return 0;
  if (length < 2) return length;
  int32_t v = static_cast<int16_t>(coded[0] << 8 | coded[1]);
  out[0] = static_cast<int16_t>(v);
  at = 2;
  for (int32_t i = 1; i < count; ++i) {
    if (at >= length) return at;
    const int8_t d = static_cast<int8_t>(coded[at++]);
    if (d == -128) {
      if (at + 2 > length) return length;
      v = static_cast<int16_t>(coded[at] << 8 | coded[at + 1]);
      at += 2;
    } else {
      v = static_cast<int16_t>(v + d);  // a 16-bit sample, as stored
    }
    out[i] = static_cast<int16_t>(v);
  }
  return at;
}

int16_t fill_void_from_neighbour(int32_t x, int32_t y) {
  int32_t d = 30000, v = 32767;
  for (int32_t c = x, dist = 0; c < land_width && dist <= 30000; ++c, ++dist) {
    const int16_t s = elevation_row(y)[c];
    if (valid(s)) {
      d = dist, v = s;
      break;
    }
  }
  for (int32_t dist = 0; x - dist >= 0 && dist <= d; ++dist) {
    const int16_t s = elevation_row(y)[x - dist];
    if (valid(s)) {
      d = dist, v = std::min<int32_t>(v, s);
      break;
    }
  }
  for (int32_t dist = 0; y + dist < land_height && dist <= d; ++dist) {
    const int16_t s = elevation_row(y + dist)[x];
    if (valid(s)) {
      d = dist, v = std::min<int32_t>(v, s);
      break;
    }
  }
  for (int32_t dist = 0; y - dist >= 0 && dist <= d; ++dist) {
    const int16_t s = elevation_row(y - dist)[x];
    if (valid(s)) {
      v = std::min<int32_t>(v, s);
      break;
    }
  }
  return static_cast<int16_t>(v);
}

void adjust_landscape() {
  show_status("Adjust Landscape");
  if (!elevation_rows) return;
  // The same result as filling each void with fill_void_from_neighbour in turn, without its long walks:
  // samples already visited are all valid, so the left and upward walks stop one sample away, and the
  // walk to the right sees the row as it was. Only the first column walks downwards far.
  std::vector<int32_t> next_right(static_cast<size_t>(grid_width) + 1);
  for (int32_t y = 0; y < grid_height; ++y) {
    if (y % 64 == 0) show_progress("Adjust Landscape", y, grid_height);
    int16_t* row = elevation_row(y);
    int32_t next = -1;
    for (int32_t x = std::min(land_width, grid_width) - 1; x >= 0; --x) {
      if (valid(row[x])) next = x;
      next_right[static_cast<size_t>(x)] = next;
    }
    for (int32_t x = 0; x < grid_width; ++x) {
      if (valid(row[x])) continue;
      if (x == 0) {
        row[x] = fill_void_from_neighbour(x, y);
        continue;
      }
      int32_t v = 32767;
      if (x < land_width && next_right[static_cast<size_t>(x)] >= 0) v = row[next_right[static_cast<size_t>(x)]];
      v = std::min<int32_t>(v, row[x - 1]);  // the left walk finds the sample just filled or kept, at distance 1
      if (y + 1 < land_height && valid(elevation_row(y + 1)[x])) v = std::min<int32_t>(v, elevation_row(y + 1)[x]);
      if (y >= 1) v = std::min<int32_t>(v, elevation_row(y - 1)[x]);
      row[x] = static_cast<int16_t>(v);
    }
  }
}

namespace {

int32_t refuse(const char* path, const char* reason) {
  msg_damaged_file(path, reason);
  return 0;
}

}  // namespace

int32_t load_scenery_animator(const char* path) {
  show_status("LoadingLandscape");
  LandscapeFileReader r;
  if (!r.open(path)) return msg_error_opening(path);
  if (r.size > kMaxFileBytes) return refuse(path, "The file is larger than any landscape of this kind can be.");
  std::vector<uint8_t> file(static_cast<size_t>(r.size));
  if (!file.empty() && !r.read_at(0, file.data(), file.size())) return msg_error_reading(path);
  if (file.size() < 4 || std::memcmp(file.data(), "SANM", 4) != 0) {
    requester("Not a Scenery Animator file!", "  OK  ", nullptr);
    return 0;
  }
  const size_t n = file.size();
  const int64_t header_at = find_chunk(file.data(), "DEMH", n);
  const int64_t dem_at = find_chunk(file.data(), "DEM ", n);
  if (header_at < 0 || dem_at < 0) return refuse(path, "The file has no landscape header or no elevations.");
  // Each chunk: its length, then its data, all inside the file.
  auto chunk = [&](int64_t at, uint64_t* data, uint64_t* length) {
    if (static_cast<uint64_t>(at) + 4 > n) return false;
    *length = be32(file.data() + at);
    *data = static_cast<uint64_t>(at) + 4;
    return *length <= n - *data;
  };
  uint64_t header = 0, header_length = 0, dem = 0, dem_length = 0;
  if (!chunk(header_at, &header, &header_length) || header_length < 12 || !chunk(dem_at, &dem, &dem_length))
    return refuse(path, "A chunk runs past the end of the file.");
  const uint32_t rows = be32(file.data() + header + 4), columns = be32(file.data() + header + 8);
  if (rows == 0 || columns == 0) return refuse(path, "The landscape has no rows or no columns.");

  // Fit the grid: any size up to the largest landscape, or the present grid.
  const uint32_t limit = region_mode == 1 ? kMaxGridSamples : 0;
  int32_t new_columns = 0, new_rows = 0;
  if (region_mode == 1) {
    if (columns > limit || rows > limit) return msg_file_too_big(path);
    new_columns = static_cast<int32_t>((columns + 7) / 8 * 8) + 2;
    new_rows = static_cast<int32_t>((rows + 7) / 8 * 8) + 2;
    if (new_columns > kMaxGridSamples || new_rows > kMaxGridSamples) return msg_file_too_big(path);
  } else if (columns > static_cast<uint32_t>(grid_width) || rows > static_cast<uint32_t>(grid_height)) {
    return msg_file_too_big(path);
  }
  // Every coded row takes at least one byte per sample and one more for the first.
  if (static_cast<uint64_t>(rows) * (static_cast<uint64_t>(columns) + 1) > dem_length)
    return refuse(path, "The elevations are shorter than the rows they must hold.");

  // Decode into a temporary grid; a row coded past the chunk's end keeps "no data" there.
  std::vector<int16_t> samples(static_cast<size_t>(rows) * columns, kNoData);
  size_t at = 0;
  for (uint32_t y = 0; y < rows; ++y) {
    if (y % 64 == 0) show_progress("LoadingLandscape", static_cast<int32_t>(y), static_cast<int32_t>(rows));
    at += decode_sanim_row(file.data() + dem + at, static_cast<size_t>(dem_length) - at,
                           samples.data() + static_cast<size_t>(y) * columns, static_cast<int32_t>(columns));
  }
  char description[64] = {};
  if (header_length > 34) {
    const size_t text = std::min<size_t>(static_cast<size_t>(header_length) - 34, sizeof description - 1);
    for (size_t i = 0; i < text && file[header + 34 + i]; ++i) description[i] = static_cast<char>(file[header + 34 + i]);
  }

  if (region_mode == 1 && set_landscape_size(new_columns, new_rows) != 1) return msg_file_too_big(path);
  for (int32_t y = 0; y < grid_height; ++y) fill_u16(elevation_row(y), grid_width, static_cast<uint16_t>(kNoData));
  for (uint32_t y = 0; y < rows; ++y)
    std::memcpy(elevation_row(static_cast<int32_t>(y)), samples.data() + static_cast<size_t>(y) * columns,
                static_cast<size_t>(columns) * 2);
  adjust_landscape();
  clear_colors();
  derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = land_width;
  set_landscape_name("Scenery Animator Landscape");
  std::memset(landscape_description, 0, sizeof landscape_description);
  std::memcpy(landscape_description, description, sizeof description - 1);
  return 1;
}

int32_t load_scenery_animator_dialog() {
  if (file_requester("Load Scenery File:", scenery_dir, scenery_dir, scenery_name, "*.DEM", scenery_path, 0) != 1)
    return -1;
  return load_scenery_animator(scenery_path);
}
