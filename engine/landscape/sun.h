// Sun direction: the light vector and the sun's position from azimuth and declination, the reverse, and the sun presets.
#pragma once

// Direction (as floats and times 256) and sun position from sun_azimuth and sun_declination.
void update_sun_vector();
// sun_declination, sun_azimuth and the sun position from light_x, light_y, light_z.
void update_sun_angles();
// After the Light panel or a script changed an angle; the caller marks the shading stale.
void sun_declination_changed();
void sun_azimuth_changed();

// Presets: set both angles, update the vector and mark the shading stale.
void sun_preset_north();
void sun_preset_south();
void sun_preset_east();   // azimuth -90: the sun towards +x
void sun_preset_west();   // azimuth 90: the sun towards -x
void sun_preset_overhead();
