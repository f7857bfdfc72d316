// The horizon disc at the landscape's base level: rings of growing width, hazed by distance, with the sun's
// reflection when the horizon class has a highlight.
#include "engine/render/horizon.h"

#include <cmath>
#include <cstdint>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/haze.h"
#include "engine/render/lighting.h"
#include "engine/render/sky_polygon.h"

namespace {

constexpr int32_t kHorizonSlot = 32;
constexpr int32_t kSectorStep = 3;
constexpr int32_t kSectors = 360 / kSectorStep;  // 120
constexpr int32_t kRingGrowth = 30;

struct Azimuths {
  double c[kSectors + 1];
  double s[kSectors + 1];
  Azimuths() {
    for (int32_t i = 0; i <= kSectors; ++i) {
      const double b = (-180 + i * kSectorStep) / kDegreesPerRadian;
      c[i] = std::cos(b);
      s[i] = std::sin(b);
    }
  }
};

// The vertices of one ring edge of radius rho; the haze of the edge is measured first.
void build_edge(int32_t cxi, int32_t cyi, int32_t rho, const Azimuths& az, bool reflect, SkyVertex* out) {
  const float bz = static_cast<float>(landscape_view.base_level);
  camera_distance_haze(static_cast<float>(int64_t{cxi} + rho), static_cast<float>(cyi), bz);
  const ColorEntry& hc = color_table[kHorizonSlot];
  const ClassAttributes& attr = class_attributes[kHorizonSlot];
  const uint32_t plain = shade_color(hc.red, hc.green, hc.blue, light_state.flat_intensity, 0, 0);
  const Vec3f l{light_state.light_x, light_state.light_y, light_state.light_z};
  const Vec3f up{0.0f, 0.0f, 1.0f};
  for (int32_t i = 0; i <= kSectors; ++i) {
    SkyVertex& v = out[i];
    // In 64 bits: a camera far outside the landscape must not overflow the sum.
    v.x = static_cast<float>(int64_t{cxi} + trunc_to_i32(rho * az.c[i]));
    v.y = static_cast<float>(int64_t{cyi} + trunc_to_i32(rho * az.s[i]));
    v.z = bz;
    v.color = plain;
    if (reflect) {
      // The sun mirrored in the level disc, seen from the exact camera position.
      Vec3f view{camera_state.camera_x - v.x, camera_state.camera_y - v.y, camera_state.camera_z - v.z};
      vec3_normalize(&view);
      double s = reflect_dot(l, view, up);
      s = std::fmin(std::fmax(s, 0.0), 1.0);
      const int32_t glow = trunc_to_i32(256.0 * std::pow(s, attr.phong_sharpness));
      v.color = shade_color(hc.red, hc.green, hc.blue, light_state.flat_intensity, attr.phong_intensity, glow);
    }
  }
}

}  // namespace

int32_t render_horizon() {
  if (render_settings.horizon_enabled == 0) return 1;
  show_status("Horizon");
  static const Azimuths az;
  const int32_t cxi = trunc_to_i32(camera_state.camera_x);
  const int32_t cyi = trunc_to_i32(camera_state.camera_y);
  const bool reflect = render_settings.phong_enabled != 0 && class_attributes[kHorizonSlot].phong_intensity != 0;
  static SkyVertex inner[kSectors + 1], outer[kSectors + 1];
  int32_t r = 0, w = 0;
  while (r < kHorizonRadius) {
    if (poll_user_abort() == -1) return -1;
    w += kRingGrowth;
    build_edge(cxi, cyi, r, az, reflect, inner);
    build_edge(cxi, cyi, r + w, az, reflect, outer);
    for (int32_t i = 0; i < kSectors; ++i) {
      draw_sky_triangle(inner[i], inner[i + 1], outer[i], kHorizonSlot);
      draw_sky_triangle(inner[i + 1], outer[i + 1], outer[i], kHorizonSlot);
    }
    r += w;
  }
  return 1;
}
