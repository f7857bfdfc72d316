// Tests of the scan converter: exact coverage of small triangles, shared edges, row and column limits, span
// interpolation and the textured pixel rules.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/haze.h"
#include "tests/raster/pipeline_fixture.h"

namespace {

class ScanConvertTest : public PipelineTest {
 protected:
  // Rasterises a screen-space triangle given in projection columns and rows.
  void raster(float x0, float y0, float x1, float y1, float x2, float y2, uint16_t alpha = 255, uint16_t slot = 1) {
    PolygonRecord p = closed({vtx(x0, y0, 1, 255 * 256, alpha, slot), vtx(x1, y1, 1, 255 * 256, alpha, slot),
                              vtx(x2, y2, 1, 255 * 256, alpha, slot)});
    rasterize_polygon(&p);
  }
  // Red bytes of every pixel: 0 not drawn, 128 drawn once at alpha 128 over black, 191 drawn twice.
  static std::vector<int32_t> reds() {
    std::vector<int32_t> out;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) out.push_back(red(x, y));
    return out;
  }
  // True when the drawn pixels of every row form one unbroken run.
  static bool rows_unbroken() {
    for (int32_t y = 0; y < image_height; ++y) {
      int32_t runs = 0;
      for (int32_t x = 0; x < image_width; ++x)
        if (px8(x, y) != 0 && (x == 0 || px8(x - 1, y) == 0)) ++runs;
      if (runs > 1) return false;
    }
    return true;
  }
};

TEST_F(ScanConvertTest, SmallTrianglesCoverExactlyTheirRowsAndEndColumns) {
  // Right triangle: row y covers columns 2 to 12 - y, both ends included.
  raster(2, 2, 10, 2, 2, 10);
  int32_t expected = 0;
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      const bool inside = y >= 2 && y <= 10 && x >= 2 && x <= 12 - y;
      expected += inside;
      ASSERT_EQ(px8(x, y) != 0, inside) << x << "," << y;
    }
  EXPECT_EQ(drawn_pixels(), expected);
  EXPECT_EQ(expected, 45);

  // Fractional corners truncate toward zero: (5,5), (6,5), (5,6) give three pixels.
  clear_frame_buffers();
  raster(5.9f, 5.9f, 6.2f, 5.1f, 5.5f, 6.7f);
  EXPECT_EQ(drawn_pixels(), 3);
  EXPECT_NE(px8(5, 5), 0);
  EXPECT_NE(px8(6, 5), 0);
  EXPECT_NE(px8(5, 6), 0);

  // A triangle collapsed to one point still draws that pixel.
  clear_frame_buffers();
  raster(20.5f, 30.2f, 20.1f, 30.9f, 20.7f, 30.0f);
  EXPECT_EQ(drawn_pixels(), 1);
  EXPECT_NE(px8(20, 30), 0);
  EXPECT_EQ(polygon_count, 3);
}

TEST_F(ScanConvertTest, TrianglesSharingAnEdgeLeaveNoGapAndOverlapOnlyOnThatEdge) {
  // Two halves of a square drawn half-transparent: a pixel drawn once is 128 red, twice 191.
  raster(2, 2, 20, 2, 2, 20, 128);
  raster(20, 2, 20, 20, 2, 20, 128);
  const std::vector<int32_t> r = reds();
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      const int32_t v = r[y * 64 + x];
      const bool in_square = x >= 2 && x <= 20 && y >= 2 && y <= 20;
      if (!in_square) {
        ASSERT_EQ(v, 0) << x << "," << y;
      } else if (x + y == 22) {
        ASSERT_EQ(v, 191) << x << "," << y;  // the shared edge belongs to both; the later one is drawn last
      } else {
        ASSERT_EQ(v, 128) << x << "," << y;  // no gap, no other pixel drawn twice
      }
    }
}

