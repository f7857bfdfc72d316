// The unit light direction, its integer copy and the sun's position, kept in step with the two sun angles.
#include "engine/landscape/sun.h"

#include <cmath>

#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"

void update_sun_vector() {
  const double d = static_cast<double>(light_state.sun_declination) / kDegreesPerRadian;
  const double a = static_cast<double>(light_state.sun_azimuth) / kDegreesPerRadian;
  const double c = std::cos(d);
  light_state.light_x = static_cast<float>(-c * std::sin(a));
  light_state.light_y = static_cast<float>(std::cos(a) * static_cast<double>(static_cast<float>(c)));
  light_state.light_z = static_cast<float>(std::sin(d));
  light_state.light_x256 = static_cast<int32_t>(light_state.light_x * 256.0f);
  light_state.light_y256 = static_cast<int32_t>(light_state.light_y * 256.0f);
  light_state.light_z256 = static_cast<int32_t>(light_state.light_z * 256.0f);
  sun_moon_state.sun_position_x = light_state.light_x * sun_moon_state.sun_distance;
  sun_moon_state.sun_position_y = light_state.light_y * sun_moon_state.sun_distance;
  sun_moon_state.sun_position_z = light_state.light_z * sun_moon_state.sun_distance;
}

void update_sun_angles() {
  const float horizontal = static_cast<float>(
      std::sqrt(static_cast<double>(light_state.light_x) * light_state.light_x + static_cast<double>(light_state.light_y) * light_state.light_y));
  light_state.sun_declination = atan2_deg(horizontal, light_state.light_z);
  const float azimuth = atan2_deg(light_state.light_x, light_state.light_y) - 90.0f;
  light_state.sun_azimuth = azimuth > 180.0f ? azimuth - 360.0f : azimuth;
  sun_moon_state.sun_position_x = light_state.light_x * sun_moon_state.sun_distance;
  sun_moon_state.sun_position_y = light_state.light_y * sun_moon_state.sun_distance;
  sun_moon_state.sun_position_z = light_state.light_z * sun_moon_state.sun_distance;
}

void sun_declination_changed() { update_sun_vector(); }
void sun_azimuth_changed() { update_sun_vector(); }

namespace {
void sun_preset(float declination, float azimuth) {
  light_state.sun_declination = declination;
  light_state.sun_azimuth = azimuth;
  update_sun_vector();
  derived_data.shades_done_step = land_width;
}
}  // namespace

void sun_preset_north() { sun_preset(45.0f, 0.0f); }
void sun_preset_south() { sun_preset(45.0f, 180.0f); }
void sun_preset_east() { sun_preset(45.0f, -90.0f); }
void sun_preset_west() { sun_preset(45.0f, 90.0f); }
void sun_preset_overhead() { sun_preset(90.0f, 0.0f); }
