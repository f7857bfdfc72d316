// The paired normalise against the plain one, bit for bit, over random and awkward vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "engine/core/vectors.h"

namespace {

uint32_t bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

void expect_same(const Vec3f& got, const Vec3f& want, const char* what, int32_t i) {
  EXPECT_EQ(bits(got.x), bits(want.x)) << what << " " << i;
  EXPECT_EQ(bits(got.y), bits(want.y)) << what << " " << i;
  EXPECT_EQ(bits(got.z), bits(want.z)) << what << " " << i;
}

void check_pair(const Vec3f& a, const Vec3f& b, const char* what, int32_t i) {
  Vec3f pa = a, pb = b, sa = a, sb = b;
  vec3_normalize_pair(&pa, &pb);
  vec3_normalize(&sa);
  vec3_normalize(&sb);
  expect_same(pa, sa, what, i);
  expect_same(pb, sb, what, i);
}

TEST(VectorsTest, PairedNormaliseMatchesThePlainOne) {
  std::mt19937 gen(12345);
  // Face normals of terrain triangles span many magnitudes: random mantissas over a wide range of exponents.
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::uniform_int_distribution<int32_t> exponent(-140, 120);
  auto component = [&] { return std::ldexp(unit(gen), exponent(gen) / 3); };
  auto wide = [&] { return std::ldexp(unit(gen), exponent(gen)); };
  for (int32_t i = 0; i < 200000; ++i) {
    check_pair({component(), component(), component()}, {component(), component(), component()}, "near", i);
    check_pair({wide(), wide(), wide()}, {wide(), wide(), wide()}, "wide", i);
  }
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const float big = std::numeric_limits<float>::max();
  const Vec3f awkward[] = {{0, 0, 0}, {-0.0f, 0, 0}, {nan, 1, 2}, {inf, 1, 2}, {inf, inf, 0}, {tiny, 0, 0},
                           {tiny, -tiny, tiny}, {big, big, big}, {big, 0, 0}, {3, 4, 12}, {1e-30f, 2e-30f, 0}};
  int32_t i = 0;
  for (const Vec3f& a : awkward) {
    for (const Vec3f& b : awkward) check_pair(a, b, "awkward", i++);
    check_pair(a, {1, 2, 3}, "awkward first", i);
    check_pair({1, 2, 3}, a, "awkward second", i++);
  }
}

}  // namespace
