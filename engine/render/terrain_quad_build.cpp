// Building the quad of one grid cell: its four corner records, its size, splitting weight and texture level.
#include <algorithm>
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/render/lighting.h"
#include "engine/render/terrain_quad.h"
#include "engine/raster/view_transform.h"
#include "engine/render/visibility.h"
#include "engine/scene/texture_slots.h"
#include "engine/landscape/cell_max_elevation.h"

namespace {

constexpr int16_t kNoData = -32768;

// Fills the corner record of sample (c, r).
void fill_corner(QuadVertex* v, int32_t c, int32_t r) {
  const CoverCell cover = cover_row(r)[c];
  const int32_t k = cover.color_class;
  const int32_t e = elevation_row(r)[c];
  const int32_t rough = class_attributes[k].roughness;

  // The sample's hash serves the seed, one texture jitter and the strata jitter: hashed once, it saves two
  // hashes (four integer divisions) per fill. The stream is put back afterwards as the last hash left it.
  v->seed = random_at2(c, r);
  const uint32_t random32_after_hash = random32_state;
  v->roughness_scale = static_cast<float>(rough) / 100.0f;
  const float jx = horizontal_jitter(static_cast<float>(v->seed / 1.029384756), grid_spacing_x);
  const float jy = horizontal_jitter(static_cast<float>(v->seed / 6.574839201), grid_spacing_y);
  v->x = static_cast<float>(c) * grid_spacing_x + jx * static_cast<float>(rough) / 100.0f;
  v->y = static_cast<float>(r) * grid_spacing_y + jy * static_cast<float>(rough) / 100.0f;
  v->z = static_cast<float>(e);
  v->tu = texture_jitter_from_hash(v->seed);
  v->tv = texture_coord_jitter(r, c);

  // Haze and distance at the sample itself, without the jitter.
  camera_distance_haze(static_cast<float>(c) * grid_spacing_x, static_cast<float>(r) * grid_spacing_y,
                       static_cast<float>(e));
  v->distance = point_distance;
  v->haze = haze_factor;

  const uint16_t shade = shade_rows ? shade_row(r)[c] : 0;
  v->tree_shadow = (shade & kShadeObjectShadow) ? 96 : 0;
  v->cast_shadow = (shade & kShadeTerrainShadow) ? 16 + (random8_from(static_cast<uint32_t>(v->seed)) & 15) : 0;

  v->road_marker = (k >= kClassRoad1 && k <= kClassRoad4) ? -30100 : -29900;
  const int32_t h = v->seed;
  if (k >= kClassWater1 && k <= kClassWater5) {
    v->water_marker = -30100 - (h & 255);
  } else if (k == kClassBeach) {
    v->water_marker = -30020 - (h & 15);
  } else {
    v->water_marker = (h & 511) - 29900;
  }

  // The corner's own draws from here on.
  random8_from(static_cast<uint32_t>(v->seed));
  const int32_t band = class_mean_elevation(k);
  if (band == kNoData) {
    v->color_elevation = e + (rand_amplitude_i16(wrap16(landscape_view.max_elevation - landscape_view.base_level)) >> 7);
  } else {
    v->color_elevation = band;
  }
  v->roughness = cell_roughness(c, r, terrain_settings.roughness_radius);
  v->jitter = cell_jitter_from_hash(v->seed);
  random32_state = random32_after_hash;
  v->red = color_table[k].red;
  v->green = color_table[k].green;
  v->blue = color_table[k].blue;
  v->view_ready = 0;
}

Vec3f difference(const QuadVertex& a, const QuadVertex& b) { return Vec3f{a.x - b.x, a.y - b.y, a.z - b.z}; }

// Corner records filled during the current walk, by sample, one small table per thread. A sample is a corner of
// up to four cells, and neighbouring cells of a walk line (and of the next line) come one after the other, so
// most corners are found here. Saves up to three of every four corner fills (random draws, jitter, haze,
// roughness).
struct CornerSlot {
  uint32_t walk;  // the walk that filled the slot; 0 never matches
  int32_t c, r;
  uint32_t random8_after, random32_after;  // the random streams as the fill left them
  QuadVertex v;

  // True when the slot holds sample (sc, sr) as walk w filled it.
  bool holds(uint32_t w, int32_t sc, int32_t sr) const { return walk == w && c == sc && r == sr; }
};
constexpr int32_t kCornerSlots = 4096;
// Two neighbouring lines of up to 1100 samples, along either axis, fall into distinct slots.
inline int32_t corner_slot(int32_t c, int32_t r) { return (c + r * 1101) & (kCornerSlots - 1); }
thread_local CornerSlot corner_slots[kCornerSlots];
inline CornerSlot& slot_of(int32_t c, int32_t r) { return corner_slots[corner_slot(c, r)]; }

// The samples at the corners of cell (col, row) at grid step s, in corner order.
struct CellCorners {
  int32_t c[4], r[4];
  CellCorners(int32_t col, int32_t row, int32_t s) : c{col, col + s, col, col + s}, r{row, row, row + s, row + s} {}
};
uint32_t current_walk = 0;
uint32_t last_walk = 0;

}  // namespace

void corner_records_begin_walk() {
  if (++last_walk == 0) last_walk = 1;
  current_walk = last_walk;
}

void corner_records_end_walk() { current_walk = 0; }

