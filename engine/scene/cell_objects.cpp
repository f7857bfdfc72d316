// The objects of one grid cell: placement at the cell centre on the cell's mean height, the render-range
// test, and the hand-over to the tree and house drawers; plus the view test of a tree.
#include "engine/scene/cell_objects.h"

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/cell_max_elevation.h"
#include "engine/raster/haze.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/render_services.h"
#include "engine/scene/houses.h"
#include "engine/scene/tree_draw.h"

namespace {
constexpr int16_t kNoDataSample = -32768;
}  // namespace

void draw_cell_objects(int32_t row, int32_t col) {
  if (render_settings.render_range > 0 && point_distance > static_cast<float>(render_settings.render_range)) return;
  if (render_settings.render_range < 0 && point_distance < -static_cast<float>(render_settings.render_range)) return;
  if (!cover_rows || !elevation_rows) return;
  const int32_t s = render_settings.grid_step;
  // A cell whose corners lie beyond the grid has no terrain to stand on.
  if (s < 1 || row < 0 || col < 0 || row + s >= grid_height || col + s >= grid_width) return;
  const int32_t o = cover_row(row)[col].object;
  if (o == 0) return;
  const bool tree = (o >= 34 && o <= 37) || (o >= 60 && o <= 63);
  const bool house = o >= 72 && o <= 75;
  if (!tree && !house) return;
  if (tree && tree_settings.trees_enabled == 0) return;

  const int16_t* e0 = elevation_row(row);
  const int16_t* e1 = elevation_row(row + s);
  const int16_t a = e0[col], b = e0[col + s], c = e1[col], d = e1[col + s];
  // A corner without data would put the object far below the terrain: leave the object out.
  if (a == kNoDataSample || b == kNoDataSample || c == kNoDataSample || d == kNoDataSample) return;
  const int32_t x = trunc_to_i32(static_cast<double>(col) * grid_spacing_x +
                                 static_cast<double>(s) * grid_spacing_x / 2.0);
  const int32_t y = trunc_to_i32(static_cast<double>(row) * grid_spacing_y +
                                 static_cast<double>(s) * grid_spacing_y / 2.0);
  const int32_t z = (a + b + c + d) / 4;
  const uint16_t shade = shade_rows ? shade_row(row)[col] : 0;

  if (o <= 37) {
    draw_tree(z, y, x, o, shade);
  } else if (o <= 63) {
    draw_tree(z, y, x, o - 26, shade);
  } else {
    const int32_t kind = o - 4;
    draw_house(z, y, x, kind, shade, kind <= 69 ? 15 : 31);
  }
}

int32_t tree_out_of_view(int32_t x, int32_t y, int32_t z, int32_t size) {
  float u = 0, v = 0, w = 0;
  world_to_view(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), &u, &v, &w);
  const double sz = size;
  if (w + sz <= 0 || u + sz <= -w || v + sz <= -w || u - sz >= w || v - sz >= w) return 1;
  if (los_culling == 0) return 0;
  const int32_t col = trunc_to_i32(x / grid_spacing_x);
  const int32_t row = trunc_to_i32(y / grid_spacing_y);
  const int32_t h = cell_max_elevation(col, row);
  const int64_t top = static_cast<int64_t>(size) + h;
  return terrain_hides_point(col, row, clamp_i32(top, INT32_MIN, INT32_MAX)) ? 1 : 0;
}
