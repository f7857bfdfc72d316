// Distance from the camera and the haze term of a point.
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/raster/haze.h"

float camera_distance_haze(float x, float y, float z) {
  const float dx = std::fabs(camera_state.camera_x - x);
  const float dy = std::fabs(camera_state.camera_y - y);
  const float dz = std::fabs(camera_state.camera_z - z);
  const float sum = dx * dx + dy * dy + dz * dz;
  const float d = std::sqrt(sum);
  point_distance = d;
  if (render_settings.haze_density == 0) {
    haze_factor = 0.0f;
    return d;
  }
  // Haze is thickest in the low air near the landscape's base and thinner along steep lines of sight.
  float h = (camera_state.camera_z + z) / 2.0f - static_cast<float>(landscape_view.base_level);
  if (h < 0.0f) h = 0.0f;
  if (h > 1000.0f) h = 1000.0f;
  const float f = (1000.0f - h) / 1250.0f + 0.2f;
  const float hz = f * d * d * 10.0f / (dz + 2500.0f);
  haze_factor = (hz > kHazeFactorMax || std::isnan(hz)) ? kHazeFactorMax : hz;
  return d;
}
