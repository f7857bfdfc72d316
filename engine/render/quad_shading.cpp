// Shading of a leaf terrain quad: two lit, coloured (or textured) triangles handed to the polygon pipeline.
#include "engine/render/quad_shading.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/landscape/water_color.h"
#include "engine/landscape/waves.h"
#include "engine/raster/haze.h"
#include "engine/render/lighting.h"
#include "engine/raster/polygon.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/scan_convert.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/texture_slots.h"

const int32_t texture_level_scale[8] = {1, 2, 4, 8, 16, 32, 64, 128};

namespace {

constexpr int32_t kWaterThreshold = -30050;
constexpr int32_t kLandThreshold = -30000;

inline Vec3f sub(const QuadVertex& a, const QuadVertex& b) { return Vec3f{a.x - b.x, a.y - b.y, a.z - b.z}; }

// One triangle of the quad: corner indexes in record order (the first repeated to close it) and the corners whose
// means decide the colour.
struct TriangleSpec {
  int32_t entries[3];  // record entries before the closing repeat
  int32_t means[3];    // corners averaged for the slot, shadows and strata
  int32_t haze_corner;   // haze and blended colour come from this corner
};

int32_t mean3(int32_t a, int32_t b, int32_t c) { return static_cast<int32_t>((static_cast<int64_t>(a) + b + c) / 3); }

// The colour rules, with the corner means for strata taken from means() only when the strata rule is reached:
// saves three divisions for every other triangle.
template <typename Means>
int32_t color_slot_rules(int32_t road_mean, int32_t water_mean, int32_t water_slope, int32_t slope,
                         int32_t color_elevation, int32_t roughness, int32_t jitter, const Means& means) {
  if (road_mean < kLandThreshold) return kClassRoad1;
  if (water_mean < kWaterThreshold) return water_color_for_slope(water_slope);
  if (terrain_settings.cliffs_enabled && slope > terrain_settings.cliff_angle) {
    if (terrain_settings.cliff_mode != 2) return cliff_class_by_angle(slope);
    const Vec3f m = means();
    return strata_class(m.x, m.y, m.z, jitter);
  }
  if (water_mean >= kLandThreshold) {
    const int32_t e = color_elevation;
    if (e - roughness <= terrain_settings.snow_line) return e + roughness >= terrain_settings.tree_line ? bare_class(e + roughness) : tree_class(e + roughness);
    return snow_class(e - roughness);
  }
  return kClassBeach;
}

// The normal of two edge vectors before normalising, as face_slope_angle makes it; the slope itself (an arc
// cosine) is taken only when the colour rules reach the cliff test.
Vec3f face_cross(const Vec3f& a, const Vec3f& b) {
  return Vec3f{static_cast<float>(static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y),
               static_cast<float>(static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z),
               static_cast<float>(static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x)};
}
// A bound below which r to the power k (k 0 to 255), times 256, surely truncates to 0: the bound to the power k
// lies a millionth below 1/256, far more than the rounding of the bound and of the power can make up, so
// trunc(pow(r, k) * 256) is 0 for every r under it. 0 for k = 0 (the power is then 1). Built once, read-only after.
}  // namespace

double highlight_zero_bound(int32_t k) {
  static const std::array<double, 256> bounds = [] {
    std::array<double, 256> b{};
    for (int32_t i = 1; i < 256; ++i) b[i] = std::pow((1.0 - 1e-6) / 256.0, 1.0 / i);
    return b;
  }();
  return k >= 0 && k < 256 ? bounds[k] : 0.0;
}

