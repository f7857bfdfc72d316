// Tests of the visibility tests and the clip passes: one table of cases per plane, shared edges, capacity.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "engine/raster/clip.h"

namespace {

PolygonVertex at(float x, float y, float z, uint16_t r = 0, int32_t seed = 0) {
  PolygonVertex v{};
  v.x = x;
  v.y = y;
  v.z = z;
  v.r = r;
  v.seed = seed;
  v.alpha = 255;
  v.slot = 7;
  return v;
}

PolygonRecord closed(const std::vector<PolygonVertex>& corners) {
  PolygonRecord p{};
  for (size_t i = 0; i < corners.size(); ++i) p.vertices[i] = corners[i];
  p.vertices[corners.size()] = corners[0];
  p.count = static_cast<int32_t>(corners.size()) + 1;
  return p;
}

using ClipFn = void (*)(const PolygonRecord*, PolygonRecord*);

struct ClipCase {
  const char* name;
  ClipFn pass;
  std::vector<PolygonVertex> in;
  std::vector<PolygonVertex> out;  // expected corners, closing entry not listed
};

// For every plane: one corner beyond it, a corner exactly on it, all inside, all beyond.
std::vector<ClipCase> clip_cases() {
  return {
      {"right one out", clip_polygon_right, {at(0, 0, 10), at(20, 0, 10), at(0, 5, 10)},
       {at(0, 0, 10), at(10, 0, 10), at(10, 2.5f, 10), at(0, 5, 10)}},
      {"right on plane stays", clip_polygon_right, {at(10, 0, 10), at(0, 4, 10), at(0, -4, 10)},
       {at(10, 0, 10), at(0, 4, 10), at(0, -4, 10)}},
      {"right all beyond", clip_polygon_right, {at(11, 0, 10), at(30, 4, 10), at(30, -4, 10)}, {}},
      {"left one out", clip_polygon_left, {at(0, 0, 10), at(-20, 0, 10), at(0, 5, 10)},
       {at(0, 0, 10), at(-10, 0, 10), at(-10, 2.5f, 10), at(0, 5, 10)}},
      {"left on plane stays", clip_polygon_left, {at(-10, 0, 10), at(0, 4, 10), at(0, -4, 10)},
       {at(-10, 0, 10), at(0, 4, 10), at(0, -4, 10)}},
      {"bottom one out", clip_polygon_bottom, {at(0, 0, 10), at(0, 20, 10), at(5, 0, 10)},
       {at(0, 0, 10), at(0, 10, 10), at(2.5f, 10, 10), at(5, 0, 10)}},
      {"bottom all beyond", clip_polygon_bottom, {at(0, 12, 10), at(4, 30, 10), at(-4, 30, 10)}, {}},
      {"top one out", clip_polygon_top, {at(0, 0, 10), at(0, -20, 10), at(5, 0, 10)},
       {at(0, 0, 10), at(0, -10, 10), at(2.5f, -10, 10), at(5, 0, 10)}},
      {"top first corner out", clip_polygon_top, {at(0, -20, 10), at(5, 0, 10), at(0, 0, 10)},
       {at(2.5f, -10, 10), at(5, 0, 10), at(0, 0, 10), at(0, -10, 10)}},
      // The near plane places crossings at z 1, keeping the interpolated x and y.
      {"near one behind", clip_polygon_near, {at(0, 0, 10), at(0, 0, -10), at(5, 0, 10)},
       {at(0, 0, 10), at(0, 0, 1), at(2.5f, 0, 1), at(5, 0, 10)}},
      {"near z 0 is outside", clip_polygon_near, {at(0, 0, 0), at(1, 0, 0), at(0, 1, 0)}, {}},
  };
}

TEST(ClipPass, TableOfCasesPerPlane) {
  for (const ClipCase& c : clip_cases()) {
    SCOPED_TRACE(c.name);
    PolygonRecord src = closed(c.in);
    PolygonRecord dst{};
    c.pass(&src, &dst);
    ASSERT_EQ(dst.count, static_cast<int32_t>(c.out.size()) + 1);
    for (size_t i = 0; i < c.out.size(); ++i) {
      EXPECT_FLOAT_EQ(dst.vertices[i].x, c.out[i].x) << i;
      EXPECT_FLOAT_EQ(dst.vertices[i].y, c.out[i].y) << i;
      EXPECT_FLOAT_EQ(dst.vertices[i].z, c.out[i].z) << i;
    }
    if (!c.out.empty()) {
      EXPECT_EQ(std::memcmp(&dst.vertices[c.out.size()], &dst.vertices[0], sizeof(PolygonVertex)), 0);
    }
  }
}

TEST(ClipPass, AttributesInterpolateFromTheInsideCornerAndTruncate) {
  PolygonRecord src = closed({at(0, 0, 10, 1000, -7), at(20, 0, 10, 3001, 2000), at(0, 5, 10, 1000, -7)});
  src.vertices[1].light = 51;
  src.vertices[1].alpha = 0;
  src.vertices[1].tu = 64;
  TextureRef tex{};
  src.tx_map = &tex;
  PolygonRecord dst{};
  clip_polygon_right(&src, &dst);
  ASSERT_EQ(dst.count, 5);
  const PolygonVertex& m = dst.vertices[1];  // halfway to the outside corner
  EXPECT_EQ(m.r, 2000);                      // 1000 + 2001 * 0.5 truncated
  EXPECT_EQ(m.seed, 996);                    // -7 + 2007 * 0.5 = 996.5 truncated
  EXPECT_EQ(m.light, 25);
  EXPECT_EQ(m.alpha, 127);
  EXPECT_EQ(m.slot, 7);
  EXPECT_FLOAT_EQ(m.tu, 32.0f);
  EXPECT_EQ(dst.tx_map, &tex);
}

TEST(ClipPass, SharedEdgeCrossingsAreBitIdenticalInEitherOrder) {
  const PolygonVertex a = at(0.3712f, -1.917f, 7.113f, 100);
  const PolygonVertex b = at(23.79f, 4.21f, 9.87f, 40000);
  PolygonRecord first = closed({a, b, at(-3.1f, 5.5f, 8.0f)});
  PolygonRecord second = closed({b, a, at(2.0f, -6.3f, 6.5f)});
  PolygonRecord out1{}, out2{};
  clip_polygon_right(&first, &out1);
  clip_polygon_right(&second, &out2);
  // first: a inside then the crossing; second: the crossing comes where b -> a re-enters.
  ASSERT_EQ(out1.count, 5);
  ASSERT_EQ(out2.count, 5);
  const PolygonVertex& c1 = out1.vertices[1];
  const PolygonVertex& c2 = out2.vertices[0];
  EXPECT_EQ(std::memcmp(&c1.x, &c2.x, sizeof(float)), 0);
  EXPECT_EQ(std::memcmp(&c1.y, &c2.y, sizeof(float)), 0);
  EXPECT_EQ(std::memcmp(&c1.z, &c2.z, sizeof(float)), 0);
  EXPECT_EQ(c1.r, c2.r);
}

TEST(ClipPass, OutputNeverExceedsTheRecordsRoom) {
  // A convex 15-corner polygon (count 16) whose corner 0 alone lies beyond the right plane gains a corner: one must be dropped, and the pass
  // must not write past the 16 entries. The destination sits alone on the heap so an overrun is caught.
  PolygonRecord src{};
  for (int i = 0; i < 15; ++i) {
    const double a = 2 * 3.14159265358979 * i / 15;
    src.vertices[i] = at(static_cast<float>(5.2 + 5 * std::cos(a)), static_cast<float>(5 * std::sin(a)), 10);
  }
  src.vertices[15] = src.vertices[0];
  src.count = 16;
  auto dst = std::make_unique<PolygonRecord>();
  clip_polygon_right(&src, dst.get());
  EXPECT_EQ(dst->count, kPolygonCapacity);
  for (int i = 0; i < dst->count; ++i) EXPECT_LE(dst->vertices[i].x, dst->vertices[i].z);
  EXPECT_EQ(std::memcmp(&dst->vertices[dst->count - 1], &dst->vertices[0], sizeof(PolygonVertex)), 0);

  // A zigzag that crosses the plane on every edge, and a record claiming more than 16 entries.
  PolygonRecord zig{};
  for (int i = 0; i < 15; ++i) zig.vertices[i] = at(i % 2 ? 20.0f : 0.0f, static_cast<float>(i), 10);
  zig.vertices[15] = zig.vertices[0];
  zig.count = 40;
  clip_polygon_right(&zig, dst.get());
  EXPECT_LE(dst->count, kPolygonCapacity);
}

TEST(ClipPass, AllFivePassesLeaveTheClippedPolygonInScratch) {
  // Larger than the view on every side, and crossing the eye plane: ends within the pyramid with z > 0.
  PolygonRecord p = closed({at(-50, -50, 20), at(50, -50, 20), at(50, 50, -5), at(-50, 50, -5)});
  PolygonRecord scratch{};
  PolygonRecord* out = clip_polygon_all(&p, &scratch);
  ASSERT_EQ(out, &scratch);
  ASSERT_GE(out->count, 4);
  ASSERT_LE(out->count, kPolygonCapacity);
  for (int i = 0; i < out->count; ++i) {
    const PolygonVertex& v = out->vertices[i];
    EXPECT_GT(v.z, 0.0f);
    EXPECT_LE(std::fabs(v.x), v.z * 1.0001f);
    EXPECT_LE(std::fabs(v.y), v.z * 1.0001f);
  }
}

TEST(VisibilityTests, RejectionAndClippingNeed) {
  struct Case {
    const char* name;
    std::vector<PolygonVertex> corners;
    int32_t visible, needs_clip;
  };
  const Case cases[] = {
      {"inside", {at(0, 0, 10), at(1, 0, 10), at(0, 1, 10)}, 1, 0},
      {"wholly behind", {at(0, 0, -10), at(1, 0, -10), at(0, 1, -1)}, 0, 1},
      {"at the eye plane", {at(0, 0, 0), at(1, 0, 0), at(0, 1, 0)}, 0, 1},
      {"all beyond right", {at(10, 0, 10), at(30, 0, 10), at(30, 5, 10)}, 0, 1},
      {"all beyond left", {at(-10, 0, 10), at(-30, 0, 10), at(-30, 5, 10)}, 0, 1},
      {"all above", {at(0, -10, 10), at(1, -30, 10), at(0, -30, 10)}, 0, 1},
      {"all below", {at(0, 10, 10), at(1, 30, 10), at(0, 30, 10)}, 0, 1},
      {"one corner on a side plane", {at(10, 0, 10), at(0, 1, 10), at(0, -1, 10)}, 1, 1},
      {"near a corner, beyond no single plane", {at(30, 9, 10), at(9, 30, 10), at(30, 30, 10)}, 1, 1},
  };
  for (const Case& c : cases) {
    PolygonRecord p = closed(c.corners);
    EXPECT_EQ(polygon_may_be_visible(&p), c.visible) << c.name;
    EXPECT_EQ(polygon_needs_clipping(&p), c.needs_clip) << c.name;
  }
  PolygonRecord empty{};
  EXPECT_EQ(polygon_may_be_visible(&empty), 0);
}

TEST(VisibilityTests, CornerCaseClipsToNothing) {
  PolygonRecord p = closed({at(30, 9, 10), at(9, 30, 10), at(30, 30, 10)});
  PolygonRecord scratch{};
  EXPECT_EQ(clip_polygon_all(&p, &scratch)->count, 1);
}

// The per-corner flags, combined over a triangle's corners, give the same answers as the two record tests: for
// random triangles near the pyramid's planes (many exactly on them), behind the eye, and with NaN or infinite
// coordinates.
TEST(VisibilityTests, CornerFlagsAgreeWithTheRecordTests) {
  std::mt19937 gen(77);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float odd[] = {0.0f, -0.0f, nan, inf, -inf, 1e-40f};
  std::uniform_int_distribution<int32_t> kind(0, 9);
  std::uniform_real_distribution<float> spread(-3.0f, 3.0f);
  auto corner = [&] {
    const float z = kind(gen) == 0 ? odd[gen() % 6] : spread(gen);
    // On a plane exactly, on its far side or anywhere.
    auto side = [&] {
      switch (kind(gen)) {
        case 0: return z;
        case 1: return -z;
        case 2: return odd[gen() % 6];
        default: return spread(gen) * (kind(gen) < 5 ? 1.0f : 0.25f);
      }
    };
    const float x = side();
    return at(x, side(), z);
  };
  for (int32_t i = 0; i < 300000; ++i) {
    const PolygonRecord p = closed({corner(), corner(), corner()});
    uint32_t any = 0, all = ~0u;
    for (int32_t k = 0; k < 3; ++k) {
      const uint32_t f = view_point_flags(p.vertices[k].x, p.vertices[k].y, p.vertices[k].z);
      any |= f;
      all &= f;
    }
    ASSERT_EQ(view_flags_may_be_visible(any, all), polygon_may_be_visible(&p) != 0) << i;
    ASSERT_EQ((any & kViewOutside) != 0, polygon_needs_clipping(&p) != 0) << i;
  }
}

}  // namespace
