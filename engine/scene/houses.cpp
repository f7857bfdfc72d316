// Houses: the per-cell shape and colour, the faces of gabled houses and office buildings with their light,
// highlight and texture level, and the quad emitters.
#include "engine/scene/houses.h"

#include <algorithm>
#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/core/vectors.h"
#include "engine/scene/render_services.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/scene_polygons.h"
#include "engine/scene/tree_draw.h"

namespace {

// What the faces of one house share: its colour, light inputs, distance term and view vector.
struct HouseView {
  int32_t red, green, blue;
  uint32_t shade;
  int32_t kind;
  double d;  // distance term for the texture size level
  Vec3f v;   // unit vector towards the camera
};

struct Face {
  float corners[5][3];
  int32_t slot;       // texture slot of the face group
  double extent_a, extent_b;
  Vec3f n;
  int32_t e1[3], e2[3];
};

HouseView house_view(int32_t x, int32_t y, int32_t z, int32_t hx, int32_t hy, int32_t h, uint32_t colour,
                     uint32_t shade, int32_t kind) {
  HouseView hv{};
  hv.red = static_cast<int32_t>((colour >> 16) & 255);
  hv.green = static_cast<int32_t>((colour >> 8) & 255);
  hv.blue = static_cast<int32_t>(colour & 255);
  hv.shade = shade;
  hv.kind = kind;
  const double cz = z + h / 2;
  const double ex = x - static_cast<double>(camera_state.camera_x), ey = y - static_cast<double>(camera_state.camera_y);
  const double ez = cz - static_cast<double>(camera_state.camera_z);
  double d = std::sqrt(ex * ex + ey * ey + ez * ez) - static_cast<double>((static_cast<int64_t>(hx) + hy + h) / 3);
  hv.d = std::max(d, 0.0) / lens_state.lens_scale / render_scale;
  hv.v = Vec3f{static_cast<float>(-ex), static_cast<float>(-ey), static_cast<float>(-ez)};
  vec3_normalize(&hv.v);
  return hv;
}

// The face group's texture at its size level, or false when the slot holds no texture.
bool face_texture(const HouseView& hv, const Face& f, TextureRef* tx) {
  TextureRef full{};
  if (!texture_slot_level(f.slot, 0, &full)) return false;
  // Texture sizes in 64 bits; a face of zero extent takes the full-size level instead of dividing by zero.
  const double W = static_cast<double>(static_cast<int64_t>(full.width));
  const double Hs = static_cast<double>(static_cast<int64_t>(full.height));
  int32_t level = 0;
  if (f.extent_a > 0 && f.extent_b > 0) {
    const double dq = hv.d * std::min(W / f.extent_a, Hs / f.extent_b);
    level = dq > 0.0 ? std::clamp(trunc_to_i32(std::sqrt(dq)), 0, 7) : 0;
  }
  return texture_slot_level(f.slot, level, tx);
}

void draw_face(const HouseView& hv, const Face& f, bool gable) {
  // A face of zero extent draws nothing.
  if (!(f.extent_a > 0) || !(f.extent_b > 0)) return;
  const Vec3f light{light_state.light_x, light_state.light_y, light_state.light_z};
  double s = reflect_dot(light, hv.v, f.n);
  s = std::clamp(s, 0.0, 1.0);
  const int32_t P = class_attributes[hv.kind].phong_intensity;
  const int32_t T = trunc_to_i32(std::pow(s, class_attributes[hv.kind].phong_sharpness) * 256.0);
  const int32_t L = light_intensity(f.e1[0], f.e1[1], f.e1[2], f.e2[0], f.e2[1], f.e2[2]);
  const int32_t lightv = (hv.shade & kShadeTerrainShadow) ? 0 : (static_cast<int32_t>(hv.shade & 255) + 3 * L) / 4;
  const uint32_t colour = shade_color(hv.red, hv.green, hv.blue, lightv, P, T);
  TextureRef tx{};
  const bool textured = face_texture(hv, f, &tx);
  if (textured) {
    tx.phong_strength = P;
    tx.phong_power = T;
  }
  const TextureRef* t = textured ? &tx : nullptr;
  if (gable) {
    emit_gable_wall(f.corners[0], f.corners[1], f.corners[2], f.corners[3], f.corners[4], t, colour, lightv, hv.kind);
  } else {
    emit_house_quad(f.corners[0], f.corners[1], f.corners[2], f.corners[3], t, colour, lightv, hv.kind);
  }
}

void set_corner(float c[3], double x, double y, double z) {
  c[0] = static_cast<float>(x);
  c[1] = static_cast<float>(y);
  c[2] = static_cast<float>(z);
}

Face make_face(int32_t slot, double a, double b, Vec3f n, int32_t e10, int32_t e11, int32_t e12, int32_t e20,
               int32_t e21, int32_t e22) {
  Face f{};
  f.slot = slot;
  f.extent_a = a;
  f.extent_b = b;
  f.n = n;
  f.e1[0] = e10;
  f.e1[1] = e11;
  f.e1[2] = e12;
  f.e2[0] = e20;
  f.e2[1] = e21;
  f.e2[2] = e22;
  return f;
}

void fill_house_entry(PolygonVertex* v, const float p[3], uint32_t colour, uint16_t alpha, int32_t slot,
                      int32_t light, float tu, float tv) {
  v->x = p[0];
  v->y = p[1];
  v->z = p[2];
  v->seed = 0;
  v->r = static_cast<uint16_t>(((colour >> 16) & 255) * 256);
  v->g = static_cast<uint16_t>(((colour >> 8) & 255) * 256);
  v->b = static_cast<uint16_t>((colour & 255) * 256);
  v->alpha = alpha;
  v->slot = static_cast<uint16_t>(slot);
  v->light = static_cast<uint16_t>(std::clamp(light, 0, 255) * 256);
  v->tu = tu;
  v->tv = tv;
  v->tw = 0.0f;
}

uint16_t house_alpha(int32_t slot) {
  const ColorEntry& e = color_table[slot & 255];
  return (e.red == 0 && e.green == 0 && e.blue == 0) ? 0 : 255;
}

void draw_house_record(PolygonRecord* rec) {
  scene_draw_polygon(rec, rec->tx_map ? ScenePath::kTextured : ScenePath::kCulled, 1);
}

// The four walls facing +y, -y (front slot) and, for office buildings, +x, -x (side slot), when the camera
// lies outside their planes.
void y_walls(const HouseView& hv, double x, double y, double z, double hx, double hy, double zt) {
  if (y + hy < camera_state.camera_y) {
    Face f = make_face(hv.kind, 2 * hx, zt - z, Vec3f{0, 1, 0}, -30, 0, 0, 0, 0, 30);
    set_corner(f.corners[0], x + hx, y + hy, z);
    set_corner(f.corners[1], x - hx, y + hy, z);
    set_corner(f.corners[2], x - hx, y + hy, zt);
    set_corner(f.corners[3], x + hx, y + hy, zt);
    draw_face(hv, f, false);
  }
  if (y - hy > camera_state.camera_y) {
    Face f = make_face(hv.kind, 2 * hx, zt - z, Vec3f{0, -1, 0}, 30, 0, 0, 0, 0, 30);
    set_corner(f.corners[0], x - hx, y - hy, z);
    set_corner(f.corners[1], x + hx, y - hy, z);
    set_corner(f.corners[2], x + hx, y - hy, zt);
    set_corner(f.corners[3], x - hx, y - hy, zt);
    draw_face(hv, f, false);
  }
}

}  // namespace