namespace {

// Draws one triangle whose unit normal n faces the camera (to_camera: the unit vector from corner 1 to the camera,
// set when highlights are on); nothing when its colour slot is black (a hole).
void shade_triangle(int32_t texture_level, const QuadVertex* const* c, const CornerView* const* view, const TriangleSpec& t,
                    const Vec3f& n, const Vec3f& to_camera, int32_t road_mean, int32_t water_mean, int32_t water_slope) {
  const QuadVertex& m0 = *c[t.means[0]];
  const QuadVertex& m1 = *c[t.means[1]];
  const QuadVertex& m2 = *c[t.means[2]];
  const int32_t e = mean3(m0.color_elevation, m1.color_elevation, m2.color_elevation);
  const int32_t rho = c[0]->roughness;
  const int32_t j = (c[0]->jitter + c[3]->jitter) / 2;
  // The slope matters only for the cliff rule, after the road and water rules.
  const bool slope_needed = terrain_settings.cliffs_enabled && road_mean >= kLandThreshold && water_mean >= kWaterThreshold;
  // A face surely below the cliff angle takes slope 0, which the colour rules treat alike (0 <= cliff angle).
  const int32_t slope =
      slope_needed && steeper_than_cliff_possible(n, terrain_settings.cliff_angle) ? normal_slope(n) : 0;
  const int32_t slot = color_slot_rules(road_mean, water_mean, water_slope, slope, e, rho, j, [&] {
    return Vec3f{(m0.x + m1.x + m2.x) / 3.0f, (m0.y + m1.y + m2.y) / 3.0f, (m0.z + m1.z + m2.z) / 3.0f};
  });
  const ColorEntry& ce = color_table[slot];
  if (ce.red == 0 && ce.green == 0 && ce.blue == 0) return;

  // A triangle surely out of view draws nothing, its corners tested once per quad rather than once per triangle
  // and again for clipping. An untextured one in view that needs no clipping (nearly all) goes to the rasteriser
  // as converted entries, its corners projected once per quad rather than in a record of its own: saves building,
  // projecting and converting a four-entry record per triangle. A fifth of the start-up scene's triangles lie
  // wholly above or below the image, which covers fewer rows than the square projection: the rasteriser would
  // pass over them. Neither kind needs its highlight, light or shadows: each takes only the lighting noise's
  // draw and leaves the haze term as a shaded triangle does, and one of the second kind is passed over as the
  // rasteriser would.
  const uint32_t f0 = view[t.entries[0]]->flags, f1 = view[t.entries[1]]->flags, f2 = view[t.entries[2]]->flags;
  const bool drawn = view_flags_may_be_visible(f0 | f1 | f2, f0 & f1 & f2);
  const bool needs_clipping = ((f0 | f1 | f2) & kViewOutside) != 0;
  const TextureSlot& ts_slot = texture_slots[slot];
  const bool textured = ts_slot.loaded != 0 && ts_slot.levels[texture_level].pixels != nullptr;
  const bool converted = drawn && !needs_clipping && !textured;
  bool off_image = false;
  if (converted) {
    const int16_t ya = view[t.entries[0]]->row, yb = view[t.entries[1]]->row, yc = view[t.entries[2]]->row;
    off_image = raster_rows_miss_image(std::min({ya, yb, yc}), std::max({ya, yb, yc}));
  }
  if (!drawn || off_image) {
    rand_amplitude(render_settings.light_roughness);
    haze_factor = c[t.haze_corner]->haze;
    if (off_image) raster_pass_over_polygon();
    return;
  }

  // Highlight.
  int32_t strength = 0, value = 0;
  const ClassAttributes& attr = class_attributes[slot];
  const Vec3f l{light_state.light_x, light_state.light_y, light_state.light_z};
  if (render_settings.phong_enabled != 0 && attr.phong_intensity != 0) {
    const Vec3f& v = to_camera;
    double r = reflect_dot(l, v, n);
    r = std::fmin(std::fmax(r, 0.001), 1.0);
    const int32_t k = attr.phong_sharpness;
    // Below the sharpness's bound the highlight surely truncates to 0: most faces skip the power.
    value = r < highlight_zero_bound(k) ? 0 : trunc_to_i32(std::pow(r, k) * 256.0);
    strength = attr.phong_intensity;
    if (slot >= kClassWater1 && slot <= kClassWater5) {
      // Water shines where the camera sees it at a grazing angle.
      const double w = std::fmax(reflect_z_term(v, n), 0.001);
      const double w2 = std::pow(w, k / 20.0) * 128.0;
      if (value < w2) {
        value = trunc_to_i32(w2);
        strength /= 2;
      }
    }
  }

  // Light with the optional arc-cosine curve and the lighting noise of the stream's current state.
  double lv = vec3_dot(n, l);
  if (render_settings.exaggerate_shading) {
    if (lv < 0.0) lv = 0.0;
    lv = 1.0 - std::acos(lv) / 1.5708;
  }
  int32_t light = trunc_to_i32(lv * 256.0);
  if (light < 0) light = 0;
  light += rand_amplitude(render_settings.light_roughness) >> 4;
  light = clamp_i32(light, 0, 255);

  // Cast shadow halves; its soft edge fades; tree and house shadows darken only outside cast shadow.
  const int32_t cs = mean3(m0.cast_shadow, m1.cast_shadow, m2.cast_shadow);
  const int32_t ts = mean3(m0.tree_shadow, m1.tree_shadow, m2.tree_shadow);
  if (cs >= 8) {
    light /= 2;
    value /= 2;
  } else if (cs > 0) {
    const double f = (8 - cs) / 16.0 + 0.5;
    value = trunc_to_i32(value * f);
    light = trunc_to_i32(light * f);
  } else if (ts > 8) {
    light = light + 8 - ts;
    if (light < 0) light = 0;
  }

  const QuadVertex& hc = *c[t.haze_corner];
  haze_factor = hc.haze;
  const uint32_t color = render_settings.blend_colors
                             ? blend_shade_color(hc.red, hc.green, hc.blue, ce.red, ce.green, ce.blue, light,
                                                 strength, value)
                             : shade_color(ce.red, ce.green, ce.blue, light, strength, value);

  if (converted) {
    // The record's four entries, the first corner closing the triangle, as the conversion would make them.
    RasterVertex entries[4];
    for (int32_t i = 0; i < 3; ++i) {
      const int32_t ci = t.entries[i];
      const uint32_t vc = render_settings.gouraud_enabled
                              ? shade_color(c[ci]->red, c[ci]->green, c[ci]->blue, light, strength, value)
                              : color;
      RasterVertex& e = entries[i];
      e.x = view[ci]->column;
      e.y = view[ci]->row;
      e.r = static_cast<uint16_t>(((vc >> 16) & 255) * 256);
      e.g = static_cast<uint16_t>(((vc >> 8) & 255) * 256);
      e.b = static_cast<uint16_t>((vc & 255) * 256);
      e.alpha = 255;
      e.slot = static_cast<uint16_t>(slot);
      e.light = 0;
      e.tu = e.tv = e.tw = 0;
    }
    entries[3] = entries[0];
    rasterize_untextured(entries, 4);
    return;
  }

  TextureRef texture{};
  if (textured) {
    const TextureLevel& level = ts_slot.levels[texture_level];
    texture.texels = level.pixels;
    texture.width = static_cast<int32_t>(level.width);
    texture.height = static_cast<int32_t>(level.height);
    texture.reserved = 0;
    texture.phong_strength = strength;
    texture.phong_power = value;
  }

  // Only the four entries the record holds are cleared, as in the pipeline's clip records (entries past the count
  // are never read): saves clearing the whole 648-byte record for every triangle.
  PolygonRecord rec;
  rec.count = 4;
  rec.tx_map = textured ? &texture : nullptr;
  const int32_t d = ts_slot.deformation / 4;
  const float qs = static_cast<float>(texture_level_scale[texture_level]);
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t ci = t.entries[i % 3];
    const QuadVertex& corner = *c[ci];
    PolygonVertex& pv = rec.vertices[i];
    pv = PolygonVertex{};
    pv.x = view[ci]->x;
    pv.y = view[ci]->y;
    pv.z = view[ci]->z;
    pv.seed = 0;
    pv.alpha = 255;
    pv.slot = static_cast<uint16_t>(slot);
    pv.light = static_cast<uint16_t>(light * 256);
    uint32_t vc = color;
    if (render_settings.gouraud_enabled) vc = shade_color(corner.red, corner.green, corner.blue, light, strength, value);
    pv.r = static_cast<uint16_t>(((vc >> 16) & 255) * 256);
    pv.g = static_cast<uint16_t>(((vc >> 8) & 255) * 256);
    pv.b = static_cast<uint16_t>((vc & 255) * 256);
    if (textured) {
      pv.tu = (static_cast<float>(d) * corner.tu + corner.x) / qs;
      pv.tv = (static_cast<float>(d) * corner.tv + corner.y) / qs;
      pv.tw = 0.0f;
    }
  }
  if (textured) {
    draw_visible_textured_polygon(&rec, needs_clipping);
  } else {
    draw_visible_polygon_view(&rec, needs_clipping);
  }
}

}  // namespace

