// Colouring the landscape: altitude classes by band with roughness and jitter, then cliff classes by slope.
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/ui/status.h"
#include "engine/core/vectors.h"
#include "engine/landscape/tree_scatter.h"

namespace {
bool kept_class(uint8_t c) { return (c >= kClassBeach && c <= kClassWater5) || (c >= kClassRoad1 && c <= kClassRoad4); }
}  // namespace

int32_t color_landscape() {
  if (derived_data.colors_done_step <= render_settings.grid_step) return 1;
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));
  const int32_t s = render_settings.grid_step > 0 ? render_settings.grid_step : 1;
  const int32_t last_col = land_width / s * s;
  const int32_t last_row = land_height / s * s;
  const int16_t jitter = wrap16(int32_t{(landscape_view.max_elevation - landscape_view.base_level) >> 7});
  for (int32_t row = 0; row <= last_row; row += s) {
    if (poll_user_abort() == -1) return -1;
    show_progress("Color", row, last_row > 0 ? last_row : 1);
    const int16_t* e = elevation_row(row);
    CoverCell* cover = cover_row(row);
    for (int32_t col = 0; col <= last_col; col += s) {
      const int32_t r = cell_roughness(col, row, terrain_settings.roughness_radius);
      if (kept_class(cover[col].color_class)) continue;
      const int32_t v = e[col] + rand_amplitude_i16(jitter);
      int32_t c;
      if (v - r <= terrain_settings.snow_line)
        c = v + r < terrain_settings.tree_line ? tree_class(v + r) : bare_class(v + r);
      else
        c = snow_class(v - r);
      cover[col].color_class = static_cast<uint8_t>(c);
    }
  }
  scatter_trees();
  derived_data.colors_done_step = render_settings.grid_step;
  derived_data.landscape_changed = 1;
  return 1;
}

int32_t color_cliffs() {
  if (derived_data.cliffs_done_step <= render_settings.grid_step || terrain_settings.cliffs_enabled == 0) return 1;
  const int32_t s = render_settings.grid_step > 0 ? render_settings.grid_step : 1;
  const int32_t end_col = land_width / s * s;
  const int32_t end_row = land_height / s * s;
  const float sx = static_cast<float>(s) * grid_spacing_x;
  const float sy = static_cast<float>(s) * grid_spacing_y;
  for (int32_t r = 0; r < end_row; r += s) {
    if (poll_user_abort() == -1) return -1;
    show_progress("Cliffs", r, end_row);
    const int16_t* e0 = elevation_row(r);
    const int16_t* e1 = elevation_row(r + s);
    CoverCell* cover = cover_row(r);
    for (int32_t c = 0; c < end_col; c += s) {
      const uint8_t cls = cover[c].color_class;
      if (cls >= kClassWater1 && cls <= kClassWater5) continue;
      Vec3f n;
      const Vec3f a1 = {sx, 0.0f, static_cast<float>(e1[c + s] - e1[c])};
      const Vec3f b1 = {0.0f, sy, static_cast<float>(e1[c] - e0[c])};
      const Vec3f a2 = {sx, 0.0f, static_cast<float>(e0[c + s] - e0[c])};
      const Vec3f b2 = {0.0f, sy, static_cast<float>(e1[c + s] - e0[c + s])};
      const int32_t s1 = face_slope_angle(a1, b1, &n);
      const int32_t s2 = face_slope_angle(a2, b2, &n);
      const int32_t slope = s1 > s2 ? s1 : s2;
      if (slope <= terrain_settings.cliff_angle) continue;
      const int32_t nc = terrain_settings.cliff_mode == 1 ? cliff_class_by_angle(slope)
                                         : strata_class(static_cast<float>(c) * grid_spacing_x,
                                                        static_cast<float>(r) * grid_spacing_y,
                                                        static_cast<float>(e0[c]), cell_jitter(c, r));
      cover[c].color_class = static_cast<uint8_t>(nc);
    }
  }
  derived_data.cliffs_done_step = render_settings.grid_step;
  return 1;
}