TEST_F(ScanConvertTest, FractionalSharedEdgeLeavesNoGap) {
  const float ax = 3.7f, ay = 1.2f, bx = 40.3f, by = 9.9f, cx = 55.5f, cy = 45.2f, dx = 12.1f, dy = 50.6f;
  raster(ax, ay, bx, by, dx, dy, 128);
  raster(bx, by, cx, cy, dx, dy, 128);
  EXPECT_TRUE(rows_unbroken());
  // Pixels drawn twice all lie next to the shared edge b-d.
  const double len = std::hypot(dx - bx, dy - by);
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      if (red(x, y) != 191) continue;
      const double dist = std::fabs((x - bx) * (dy - by) - (y - by) * (dx - bx)) / len;
      EXPECT_LE(dist, 1.5) << x << "," << y;
    }
  // The quad's rows 2..50 are all reached.
  for (int32_t y = 2; y <= 50; ++y) {
    bool any = false;
    for (int32_t x = 0; x < 64; ++x) any = any || px8(x, y) != 0;
    EXPECT_TRUE(any) << y;
  }
}

TEST_F(ScanConvertTest, DegenerateRecordsDrawNothingButCount) {
  PolygonRecord p = closed({vtx(2, 2, 1), vtx(30, 30, 1)});  // two corners and the closing entry
  ASSERT_EQ(p.count, 3);
  rasterize_polygon(&p);
  p.count = 2;
  rasterize_polygon(&p);
  p.count = 0;
  rasterize_polygon(&p);
  EXPECT_EQ(drawn_pixels(), 0);
  EXPECT_EQ(polygon_count, 3);
}

TEST_F(ScanConvertTest, RowAndColumnLimits) {
  // Rows far outside 0..8191 are skipped; the image rows in between are drawn.
  raster(0, -20000, 30, 20000, 0, 20000);
  for (int32_t y = 0; y < 64; ++y) EXPECT_NE(px8(0, y), 0) << y;
  // Wholly right of the image: nothing.
  clear_frame_buffers();
  raster(64, 5, 90, 5, 70, 20);
  raster(64.9f, 5, 64.9f, 40, 200, 20);
  EXPECT_EQ(drawn_pixels(), 0);
  // Wild coordinates do not overflow anything.
  raster(-1e30f, 5, 1e30f, 6, 3, NAN);
  SUCCEED();
}

TEST_F(ScanConvertTest, TallProjectionIsCentredOnTheImage) {
  ASSERT_EQ(set_image_size(800, 600), 1);
  ASSERT_EQ(allocate_frame_buffers(), 1);
  clear_frame_buffers();
  ASSERT_EQ(proj_height, 800);
  // Projection rows 0..150 at columns 0..9: rows 0..99 are above the image, row 100 is image row 0.
  PolygonRecord p = closed({vtx(0, 0, 1), vtx(9, 0, 1), vtx(9, 150, 1), vtx(0, 150, 1)});
  rasterize_polygon(&p);
  EXPECT_NE(px8(0, 0), 0);
  EXPECT_NE(px8(9, 50), 0);
  EXPECT_EQ(px8(0, 51), 0);
  EXPECT_EQ(px8(10, 0), 0);
}

TEST_F(ScanConvertTest, FlatSpansInterpolateFromTheRaisedLeftEnd) {
  raster_texture.texels = nullptr;
  EdgeEntry left{}, right{};
  left.x = 0;
  left.r = 0;
  left.alpha = 255;
  left.slot = 3;
  right = left;
  right.x = 63;
  right.r = 63 * 256;
  fill_spans_flat(10, &left, &right);
  for (int32_t x = 0; x < 64; ++x) EXPECT_EQ(red(x, 10), x) << x;
  EXPECT_EQ(px8(5, 10), 3);

  // One pixel wide: the left entry's values.
  right.x = 7;
  left.x = 7;
  left.r = 1000;
  right.r = 9000;
  fill_spans_flat(11, &left, &right);
  EXPECT_EQ(red(7, 11), 1000 >> 8);

  // A left end before column 0 starts at column 0 with the left entry's values.
  left.x = -10;
  left.r = 0;
  right.x = 10;
  right.r = 20 * 256;
  fill_spans_flat(12, &left, &right);
  EXPECT_EQ(red(0, 12), 0);
  EXPECT_EQ(red(10, 12), 20);
  EXPECT_EQ(red(11, 12), 0);
}

