// Flat trees: pine, oak, palm and the two cactus variants as recursive figures of thin triangles in one
// vertical plane, integer arithmetic throughout (64-bit inside, so that large trees cannot overflow).
#include "engine/scene/flat_trees.h"

#include <algorithm>

#include "engine/core/maths.h"
#include "engine/core/random.h"
#include "engine/core/wrap.h"
#include "engine/raster/haze.h"
#include "engine/scene/tree_draw.h"

namespace {

// The plane of a drawer: true draws in the plane of constant X (horizontal offsets on Y), false in the plane
// of constant Y (offsets on X).
struct Plane {
  bool on_y;
  int32_t X, Y, Z;
  // The point at horizontal offset h and vertical offset v from the base.
  void point(int64_t h, int64_t v, float out[3]) const {
    out[0] = static_cast<float>(on_y ? X : X + h);
    out[1] = static_cast<float>(on_y ? Y + h : Y);
    out[2] = static_cast<float>(Z + v);
  }
  // The same plane with its base moved by (h, v).
  Plane moved(int64_t h, int64_t v) const {
    Plane p = *this;
    if (on_y) {
      p.Y = wrap32(Y + h);
    } else {
      p.X = wrap32(X + h);
    }
    p.Z = wrap32(Z + v);
    return p;
  }
};

// The tip vector of a limb and its length after the zero guard.
struct Limb {
  int64_t ca, sa, L;
  int32_t angle;
};

Limb limb_of(int32_t length, int32_t angle) {
  if (angle < 0) {
    angle += 360;
  } else if (angle > 360) {
    angle -= 360;
  }
  Limb l;
  l.angle = angle;
  l.L = length;
  l.ca = (l.L * cos_deg(angle)) >> 10;
  l.sa = (l.L * sin_deg(angle)) >> 10;
  if (l.L == 0) l.L = 1;
  return l;
}

uint32_t lit(uint32_t colour, uint32_t shade) {
  return shade_color(static_cast<int32_t>((colour >> 16) & 255), static_cast<int32_t>((colour >> 8) & 255),
                     static_cast<int32_t>(colour & 255), static_cast<int32_t>(shade & 255), 0, 0);
}

// The limb triangle p0 (X - a, Z + b), tip (X + ca, Z + sa), p2 (X + a, Z - b) with half width
// max(L / d, m). Returns the offsets a and b for the cactus spindle.
void limb_triangle(const Plane& p, const Limb& l, int64_t d, int64_t m, uint32_t colour, uint32_t shade,
                   int32_t slot, int32_t s0, int32_t s1, int32_t s2, int64_t* a_out = nullptr,
                   int64_t* b_out = nullptr) {
  const int64_t w = std::max<int64_t>(l.L / d, m);
  const int64_t a = w * l.sa / l.L, b = w * l.ca / l.L;
  float p0[3], p1[3], p2[3];
  p.point(-a, b, p0);
  p.point(l.ca, l.sa, p1);
  p.point(a, -b, p2);
  draw_colored_quad(p0, s0, p1, s1, p2, s2, lit(colour, shade), slot);
  if (a_out) *a_out = a;
  if (b_out) *b_out = b;
}

int32_t narrow(int64_t v) { return wrap32(v); }

// Reseeds random stream 1 from the pair (p, q) and draws three values.
void reseed3(int32_t p, int32_t q, int32_t* a, int32_t* b, int32_t* c) {
  random8_from(static_cast<uint32_t>(random_at2(p, q)));
  *a = random8();
  *b = random8();
  *c = random8();
}

void pine(const Plane& p, int32_t length, int32_t angle, uint32_t bark, uint32_t leaf, uint32_t shade,
          int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  level = std::min(level, 3);
  const Limb l = limb_of(length, angle);
  const int32_t j = (r2 >> 1) + r3 + (r1 >> 2);
  if (level >= 2) {
    bark = adjust_rgb(bark, j & 7);
    limb_triangle(p, l, 32, 8, bark, shade, kind + 30, r1, r2, r3);
  } else {
    leaf = adjust_rgb(leaf, j & 15);
    limb_triangle(p, l, 32, 8, leaf, shade, kind, r1, r2, r3);
  }
  if (level <= 0) return;
  struct Child {
    int64_t num, den;  // base at num/den of the tip vector
    int64_t len_num, len_den;
  };
  static constexpr Child kChildren[5] = {{3, 16, 1, 2}, {1, 2, 3, 8}, {3, 16, 1, 2}, {1, 2, 3, 8}, {5, 8, 3, 8}};
  for (int32_t i = 0; i < 5; ++i) {
    reseed3(r1, r2, &r1, &r2, &r3);
    if ((r1 & 7) == 0) continue;
    int32_t a = l.angle;
    switch (i) {
      case 0: a = l.angle + (r1 & 31) + 45; break;
      case 1: a = l.angle + (r2 & 31) + 45; break;
      case 2: a = l.angle - 45 - (r3 & 31); break;
      case 3: a = l.angle - 45 - static_cast<int32_t>(l.L & 31); break;
      default: break;
    }
    const Child& c = kChildren[i];
    const Plane base = p.moved(l.ca * c.num / c.den, l.sa * c.num / c.den);
    pine(base, narrow(c.len_num * l.L / c.len_den), a, bark, leaf, shade, level - 1, r1, r2, r3, kind);
  }
}

void oak(const Plane& p, int32_t length, int32_t angle, uint32_t bark, uint32_t leaf, uint32_t shade,
         int32_t level, int32_t s, int32_t kind) {
  const Limb l = limb_of(length, angle);
  const uint32_t us = static_cast<uint32_t>(s);
  int32_t slot = kind;
  uint32_t colour = leaf;
  if (level >= 3) {
    bark = adjust_rgb(bark, random8_from(us + 19) & 7);
    colour = bark;
    slot = kind + 30;
  } else {
    leaf = adjust_rgb(leaf, random8_from(us + 11) & 15);
    colour = leaf;
  }
  const int32_t s0 = random8_from(us), s1 = random8_from(us + 7), s2 = random8_from(us + 13);
  limb_triangle(p, l, 24, 8, colour, shade, slot, s0, s1, s2);
  if (level <= 0) return;
  int32_t seed = s;
  for (int32_t branch = 0; branch < 2; ++branch) {
    seed = random8_from(static_cast<uint32_t>(seed) + (branch == 0 ? 123u : 234u));
    if (seed % 6 == 0) continue;
    const int32_t t = random8();
    const int32_t m = random8_from(static_cast<uint32_t>(seed) + (branch == 0 ? 654u : 543u)) % 6 + 12;
    const int32_t a = branch == 0 ? l.angle + (t % 10) + 35 : l.angle - 35 - (t % 10);
    oak(p.moved(l.ca * m / 40, l.sa * m / 40), narrow(3 * l.L / 4), a, bark, leaf, shade, level - 1, seed, kind);
  }
}

void palm(const Plane& p, int32_t length, int32_t angle, uint32_t bark, uint32_t leaf, uint32_t shade,
          int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  const int32_t j = (r2 >> 1) + r3 + (r1 >> 2) + angle;
  const Limb l = limb_of(length, angle);
  if (level != 0) {
    bark = adjust_rgb(bark, j & 15);
    limb_triangle(p, l, 32, 16, bark, shade, kind + 30, r1, r2, r3);
  } else {
    leaf = adjust_rgb(leaf, j & 31);
    limb_triangle(p, l, 32, 16, leaf, shade, kind, r1, r2, r3);
  }
  if (level <= 0) return;
  const Plane tip = p.moved(l.ca, l.sa);
  for (int32_t i = 1; i < 361; i += level * 4 + 15) {
    if (((r1 ^ r2 ^ r3 ^ i) & 3) == 0) continue;
    palm(tip, narrow(l.L / 4), l.angle + i + ((r1 + r2 + r3 + i) & 15), bark, leaf, shade, 0, r1 ^ r2, r2 ^ r3,
         r3 ^ r1, kind);
  }
}

void cactus_a(const Plane& p, int32_t length, int32_t angle, uint32_t bark, uint32_t leaf, uint32_t shade,
              int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  level = std::min(level, 4);
  const Limb l = limb_of(length, angle);
  const uint32_t colour = adjust_rgb(leaf, (l.angle ^ r1 ^ r2 ^ r3) & 15);
  int64_t a = 0, b = 0;
  limb_triangle(p, l, 16, 10, colour, shade, kind, r1, r2, r3, &a, &b);
  const int64_t a2 = a / 2, b2 = b / 2;
  float q0[3], q1[3], q2[3];
  p.point(l.ca - a2, l.sa + b2, q0);
  p.point(0, 0, q1);
  p.point(l.ca + a2, l.sa - b2, q2);
  draw_colored_quad(q0, r2, q1, r1, q2, r2, lit(colour, shade), kind);
  if (level == 0) return;
  int32_t ra = 0, rb = 0, rc = 0;
  reseed3(r1, r2, &ra, &rb, &rc);
  if (level % 2 != 0) {
    if ((ra & 3) != 0)
      cactus_a(p.moved(l.ca, l.sa), narrow(3 * l.L / 2), ((ra + rb + rc) & 7) + 86, bark, leaf, shade, level - 1,
               ra ^ rb, rb ^ rc, rc ^ ra, kind);
    return;
  }
  const Plane middle = p.moved(l.ca / 2, l.sa / 2);
  if ((ra & 3) != 0)
    cactus_a(middle, narrow(l.L / 5), ((rb - ra - rc) & 31) + 30, bark, leaf, shade, level - 1, ra ^ rb, rb ^ rc,
             rc ^ ra, kind);
  int32_t d = 0, e = 0, f = 0;
  reseed3(ra, rb, &d, &e, &f);
  if ((d & 3) != 0)
    cactus_a(middle, narrow(l.L / 5), 150 - ((d - e + f) & 31), bark, leaf, shade, level - 1, d ^ e, e ^ f, f ^ d,
             kind);
}

void cactus_b(const Plane& p, int32_t length, uint32_t bark, uint32_t leaf, uint32_t shade, int32_t level,
              int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  const int32_t step = level * 4 + 15;
  if (step <= 0) return;
  for (int32_t i = 0; i <= 180; i += step) {
    if (((r1 ^ r2 ^ r3 ^ i) & 3) == 0) continue;
    palm(p, length / 8, i + ((r1 + r2 + r3 + i) & 15), bark, leaf, shade, 0, r1 ^ r2, r2 ^ r3, r3 ^ r1, kind);
  }
}

}  // namespace

void draw_palm_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  palm(Plane{true, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_palm_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  palm(Plane{false, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_oak_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                   uint32_t shade, int32_t level, int32_t s, int32_t kind) {
  oak(Plane{true, X, Y, Z}, L, angle, bark, leaf, shade, level, s, kind);
}
void draw_oak_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                   uint32_t shade, int32_t level, int32_t s, int32_t kind) {
  oak(Plane{false, X, Y, Z}, L, angle, bark, leaf, shade, level, s, kind);
}
void draw_cactus_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  cactus_a(Plane{true, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_cactus_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  cactus_a(Plane{false, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_cactus_b_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t, uint32_t bark, uint32_t leaf,
                        uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  cactus_b(Plane{true, X, Y, Z}, L, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_cactus_b_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t, uint32_t bark, uint32_t leaf,
                        uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  cactus_b(Plane{false, X, Y, Z}, L, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_pine_2d_x(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  pine(Plane{true, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
void draw_pine_2d_y(int32_t X, int32_t Y, int32_t Z, int32_t L, int32_t angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t level, int32_t r1, int32_t r2, int32_t r3, int32_t kind) {
  pine(Plane{false, X, Y, Z}, L, angle, bark, leaf, shade, level, r1, r2, r3, kind);
}