HouseShape house_shape(int32_t x, int32_t y, int32_t kind, int32_t base) {
  random8_from(static_cast<uint32_t>(random_at2(x, y)));
  const int32_t a = random8() + 128, b = random8() + 128, c = random8() + 128;
  const ColorEntry& e = color_table[kind & 255];
  HouseShape s{};
  const int32_t red = std::clamp(e.red + 7 - (a & 15), 0, 255);
  const int32_t green = std::clamp(e.green + 7 - (b & 15), 0, 255);
  const int32_t blue = std::clamp(e.blue + 7 - (c & 15), 0, 255);
  s.colour = (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | static_cast<uint32_t>(blue);
  const int32_t HX = trunc_to_i32(((a & 3) + 8) * static_cast<double>(grid_spacing_x) / 30.0);
  const int32_t HY = trunc_to_i32(((b & 3) + 8) * static_cast<double>(grid_spacing_y) / 30.0);
  const int64_t M = trunc_to_i32(std::max(grid_spacing_x, grid_spacing_y));
  const int32_t H = clamp_i32((static_cast<int64_t>(base) + (c & 15)) * M / 30, INT32_MIN, INT32_MAX);
  switch (kind) {
    case 68: s = HouseShape{s.colour, HX / 2, HY / 2, H / 6, true}; break;
    case 69: s = HouseShape{s.colour, HX / 2, HY / 2, H / 4, true}; break;
    case 70: s = HouseShape{s.colour, HX, HY, H / 4, false}; break;
    default: s = HouseShape{s.colour, HX, HY, H, false}; break;
  }
  return s;
}

void draw_house(int32_t z, int32_t y, int32_t x, int32_t kind, uint32_t shade, int32_t base) {
  if (kind < 68 || kind > 71) return;
  const HouseShape s = house_shape(x, y, kind, base);
  if (s.gabled) {
    draw_gabled_house(x, y, z, s.hx, s.hy, s.h, s.colour, shade, kind);
  } else {
    draw_office_building(x, y, z, s.hx, s.hy, s.h, s.colour, shade, kind);
  }
}

void draw_gabled_house(int32_t xi, int32_t yi, int32_t zi, int32_t hxi, int32_t hyi, int32_t hi, uint32_t colour,
                       uint32_t shade, int32_t kind) {
  const HouseView hv = house_view(xi, yi, zi, hxi, hyi, hi, colour, shade, kind);
  const double x = xi, y = yi, z = zi, hx = hxi, hy = hyi;
  // The ridge stands at 3 h / 2 (integer division) above the base.
  const double gable_height = static_cast<double>((3 * static_cast<int64_t>(hi)) / 2);
  const double zt = z + hi, zr = z + gable_height;
  if (x + hx < camera_state.camera_x) {
    Face f = make_face(kind + 12, 2 * hy, gable_height, Vec3f{1, 0, 0}, 0, 30, 0, 0, 0, 30);
    set_corner(f.corners[0], x + hx, y - hy, z);
    set_corner(f.corners[1], x + hx, y + hy, z);
    set_corner(f.corners[2], x + hx, y + hy, zt);
    set_corner(f.corners[3], x + hx, y, zr);
    set_corner(f.corners[4], x + hx, y - hy, zt);
    draw_face(hv, f, true);
  }
  if (x - hx > camera_state.camera_x) {
    Face f = make_face(kind + 12, 2 * hy, gable_height, Vec3f{-1, 0, 0}, 0, -30, 0, 0, 0, 30);
    set_corner(f.corners[0], x - hx, y + hy, z);
    set_corner(f.corners[1], x - hx, y - hy, z);
    set_corner(f.corners[2], x - hx, y - hy, zt);
    set_corner(f.corners[3], x - hx, y, zr);
    set_corner(f.corners[4], x - hx, y + hy, zt);
    draw_face(hv, f, true);
  }
  y_walls(hv, x, y, z, hx, hy, zt);
  Face south = make_face(kind + 16, 2 * hx, 2 * hy, Vec3f{0, -0.707f, 0.707f}, 30, 0, 0, 0, 30, 20);
  set_corner(south.corners[0], x - hx, y - hy, zt);
  set_corner(south.corners[1], x + hx, y - hy, zt);
  set_corner(south.corners[2], x + hx, y, zr);
  set_corner(south.corners[3], x - hx, y, zr);
  draw_face(hv, south, false);
  Face north = make_face(kind + 16, 2 * hx, 2 * hy, Vec3f{0, 0.707f, 0.707f}, 30, 0, 0, 0, 30, -20);
  set_corner(north.corners[0], x + hx, y + hy, zt);
  set_corner(north.corners[1], x - hx, y + hy, zt);
  set_corner(north.corners[2], x - hx, y, zr);
  set_corner(north.corners[3], x + hx, y, zr);
  draw_face(hv, north, false);
}

void draw_office_building(int32_t xi, int32_t yi, int32_t zi, int32_t hxi, int32_t hyi, int32_t hi,
                          uint32_t colour, uint32_t shade, int32_t kind) {
  const HouseView hv = house_view(xi, yi, zi, hxi, hyi, hi, colour, shade, kind);
  const double x = xi, y = yi, z = zi, hx = hxi, hy = hyi, zt = z + hi;
  if (x + hx < camera_state.camera_x) {
    Face f = make_face(kind + 12, 2 * hy, hi, Vec3f{1, 0, 0}, 0, 30, 0, 0, 0, 30);
    set_corner(f.corners[0], x + hx, y - hy, z);
    set_corner(f.corners[1], x + hx, y + hy, z);
    set_corner(f.corners[2], x + hx, y + hy, zt);
    set_corner(f.corners[3], x + hx, y - hy, zt);
    draw_face(hv, f, false);
  }
  if (x - hx > camera_state.camera_x) {
    Face f = make_face(kind + 12, 2 * hy, hi, Vec3f{-1, 0, 0}, 0, -30, 0, 0, 0, 30);
    set_corner(f.corners[0], x - hx, y + hy, z);
    set_corner(f.corners[1], x - hx, y - hy, z);
    set_corner(f.corners[2], x - hx, y - hy, zt);
    set_corner(f.corners[3], x - hx, y + hy, zt);
    draw_face(hv, f, false);
  }
  y_walls(hv, x, y, z, hx, hy, zt);
  if (zt < camera_state.camera_z) {
    Face f = make_face(kind + 16, 2 * hx, 2 * hy, Vec3f{0, 0, 1}, 30, 0, 0, 0, 30, 0);
    set_corner(f.corners[0], x - hx, y - hy, zt);
    set_corner(f.corners[1], x + hx, y - hy, zt);
    set_corner(f.corners[2], x + hx, y + hy, zt);
    set_corner(f.corners[3], x - hx, y + hy, zt);
    draw_face(hv, f, false);
  }
}

void emit_house_quad(const float p0[3], const float p1[3], const float p2[3], const float p3[3],
                     const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot) {
  PolygonRecord rec;
  rec.count = 5;
  rec.tx_map = tx;
  const uint16_t alpha = house_alpha(slot);
  const float W = tx ? static_cast<float>(tx->width) : 0.0f, H = tx ? static_cast<float>(tx->height) : 0.0f;
  fill_house_entry(&rec.vertices[0], p0, colour, alpha, slot, light, 0, H);
  fill_house_entry(&rec.vertices[1], p1, colour, alpha, slot, light, W, H);
  fill_house_entry(&rec.vertices[2], p2, colour, alpha, slot, light, W, 0);
  fill_house_entry(&rec.vertices[3], p3, colour, alpha, slot, light, 0, 0);
  fill_house_entry(&rec.vertices[4], p0, colour, alpha, slot, light, 0, H);
  draw_house_record(&rec);
}

void emit_gable_wall(const float p0[3], const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                     const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot) {
  const uint16_t alpha = house_alpha(slot);
  const int32_t Wt = tx ? tx->width : 0, Ht = tx ? tx->height : 0;
  const float W = static_cast<float>(Wt), H = static_cast<float>(Ht), H3 = static_cast<float>(Ht / 3);
  PolygonRecord rec;
  rec.count = 5;
  rec.tx_map = tx;
  fill_house_entry(&rec.vertices[0], p0, colour, alpha, slot, light, 0, H);
  fill_house_entry(&rec.vertices[1], p1, colour, alpha, slot, light, W, H);
  fill_house_entry(&rec.vertices[2], p2, colour, alpha, slot, light, W, H3);
  fill_house_entry(&rec.vertices[3], p4, colour, alpha, slot, light, 0, H3);
  fill_house_entry(&rec.vertices[4], p0, colour, alpha, slot, light, 0, H);
  draw_house_record(&rec);
  PolygonRecord tri;
  tri.count = 4;
  tri.tx_map = tx;
  fill_house_entry(&tri.vertices[0], p2, colour, alpha, slot, light, W, H3);
  fill_house_entry(&tri.vertices[1], p3, colour, alpha, slot, light, static_cast<float>(Wt / 2), 0);
  fill_house_entry(&tri.vertices[2], p4, colour, alpha, slot, light, 0, H3);
  fill_house_entry(&tri.vertices[3], p2, colour, alpha, slot, light, W, H3);
  draw_house_record(&tri);
}
