// The out-of-line vector operations of the light model: the normalised cross product and the normal from edges.
#include <cmath>

#include "engine/core/vectors.h"

void vec3_cross_normalized(Vec3f* a, Vec3f* b, Vec3f* out) {
  vec3_normalize(a);
  vec3_normalize(b);
  out->x = a->y * b->z - a->z * b->y;
  out->y = a->z * b->x - a->x * b->z;
  out->z = a->x * b->y - a->y * b->x;
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
