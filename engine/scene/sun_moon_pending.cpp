// Stand-in for the sun and moon until the scene objects are built: draws nothing yet, but already turns the
// bodies by their rotation speeds after each completed frame.
#include "engine/core/settings.h"
#include "engine/scene/sun_moon.h"

int32_t draw_sun() { return 1; }
int32_t draw_moon() { return 1; }

void advance_sun_moon() {
  sun_moon_state.sun_rotation_x += sun_moon_state.sun_rotation_speed_x;
  sun_moon_state.sun_rotation_y += sun_moon_state.sun_rotation_speed_y;
  sun_moon_state.sun_rotation_z += sun_moon_state.sun_rotation_speed_z;
  sun_moon_state.moon_rotation_x += sun_moon_state.moon_rotation_speed_x;
  sun_moon_state.moon_rotation_y += sun_moon_state.moon_rotation_speed_y;
  sun_moon_state.moon_rotation_z += sun_moon_state.moon_rotation_speed_z;
}
