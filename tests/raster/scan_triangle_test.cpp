// Triangles drawn straight from their edges against the edge tables: the same pixels, span counts and dither
// draws for random, huge, degenerate and off-image triangles, whole and in bands.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "tests/raster/pipeline_fixture.h"

namespace {

// What a polygon leaves behind: the image in both buffers, the dither stream and the counts.
struct RasterState {
  std::vector<uint32_t> p24;
  std::vector<uint8_t> p8;
  uint32_t seed;
  std::vector<uint32_t> row_spans;
  int32_t polygons;
  bool operator==(const RasterState&) const = default;
};

class ScanTriangleTest : public PipelineTest {
 protected:
  void SetUp() override {
    PipelineTest::SetUp();
    // A projection taller than the image, so that rows above and below it are passed over.
    ASSERT_EQ(set_image_size(64, 40), 1);
    ASSERT_EQ(allocate_frame_buffers(), 1);
    clear_frame_buffers();
    render_settings.dither_amount = 100;
    ensure_dither_tables();
    std::fill(std::begin(raster_row_work), std::end(raster_row_work), 0u);
  }
  void TearDown() override {
    raster_set_band(0, 1, 0, 0);
    PipelineTest::TearDown();
  }

  static RasterState capture() {
    RasterState s;
    for (int32_t y = 0; y < image_height; ++y) {
      s.p24.insert(s.p24.end(), vidmem24_row(y), vidmem24_row(y) + image_width);
      s.p8.insert(s.p8.end(), vidmem8_row(y), vidmem8_row(y) + image_width);
    }
    s.seed = dither_seed;
    s.row_spans.assign(std::begin(raster_row_work), std::begin(raster_row_work) + image_height);
    s.polygons = polygon_count;
    return s;
  }
  static void restore(const RasterState& s) {
    for (int32_t y = 0; y < image_height; ++y) {
      std::copy_n(s.p24.begin() + static_cast<size_t>(y) * image_width, image_width, vidmem24_row(y));
      std::copy_n(s.p8.begin() + static_cast<size_t>(y) * image_width, image_width, vidmem8_row(y));
    }
    dither_seed = s.seed;
    std::copy(s.row_spans.begin(), s.row_spans.end(), raster_row_work);
    polygon_count = s.polygons;
  }
};

// A coordinate of one of several kinds: inside or near the image, fractional, far outside, past the 16-bit
// range, or not a number.
float random_coordinate(std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> kind(0, 9);
  switch (kind(rng)) {
    case 0:
      return std::uniform_real_distribution<float>(-40000.0f, 40000.0f)(rng);
    case 1:
      return std::uniform_real_distribution<float>(-2000.0f, 2000.0f)(rng);
    case 2:
      return std::numeric_limits<float>::quiet_NaN();
    case 3:
      return static_cast<float>(std::uniform_int_distribution<int32_t>(-3, 3)(rng)) * 32767.0f;
    default:
      return std::uniform_real_distribution<float>(-12.0f, 80.0f)(rng);
  }
}

// Random triangles, each drawn as a 4-entry record (straight from its edges when of one colour) and as the same
// corners with the first repeated once more: the extra edge is a single point the closing edge already reaches,
// so that record draws the same outline, always through the edge tables. Everything left behind must match.
TEST_F(ScanTriangleTest, DirectTrianglesMatchTheEdgeTables) {
  struct Band {
    int32_t index, count, first, end;
  } bands[] = {{0, 1, 0, 0}, {0, 3, 0, 13}, {1, 3, 13, 27}, {2, 3, 27, 40}, {1, 2, 39, 40}};
  std::mt19937 rng(20240611);
  int32_t direct_cases = 0;
  for (int32_t i = 0; i < 6000; ++i) {
    const Band& band = bands[i % 5];
    raster_set_band(band.index, band.count, band.first, band.end);
    render_settings.dither_type = (i / 5) % 2;
    render_settings.dither_amount = (i / 10) % 3 == 0 ? 0 : 100;
    ensure_dither_tables();
    PolygonVertex c[3];
    for (PolygonVertex& v : c) v = vtx(random_coordinate(rng), random_coordinate(rng), 1);
    // Some triangles shrink to a line, a row or a point.
    const int32_t shape = static_cast<int32_t>(rng() % 8);
    if (shape == 0) c[1].y = c[0].y;
    if (shape == 1) c[2].y = c[1].y = c[0].y;
    if (shape == 2) c[2] = c[0];
    if (shape == 3) c[1].x = c[0].x, c[2].x = c[0].x;
    const uint16_t alpha = static_cast<uint16_t>(std::array<int, 3>{255, 128, 0}[rng() % 3]);
    const uint16_t slot = static_cast<uint16_t>(1 + rng() % 5);
    const uint16_t red = static_cast<uint16_t>(rng() & 0xFFFF);
    for (PolygonVertex& v : c) {
      v.r = red;
      v.g = static_cast<uint16_t>(i * 37);
      v.alpha = alpha;
      v.slot = slot;
    }
    // Every seventh is Gouraud shaded: always drawn from the tables, its spans in other bands counted directly.
    if (i % 7 == 3) c[1].r = static_cast<uint16_t>(red ^ 0x4000);
    direct_cases += i % 7 != 3;
    PolygonRecord direct = closed({c[0], c[1], c[2]});
    PolygonRecord tables{};
    tables.count = 5;
    tables.vertices[0] = c[0];
    tables.vertices[1] = c[1];
    tables.vertices[2] = c[2];
    tables.vertices[3] = c[0];
    tables.vertices[4] = c[0];

    const RasterState before = capture();
    rasterize_polygon(&direct);
    const RasterState from_edges = capture();
    restore(before);
    rasterize_polygon(&tables);
    const RasterState from_tables = capture();
    ASSERT_TRUE(from_edges == from_tables)
        << "case " << i << ": (" << c[0].x << "," << c[0].y << ") (" << c[1].x << "," << c[1].y << ") ("
        << c[2].x << "," << c[2].y << ") band " << band.index << "/" << band.count;
  }
  EXPECT_GT(direct_cases, 5000);
  // The cases drew something: the comparison is not between two empty images.
  EXPECT_GT(drawn_pixels(), 0);
}

// A triangle with two corners on one row: that row runs between them whichever corner the record puts first,
// though the edge joining them gives only one column there; the short edge from the middle corner gives the
// other. Every other row holds one span.
TEST_F(ScanTriangleTest, RowOfTwoCornersRunsBetweenThem) {
  struct Case {
    const char* what;
    float corners[3][2];
    int32_t row;
  } cases[] = {{"flat top", {{2, 2}, {30, 2}, {10, 20}}, 2}, {"flat bottom", {{10, 2}, {30, 20}, {2, 20}}, 20}};
  const int32_t orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  const int32_t top = (proj_height - image_height) / 2;
  for (const Case& c : cases) {
    for (const auto& o : orders) {
      SCOPED_TRACE(testing::Message() << c.what << " " << o[0] << o[1] << o[2]);
      clear_frame_buffers();
      PolygonRecord p = closed({vtx(c.corners[o[0]][0], c.corners[o[0]][1] + top, 1),
                                vtx(c.corners[o[1]][0], c.corners[o[1]][1] + top, 1),
                                vtx(c.corners[o[2]][0], c.corners[o[2]][1] + top, 1)});
      rasterize_polygon(&p);
      for (int32_t x = 0; x < image_width; ++x) ASSERT_EQ(px8(x, c.row) != 0, x >= 2 && x <= 30) << x;
      for (int32_t y = 0; y < image_height; ++y) {
        int32_t runs = 0;
        for (int32_t x = 0; x < image_width; ++x) runs += px8(x, y) != 0 && (x == 0 || px8(x - 1, y) == 0);
        ASSERT_EQ(runs, y >= 2 && y <= 20 ? 1 : 0) << y;
      }
    }
  }
}

}  // namespace