int32_t texture_level_for(double t) {
  // Where 5 * t^0.25 reaches 1..7: (k / 5)^4. A t more than a hair from all of them lies on the same side of
  // each as pow says (pow and the products err by far less), so counting the points passed gives the level;
  // t near one of them, negative or not finite takes pow itself. Saves a pow per cell.
  static constexpr double kReach[7] = {1.0 / 625, 16.0 / 625, 81.0 / 625, 256.0 / 625, 625.0 / 625, 1296.0 / 625,
                                       2401.0 / 625};
  bool exact = !(t >= 0.0 && t <= 1e300);
  int32_t passed = 0;
  for (int32_t k = 0; k < 7 && !exact; ++k) {
    exact = std::fabs(t - kReach[k]) <= kReach[k] * 1e-9;
    passed += t > kReach[k] ? 1 : 0;
  }
  if (exact) return 7 - std::clamp(trunc_to_i32(5.0 * std::pow(t, 0.25)), 0, 7);
  return 7 - passed;
}

int32_t quad_in_frustum(const TerrainQuad& quad) {
  const float margin = horizontal_deform
                           ? static_cast<float>(render_settings.grid_step) * (grid_spacing_x + grid_spacing_y) / 4.0f
                           : 0.0f;
  float x[4], y[4], z[4];
  for (int32_t i = 0; i < 4; ++i) {
    world_to_view(quad.corner[i].x, quad.corner[i].y, quad.corner[i].z, &x[i], &y[i], &z[i]);
    z[i] += margin;
  }
  return corners_in_view(x, y, z);
}

int32_t make_cell_quad(int32_t col, int32_t row, TerrainQuad* out) {
  if (fractal_amplitudes[1] == -32768) interpolate_fractal_amplitudes();
  const int32_t s = render_settings.grid_step;
  // Never read outside the landscape, whatever the caller's bounds.
  if (!elevation_rows || !cover_rows || s < 1 || col < 0 || row < 0 || col + s >= grid_width ||
      row + s >= grid_height)
    return 0;
  const CellCorners at(col, row, s);
  const int32_t* cs = at.c;
  const int32_t* rs = at.r;
  for (int32_t i = 0; i < 4; ++i) {
    if (elevation_row(rs[i])[cs[i]] == kNoData) return 0;
  }

  TerrainQuad& q = *out;
  // A fill leaves the random streams and the haze results as its own draws left them, and they depend on the
  // sample alone. The state after a quad must be the one its last corner's fill leaves, so a last corner found
  // in the table puts back the streams the table kept and the distance and haze its record holds.
  const uint32_t walk = current_walk;
  for (int32_t i = 0; i < 4; ++i) {
    if (walk == 0) {
      fill_corner(&q.corner[i], cs[i], rs[i]);
      continue;
    }
    CornerSlot& slot = slot_of(cs[i], rs[i]);
    if (slot.holds(walk, cs[i], rs[i])) {
      q.corner[i] = slot.v;
      if (i == 3) {
        random8_state = slot.random8_after;
        random32_state = slot.random32_after;
        point_distance = slot.v.distance;
        haze_factor = slot.v.haze;
      }
      continue;
    }
    fill_corner(&q.corner[i], cs[i], rs[i]);
    slot.walk = walk;
    slot.c = cs[i];
    slot.r = rs[i];
    slot.random8_after = random8_state;
    slot.random32_after = random32_state;
    slot.v = q.corner[i];
  }
  q.size = (static_cast<float>(s) * grid_spacing_x + static_cast<float>(s) * grid_spacing_y) / 2.0f;

  // Quads facing the camera and steep quads split sooner; quads seen edge-on or from behind later.
  Vec3f u = difference(q.corner[3], q.corner[0]);
  Vec3f w = difference(q.corner[2], q.corner[1]);
  Vec3f n;
  vec3_cross_normalized(&u, &w, &n);
  Vec3f v{camera_state.camera_x - (q.corner[0].x + q.corner[3].x) / 2.0f, camera_state.camera_y - (q.corner[0].y + q.corner[3].y) / 2.0f,
          camera_state.camera_z - (q.corner[0].z + q.corner[3].z) / 2.0f};
  vec3_normalize(&v);
  const double tilt = 1.0 - std::fabs(static_cast<double>(n.z));
  q.subdiv_size = static_cast<float>(q.size * (vec3_dot(n, v) + 0.5 + tilt * tilt));

  float d = q.corner[0].distance + q.corner[1].distance + q.corner[2].distance + q.corner[3].distance;
  if (d == 0.0f) d = 0.0001f;
  const double t = static_cast<double>(render_scale) * q.size * lens_state.lens_scale / d;
  q.texture_level = texture_level_for(t);
  return 1;
}

void build_quad(int32_t col, int32_t row) {
  if (fractal_amplitudes[1] == -32768) interpolate_fractal_amplitudes();
  if (los_culling == 1 && terrain_hides_point(col, row, cell_max_elevation(col, row)) == 1) return;
  TerrainQuad q;
  if (make_cell_quad(col, row, &q) == 0) return;
  if (quad_in_frustum(q) == 0) return;
  subdivide_quad(q, 0);
  // The views its leaves took of the cell's corners go back to the table, for the neighbouring cells sharing them:
  // the camera stands still during a walk, so a sample's view is the same for all of them.
  if (current_walk == 0) return;
  const CellCorners at(col, row, render_settings.grid_step);
  for (int32_t i = 0; i < 4; ++i) {
    if (q.corner[i].view_ready == 0) continue;
    CornerSlot& slot = slot_of(at.c[i], at.r[i]);
    if (!slot.holds(current_walk, at.c[i], at.r[i]) || slot.v.view_ready != 0) continue;
    slot.v.view = q.corner[i].view;
    slot.v.view_ready = 1;
  }
}
