// The river walk, the lake flood, the bank smoothing and the sea: the water operations without questions.
#include "engine/landscape/water.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/vectors.h"
#include "engine/core/wrap.h"
#include "engine/landscape/map_plot.h"
#include "engine/landscape/topo_view.h"
#include "engine/landscape/water_color.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"

LakeFloodState lake_flood_state;

void reset_lake_flood_state() { lake_flood_state = LakeFloodState{}; }

namespace {

constexpr int32_t kMaxFloodDepth = 3400;

inline uint8_t& cls(int32_t y, int32_t x) { return cover_row(y)[x].color_class; }
inline int16_t& elev(int32_t y, int32_t x) { return elevation_row(y)[x]; }

bool inside(int32_t column, int32_t row) {
  return elevation_rows && cover_rows && column >= 0 && column <= land_width && row >= 0 && row <= land_height;
}

// A dot on the map where the water reached, when its map position lies inside the map's inner area.
void plot_on_map(int32_t y, int32_t x) {
  int32_t px = 0, py = 0;
  world_to_topo(static_cast<float>(x) * grid_spacing_x, static_cast<float>(y) * grid_spacing_y, &px, &py);
  if (px >= 31 && px <= 284 && py >= 26 && py <= 279) map_put_pixel(px, py, 0);
}

void mark_reached(int32_t y, int32_t x) {
  if (cls(y, x) < kClassWaterMark) {
    plot_on_map(y, x);
    cls(y, x) = kClassWaterMark;
  }
}

// Directions of the river walk, in the order that settles a tie: down, up, right, left.
enum { kDown, kUp, kRight, kLeft };
constexpr int32_t kDy[4] = {1, -1, 0, 0};
constexpr int32_t kDx[4] = {0, 0, 1, -1};

// The truncated mean of the line of samples k steps away across direction d, or 32767 when it lies outside.
int32_t line_mean(int32_t d, int32_t y, int32_t x, int32_t k) {
  int64_t sum = 0;
  int32_t count = 0;
  if (d == kDown || d == kUp) {
    const int32_t r = d == kDown ? y + k : y - k;
    if (d == kDown ? r >= land_height : r < 0) return 32767;
    for (int32_t c = std::max(0, x - k); c < std::min(land_width, x + k); ++c, ++count) sum += elev(r, c);
  } else {
    const int32_t c = d == kRight ? x + k : x - k;
    if (d == kRight ? c >= land_width : c < 0) return 32767;
    for (int32_t r = std::max(0, y - k); r < std::min(land_height, y + k); ++r, ++count) sum += elev(r, c);
  }
  return count ? static_cast<int32_t>(sum / count) : 32767;
}

// The direction the river takes from (y, x), or -1 to stay.
int32_t river_direction(int32_t y, int32_t x) {
  const int32_t c = elev(y, x);
  int32_t n[4];
  for (int32_t d = 0; d < 4; ++d) n[d] = elev(y + kDy[d], x + kDx[d]);
  if (c < n[0] && c < n[1] && c < n[2] && c < n[3]) return -1;
  const int32_t m = std::min({c, n[0], n[1], n[2], n[3]});
  bool running[4];
  int32_t left = 0;
  for (int32_t d = 0; d < 4; ++d) left += (running[d] = n[d] == m);
  for (int32_t k = 1; k < land_width && left > 1; ++k) {
    int32_t v[4];
    for (int32_t d = 0; d < 4; ++d) v[d] = running[d] ? line_mean(d, y, x, k) : 32767;
    const int32_t best = std::min({v[0], v[1], v[2], v[3]});
    int32_t at_best = 0;
    for (int32_t d = 0; d < 4; ++d) {
      if (v[d] == best) ++at_best;
      if (running[d] && v[d] > best) {
        running[d] = false;
        --left;
      }
    }
    if (at_best <= 1) break;
  }
  for (int32_t d = 0; d < 4; ++d)
    if (running[d]) return d;
  return -1;
}

bool is_water(uint8_t c) { return c >= kClassWater1 && c <= kClassWater5; }

// E of a bank sample: the water surface plus its old height above it modulo 4 (0 to 3 m).
void bank(int32_t y, int32_t x, int32_t surface) {
  if (cls(y, x) == kClassWaterMark) return;
  const int32_t e = elev(y, x);
  elev(y, x) = wrap16(surface + (sub_wrap32(e, surface) & 3));
}

int32_t slope_of(float dz1, float dz2) {
  Vec3f a{grid_spacing_x, 0.0f, dz1}, b{0.0f, grid_spacing_y, dz2}, n{};
  return face_slope_angle(a, b, &n);
}

}  // namespace

void trace_river(int32_t row, int32_t column, int32_t stop_at_water) {
  if (!inside(column, row)) return;
  int32_t y = row, x = column;
  for (;;) {
    if (stop_at_water && is_water(cls(y, x))) return;
    mark_reached(y, x);
    if (poll_user_abort() == -1) return;
    if (y < 2 || y >= land_height - 1 || x < 2 || x >= land_width - 1) return;
    // The bed rises at every visit, so a pit fills until the river can leave it; at the top of the 16-bit
    // range it stays instead of wrapping to the no-data marker.
    if (elev(y, x) < 32767) ++elev(y, x);
    const int32_t d = river_direction(y, x);
    if (d < 0) continue;
    y += kDy[d];
    x += kDx[d];
  }
}

