// The small vector operations of the light model: normalise, cross and dot products, reflection terms.
#include <cmath>

#include "engine/core/vectors.h"

void vec3_normalize(Vec3f* v) {
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

void vec3_cross_normalized(Vec3f* a, Vec3f* b, Vec3f* out) {
  vec3_normalize(a);
  vec3_normalize(b);
  out->x = a->y * b->z - a->z * b->y;
  out->y = a->z * b->x - a->x * b->z;
  out->z = a->x * b->y - a->y * b->x;
}

double vec3_dot(const Vec3f& a, const Vec3f& b) {
  return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}

double reflect_dot(const Vec3f& l, const Vec3f& v, const Vec3f& n) {
  const float d = static_cast<float>(vec3_dot(n, l));
  const double rx = 2.0 * d * n.x - l.x;
  const double ry = 2.0 * d * n.y - l.y;
  const double rz = 2.0 * d * n.z - l.z;
  return rx * v.x + ry * v.y + rz * v.z;
}

double reflect_z_term(const Vec3f& v, const Vec3f& n) {
  const float d = static_cast<float>(vec3_dot(n, v));
  const double t = 2.0 * n.z * d - v.z;
  return 1.0 - (t > 0.0 ? t : 0.0);
}

double normal_from_edges(double ax, double ay, double az, double bx, double by, double bz, double cx, double cy,
                         double cz) {
  const float mx = static_cast<float>(ay * bz - az * by);
  const float my = static_cast<float>(az * bx - ax * bz);
  const float mz = static_cast<float>(ax * by - ay * bx);
  double len = std::sqrt(static_cast<double>(mx) * mx + static_cast<double>(my) * my + static_cast<double>(mz) * mz);
  if (len == 0.0) len = 1.0;
  return (mx * cx + my * cy + mz * cz) / len;
}
