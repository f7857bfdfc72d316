// Integer trigonometry from a 181-entry table and the small numeric helpers shared by the engine.
#include "engine/core/maths.h"

#include <array>
#include <cmath>
#include <cstring>

#include "engine/core/wrap.h"

namespace {
// round(sin(d degrees) * 1024) for d = 0 to 180; no entry is a tie.
std::array<int16_t, 181> make_sine_table() {
  std::array<int16_t, 181> t{};
  for (int d = 0; d <= 180; ++d) t[d] = static_cast<int16_t>(std::lround(std::sin(d / kDegreesPerRadian) * 1024.0));
  return t;
}
const std::array<int16_t, 181> kSine = make_sine_table();

int32_t sin_reduced(int64_t a) {
  if (a >= 360) a %= 360;
  else if (a <= -360) a = -((-a) % 360);
  if (a >= 0) return a <= 180 ? kSine[a] : -kSine[a - 180];
  if (a >= -180) return -kSine[-a];
  return kSine[-a - 180];
}
}  // namespace

const int16_t* sine_table() { return kSine.data(); }

// Angles are reduced in 64 bits so that the most negative angle cannot overflow on negation.
int32_t sin_deg(int32_t angle) { return sin_reduced(angle); }
int32_t cos_deg(int32_t angle) { return sin_reduced(static_cast<int64_t>(angle) + 90); }

int32_t int_hypot3(int32_t x, int32_t y, int32_t z) {
  auto small = [](int32_t v) { return v > -24000 && v < 24000; };
  if (small(x) && small(y) && small(z)) {
    const int32_t sum = x * x + y * y + z * z;
    return static_cast<int32_t>(std::sqrt(static_cast<double>(sum)));
  }
  const double dx = x, dy = y, dz = z;
  return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

double hypot2(double x, double y) { return std::sqrt(x * x + y * y); }
double hypot3(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

float atan2_deg(float x, float y) {
  if (x == 0.0f) return y >= 0.0f ? 90.0f : 270.0f;
  const float q = y / x;
  float angle = static_cast<float>(std::atan(static_cast<double>(q)) * kDegreesPerRadian);
  if (x < 0.0f) angle += 180.0f;
  if (angle < 0.0f) angle += 360.0f;
  return angle;
}

namespace {

// The sine and cosine of angles in degrees, remembered per thread by the angle's bits. The tree makers turn many
// vectors by the same few angles (every ring and side vector of a segment repeats the segment's three angles),
// and sin and cos took about a third of a frame of 3-D trees. A remembered pair is the one std::sin and std::cos
// gave for the same angle, so the results are the same bit for bit.
struct AngleSinCos {
  uint32_t bits;
  uint32_t filled;
  double s, c;
};
constexpr int32_t kAngleCacheBits = 10;
constinit thread_local AngleSinCos angle_cache[1 << kAngleCacheBits] = {};

inline void sin_cos_degrees(float angle_degrees, double* s, double* c) {
  uint32_t bits;
  std::memcpy(&bits, &angle_degrees, sizeof bits);
  AngleSinCos& e = angle_cache[(bits * 0x9E3779B1u) >> (32 - kAngleCacheBits)];
  if (e.filled == 0 || e.bits != bits) {
    const double r = angle_degrees / kDegreesPerRadian;
    e.bits = bits;
    e.filled = 1;
    e.s = std::sin(r);
    e.c = std::cos(r);
  }
  *s = e.s;
  *c = e.c;
}

inline void rotate_pair(float* a, float* b, float angle_degrees) {
  double s, c;
  sin_cos_degrees(angle_degrees, &s, &c);
  const double na = *a * c - *b * s;
  const double nb = *a * s + *b * c;
  *a = static_cast<float>(na);
  *b = static_cast<float>(nb);
}
}  // namespace

void segment_direction(SegmentRecord* s) {
  // The three rotations on locals rather than on the record: each one waited for the last one's stores.
  float x = s->dir_x * s->length, y = s->dir_y * s->length, z = s->dir_z * s->length;
  rotate_pair(&y, &z, s->angle_x);
  rotate_pair(&z, &x, s->angle_y);
  rotate_pair(&x, &y, s->angle_z);
  s->vec_x = x;
  s->vec_y = y;
  s->vec_z = z;
}

// new y = y c - z s, new z = y s + z c
void segment_rotate_x(SegmentRecord* s) { rotate_pair(&s->vec_y, &s->vec_z, s->angle_x); }

// new x = x c + z s, new z = -x s + z c: the pair (z, x) rotated by the angle.
void segment_rotate_y(SegmentRecord* s) { rotate_pair(&s->vec_z, &s->vec_x, s->angle_y); }

// new x = x c - y s, new y = x s + y c
void segment_rotate_z(SegmentRecord* s) { rotate_pair(&s->vec_x, &s->vec_y, s->angle_z); }
