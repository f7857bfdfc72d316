// The topographic map's view state (scroll, zoom, origin) and its conversions between map pixels, world metres and grid samples.
#pragma once

#include <cstdint>

#include "engine/core/grid.h"

// Map state. The map shows 256 by 256 pixels at panel x 30 to 285 and y 25 to 280, row 0 at the bottom.
extern RowTable topo_image;      // 256 rows of 256 UI palette indexes, row 0 the bottom row
extern int32_t topo_zoom;        // grid samples per 16 map pixels, 1 to 256 (16: one pixel per sample)
extern int32_t topo_center_x;    // scroll across the landscape, in 256ths of its larger side (0 to 255)
extern int32_t topo_center_y;    // scroll along the landscape, in 256ths of its larger side (0 to 255)
extern int32_t topo_origin_x;    // grid column at the map's left edge
extern int32_t topo_origin_y;    // grid row at the map's bottom edge
extern int32_t topo_mode;        // 0 elevation bands, 1 ground cover, 2 path

// The map area in panel pixels.
constexpr int32_t kTopoLeft = 30;
constexpr int32_t kTopoBottom = 280;
constexpr int32_t kTopoSize = 256;

// Scroll 128,128, zoom 16, origins derived; the map image is allocated once.
void topo_init();
// The scroll position and zoom, to restore later with topo_set_view.
void topo_get_view(int32_t* center_x, int32_t* center_y, int32_t* zoom);
void topo_set_view(int32_t center_x, int32_t center_y, int32_t zoom);
// Scroll 128,128 and the zoom that fits the whole landscape (land_max_side / 16, at least 1).
void topo_reset_view();
// Origins from the scroll position and zoom; and the scroll position back from the origins.
void topo_derive_origin();
void topo_derive_center();

// Map pixel to world metres and back; grid sample to map pixel.
void topo_to_world(int32_t px, int32_t py, float* wx, float* wy);
void world_to_topo(float wx, float wy, int32_t* px, int32_t* py);
void grid_to_topo(int32_t col, int32_t row, int32_t* px, int32_t* py);

// The grid sample under a world point: col = trunc(wx / grid_spacing_x), row = trunc(wy / grid_spacing_y).
// Returns true when it lies on the landscape (0 <= col <= land_width, 0 <= row <= land_height).
bool world_to_sample(float wx, float wy, int32_t* col, int32_t* row);