void smooth_water() {
  if (!elevation_rows || !cover_rows) return;
  for (int32_t y = 1; y <= land_height; ++y)
    for (int32_t x = 1; x <= land_width - 1; ++x) {
      if (cls(y, x) != kClassWaterMark) continue;
      const int32_t s = elev(y, x);
      bank(y - 1, x - 1, s);
      bank(y - 1, x, s);
      bank(y - 1, x + 1, s);
      bank(y, x - 1, s);
    }
  for (int32_t y = 0; y <= land_height - 1; ++y)
    for (int32_t x = 1; x <= land_width - 1; ++x) {
      if (cls(y, x) != kClassWaterMark) continue;
      const int32_t s = elev(y, x);
      bank(y, x + 1, s);
      bank(y + 1, x, s);
      bank(y + 1, x + 1, s);
      bank(y + 1, x - 1, s);
    }
  for (int32_t y = 0; y <= land_height; ++y)
    for (int32_t x = 0; x <= land_width; ++x) {
      if (cls(y, x) != kClassWaterMark) continue;
      const float e00 = elev(y, x), e01 = elev(y, x + 1), e10 = elev(y + 1, x), e11 = elev(y + 1, x + 1);
      const int32_t slope1 = slope_of(e11 - e10, e10 - e00);
      const int32_t slope2 = slope_of(e01 - e00, e11 - e01);
      const int32_t c1 = water_color_for_slope(slope1);
      const int32_t c2 = water_color_for_slope(slope2);
      cls(y, x) = static_cast<uint8_t>(std::max(c1, c2));
    }
}

int32_t flood_lake(int32_t level, int32_t row, int32_t column) {
  if (lake_flood_state.depth > kMaxFloodDepth) return 1;
  ++lake_flood_state.depth;
  if (lake_flood_state.stopped) {
    --lake_flood_state.depth;
    return -1;
  }
  if (poll_user_abort() == -1) {
    --lake_flood_state.depth;
    lake_flood_state.stopped = 1;
    return -1;
  }
  int32_t left = column, right = column;
  while (left > 0 && elev(row, left - 1) <= level) --left;
  while (right < land_width && elev(row, right + 1) <= level) ++right;
  const int16_t surface = wrap16(level + 1);
  for (int32_t x = left; x <= right; ++x) {
    elev(row, x) = surface;
    mark_reached(row, x);
  }
  if (row > 0)
    for (int32_t x = left; x <= right; ++x)
      if (elev(row - 1, x) <= level) flood_lake(level, row - 1, x);
  if (row < land_height)
    for (int32_t x = left; x <= right; ++x)
      if (elev(row + 1, x) <= level) flood_lake(level, row + 1, x);
  --lake_flood_state.depth;
  return lake_flood_state.stopped ? -1 : 1;
}

void create_river(int32_t column, int32_t row) {
  if (inside(column, row)) {
    show_status("Creating river");
    pointer_hide();
    // A river that starts in water leaves it and runs to the edge.
    trace_river(row, column, is_water(cls(row, column)) ? 0 : 1);
    smooth_water();
    pointer_show();
  }
  derived_data.colors_done_step = land_width;
  derived_data.shades_done_step = land_width;
}

void create_lake(int32_t column, int32_t row, int32_t level) {
  if (inside(column, row)) {
    show_status("Creating lake");
    pointer_hide();
    lake_flood_state.stopped = 0;
    lake_flood_state.depth = 0;
    // The surface lies one metre above the level and must stay a 16-bit elevation; a wrapped surface would
    // lie below the level again and be flooded over and over.
    const int32_t lake_level = std::clamp(level, -32768, kMaxLakeLevel);
    if (flood_lake(lake_level, row, column) != -1) smooth_water();
    lake_flood_state.depth = 0;
    pointer_show();
  }
  derived_data.colors_done_step = land_width;
  derived_data.shades_done_step = land_width;
}

void create_sea() {
  if (!elevation_rows || !cover_rows || !shade_rows) return;
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], shade_rows[y], grid_width);
  show_status("Creating sea");
  auto S = [](int32_t y, int32_t x) -> int32_t { return row_of<int16_t>(shade_rows, y)[x]; };
  // Levels beyond the 16-bit range are taken at its ends, as a stored elevation would be.
  const int32_t level = std::clamp(terrain_settings.sea_level, -32768, 32767);
  const int16_t level16 = static_cast<int16_t>(level);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x)
      if (elev(y, x) < level) elev(y, x) = level16;
  int64_t d = (int64_t{level} - landscape_view.base_level) / 6;
  if (d == 0) d = 1;
  for (int32_t y = 0; y < grid_height - 1; ++y)
    for (int32_t x = 0; x < grid_width - 1; ++x) {
      if (S(y, x) > level) continue;
      const int32_t yu = y == 0 ? y : y - 1;
      const int32_t yd = y + 1 > land_height ? y : y + 1;
      const int32_t xl = x == 0 ? x : x - 1;
      const int32_t xr = x + 1 > land_width ? x : x + 1;
      if (S(yu, x) > level || S(yd, x) > level || S(y, xl) > level || S(y, xr) > level) {
        cls(y, x) = kClassBeach;
        continue;
      }
      const int64_t depth = int64_t{level} - S(y, x);
      int32_t v = 0;
      if (depth < d) v = static_cast<int32_t>((d - depth) * 16 / d - (random8() & 15));
      cls(y, x) = static_cast<uint8_t>(water_color_for_slope(v));
    }
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) elev(y, x) = wrap16(int32_t{elev(y, x)} - level);
  if (level >= landscape_view.base_level)
    for (int32_t y = 0; y <= grid_height - 2; ++y)
      for (int32_t x = 0; x <= grid_width - 2; ++x)
        if (cls(y, x) == kClassBeach) elev(y, x) = 1;
}
