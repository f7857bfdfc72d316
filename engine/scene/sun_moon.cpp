// Turning the sun and moon by their rotation speeds after each completed frame.
#include "engine/scene/sun_moon.h"

#include "engine/core/settings.h"

void advance_sun_moon() {
  sun_moon_state.sun_rotation_x += sun_moon_state.sun_rotation_speed_x;
  sun_moon_state.sun_rotation_y += sun_moon_state.sun_rotation_speed_y;
  sun_moon_state.sun_rotation_z += sun_moon_state.sun_rotation_speed_z;
  sun_moon_state.moon_rotation_x += sun_moon_state.moon_rotation_speed_x;
  sun_moon_state.moon_rotation_y += sun_moon_state.moon_rotation_speed_y;
  sun_moon_state.moon_rotation_z += sun_moon_state.moon_rotation_speed_z;
}
