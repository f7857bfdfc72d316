// Tests of recording polygons by band: a band's tape, replayed alone, writes exactly the band's rows of the
// frame one thread draws and leaves the dither noise where that thread leaves it; and skipping noise draws.
#include <cstdint>
#include <vector>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/polygon_tape.h"
#include "tests/raster/pipeline_fixture.h"

namespace {

TEST(DitherSkip, PassesOverAsManyDrawsAsDrawingThemOneByOne) {
  for (uint32_t seed : {1u, 0u, 0xFFFFFFFFu, 123456789u}) {
    for (uint64_t n : {0ull, 1ull, 2ull, 3ull, 7ull, 64ull, 1000ull, 65537ull}) {
      dither_seed = seed;
      for (uint64_t i = 0; i < n; ++i) dither_random();
      const uint32_t expected = dither_seed;
      dither_seed = seed;
      dither_skip(n);
      EXPECT_EQ(dither_seed, expected) << "seed " << seed << ", " << n << " draws";
    }
  }
  dither_seed = 1;
}

class BandTapeTest : public PipelineTest {
 protected:
  void TearDown() override {
    raster_set_band(0, 1, 0, 0);
    render_settings.dither_amount = 0;
    dither_seed = 1;
    PipelineTest::TearDown();
  }
  // Triangles across and beside the band boundaries: inside the image, reaching past its left and right
  // edges, wholly left of it, flat, and a single-row sliver; and star pixels in several bands' rows.
  static void draw_scene() {
    const float tris[][6] = {{2, 2, 60, 10, 30, 40},  {-20, 5, 20, 30, 5, 62},  {40, 20, 90, 25, 50, 63},
                             {-30, 0, -5, 10, -10, 50}, {10, 33, 50, 33, 30, 33}, {0, 21, 63, 22, 31, 23},
                             {5, 60, 58, 62, 20, 63},   {-40, -10, 100, 30, 20, 70}};
    int32_t i = 0;
    for (const auto& t : tris) {
      const uint16_t r = static_cast<uint16_t>((40 + 25 * i++) * 256);
      PolygonRecord p = closed({vtx(t[0], t[1], 1, r), vtx(t[2], t[3], 1, r), vtx(t[4], t[5], 1, r)});
      rasterize_polygon(&p);
    }
    SpanPixel star{};
    star.r = star.g = star.b = 200 * 256;
    star.alpha = 255;
    star.slot = 3;
    for (int32_t y : {3, 21, 22, 47, 63}) {
      if (banded_tape != nullptr) {
        tape_record_pixel(banded_tape, y, 7, star);
      } else {
        SpanPixel copy = star;  // the output dithers the span in place
        output_hzline(y, 7, 7, &copy);
      }
    }
  }
};

TEST_F(BandTapeTest, EachBandReplayedAloneWritesItsRowsOfTheOneThreadFrame) {
  for (int32_t dither : {0, 40}) {
    render_settings.dither_amount = dither;
    ensure_dither_tables();
    clear_frame_buffers();
    dither_seed = 77;
    polygon_count = 0;
    draw_scene();
    const uint32_t seed_after = dither_seed;
    const int32_t polygons = polygon_count;
    std::vector<uint32_t> expected;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) expected.push_back(px24(x, y));

    const std::vector<int32_t> rows = {0, 21, 33, 0x7FFFFFFF};
    BandedTape tape;
    tape.set_bands(3, rows.data());
    banded_tape = &tape;
    draw_scene();
    banded_tape = nullptr;
    tape.finish();

    clear_frame_buffers();
    polygon_count = 0;
    for (int32_t b = 0; b < 3; ++b) {
      raster_set_band(b, 3, rows[static_cast<size_t>(b)], rows[static_cast<size_t>(b) + 1]);
      dither_seed = 77;
      tape_replay(tape.band[static_cast<size_t>(b)]);
      EXPECT_EQ(dither_seed, seed_after) << "band " << b << ", dither " << dither;
    }
    raster_set_band(0, 1, 0, 0);
    EXPECT_EQ(polygon_count, polygons) << "dither " << dither;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x)
        ASSERT_EQ(px24(x, y), expected[static_cast<size_t>(y) * image_width + x])
            << "pixel " << x << "," << y << ", dither " << dither;
  }
}

}  // namespace
