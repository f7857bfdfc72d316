// The reshaping tools: rescale, smooth, stretch, Cloudify, mirrors and the zero border, all in place on the elevations.
#include "engine/landscape/reshape.h"

#include <cmath>

#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/landscape/camera.h"
#include "engine/ui/status.h"

namespace {

bool have_grid() { return elevation_rows != nullptr && land_width >= 1 && land_height >= 1; }

// A neighbour without data counts as the sample itself, so a gap never pulls its surroundings down.
inline int32_t nb(int32_t n, int32_t centre) { return n == kNoDataElevation ? centre : n; }

// Copies every elevation row into shade_rows (the work copy); false when there is no work grid.
bool copy_to_work() {
  if (!shade_rows) return false;
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], shade_rows[y], grid_width);
  return true;
}

inline int16_t* work_row(int32_t y) { return row_of<int16_t>(shade_rows, y); }

}  // namespace

void rescale_vertical() {
  if (!elevation_rows) return;
  const float f = landscape_view.vertical_scale / landscape_view.built_vertical_scale;
  // After a scale of 0 there is no factor back (0 divides): the flattened samples stay as they are.
  const bool scalable = std::isfinite(f);
  for (int32_t y = 0; y < grid_height && scalable; ++y) {
    show_progress("Scale", y, grid_height);
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x < grid_width; ++x) {
      if (e[x] == kNoDataElevation) continue;
      e[x] = wrap16(trunc_to_i32(static_cast<float>(e[x]) * f));
    }
  }
  landscape_view.built_vertical_scale = landscape_view.vertical_scale;
}

void smooth_landscape() {
  if (!have_grid()) return;
  const int32_t g = land_width + 1;
  const int32_t r = land_height + 1;
  for (int32_t y = 1; y <= land_height; ++y) {
    show_progress("Smooth ", y, land_height);
    const int16_t* up = elevation_row(y - 1);
    int16_t* e = elevation_row(y);
    const int16_t* down = elevation_row(y + 1);
    for (int32_t x = 1; x <= land_width; ++x) {
      const int32_t c = e[x];
      if (c == kNoDataElevation) continue;
      const int32_t sum = 12 * c + 2 * (nb(e[x - 1], c) + nb(e[x + 1], c) + nb(up[x], c) + nb(down[x], c)) +
                          nb(up[x - 1], c) + nb(up[x + 1], c) + nb(down[x - 1], c) + nb(down[x + 1], c) + 12;
      e[x] = wrap16(sum / 24);
    }
  }
  // Four-sample means along the left border and the right guard column.
  auto mean4 = [](int16_t* target, int32_t a, int32_t b, int32_t c) {
    const int32_t t = *target;
    if (t == kNoDataElevation) return;
    *target = wrap16((t + nb(a, t) + nb(b, t) + nb(c, t)) / 4);
  };
  for (int32_t y = 1; y <= land_height; ++y) {
    mean4(&elevation_row(y)[0], elevation_row(y - 1)[0], elevation_row(y)[1], elevation_row(y + 1)[0]);
    mean4(&elevation_row(y)[g], elevation_row(y - 1)[g], elevation_row(y)[g - 1], elevation_row(y + 1)[g]);
  }
  for (int32_t x = 1; x <= land_width; ++x) {
    int16_t* top = elevation_row(0);
    mean4(&top[x], top[x - 1], elevation_row(1)[x], top[x + 1]);
    int16_t* bottom = elevation_row(r);
    mean4(&bottom[x], bottom[x - 1], elevation_row(r - 1)[x], bottom[x + 1]);
  }
  auto mean3 = [](int16_t* target, int32_t a, int32_t b) {
    const int32_t t = *target;
    if (t == kNoDataElevation) return;
    *target = wrap16((t + nb(a, t) + nb(b, t)) / 3);
  };
  mean3(&elevation_row(0)[0], elevation_row(1)[0], elevation_row(0)[1]);
  mean3(&elevation_row(r)[0], elevation_row(r - 1)[0], elevation_row(r)[1]);
  mean3(&elevation_row(0)[g], elevation_row(0)[g - 1], elevation_row(1)[g]);
  mean3(&elevation_row(r)[g], elevation_row(r)[g - 1], elevation_row(r - 1)[g]);
}

void stretch_landscape() {
  show_status("Stretch ");
  if (!have_grid() || !copy_to_work()) return;
  const int32_t d = 4 * terrain_settings.feature_size;
  // A feature size of 0 has no radius to measure roughness at: the landscape stays as it is.
  if (d != 0) {
    const int32_t radius = trunc_to_i32(static_cast<float>(d) * grid_spacing_x);
    for (int32_t y = 0; y < grid_height; ++y) {
      const int16_t* e = elevation_row(y);
      int16_t* w = work_row(y);
      for (int32_t x = 0; x < grid_width; ++x) {
        if (e[x] == kNoDataElevation) continue;
        w[x] = wrap16(int32_t{e[x]} + cell_roughness(x, y, radius) / d);
      }
    }
  }
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(shade_rows[y], elevation_rows[y], grid_width);
}

void cloudify() {
  show_status("Cloudify");
  if (!have_grid()) return;
  scan_elevation_range();
  const float range = static_cast<float>(landscape_view.max_elevation - landscape_view.base_level);
  for (int32_t y = 0; y < grid_height; ++y) {
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x < grid_width; ++x) {
      const int32_t rel = int32_t{e[x]} - landscape_view.base_level;
      if (rel <= 0 || !(range > 0.0f)) {
        e[x] = 0;
        continue;
      }
      const float q = static_cast<float>(rel) / range;
      e[x] = wrap16(trunc_to_i32(static_cast<double>(range) * std::sqrt(std::sqrt(static_cast<double>(q)))));
    }
  }
  mark_derived_stale();
}

void flip_rows() {
  show_status("Flip Vertical");
  if (!have_grid() || !copy_to_work()) return;
  for (int32_t y = 0; y <= land_height; ++y) {
    const int16_t* src = work_row(land_height - y);
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x <= land_width; ++x) e[x] = src[x];
  }
  mark_derived_stale();
}

void flip_columns() {
  show_status("Flip Vertical");
  if (!have_grid() || !copy_to_work()) return;
  for (int32_t y = 0; y <= land_height; ++y) {
    const int16_t* src = work_row(y);
    int16_t* e = elevation_row(y);
    for (int32_t x = 0; x <= land_width; ++x) e[x] = src[land_width - x];
  }
  mark_derived_stale();
}

void zero_grid_border() {
  if (!have_grid()) return;
  for (int32_t y = 0; y <= land_height; ++y) {
    elevation_row(y)[0] = 0;
    elevation_row(y)[land_width] = 0;
  }
  for (int32_t x = 0; x <= land_width; ++x) {
    elevation_row(0)[x] = 0;
    elevation_row(land_height)[x] = 0;
  }
}
