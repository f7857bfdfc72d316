// One tree object: its per-cell values, the view test, and the 3-D model, billboard or flat drawing; plus the
// triangle and quad emitters that the flat trees and billboards share.
#include "engine/scene/tree_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/raster/surface_detail.h"
#include "engine/core/vectors.h"
#include "engine/scene/render_services.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/cell_objects.h"
#include "engine/scene/flat_trees.h"
#include "engine/scene/scene_polygons.h"
#include "engine/scene/texture_slots.h"
#include "engine/scene/tree_models.h"

std::atomic<int64_t> trees_drawn_count{0};

namespace {

// Flat trees are drawn in a frame magnified 256 times; sizes beyond this many metres are drawn at this size so
// that the magnified integer coordinates stay far inside 32 bits.
constexpr int32_t kMaxFlatTreeSize = 65535;

int32_t channel_plus(uint32_t colour, int shift, int32_t amount) {
  return std::clamp(static_cast<int32_t>((colour >> shift) & 255) + amount, 0, 255);
}

uint32_t rgb(int32_t r, int32_t g, int32_t b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

uint32_t jittered_colour(int32_t slot, int32_t dr, int32_t dg, int32_t db) {
  const ColorEntry& e = color_table[slot];
  return rgb(std::clamp(e.red + dr, 0, 255), std::clamp(e.green + dg, 0, 255), std::clamp(e.blue + db, 0, 255));
}

// The magnified flat-drawing frame: E + (P - E) * 256 per axis.
int32_t magnified(double p, double e) { return trunc_to_i32(e + (p - e) * 256.0); }

void fill_entry(PolygonVertex* v, const float p[3], int32_t seed, uint32_t colour, uint16_t alpha, int32_t slot,
                int32_t light) {
  v->x = p[0];
  v->y = p[1];
  v->z = p[2];
  v->seed = seed;
  v->r = static_cast<uint16_t>(((colour >> 16) & 255) * 256);
  v->g = static_cast<uint16_t>(((colour >> 8) & 255) * 256);
  v->b = static_cast<uint16_t>((colour & 255) * 256);
  v->alpha = alpha;
  v->slot = static_cast<uint16_t>(slot);
  v->light = static_cast<uint16_t>(std::clamp(light, 0, 255) * 256);
  v->tu = v->tv = v->tw = 0.0f;
}

}  // namespace

uint32_t adjust_rgb(uint32_t colour, int32_t amount) {
  return rgb(channel_plus(colour, 16, amount), channel_plus(colour, 8, amount), channel_plus(colour, 0, amount));
}

TreeValues tree_values(int32_t x, int32_t y, int32_t kind) {
  TreeValues t{};
  random8_from(static_cast<uint32_t>(random_at2(x, y)));
  int32_t r[3];
  for (int32_t& v : r) {
    const int32_t hi = random8();
    const int32_t lo = random8();
    v = mul_wrap32(hi, 256) ^ lo;
  }
  t.r1 = r[0];
  t.r2 = r[1];
  t.r3 = r[2];
  const int32_t sum = t.r1 + t.r2 + t.r3;
  int32_t s = tree_settings.tree_size[std::clamp(kind - 34, 0, 3)];
  if (s >= 4) s = s + sum % (s / 4);
  t.size = s;
  const int32_t dr = (t.r1 & 7) - 4, dg = (t.r2 & 7) - 4, db = (t.r3 & 7) - 4;
  t.leaf = jittered_colour(kind, dr, dg, db);
  t.bark = jittered_colour(kind + 30, dr, dg, db);
  const int32_t jx = std::max(1, trunc_to_i32(grid_spacing_x / 2.5));
  const int32_t jy = std::max(1, trunc_to_i32(grid_spacing_y / 2.5));
  t.x = x + t.r1 % jx;
  t.y = y + t.r2 % jy;
  t.stem_angle = (sum & 15) + 82;
  t.cactus_b = kind == 36 && (sum & 21) != 0 ? 1 : 0;
  return t;
}

int32_t tree_lod(int32_t size) {
  if (size < 1) return 0;
  const double scale = static_cast<double>(lens_state.lens_scale) * render_scale * size;
  double lod = 128.0;
  if (scale != 0.0) lod = 128.0 - static_cast<double>(point_distance) * 625.0 / lens_state.lens_scale / render_scale / size;
  // A tree nearer than the camera cannot get more detail than one at the camera.
  int32_t l = trunc_to_i32(std::min(lod, 128.0));
  if (tree_settings.trees_3d == 0) l /= 21;
  return std::max(l, 0);
}

void draw_tree(int32_t z, int32_t y, int32_t x, int32_t kind, uint32_t shade) {
  if (kind < 34 || kind > 37) return;
  const TreeValues t = tree_values(x, y, kind);
  // A tree of size 0 (or below) has nothing to draw.
  if (t.size < 1) return;
  if (tree_out_of_view(x, y, z, t.size)) return;
  ++trees_drawn_count;
  const int32_t saved_a = detail_override_a, saved_b = detail_override_b;
  detail_override_a = 6;
  detail_override_b = 5;
  const int32_t k = kind - 34;
  const int32_t lod = tree_lod(t.size);
  const double dx = std::fabs(static_cast<double>(trunc_to_i32(camera_state.camera_x - static_cast<float>(x))));
  const double dy = std::fabs(static_cast<double>(trunc_to_i32(camera_state.camera_y - static_cast<float>(y))));

  if (tree_settings.trees_3d != 0) {
    switch (kind) {
      case 34: draw_3d_palm(t.x, t.y, z, t.size, t.stem_angle, t.bark, t.leaf, shade, lod, t.r1, k); break;
      case 35: draw_3d_oak(t.x, t.y, z, t.size, t.stem_angle, t.bark, t.leaf, shade, lod, t.r1, k); break;
      case 36:
        if (t.cactus_b)
          draw_3d_cactus_b(t.x, t.y, z, t.size, t.stem_angle, t.bark, t.leaf, shade, lod, t.r1, k);
        else
          draw_3d_cactus(t.x, t.y, z, t.size, t.stem_angle, t.bark, t.leaf, shade, lod, t.r1, k);
        break;
      default: draw_3d_pine(t.x, t.y, z, t.size, t.stem_angle, t.bark, t.leaf, shade, lod, t.r1, k); break;
    }
  } else if (texture_slots[kind].loaded != 0 && texture_slot_level(kind, 0, nullptr)) {
    draw_tree_textured(t.x, t.y, z, t.size, shade, kind);
  } else {
    const int32_t X = magnified(t.x, camera_state.camera_x), Y = magnified(t.y, camera_state.camera_y), Z = magnified(z, camera_state.camera_z);
    const int64_t s256 = static_cast<int64_t>(std::min(t.size, kMaxFlatTreeSize)) * 256;
    const bool in_x = dx >= dy;
    const uint32_t bark = t.bark, leaf = t.leaf;
    const int32_t a = t.stem_angle;
    switch (kind) {
      case 34: {
        const int32_t L = static_cast<int32_t>(s256 * 7 / 8);
        (in_x ? draw_palm_2d_x : draw_palm_2d_y)(X, Y, Z, L, a, bark, leaf, shade, 2, t.r1, t.r2, t.r3, kind);
        break;
      }
      case 35: {
        const int32_t L = static_cast<int32_t>(s256 * 8 / 10);
        (in_x ? draw_oak_2d_x : draw_oak_2d_y)(X, Y, Z, L, a, bark, leaf, shade, lod, t.r1, kind);
        break;
      }
      case 36:
        if (t.cactus_b) {
          (in_x ? draw_cactus_b_2d_x : draw_cactus_b_2d_y)(X, Y, Z, static_cast<int32_t>(s256), a, bark, leaf, shade,
                                                           lod, t.r1, t.r2, t.r3, kind);
        } else {
          const int32_t L = static_cast<int32_t>(s256 * 10 / 8);
          (in_x ? draw_cactus_2d_x : draw_cactus_2d_y)(X, Y, Z, L, a, bark, leaf, shade, lod, t.r1, t.r2, t.r3,
                                                       kind);
        }
        break;
      default:
        (in_x ? draw_pine_2d_x : draw_pine_2d_y)(X, Y, Z, static_cast<int32_t>(s256), a, bark, leaf, shade,
                                                 std::max(lod, 1), t.r1, t.r2, t.r3, kind);
        break;
    }
  }
  detail_override_a = saved_a;
  detail_override_b = saved_b;
}

bool texture_slot_level(int32_t slot, int32_t level, TextureRef* out) {
  if (slot < 0 || slot > 255 || texture_slots[slot].loaded == 0) return false;
  const TextureSlot& ts = texture_slots[slot];
  level = std::clamp(level, 0, kTextureLevels - 1);
  // The deepest level at or above the asked one that holds texels.
  for (; level >= 0; --level) {
    const TextureLevel& l = ts.levels[level];
    if (l.pixels && l.width > 0 && l.height > 0 && l.width <= 65536 && l.height <= 65536) break;
  }
  if (level < 0) return false;
  if (out) {
    const TextureLevel& l = ts.levels[level];
    *out = TextureRef{l.pixels, static_cast<int32_t>(l.width), static_cast<int32_t>(l.height), 0, 0, 0};
  }
  return true;
}

void draw_tree_textured(int32_t x, int32_t y, int32_t z, int32_t size, uint32_t shade, int32_t kind) {
  TextureRef full{};
  if (!texture_slot_level(kind, 0, &full)) return;
  const double heading = static_cast<double>(camera_state.camera_heading) / kDegreesPerRadian;
  const double hw = std::cos(heading) * size / 2.0;
  const double hv = std::sin(heading) * size / 2.0;
  const double ex = x - static_cast<double>(camera_state.camera_x), ey = y - static_cast<double>(camera_state.camera_y);
  const double ez = z + size / 2.0 - static_cast<double>(camera_state.camera_z);
  double d = std::sqrt(ex * ex + ey * ey + ez * ez) - (hw + hv + size) / 3.0;
  d = std::max(d, 0.0) / lens_state.lens_scale / render_scale;
  // Texture sizes in 64 bits: W and H are at most 65536 each.
  const double W = static_cast<double>(static_cast<int64_t>(full.width));
  const double H = static_cast<double>(static_cast<int64_t>(full.height));
  double q = H / size;
  if (hv != 0.0) q = std::min(W / (hv + hv), q);
  const double dq = d * q;
  const int32_t level = dq > 0.0 ? std::clamp(trunc_to_i32(std::sqrt(dq)), 0, 7) : 0;
  TextureRef tx{};
  if (!texture_slot_level(kind, level, &tx)) return;
  const int32_t L = light_intensity(30, 0, 0, 0, 30, 0);
  const int32_t light = (shade & kShadeTerrainShadow) ? 0 : (static_cast<int32_t>(shade & 255) + 3 * L) / 4;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y), fz = static_cast<float>(z);
  const float w = static_cast<float>(hw), v = static_cast<float>(hv), top = static_cast<float>(z + size);
  const float p0[3] = {fx - w, fy - v, fz}, p1[3] = {fx + w, fy + v, fz};
  const float p2[3] = {fx + w, fy + v, top}, p3[3] = {fx - w, fy - v, top};
  emit_textured_quad(p0, p1, p2, p3, &tx, 0, light, kind);
}

