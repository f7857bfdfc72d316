// Small single-precision vectors of the light model and their operations: normalise, cross and dot
// products, reflection terms, and the normal of a face from its edges.
#pragma once

#include <cmath>

struct Vec3f {
  float x, y, z;
};

// The unit vector of v (components divided by the double-precision length); (0, 0, 1) for a zero or NaN length.
// Inline: every shaded triangle normalises its normal and view vector.
inline void vec3_normalize(Vec3f* v) {
  const double len = std::sqrt(static_cast<double>(v->x) * v->x + static_cast<double>(v->y) * v->y +
                               static_cast<double>(v->z) * v->z);
  if (len == 0.0 || std::isnan(len)) {
    v->x = 0.0f;
    v->y = 0.0f;
    v->z = 1.0f;
    return;
  }
  v->x = static_cast<float>(v->x / len);
  v->y = static_cast<float>(v->y / len);
  v->z = static_cast<float>(v->z / len);
}
void vec3_cross_normalized(Vec3f* a, Vec3f* b, Vec3f* out);
// Inline: taken several times per shaded triangle.
inline double vec3_dot(const Vec3f& a, const Vec3f& b) {
  return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}
double reflect_dot(const Vec3f& l, const Vec3f& v, const Vec3f& n);
double reflect_z_term(const Vec3f& v, const Vec3f& n);
double normal_from_edges(double ax, double ay, double az, double bx, double by, double bz, double cx, double cy,
                         double cz);
