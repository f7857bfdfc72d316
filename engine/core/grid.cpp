// Row tables, the landscape grids and their resizing, fills and copies, and flat landscapes.
#include "engine/core/grid.h"

#include <cstring>

#include "engine/core/landscape_names.h"
#include "engine/host/host.h"
#include "engine/core/fatal.h"

int32_t grid_width = 258, grid_height = 258;
int32_t land_width = 256, land_height = 256;
int32_t land_max_side = 257, land_min_side = 257;
float grid_spacing_x = 30.0f, grid_spacing_y = 30.0f;
RowTable elevation_rows = nullptr;
RowTable cover_rows = nullptr;
RowTable shade_rows = nullptr;
RowTable min_elevation_rows = nullptr;
int32_t grid_alloc_width = 0, grid_alloc_height = 0;
int32_t region_mode = 1;

void reset_grid_spacing() {
  grid_spacing_x = 30.0f;
  grid_spacing_y = 30.0f;
}

void* global_alloc_zeroed(size_t size) { return host().alloc_zeroed(size); }
void global_free(void* block) { host().free_block(block); }

RowTable alloc_rows(int32_t columns, int32_t rows, int32_t element_size) {
  if (columns < 0 || rows < 0 || element_size <= 0) return nullptr;
  // Sizes in 64 bits: a large image or grid must not wrap to a small block.
  const uint64_t row_bytes = static_cast<uint64_t>(columns) * static_cast<uint64_t>(element_size);
  const uint64_t block_bytes = row_bytes * static_cast<uint64_t>(rows);
  const uint64_t table_bytes = (static_cast<uint64_t>(rows) + 1) * sizeof(void*);
  if (block_bytes > (uint64_t{1} << 40)) return nullptr;
  auto table = static_cast<RowTable>(global_alloc_zeroed(static_cast<size_t>(table_bytes)));
  if (!table) return nullptr;
  if (rows > 0) {
    auto block = static_cast<uint8_t*>(global_alloc_zeroed(static_cast<size_t>(block_bytes ? block_bytes : 1)));
    if (!block) {
      global_free(table);
      return nullptr;
    }
    for (int32_t i = 0; i < rows; ++i) table[i] = block + static_cast<size_t>(row_bytes) * static_cast<size_t>(i);
  }
  table[rows] = nullptr;
  return table;
}

RowTable alloc_array2d(int32_t columns, int32_t rows, int32_t element_size) {
  return alloc_rows(columns, rows, element_size);
}

void free_rows(RowTable table) {
  if (!table) return;
  if (table[0]) global_free(table[0]);
  global_free(table);
}

void free_array2d(RowTable table) { free_rows(table); }

void fill_u32(void* destination, int32_t count, uint32_t value) {
  auto d = static_cast<uint32_t*>(destination);
  for (int32_t i = 0; i < count; ++i) d[i] = value;
}

void fill_u16(void* destination, int32_t count, uint16_t value) {
  auto d = static_cast<uint16_t*>(destination);
  for (int32_t i = 0; i < count; ++i) d[i] = value;
}

void fill_u8(void* destination, int32_t count, uint8_t value) {
  if (count > 0) std::memset(destination, value, static_cast<size_t>(count));
}

void copy_u16(const void* source, void* destination, int32_t count) {
  if (count > 0) std::memmove(destination, source, static_cast<size_t>(count) * 2);
}

void copy_u8(const void* source, void* destination, int32_t count) {
  if (count > 0) std::memmove(destination, source, static_cast<size_t>(count));
}

void free_landscape_grids() {
  free_rows(elevation_rows);
  free_rows(cover_rows);
  free_rows(shade_rows);
  free_rows(min_elevation_rows);
  elevation_rows = cover_rows = shade_rows = min_elevation_rows = nullptr;
  grid_alloc_width = grid_alloc_height = 0;
}

// Allocates all four grids of the new size before the old ones are released, so that a
// failure leaves the landscape as it was.
int32_t alloc_landscape_grids(int32_t samples_x, int32_t samples_y) {
  if (samples_x < kMinGridSamples || samples_y < kMinGridSamples || samples_x > kMaxGridSamples ||
      samples_y > kMaxGridSamples)
    return 0;
  RowTable fresh[4] = {};
  for (auto& t : fresh) {
    t = alloc_rows(samples_x, samples_y, 2);
    if (!t) {
      for (auto& f : fresh) free_rows(f);
      return 0;
    }
  }
  free_landscape_grids();
  elevation_rows = fresh[0];
  cover_rows = fresh[1];
  shade_rows = fresh[2];
  min_elevation_rows = fresh[3];
  grid_alloc_width = samples_x;
  grid_alloc_height = samples_y;
  return 1;
}

namespace {
void set_size_fields(int32_t samples_x, int32_t samples_y) {
  grid_width = samples_x;
  grid_height = samples_y;
  land_width = samples_x - 2;
  land_height = samples_y - 2;
  land_max_side = (land_width > land_height ? land_width : land_height) + 1;
  land_min_side = (land_width < land_height ? land_width : land_height) + 1;
}
}  // namespace

int32_t resize_landscape(int32_t cells_x, int32_t cells_y) {
  if (cells_x < 1 || cells_y < 1 || cells_x > kMaxGridSamples - 2 || cells_y > kMaxGridSamples - 2) return 0;
  const int32_t sx = cells_x + 2, sy = cells_y + 2;
  if (sx == grid_alloc_width && sy == grid_alloc_height && elevation_rows) return 1;
  if (alloc_landscape_grids(sx, sy)) {
    set_size_fields(sx, sy);
    return 1;
  }
  // No grids at all (first allocation): fall back to the default size or give up.
  if (!elevation_rows) {
    if (!alloc_landscape_grids(258, 258)) {
      free_landscape_grids();
      fatal_exit("Out of memory while resizing landscape.");
    }
    set_size_fields(258, 258);
  }
  return 0;
}

int32_t set_landscape_size(int32_t points_x, int32_t points_y) {
  const int32_t result = resize_landscape(points_x - 2, points_y - 2);
  // A failed resize keeps the previous grids with their contents.
  if (result) make_default_landscape();
  return result;
}

namespace {
void clear_grid(RowTable table) {
  if (!table) return;
  for (int32_t r = 0; r < grid_height; ++r) fill_u16(table[r], grid_width, 0);
}
}  // namespace

void clear_elevations() { clear_grid(elevation_rows); }
void clear_colors() { clear_grid(cover_rows); }
void clear_shades() { clear_grid(shade_rows); }

int32_t new_flatland(int32_t command) {
  int32_t result = 0;
  switch (command) {
    case 1054: result = set_landscape_size(258, 258); break;
    case 1055: result = set_landscape_size(514, 514); break;
    case 1056: result = set_landscape_size(1026, 1026); break;
    case 1057: result = set_landscape_size(2050, 2050); break;
    case 1058: result = set_landscape_size(4098, 4098); break;
    case 1059: result = 1; break;
    default: result = 0; break;
  }
  set_landscape_name("Flatland");
  if (result == 1) region_mode = command == 1059 ? 1 : 2;
  return result;
}
