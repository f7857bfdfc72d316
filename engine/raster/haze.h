// Haze and final colour: the distance/haze measurement of a point and the shared lighting, haze and exposure rule.
#pragma once

#include <cstdint>

// Written by camera_distance_haze, read by shade_color and the object code.
extern constinit thread_local float point_distance;  // last measured distance from the camera in metres
extern constinit thread_local float haze_factor;
// The haze colour slot shade_color uses on this thread while at least 0 (a replayed polygon carries the slot that
// was in force when it was set up); otherwise light_state.haze_color_slot.
extern constinit thread_local int32_t haze_slot_override;    // haze term of the last point, 0 (none) to 10000000

// Largest haze term: very distant points are capped here.
constexpr float kHazeFactorMax = 10000000.0f;

// Measures the distance from the camera to (x, y, z) in world metres; sets point_distance and haze_factor.
float camera_distance_haze(float x, float y, float z);

// Lights a base colour (0..255 channels) with ambient light, the sun scaled by light (0..255), an optional
// highlight (strength 0 = none, value 0..256), mixes towards the haze colour by haze_factor and applies the
// exposure. Result 0x00RRGGBB.
uint32_t shade_color(int32_t red, int32_t green, int32_t blue, int32_t light, int32_t strength, int32_t value);
