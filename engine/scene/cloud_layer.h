// The cloud layer as the terrain walk sees it: its altitude and its drawing pass.
// layout-port: skip (the record definition itself)
#pragma once

#include <cstdint>

// CloudSettings (the part the walk reads).
struct CloudSettings {
  // Altitude of the cloud layer in metres; above the camera it is drawn before the terrain, else after it.
  int32_t cloud_altitude = 4000;
};
extern CloudSettings cloud_settings;

// Restores the cloud settings to their start values.
void reset_cloud_settings();

// Draws the cloud layer; 1 when clouds are off or done, -1 when the user stopped it.
int32_t render_clouds();
// The seeded cloud pattern and its density and hardness ramp bounds.
void init_clouds();
