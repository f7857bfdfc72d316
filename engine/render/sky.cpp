// The sky dome drawn first in every frame: bands of triangles coloured by height with the sun's glow and haze.
#include "engine/render/sky.h"

#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/haze.h"
#include "engine/render/lighting.h"
#include "engine/render/sky_polygon.h"

namespace {

constexpr int32_t kSkySlot = 33;
constexpr int32_t kSectorStep = 5;
constexpr int32_t kSectors = 360 / kSectorStep;  // 72

// One ring of the dome at polar angle a: its vertices at azimuth -180, -175, ... 180 with their colours.
struct SkyRing {
  SkyVertex v[kSectors + 1];
};

void build_ring(int32_t a, float cx, float cy, float cz, SkyRing* ring) {
  const double ar = a / kDegreesPerRadian;
  const double r = kSkyDomeRadius * std::sin(ar);
  const float z = static_cast<float>(kSkyDomeRadius * std::cos(ar) - kSkyDomeCentreDepth);
  // Haze of the ring, the same for every azimuth, from a probe point that moves outwards with the ring.
  const double reach = r / 340000.0;
  camera_distance_haze(static_cast<float>(cx + 170000.0 * reach * reach * reach * reach), cy, (cz + z) / 10.0f);

  const ColorEntry& sky = color_table[kSkySlot];
  const ClassAttributes& attr = class_attributes[kSkySlot];
  const Vec3f l{light_state.light_x, light_state.light_y, light_state.light_z};
  for (int32_t i = 0; i <= kSectors; ++i) {
    const double br = (-180 + i * kSectorStep) / kDegreesPerRadian;
    const int32_t hx = trunc_to_i32(r * std::cos(br));
    const int32_t hy = trunc_to_i32(r * std::sin(br));
    Vec3f u{static_cast<float>(hx), static_cast<float>(hy), z - cz};
    vec3_normalize(&u);
    const double dot = vec3_dot(u, l);
    const int32_t glow = trunc_to_i32(256.0 * std::pow(dot > 0.0 ? dot : 0.0, attr.phong_sharpness));
    SkyVertex& v = ring->v[i];
    v.x = cx + static_cast<float>(hx);
    v.y = cy + static_cast<float>(hy);
    v.z = z;
    v.color = shade_color(sky.red, sky.green, sky.blue, light_state.sky_intensity, attr.phong_intensity, glow);
  }
}

}  // namespace

int32_t render_sky() {
  if (render_settings.sky_enabled == 0) return 1;
  show_status("Sky");
  const float cx = camera_state.camera_x, cy = camera_state.camera_y, cz = camera_state.camera_z;
  // With the horizon off the dome closes below the camera.
  const int32_t bands = render_settings.horizon_enabled ? 37 : 180;
  static SkyRing rings[2];
  SkyRing* upper = &rings[0];
  SkyRing* lower = &rings[1];
  build_ring(0, cx, cy, cz, upper);
  for (int32_t a = 0; a < bands; ++a) {
    if (poll_user_abort() == -1) return -1;
    build_ring(a + 1, cx, cy, cz, lower);
    for (int32_t i = 0; i < kSectors; ++i) {
      draw_sky_triangle(upper->v[i], upper->v[i + 1], lower->v[i], kSkySlot);
      draw_sky_triangle(upper->v[i + 1], lower->v[i + 1], lower->v[i], kSkySlot);
    }
    SkyRing* t = upper;
    upper = lower;
    lower = t;
  }
  return 1;
}
