// Tests of recording polygons by band: a band's tape, replayed alone, writes exactly the band's rows of the
// frame one thread draws and leaves the dither noise where that thread leaves it; and skipping noise draws.
#include <algorithm>
#include <cstdint>
#include <functional>
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

  // What drawing leaves: the frame, the dither noise, the polygons counted and the polls made.
  struct Drawn {
    std::vector<uint32_t> pixels;
    uint32_t seed;
    int32_t polygons, polls;
  };
  // Draws with draw() from a cleared frame, either straight or recorded on three bands' tapes and each band's
  // tape replayed on its own, as the walk's band threads do.
  Drawn drawn_by(bool banded, const std::function<void()>& draw) {
    clear_frame_buffers();
    dither_seed = 77;
    polygon_count = 0;
    const int32_t polls_before = raster_poll_count;
    const std::vector<int32_t> rows = {0, 21, 33, 0x7FFFFFFF};
    BandedTape tape;
    if (banded) {
      tape.set_bands(3, rows.data());
      banded_tape = &tape;
    }
    draw();
    if (banded) {
      banded_tape = nullptr;
      tape.finish();
      for (int32_t b = 0; b < 3; ++b) {
        raster_set_band(b, 3, rows[static_cast<size_t>(b)], rows[static_cast<size_t>(b) + 1]);
        dither_seed = 77;
        tape_replay(tape.band[static_cast<size_t>(b)]);
      }
      raster_set_band(0, 1, 0, 0);
    }
    Drawn out{};
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) out.pixels.push_back(px24(x, y));
    out.seed = dither_seed;
    out.polygons = polygon_count;
    out.polls = raster_poll_count - polls_before;
    return out;
  }

  // Draws both ways (straight and banded, dithered or not) and expects the same from draw_a and draw_b.
  void expect_same_drawing(const std::function<void()>& draw_a, const std::function<void()>& draw_b) {
    for (int32_t dither : {0, 40}) {
      render_settings.dither_amount = dither;
      ensure_dither_tables();
      for (bool banded : {false, true}) {
        const Drawn a = drawn_by(banded, draw_a);
        const Drawn b = drawn_by(banded, draw_b);
        EXPECT_TRUE(b.pixels == a.pixels) << "dither " << dither << ", banded " << banded;
        EXPECT_EQ(b.seed, a.seed) << "dither " << dither << ", banded " << banded;
        EXPECT_EQ(b.polygons, a.polygons) << "dither " << dither << ", banded " << banded;
        EXPECT_EQ(b.polls, a.polls) << "dither " << dither << ", banded " << banded;
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

// Polygons wholly above or below the image write nothing and take no dither draw; the renderer may pass over one
// instead of rasterising it. Done between other polygons, directly or through the band tapes, dithered or not,
// the frame, the dither noise, the polygon count and the polls are the same as when it is rasterised.
TEST_F(BandTapeTest, PassingOverAPolygonOffTheImageEqualsRasterisingIt) {
  struct Rows {
    int32_t y_min, y_max;
    bool miss;
  };
  for (const Rows& r : {Rows{-5, -1, true}, Rows{-5, 0, false}, Rows{63, 70, false}, Rows{64, 70, true},
                        Rows{0, 63, false}, Rows{-10, 100, false}, Rows{-32768, -32768, true}}) {
    EXPECT_EQ(raster_rows_miss_image(r.y_min, r.y_max), r.miss) << r.y_min << ".." << r.y_max;
  }
  // Above the image, below it, and above it reaching past both side edges.
  const float off[][6] = {{5, -30, 40, -2, 20, -12}, {3, 64, 60, 90, 30, 70}, {-40, -20, 100, -1, 30, -9}};
  const auto scene = [&](bool pass_over) {
    draw_scene();
    for (const auto& t : off) {
      PolygonRecord p = closed({vtx(t[0], t[1], 1), vtx(t[2], t[3], 1), vtx(t[4], t[5], 1)});
      int32_t y_min = 0x7FFF, y_max = -0x8000;
      for (int32_t i = 0; i < p.count; ++i) {
        y_min = std::min(y_min, raster_coordinate(p.vertices[i].y));
        y_max = std::max(y_max, raster_coordinate(p.vertices[i].y));
      }
      EXPECT_TRUE(raster_rows_miss_image(y_min, y_max));
      if (pass_over) {
        raster_pass_over_polygon();
      } else {
        rasterize_polygon(&p);
      }
    }
    draw_scene();
  };
  expect_same_drawing([&] { scene(false); }, [&] { scene(true); });
}

// An untextured polygon handed over as entries the caller converted draws what its record draws: the frame, the
// dither noise and the polygon count, directly and through the band tapes, dithered or not, for one-colour
// triangles across the band boundaries and past the image's edges and for a triangle shaded corner by corner.
TEST_F(BandTapeTest, ConvertedEntriesDrawWhatTheirRecordDraws) {
  const float tris[][6] = {{2, 2, 60, 10, 30, 40}, {-20, 5, 20, 30, 5, 62}, {10, 33, 50, 33, 30, 33},
                           {0, 21, 63, 22, 31, 23}, {-40, -10, 100, 30, 20, 70}, {5, -30, 40, -2, 20, -12}};
  std::vector<PolygonRecord> records;
  int32_t i = 0;
  for (const auto& t : tris) {
    const uint16_t r = static_cast<uint16_t>((40 + 25 * i++) * 256);
    records.push_back(closed({vtx(t[0], t[1], 1, r), vtx(t[2], t[3], 1, r), vtx(t[4], t[5], 1, r)}));
  }
  records.push_back(closed({vtx(3, 3, 1, 10 * 256), vtx(60, 20, 1, 200 * 256), vtx(20, 58, 1, 90 * 256)}));
  const auto scene = [&](bool converted) {
    for (PolygonRecord p : records) {
      if (converted) {
        RasterVertex entries[kPolygonCapacity];
        for (int32_t k = 0; k < p.count; ++k) raster_convert_vertex(p.vertices[k], false, &entries[k]);
        rasterize_untextured(entries, p.count);
      } else {
        rasterize_polygon(&p);
      }
    }
  };
  expect_same_drawing([&] { scene(false); }, [&] { scene(true); });
}

}  // namespace