int32_t normal_slope(const Vec3f& n) {
  double z = std::fabs(static_cast<double>(n.z));
  if (z > 1.0) z = 1.0;
  return trunc_to_i32(std::acos(z) * 57.29577951308232);
}

// 1 when the face may be steeper than the cliff angle, so that its slope has to be taken; 0 when it is surely
// flatter. The slope exceeds an angle A of 0 to 88 degrees only when |n.z| lies at or below cos((A + 1) degrees);
// faces well above that bound (by far more than the arc cosine's rounding) skip the arc cosine, most faces.
// Near the bound and for other angles the slope is taken as before, so the answer is the same.
bool steeper_than_cliff_possible(const Vec3f& n, int32_t cliff_angle) {
  // Per thread: the quads of a frame may be shaded on several threads.
  thread_local int32_t cached_angle = -1;
  thread_local double cached_bound = 0.0;
  if (cliff_angle < 0 || cliff_angle > 88) return true;
  if (cliff_angle != cached_angle) {
    cached_bound = std::cos((cliff_angle + 1) / 57.29577951308232);
    cached_angle = cliff_angle;
  }
  return !(std::fabs(static_cast<double>(n.z)) > cached_bound + 1e-6);  // a NaN normal takes the full path
}

uint32_t blend_shade_color(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2, int32_t light,
                           int32_t strength, int32_t value) {
  return shade_color((r1 + r2) / 2, (g1 + g2) / 2, (b1 + b2) / 2, light, strength, value);
}