class TexturedSpanTest : public ScanConvertTest {
 protected:
  void SetUp() override {
    ScanConvertTest::SetUp();
    for (int i = 0; i < 8; ++i) texels[i] = 0xFF000000u | static_cast<uint32_t>(i * 30 + 10) << 16 | 0x2040u;
    tex = {texels, 4, 2, 0, 0, 0};
    raster_texture = {texels, 4 * 256, 2 * 256, 4, 0, 0};
  }
  void TearDown() override {
    raster_texture.texels = nullptr;
    ScanConvertTest::TearDown();
  }
  // One textured pixel at column 5 of row 20 with the given texture coordinates (texels times 256).
  void pixel(int32_t tu, int32_t tv, uint16_t alpha, uint16_t r = 0) {
    EdgeEntry e{};
    e.x = 5;
    e.tu = tu;
    e.tv = tv;
    e.alpha = alpha;
    e.r = r;
    e.slot = 9;
    e.light = 200 * 256;
    fill_spans_textured(20, &e, &e);
  }
  static int32_t shaded_red(uint32_t texel) {
    return static_cast<int32_t>(
        (shade_color((texel >> 16) & 255, (texel >> 8) & 255, texel & 255, 200, 0, 0) >> 16) & 255);
  }
  uint32_t texels[8];
  TextureRef tex;
};

TEST_F(TexturedSpanTest, CoordinatesRepeatTheMap) {
  pixel(-256, 0, 255);  // -1 texel: the last texel of the row
  EXPECT_EQ(red(5, 20), shaded_red(texels[3]));
  pixel(4 * 256, 256, 255);  // one width on: texel 0 of row 1
  EXPECT_EQ(red(5, 20), shaded_red(texels[4]));
  pixel(-4 * 256 - 1, -1, 255);  // just below -width: the last texel, last row
  EXPECT_EQ(red(5, 20), shaded_red(texels[7]));
  EXPECT_EQ(px8(5, 20), 9);
}

TEST_F(TexturedSpanTest, TexelAlphaRules) {
  // Half-transparent texel on an opaque polygon: opaque mix of texel and polygon colour.
  texels[0] = 0x80000000u | 0x00C81020u;
  pixel(0, 0, 255, 100 * 256);
  const int32_t sr = shaded_red(texels[0]);
  EXPECT_EQ(red(5, 20), ((sr * 256 * 128 + 100 * 256 * 127) / 255) >> 8);
  EXPECT_EQ(px24(5, 20) >> 24, 9u);

  // Fully transparent texel on a polygon of alpha 0: the frame keeps its pixel.
  vidmem24_row(21)[5] = 0x05112233u;
  vidmem8_row(21)[5] = 5;
  texels[0] = 0x00FFFFFFu;
  EdgeEntry e{};
  e.x = 5;
  e.slot = 9;
  fill_spans_textured(21, &e, &e);
  EXPECT_EQ(px24(5, 21), 0x05112233u);
}

TEST_F(ScanConvertTest, UnusableTextureIsDrawnUntextured) {
  TextureRef bad{nullptr, 4, 4, 0, 0, 0};
  PolygonRecord p = closed({vtx(2, 2, 1), vtx(10, 2, 1), vtx(2, 10, 1)});
  p.tx_map = &bad;
  rasterize_polygon(&p);
  uint32_t texel = 0xFF00FF00u;
  TextureRef empty{&texel, 0, 1, 0, 0, 0};
  p = closed({vtx(20, 2, 1), vtx(30, 2, 1), vtx(20, 10, 1)});
  p.tx_map = &empty;
  rasterize_polygon(&p);
  EXPECT_EQ(red(3, 3), 255);
  EXPECT_EQ(red(21, 3), 255);
}

}  // namespace

