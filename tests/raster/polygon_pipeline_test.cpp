// Tests of the pipeline's entry points: rejection, clipping to nothing, projection, back faces and colour helpers.
#include <algorithm>

#include "engine/core/random.h"
#include "tests/raster/pipeline_fixture.h"

namespace {

using PolygonPipelineTest = PipelineTest;

TEST_F(PolygonPipelineTest, TriangleBehindTheCameraDrawsNothing) {
  PolygonRecord p = closed({vtx(0, 0, -10), vtx(5, 0, -10), vtx(0, 5, -10)});
  draw_polygon_view(&p);
  EXPECT_EQ(drawn_pixels(), 0);
  EXPECT_EQ(polygon_count, 0);
}

TEST_F(PolygonPipelineTest, PolygonClippedAwayDrawsNothingAndIsNotCounted) {
  // Outside the pyramid near its corner but beyond no single plane: passes the quick test, clips to nothing.
  PolygonRecord p = closed({vtx(30, 9, 10), vtx(9, 30, 10), vtx(30, 30, 10)});
  ASSERT_EQ(polygon_may_be_visible(&p), 1);
  draw_polygon_view(&p);
  p = closed({vtx(30, 9, 10), vtx(9, 30, 10), vtx(30, 30, 10)});
  p.tx_map = nullptr;
  draw_polygon_culled(&p, 0);
  uint32_t texel = 0xFFFFFFFFu;
  TextureRef tex{&texel, 1, 1, 0, 0, 0};
  p = closed({vtx(30, 9, 10), vtx(9, 30, 10), vtx(30, 30, 10)});
  p.tx_map = &tex;
  draw_textured_polygon(&p, 0);
  EXPECT_EQ(drawn_pixels(), 0);
  EXPECT_EQ(polygon_count, 0);
}

TEST_F(PolygonPipelineTest, ClippedTriangleFillsToTheImageEdge) {
  // Crosses the right and bottom planes: drawn up to the last column and row of the projection.
  PolygonRecord p = closed({vtx(0, 0, 10), vtx(40, 0, 10), vtx(0, 40, 10)});
  draw_polygon_view(&p);
  EXPECT_EQ(polygon_count, 1);
  EXPECT_NE(px8(63, 32), 0);
  EXPECT_NE(px8(32, 63), 0);
  EXPECT_EQ(px8(31, 32), 0);
}

TEST_F(PolygonPipelineTest, NeighboursAcrossAClipPlaneLeaveNoGap) {
  // Two halves of a quad whose shared diagonal crosses the right plane, each listing the edge its own way.
  const PolygonVertex a = vtx(-3.3f, -7.1f, 10, 255 * 256, 128), b = vtx(17.9f, 2.3f, 10, 255 * 256, 128),
                      c = vtx(14.2f, 9.6f, 10.5f, 255 * 256, 128), d = vtx(-6.7f, 8.8f, 9.5f, 255 * 256, 128);
  PolygonRecord t1 = closed({a, c, d});
  PolygonRecord t2 = closed({c, a, b});
  draw_polygon_view(&t1);
  draw_polygon_view(&t2);
  for (int32_t y = 0; y < 64; ++y) {
    int32_t runs = 0;
    for (int32_t x = 0; x < 64; ++x)
      if (px8(x, y) != 0 && (x == 0 || px8(x - 1, y) == 0)) ++runs;
    EXPECT_LE(runs, 1) << y;
  }
}

TEST_F(PolygonPipelineTest, ProjectionEdgeCases) {
  proj_width = proj_height = 800;
  PolygonRecord p{};
  p.count = 4;
  p.vertices[0] = vtx(7, 0, 7);
  p.vertices[1] = vtx(0, -3, 3);
  p.vertices[2] = vtx(2, 4, 0);  // z exactly 0 is taken as 1
  p.vertices[3] = vtx(-5, 5, 5);
  polygon_project(&p);
  EXPECT_FLOAT_EQ(p.vertices[0].x, 800);
  EXPECT_FLOAT_EQ(p.vertices[0].y, 400);
  EXPECT_FLOAT_EQ(p.vertices[0].z, 7);
  EXPECT_FLOAT_EQ(p.vertices[1].x, 400);
  EXPECT_FLOAT_EQ(p.vertices[1].y, 0);
  EXPECT_FLOAT_EQ(p.vertices[2].x, 400 * 2 + 400);
  EXPECT_FLOAT_EQ(p.vertices[2].y, 400 * 4 + 400);
  EXPECT_FLOAT_EQ(p.vertices[2].z, 1);
  EXPECT_FLOAT_EQ(p.vertices[3].x, 0);
  EXPECT_FLOAT_EQ(p.vertices[3].y, 800);
  // An odd side is halved as an integer first.
  proj_width = 801;
  p.count = 2;
  p.vertices[0] = vtx(0, 0, 4);
  polygon_project(&p);
  EXPECT_FLOAT_EQ(p.vertices[0].x, 400);
  proj_width = proj_height = 64;

  // A corner at the eye point is moved to z 1 by the near pass and projects to the centre.
  PolygonRecord q = closed({vtx(0, 0, 0), vtx(5, 1, 10), vtx(1, 5, 10)});
  PolygonRecord scratch{};
  PolygonRecord* out = clip_polygon_all(&q, &scratch);
  polygon_project(out);
  bool centre = false;
  for (int32_t i = 0; i < out->count; ++i) centre = centre || (out->vertices[i].x == 32 && out->vertices[i].y == 32);
  EXPECT_TRUE(centre);
}

TEST_F(PolygonPipelineTest, BackFacesAndCulling) {
  const PolygonRecord back = closed({vtx(0, 0, 10), vtx(5, 0, 10), vtx(0, 5, 10)});
  const PolygonRecord front = closed({vtx(0, 0, 10), vtx(0, 5, 10), vtx(5, 0, 10)});
  EXPECT_EQ(polygon_is_backface(&back), 1);
  EXPECT_EQ(polygon_is_backface(&front), 0);
  PolygonRecord p = back;
  draw_polygon_culled(&p, 1);
  EXPECT_EQ(drawn_pixels(), 0);
  p = back;
  draw_polygon_culled(&p, 0);
  EXPECT_GT(drawn_pixels(), 0);
  clear_frame_buffers();
  p = front;
  draw_polygon_culled(&p, 1);
  EXPECT_GT(drawn_pixels(), 0);
}

TEST_F(PolygonPipelineTest, WorldPolygonIsTransformedThenDrawn) {
  camera_state.camera_x = 100;
  camera_state.camera_y = 100;
  camera_state.camera_z = 50;
  set_view_matrix(0, 0, 0);
  // 20 m ahead (+y), level with the camera: lands around the centre of the projection.
  PolygonRecord p = closed({vtx(99, 120, 51), vtx(101, 120, 51), vtx(100, 120, 49)});
  draw_polygon_world(&p);
  EXPECT_NE(px8(32, 31), 0);
  EXPECT_EQ(px8(5, 5), 0);
}

TEST_F(PolygonPipelineTest, JitterIsDeterministicAndClamped) {
  render_settings.light_roughness = 64;
  auto offset = [](int32_t seed, int32_t depth) {
    PolygonVertex v{};
    v.r = v.g = v.b = 30000;
    v.seed = seed;
    v.alpha = 77;
    v.slot = 5;
    v.light = 900;
    jitter_vertex_color(&v, depth);
    EXPECT_EQ(v.alpha, 77);
    EXPECT_EQ(v.slot, 5);
    EXPECT_EQ(v.light, 900);
    EXPECT_EQ(v.r, v.g);
    return static_cast<int32_t>(v.r) - 30000;
  };
  for (int32_t seed : {1, 12345, -99, 2000000000}) {
    EXPECT_EQ(offset(seed, 0), offset(seed, 1)) << seed;
    EXPECT_EQ(offset(seed, -5), offset(seed, 1)) << seed;  // no division by zero below depth 0
    EXPECT_GE(std::abs(offset(seed, 1)), std::abs(offset(seed, 6))) << seed;
  }
  // Deeper levels get smaller offsets: (a * 32) / (depth + 3).
  random8_from(12345);
  const int32_t a = rand_amplitude(render_settings.light_roughness);
  EXPECT_EQ(offset(12345, 2), (a * 32) / 5);

  // Large offsets saturate at the channel limits instead of wrapping.
  render_settings.light_roughness = 30000;
  int32_t saturated = 0;
  for (int32_t seed = 0; seed < 50; ++seed) {
    random8_from(static_cast<uint32_t>(seed));
    const int64_t off = static_cast<int64_t>(rand_amplitude(render_settings.light_roughness)) * 32 / 4;
    for (int64_t start : {int64_t{0}, int64_t{65535}}) {
      PolygonVertex v{};
      v.r = v.g = v.b = static_cast<uint16_t>(start);
      v.seed = seed;
      jitter_vertex_color(&v, 1);
      const int64_t expect = std::clamp<int64_t>(start + off, 0, 65535);
      EXPECT_EQ(v.b, expect) << seed;
      saturated += expect == 0 || expect == 65535;
    }
  }
  EXPECT_GT(saturated, 50);
}

TEST_F(PolygonPipelineTest, FlatColourIsTheMeanOfAllEntries) {
  PolygonRecord p = closed({vtx(1, 2, 3, 0, 10), vtx(4, 5, 6, 300, 20), vtx(7, 8, 9, 600, 255)});
  p.vertices[1].seed = 42;
  PolygonRecord out{};
  polygon_flat_color(&p, &out);
  ASSERT_EQ(out.count, 4);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(out.vertices[i].r, 225);                         // (0 + 300 + 600 + 0 + 2) / 4
    EXPECT_EQ(out.vertices[i].alpha, (10 + 20 + 255 + 10 + 2) / 4);
    EXPECT_EQ(out.vertices[i].x, p.vertices[i].x);
  }
  EXPECT_EQ(out.vertices[1].seed, 42);
  PolygonRecord empty{};
  polygon_flat_color(&empty, &out);  // no division by zero
  EXPECT_EQ(out.count, 0);
}

TEST_F(PolygonPipelineTest, DetailEntryWithoutDetailDrawsPlainly) {
  render_settings.detail_param_b = 0;
  PolygonRecord p = closed({vtx(-5, -5, 10, 100 * 256), vtx(5, -5, 10, 200 * 256), vtx(0, 5, 10, 50 * 256)});
  draw_polygon_detail(&p);
  EXPECT_EQ(polygon_count, 1);
  EXPECT_EQ(detail_depth, 0);
}

}  // namespace