int32_t triangle_color_slot(int32_t road_mean, int32_t water_mean, int32_t water_slope, int32_t slope,
                            int32_t color_elevation, int32_t roughness, int32_t jitter, float mean_x, float mean_y,
                            float mean_z) {
  return color_slot_rules(road_mean, water_mean, water_slope, slope, color_elevation, roughness, jitter,
                          [&] { return Vec3f{mean_x, mean_y, mean_z}; });
}

void shade_quad(const TerrainQuad& quad, int32_t /*depth*/) {
  const QuadVertex* const corners[4] = {&quad.corner[0], &quad.corner[1], &quad.corner[2], &quad.corner[3]};
  shade_quad_corners(corners, quad.texture_level);
}

void shade_quad_corners(const QuadVertex* const corner[4], int32_t texture_level) {
  const QuadVertex* const* c = corner;
  const int32_t road_a = mean3(c[0]->road_marker, c[1]->road_marker, c[3]->road_marker);
  const int32_t road_b = mean3(c[0]->road_marker, c[2]->road_marker, c[3]->road_marker);
  const int32_t water_a = mean3(c[0]->water_marker, c[1]->water_marker, c[3]->water_marker);
  const int32_t water_b = mean3(c[0]->water_marker, c[2]->water_marker, c[3]->water_marker);
  // Water slopes come from the surface before the waves move it.
  int32_t slope_a = 0, slope_b = 0;
  Vec3f scratch;
  if (water_a < kWaterThreshold) slope_a = face_slope_angle(sub(*c[1], *c[0]), sub(*c[3], *c[1]), &scratch);
  if (water_b < kWaterThreshold) slope_b = face_slope_angle(sub(*c[2], *c[0]), sub(*c[3], *c[2]), &scratch);
  // Only the corners of a quad with a water corner under waves are copied and moved: saves copying them otherwise.
  QuadVertex moved[4];
  const QuadVertex* moved_corners[4];
  if (wave_settings.waves_enabled && (c[0]->water_marker < kWaterThreshold || c[1]->water_marker < kWaterThreshold ||
                                      c[2]->water_marker < kWaterThreshold || c[3]->water_marker < kWaterThreshold)) {
    for (int32_t i = 0; i < 4; ++i) {
      moved[i] = *c[i];
      moved_corners[i] = &moved[i];
      if (moved[i].water_marker < kWaterThreshold) {
        moved[i].z += static_cast<float>(wave_height_at(moved[i].x, moved[i].y));
        moved[i].view_ready = 0;  // its view is taken afresh, from where the waves put it
      }
    }
    c = moved_corners;
  }
  // Both normals are taken before either triangle is drawn, normalised as a pair, and both facing tests are known
  // up front.
  Vec3f na = face_cross(sub(*c[1], *c[0]), sub(*c[3], *c[1]));
  Vec3f nb = face_cross(sub(*c[3], *c[2]), sub(*c[2], *c[0]));
  vec3_normalize_pair(&na, &nb);
  // Both triangles test the facing from corner 1.
  const Vec3f v{camera_state.camera_x - c[1]->x, camera_state.camera_y - c[1]->y, camera_state.camera_z - c[1]->z};
  const bool front_a = !(vec3_dot(na, v) < 0.0);
  const bool front_b = !(vec3_dot(nb, v) < 0.0);
  if (!front_a && !front_b) return;

  // Both triangles see the camera along the same unit vector: normalised once per quad, not once per triangle.
  Vec3f to_camera = v;
  if (render_settings.phong_enabled != 0) vec3_normalize(&to_camera);

  // Each corner's view is taken once per record: a corner another leaf has drawn keeps the view it took.
  const CornerView* view[4];
  for (int32_t i = 0; i < 4; ++i) {
    view[i] = &c[i]->view;
    if (c[i]->view_ready != 0) continue;
    CornerView& cv = c[i]->view;
    c[i]->view_ready = 1;
    world_to_view(c[i]->x, c[i]->y, c[i]->z, &cv.x, &cv.y, &cv.z);
    cv.flags = view_point_flags(cv.x, cv.y, cv.z);
    // Each corner's pixel, projected once for both triangles and early, so that its division overlaps the rest
    // of the quad's set-up instead of holding up the triangle that needs it.
    raster_point_of_view(cv.x, cv.y, cv.z, &cv.column, &cv.row);
  }

  // A black slot is a hole: it skips only its own triangle.
  if (front_a) {
    const TriangleSpec a{{0, 1, 3}, {0, 1, 3}, 0};
    shade_triangle(texture_level, c, view, a, na, to_camera, road_a, water_a, slope_a);
  }
  if (front_b) {
    const TriangleSpec b{{3, 2, 0}, {0, 2, 3}, 3};
    shade_triangle(texture_level, c, view, b, nb, to_camera, road_b, water_b, slope_b);
  }
}