namespace {

TEST_F(ScanConvertTest, EveryThousandTwentyFourthPolygonPollsAndHandsAStopOn) {
  const int32_t saved = raster_poll_count;
  host->tick_step = 20;  // every poll sees a new tick
  host->keys.push_back(0x1011B);  // Esc
  PolygonRecord p = closed({vtx(2, 2, 1), vtx(3, 2, 1), vtx(2, 3, 1)});
  user_abort = 0;
  raster_poll_count = 1022;
  rasterize_polygon(&p);  // 1023rd: no poll
  EXPECT_EQ(host->keys.size(), 1u);
  rasterize_polygon(&p);  // 1024th: the poll takes the Esc key
  EXPECT_TRUE(host->keys.empty());
  EXPECT_EQ(user_abort, 1);  // handed on to the walk's own poll
  EXPECT_EQ(poll_user_abort(), -1);
  EXPECT_EQ(user_abort, 0);
  host->keys.push_back(0x1011B);
  rasterize_polygon(&p);  // 1025th: no poll
  EXPECT_EQ(host->keys.size(), 1u);
  raster_poll_count = 2047;
  rasterize_polygon(&p);  // 2048th
  EXPECT_TRUE(host->keys.empty());
  user_abort = 0;
  raster_poll_count = saved;
}

}  // namespace

namespace {

// A projection taller than the image: its rows above and below are never walked, yet every image row gets
// exactly the columns the whole outline gives it. The long edge steps 38 columns over 60 rows, so its carries
// must be counted right where the walk starts inside the image. One-colour, Gouraud and varying-opacity
// polygons take different paths through the converter; the coverage is the same.
TEST_F(ScanConvertTest, RowsOutsideTheImageAreSkippedWithoutChangingCoverage) {
  ASSERT_EQ(set_image_size(64, 40), 1);
  ASSERT_EQ(allocate_frame_buffers(), 1);
  const int32_t top = (proj_height - image_height) / 2;  // projection row of image row 0
  ASSERT_EQ(top, 12);
  struct Case {
    const char* what;
    uint16_t r1, alpha1;
  } cases[] = {{"one colour", 255 * 256, 255}, {"gouraud", 9 * 256, 255}, {"opacity varies", 255 * 256, 254}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear_frame_buffers();
    PolygonRecord p = closed({vtx(2, 0, 1), vtx(40, 60, 1, c.r1, c.alpha1), vtx(2, 60, 1)});
    rasterize_polygon(&p);
    for (int32_t y = 0; y < image_height; ++y) {
      const int32_t row = y + top;
      // The long edge's column at row k from its top: 2 + floor((38 k + 29) / 60).
      const int32_t right = row <= 60 ? 2 + (38 * row + 29) / 60 : -1;
      for (int32_t x = 0; x < image_width; ++x)
        ASSERT_EQ(px8(x, y) != 0, x >= 2 && x <= right) << x << "," << y;
    }
  }
}

// A polygon wholly above or below the image draws nothing and leaves the dither stream where it was.
TEST_F(ScanConvertTest, PolygonOutsideTheImageRowsDrawsNothing) {
  ASSERT_EQ(set_image_size(64, 40), 1);
  ASSERT_EQ(allocate_frame_buffers(), 1);
  render_settings.dither_amount = 100;
  ensure_dither_tables();
  const uint32_t seed = dither_seed;
  for (float y : {0.0f, 11.0f, 52.0f, 63.0f}) {
    PolygonRecord p = closed({vtx(2, y, 1), vtx(40, y, 1), vtx(2, y, 1)});
    rasterize_polygon(&p);
  }
  EXPECT_EQ(drawn_pixels(), 0);
  EXPECT_EQ(dither_seed, seed);
  EXPECT_EQ(polygon_count, 4);  // still counted as drawn
  PolygonRecord inside = closed({vtx(2, 12, 1), vtx(40, 12, 1), vtx(2, 12, 1)});
  rasterize_polygon(&inside);
  EXPECT_EQ(drawn_pixels(), 39);
  EXPECT_NE(dither_seed, seed);
}

}  // namespace
