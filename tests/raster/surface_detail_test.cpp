// Tests of surface detail and texture subdivision: size measures, split decisions and order, depth limits.
#include <cmath>

#include "tests/raster/pipeline_fixture.h"

namespace {

class SurfaceDetailTest : public PipelineTest {
 protected:
  static PolygonRecord extent_triangle(float ex, float ey, float z) {
    return closed({vtx(0, 0, z), vtx(ex, 0, z), vtx(0, ey, z)});
  }
};

TEST_F(SurfaceDetailTest, DetailMeasure) {
  render_scale = 640;
  render_settings.detail_param_a = 6;
  PolygonRecord p = extent_triangle(1, 1, 100);
  EXPECT_EQ(detail_size_measure(&p), 0);  // 1 -> 1 -> 64 -> 0
  p = extent_triangle(4, 4, 100);
  EXPECT_EQ(detail_size_measure(&p), 2);  // 4 -> 4 -> 256 -> 2
  // Nearest depth below 2 (also 0 and negative) is taken as 1.
  for (float z : {1.9f, 0.0f, -3.0f}) {
    p = extent_triangle(4, 4, z);
    EXPECT_EQ(detail_size_measure(&p), 256) << z;
  }
  // Settings from a file cannot make the shift or the products overflow.
  for (int32_t a : {-5, 40, 1000}) {
    render_settings.detail_param_a = a;
    p = extent_triangle(1e9f, 1e9f, 1);
    EXPECT_GE(detail_size_measure(&p), 0) << a;
  }
}

TEST_F(SurfaceDetailTest, DepthLimitOneNeverSplitsAndDrawsTheMeanColour) {
  render_settings.detail_param_a = 8;
  render_settings.detail_param_b = 1;
  PolygonRecord p = closed({vtx(-9, -9, 10, 0), vtx(9, -9, 10, 300 * 100), vtx(0, 9, 10, 600 * 100)});
  draw_polygon_detail(&p);
  EXPECT_EQ(polygon_count, 1);
  EXPECT_EQ(red(32, 32), 22500 >> 8);  // (0 + 30000 + 60000 + 0 + 2) / 4
  EXPECT_EQ(red(5, 5), 22500 >> 8);
  EXPECT_EQ(detail_depth, 0);
  // With Gouraud shading the corners keep their own colours.
  clear_frame_buffers();
  render_settings.gouraud_enabled = 1;
  p = closed({vtx(-9, -9, 10, 0), vtx(9, -9, 10, 300 * 100), vtx(0, 9, 10, 600 * 100)});
  draw_polygon_detail(&p);
  EXPECT_NE(red(5, 5), red(32, 45));
}

TEST_F(SurfaceDetailTest, SplitsIntoFourPerLevelAndStaysBounded) {
  render_settings.detail_param_a = 8;
  render_settings.detail_param_b = 3;
  PolygonRecord p = closed({vtx(-900, -900, 1000), vtx(900, -900, 1000), vtx(0, 900, 1000)});
  draw_polygon_detail(&p);
  EXPECT_EQ(polygon_count, 16);  // two levels of splitting
  EXPECT_EQ(detail_depth, 0);
  // A depth limit far beyond the normal levels (from a file or a script) is held to the engine's bound.
  polygon_count = 0;
  render_settings.detail_param_b = 1000;
  render_settings.detail_param_a = 24;
  p = closed({vtx(-900, -900, 1000), vtx(900, -900, 1000), vtx(0, 900, 1000)});
  draw_polygon_detail(&p);
  int32_t most = 1;
  for (int32_t i = 1; i < kMaxDetailDepth; ++i) most *= 4;
  EXPECT_EQ(polygon_count, most);
  EXPECT_EQ(detail_depth, 0);
}

TEST_F(SurfaceDetailTest, SharedEdgeMidpointsGetTheSameJitter) {
  // Two triangles sharing an edge, listed in opposite directions, leave no seam of differing midpoint colours:
  // drawn with Gouraud shading, the pixel on the shared edge's midpoint is the same whichever is drawn last.
  render_settings.detail_param_a = 8;
  render_settings.detail_param_b = 2;
  render_settings.gouraud_enabled = 1;
  render_settings.light_roughness = 200;
  auto corner = [](float x, float y, int32_t seed) {
    PolygonVertex v = vtx(x, y, 10, 128 * 256);
    v.g = v.b = 128 * 256;
    v.seed = seed;
    return v;
  };
  const PolygonVertex a = corner(-9, 0, 111), b = corner(9, 0, 999), c = corner(0, -9, 5), d = corner(0, 9, 7);
  PolygonRecord t1 = closed({a, b, c});
  draw_polygon_detail(&t1);
  const uint32_t first = px24(32, 32);
  PolygonRecord t2 = closed({b, a, d});
  draw_polygon_detail(&t2);
  EXPECT_EQ(px24(32, 32), first);
}

TEST_F(SurfaceDetailTest, TextureMeasureAndSplitThreshold) {
  PolygonRecord p = closed({vtx(0, 0, -1), vtx(3, 0, 1), vtx(0, 4, 1)});
  render_scale = 64;
  EXPECT_FLOAT_EQ(texture_size_measure(&p), 64.0f * std::sqrt(9.0f + 16.0f + 4.0f) / 0.01f);

  uint32_t texel = 0xFF808080u;
  TextureRef tex{&texel, 1, 1, 0, 0, 0};
  // Diagonal 10 at depth 10 with render_scale 64: exactly 64, split once into two leaves.
  p = closed({vtx(0, 0, 10), vtx(6, 0, 10), vtx(0, 8, 10)});
  p.tx_map = &tex;
  ASSERT_EQ(texture_size_measure(&p), 64.0f);
  draw_textured_polygon(&p, 0);
  EXPECT_EQ(polygon_count, 2);
  // A little further away the measure is just below 64: one leaf.
  polygon_count = 0;
  p = closed({vtx(0, 0, 10.0016f), vtx(6, 0, 10.0016f), vtx(0, 8, 10.0016f)});
  p.tx_map = &tex;
  ASSERT_LT(texture_size_measure(&p), 64.0f);
  ASSERT_GT(texture_size_measure(&p), 63.98f);
  draw_textured_polygon(&p, 0);
  EXPECT_EQ(polygon_count, 1);
  EXPECT_EQ(texture_split_depth, 0);
}

TEST_F(SurfaceDetailTest, TexturedQuadIsCutAlongTheFirstDiagonal) {
  uint32_t texel = 0xFF808080u;
  TextureRef tex{&texel, 1, 1, 0, 0, 0};
  render_scale = 100;  // quad measures 70.7, each half 55.9
  PolygonRecord p = closed({vtx(0, 2.5f, 10), vtx(2.5f, 0, 10), vtx(5, 2.5f, 10), vtx(2.5f, 5, 10)});
  p.tx_map = &tex;
  draw_textured_polygon(&p, 0);
  EXPECT_EQ(polygon_count, 2);
  // The last piece drawn is (P0, P2, P3).
  ASSERT_EQ(raster_vertex_count, 4);
  EXPECT_EQ(raster_vertices[0].x, 32);
  EXPECT_EQ(raster_vertices[0].y, 40);
  EXPECT_EQ(raster_vertices[1].x, 48);
  EXPECT_EQ(raster_vertices[1].y, 40);
  EXPECT_EQ(raster_vertices[2].x, 40);
  EXPECT_EQ(raster_vertices[2].y, 48);
}

TEST_F(SurfaceDetailTest, EqualLongestEdgesSplitTheFirst) {
  uint32_t texel = 0xFF808080u;
  TextureRef tex{&texel, 1, 1, 0, 0, 0};
  render_scale = 128;  // diagonal 5 at depth 10: exactly 64
  PolygonRecord p = closed({vtx(0, 0, 10), vtx(1.5f, 4, 10), vtx(3, 0, 10)});
  p.tx_map = &tex;
  draw_textured_polygon(&p, 0);
  EXPECT_EQ(polygon_count, 2);
  // Edge P0-P1 was halved: the last piece is (m, P1, P2) with m = (0.75, 2).
  EXPECT_EQ(raster_vertices[0].x, 34);
  EXPECT_EQ(raster_vertices[0].y, 38);
  EXPECT_EQ(raster_vertices[1].x, 36);
  EXPECT_EQ(raster_vertices[1].y, 44);
  EXPECT_EQ(raster_vertices[2].x, 41);
  EXPECT_EQ(raster_vertices[2].y, 32);
}

TEST_F(SurfaceDetailTest, TextureSplittingIsBounded) {
  uint32_t texel = 0xFF808080u;
  TextureRef tex{&texel, 1, 1, 0, 0, 0};
  // A measure that is not a number is drawn as one piece instead of being split to the depth limit.
  PolygonRecord p = closed({vtx(0, 0, 10), vtx(5, 0, 10), vtx(0, 5, 10)});
  p.vertices[1].z = NAN;
  p.tx_map = &tex;
  subdivide_textured_polygon(&p);
  EXPECT_EQ(polygon_count, 1);
  // A huge measure stops after 16 levels of halving.
  polygon_count = 0;
  render_scale = 8192 * 1000;
  p = closed({vtx(-1, -1, 1), vtx(1, -1, 1), vtx(0, 1, 1)});
  p.tx_map = &tex;
  subdivide_textured_polygon(&p);
  EXPECT_EQ(polygon_count, 1 << 16);
  EXPECT_EQ(texture_split_depth, 0);
}

}  // namespace
