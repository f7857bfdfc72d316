// Light level of a face under the sun and under the faint light of cast shadow; the flat light.
#include <cmath>

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/render/lighting.h"

Vec3f shadow_light = {0.0f, 0.0f, 0.1f};

int32_t light_intensity(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2) {
  if (light_state.contrast == 0) return 255;
  double l = normal_from_edges(x1, y1, z1, x2, y2, z2, light_state.light_x, light_state.light_y, light_state.light_z);
  if (!(l >= 0.0)) l = 0.0;  // also turns NaN into 0
  if (render_settings.exaggerate_shading) {
    // A light direction that is not quite unit length may push l above 1, outside acos's domain.
    if (l > 1.0) l = 1.0;
    l = 1.0 - std::acos(l) / 1.5708;
  }
  return clamp_i32(trunc_to_i32(l * 256.0), 0, 255);
}

int32_t light_intensity_secondary(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2) {
  if (light_state.contrast == 0) return 255;
  const double l = normal_from_edges(x1, y1, z1, x2, y2, z2, shadow_light.x, shadow_light.y, shadow_light.z);
  return clamp_i32(trunc_to_i32(l * 256.0), 0, 255);
}

void set_flat_intensity() {
  light_state.flat_intensity = light_intensity(trunc_to_i32(grid_spacing_x), 0, 0, 0, trunc_to_i32(grid_spacing_y), 0);
  light_state.sky_intensity = light_state.flat_intensity;
}
