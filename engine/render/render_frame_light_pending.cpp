// Stand-in for the render start's light factors until that module is merged: the same rule, defined weakly so
// that the render start's own definition replaces it.
#include <cmath>

#include "engine/landscape/float_convert.h"
#include "engine/landscape/settings.h"
#include "engine/render/image_palette.h"
#include "engine/render/render_frame_light.h"

namespace {
// The colour of a table entry at full brightness (its value raised to 255).
ColorHSV full_brightness(const ColorEntry& e) {
  ColorHSV c{e.red, e.green, e.blue, 0, 0, 0};
  rgb_to_hsv(c);
  c.v = 255;
  hsv_to_rgb(c);
  return c;
}
}  // namespace

__attribute__((weak)) void scheme_sky_colors() {
  const ColorHSV sun = full_brightness(color_table[77]);
  const ColorHSV ambient = full_brightness(color_table[78]);
  const double f = std::pow(contrast / 255.0, 0.25);
  sun_light_r = trunc_to_i32(sun.r * f);
  sun_light_g = trunc_to_i32(sun.g * f);
  sun_light_b = trunc_to_i32(sun.b * f);
  ambient_light_r = trunc_to_i32(ambient.r * (1.0 - f));
  ambient_light_g = trunc_to_i32(ambient.g * (1.0 - f));
  ambient_light_b = trunc_to_i32(ambient.b * (1.0 - f));
}
