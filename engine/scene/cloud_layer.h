// The cloud layer as the terrain walk sees it: its altitude and its drawing pass.
#pragma once

#include <cstdint>

// Altitude of the cloud layer in metres; above the camera it is drawn before the terrain, else after it.
extern int32_t cloud_altitude;

// Draws the cloud layer; 1 when clouds are off or done, -1 when the user stopped it.
int32_t render_clouds();