void emit_textured_quad(const float p0[3], const float p1[3], const float p2[3], const float p3[3],
                        const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot) {
  PolygonRecord rec;
  rec.count = 5;
  rec.tx_map = tx;
  const float* corners[5] = {p0, p1, p2, p3, p0};
  const float W = tx ? static_cast<float>(tx->width) : 0.0f, H = tx ? static_cast<float>(tx->height) : 0.0f;
  const float tu[5] = {0, W, W, 0, 0}, tv[5] = {H, H, 0, 0, H};
  for (int32_t i = 0; i < 5; ++i) {
    fill_entry(&rec.vertices[i], corners[i], 0, colour, 0, slot, light);
    rec.vertices[i].tu = tu[i];
    rec.vertices[i].tv = tv[i];
  }
  scene_draw_polygon(&rec, tx ? ScenePath::kTextured : ScenePath::kCulled, 0);
}

void draw_colored_quad(const float p0[3], int32_t seed0, const float p1[3], int32_t seed1, const float p2[3],
                       int32_t seed2, uint32_t colour, int32_t slot) {
  PolygonRecord rec;
  rec.count = 4;
  rec.tx_map = nullptr;
  fill_entry(&rec.vertices[0], p0, seed0, colour, 255, slot, 0);
  fill_entry(&rec.vertices[1], p1, seed1, colour, 255, slot, 0);
  fill_entry(&rec.vertices[2], p2, seed2, colour, 255, slot, 0);
  fill_entry(&rec.vertices[3], p0, seed0, colour, 255, slot, 0);
  scene_draw_polygon(&rec, tree_settings.tree_textures_enabled != 0 ? ScenePath::kDetail : ScenePath::kWorld, 0);
}
