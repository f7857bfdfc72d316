// The landscape grids: row tables, the four grids with their size fields, fills and copies, resizing and flat landscapes.
#pragma once

#include <cstddef>
#include <cstdint>

// A two-dimensional array: rows + 1 row pointers (the last null) into one zero-filled block.
using RowTable = void**;

RowTable alloc_rows(int32_t columns, int32_t rows, int32_t element_size);
RowTable alloc_array2d(int32_t columns, int32_t rows, int32_t element_size);
void free_rows(RowTable table);
void free_array2d(RowTable table);
void* global_alloc_zeroed(size_t size);
void global_free(void* block);

// Typed row access.
template <typename T>
inline T* row_of(RowTable table, int32_t row) {
  return static_cast<T*>(table[row]);
}

// A sample of the cover grid.
struct CoverCell {
  uint8_t color_class;
  uint8_t object;
};
static_assert(sizeof(CoverCell) == 2);

// Shade cell bits.
constexpr uint16_t kShadeIntensityMask = 0x00FF;
constexpr uint16_t kShadeTerrainShadow = 0x0100;
constexpr uint16_t kShadeObjectShadow = 0x0200;

// The largest landscape: 8192 cells a side, 8194 samples with the guard samples.
constexpr int32_t kMaxGridSamples = 8194;
constexpr int32_t kMinGridSamples = 3;

// LandscapeGrid.
extern int32_t grid_width, grid_height;
extern int32_t land_width, land_height;
extern int32_t land_max_side, land_min_side;
extern float grid_spacing_x, grid_spacing_y;
// Sample spacing back to its start value of 30 metres both ways.
void reset_grid_spacing();
extern RowTable elevation_rows;
extern RowTable cover_rows;
extern RowTable shade_rows;
extern RowTable min_elevation_rows;
extern int32_t grid_alloc_width, grid_alloc_height;
extern int32_t region_mode;

inline int16_t* elevation_row(int32_t r) { return row_of<int16_t>(elevation_rows, r); }
inline CoverCell* cover_row(int32_t r) { return row_of<CoverCell>(cover_rows, r); }
inline uint16_t* shade_row(int32_t r) { return row_of<uint16_t>(shade_rows, r); }
inline int16_t* min_elevation_row(int32_t r) { return row_of<int16_t>(min_elevation_rows, r); }

// Fills and copies by element count; a count of 0 or less does nothing. Copies take the source first.
void fill_u32(void* destination, int32_t count, uint32_t value);
void fill_u16(void* destination, int32_t count, uint16_t value);
void fill_u8(void* destination, int32_t count, uint8_t value);
void copy_u16(const void* source, void* destination, int32_t count);
void copy_u8(const void* source, void* destination, int32_t count);

int32_t set_landscape_size(int32_t points_x, int32_t points_y);
int32_t resize_landscape(int32_t cells_x, int32_t cells_y);
int32_t alloc_landscape_grids(int32_t samples_x, int32_t samples_y);
void free_landscape_grids();
void clear_elevations();
void clear_colors();
void clear_shades();
int32_t new_flatland(int32_t command);

// The default terrain: low uneven ground with a stepped pyramid in the centre.
void make_default_landscape();
