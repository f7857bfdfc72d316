// Small single-precision vectors of the light model and their operations: normalise, cross and dot
// products, reflection terms, and the normal of a face from its edges.
#pragma once

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// vec3_normalize of a and of b, bit for bit, the two taken side by side: one square root and three divisions of
// pairs instead of two roots and six divisions, and neither waits on the other. A zero or NaN length in either
// takes the plain path for both.
inline void vec3_normalize_pair(Vec3f* a, Vec3f* b) {
#if defined(__SSE2__)
  const __m128d x = _mm_set_pd(b->x, a->x);
  const __m128d y = _mm_set_pd(b->y, a->y);
  const __m128d z = _mm_set_pd(b->z, a->z);
  const __m128d len = _mm_sqrt_pd(_mm_add_pd(_mm_add_pd(_mm_mul_pd(x, x), _mm_mul_pd(y, y)), _mm_mul_pd(z, z)));
  const __m128d degenerate = _mm_or_pd(_mm_cmpeq_pd(len, _mm_setzero_pd()), _mm_cmpunord_pd(len, len));
  if (_mm_movemask_pd(degenerate) != 0) {
    vec3_normalize(a);
    vec3_normalize(b);
    return;
  }
  const __m128 ux = _mm_cvtpd_ps(_mm_div_pd(x, len));
  const __m128 uy = _mm_cvtpd_ps(_mm_div_pd(y, len));
  const __m128 uz = _mm_cvtpd_ps(_mm_div_pd(z, len));
  a->x = _mm_cvtss_f32(ux);
  a->y = _mm_cvtss_f32(uy);
  a->z = _mm_cvtss_f32(uz);
  b->x = _mm_cvtss_f32(_mm_shuffle_ps(ux, ux, 1));
  b->y = _mm_cvtss_f32(_mm_shuffle_ps(uy, uy, 1));
  b->z = _mm_cvtss_f32(_mm_shuffle_ps(uz, uz, 1));
#else
  vec3_normalize(a);
  vec3_normalize(b);
#endif
}
void vec3_cross_normalized(Vec3f* a, Vec3f* b, Vec3f* out);
// Inline: taken several times per shaded triangle.
inline double vec3_dot(const Vec3f& a, const Vec3f& b) {
  return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}
// Inline: taken for every highlighted triangle.
inline double reflect_dot(const Vec3f& l, const Vec3f& v, const Vec3f& n) {
  const float d = static_cast<float>(vec3_dot(n, l));
  const double rx = 2.0 * d * n.x - l.x;
  const double ry = 2.0 * d * n.y - l.y;
  const double rz = 2.0 * d * n.z - l.z;
  return rx * v.x + ry * v.y + rz * v.z;
}
inline double reflect_z_term(const Vec3f& v, const Vec3f& n) {
  const float d = static_cast<float>(vec3_dot(n, v));
  const double t = 2.0 * n.z * d - v.z;
  return 1.0 - (t > 0.0 ? t : 0.0);
}
double normal_from_edges(double ax, double ay, double az, double bx, double by, double bz, double cx, double cy,
                         double cz);
