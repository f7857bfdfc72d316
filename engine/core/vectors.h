// Small single-precision vectors of the light model and their operations: normalise, cross and dot
// products, reflection terms, and the normal of a face from its edges.
#pragma once

struct Vec3f {
  float x, y, z;
};

void vec3_normalize(Vec3f* v);
void vec3_cross_normalized(Vec3f* a, Vec3f* b, Vec3f* out);
double vec3_dot(const Vec3f& a, const Vec3f& b);
double reflect_dot(const Vec3f& l, const Vec3f& v, const Vec3f& n);
double reflect_z_term(const Vec3f& v, const Vec3f& n);
double normal_from_edges(double ax, double ay, double az, double bx, double by, double bz, double cx, double cy,
                         double cz);
