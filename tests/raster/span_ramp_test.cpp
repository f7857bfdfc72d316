// The one-pass flat span writer against the plain path (a filled span buffer through output_hzline): frame
// buffers, dither stream and live display must come out the same for every opacity, dither and edge case.
#include <vector>

#include "engine/raster/span_ramp.h"
#include "engine/raster/span_ramp_writer.h"
#include "tests/raster/raster_fixture.h"

namespace {

struct Case {
  const char* what;
  int32_t row, first, last;
  uint8_t alpha, slot;
  bool constant;
  int32_t dither_amount, dither_type;
  int32_t live;  // 0 no live display, 24 or 8 the display depth
  bool mid = false;  // one colour away from both ends, which no dither offset can clamp
};

class SpanRampTest : public RasterTest {
 protected:
  // A frame of varied colours with cloud and ground slots side by side, so that blends and the cloud rule show.
  void paint_frame() {
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) {
        const uint32_t slot = (x / 3 + y) % 2 ? static_cast<uint32_t>(kClassClouds) : 40u;
        vidmem24_row(y)[x] = (slot << 24) | ((static_cast<uint32_t>(x * 37 + y * 11) & 0xFFFFFFu) * 2654435761u & 0xFFFFFFu);
        vidmem8_row(y)[x] = static_cast<uint8_t>(slot);
      }
  }
  // Channels from near black to near white and back, with fractions, so that dithering clamps at both ends.
  static SpanRamp ramp_of(const Case& c) {
    if (c.constant && c.mid) return constant_ramp(100 * 256 + 255, 3 * 256, 252 * 256 + 1, c.alpha, c.slot);
    if (c.constant) return constant_ramp(254 * 256 + 77, 1 * 256 + 200, 128 * 256, c.alpha, c.slot);
    if (c.mid) return stepped_ramp(c.first, c.last, 20 * 256, 240 * 256 + 255, 128 * 256 + 5, 200 * 256 + 7, 7 * 256,
                                   129 * 256 + 250, c.alpha, c.slot);
    return stepped_ramp(c.first, c.last, 0, 65535, 128 * 256 + 5, 65535, 300, 129 * 256 + 250, c.alpha, c.slot);
  }
  struct Result {
    std::vector<uint32_t> frame24;
    std::vector<uint8_t> frame8;
    uint32_t seed;
    std::vector<HeadlessHost::RenderRow> shown;
  };
  // How a span is written: through a filled span buffer, in one pass, or by a writer held for a polygon.
  enum class Path { plain, one_pass, held };
  Result run(const Case& c, Path path) {
    render_settings.dither_amount = c.dither_amount;
    render_settings.dither_type = c.dither_type;
    render_settings.view_mode = c.live != 0;
    display_depth = c.live == 8 ? 8 : 24;
    if (c.live) open_window(c.live == 24);
    dither_seed = 777;
    dither_tables_amount = 0;  // the tables are built by the first span, inside the compared stretch
    paint_frame();
    const SpanRamp ramp = ramp_of(c);
    if (path == Path::one_pass) {
      output_ramp(c.row, c.first, c.last, ramp);
    } else if (path == Path::held) {
      ConstantRampWriter writer(ramp);
      writer.write(c.row, c.first, c.last);
    } else {
      std::vector<SpanPixel> span;
      SpanRamp s = ramp;
      for (int32_t x = c.first; x <= c.last; ++x) {
        span.push_back({static_cast<uint16_t>(s.b.value), static_cast<uint16_t>(s.g.value),
                        static_cast<uint16_t>(s.r.value), c.alpha, c.slot});
        line_stepper_advance(&s.r);
        line_stepper_advance(&s.g);
        line_stepper_advance(&s.b);
      }
      output_hzline(c.row, c.first, c.last, span.data());
    }
    Result r;
    for (int32_t y = 0; y < image_height; ++y) {
      r.frame24.insert(r.frame24.end(), vidmem24_row(y), vidmem24_row(y) + image_width);
      r.frame8.insert(r.frame8.end(), vidmem8_row(y), vidmem8_row(y) + image_width);
    }
    r.seed = dither_seed;
    r.shown = host->render_rows;
    host->render_rows.clear();
    return r;
  }
};

TEST_F(SpanRampTest, OnePassMatchesSpanBufferPath) {
  constexpr uint8_t kCloud = kClassClouds;
  const Case cases[] = {
      {"opaque one colour", 5, 3, 40, 255, 33, true, 0, 2, 0},
      {"opaque stepped", 5, 3, 40, 255, 33, false, 0, 2, 0},
      {"opaque one colour, random dither", 6, 0, 63, 255, 33, true, 100, 2, 0},
      {"opaque stepped, random dither", 6, 1, 62, 255, 33, false, 100, 2, 0},
      {"opaque one colour, strong random dither", 7, 2, 50, 255, 33, true, 1000, 0, 0},
      {"opaque mid colour, random dither", 6, 0, 63, 255, 33, true, 100, 2, 0, true},
      {"opaque mid colour, random dither near the ends", 6, 0, 63, 255, 33, true, 250, 2, 0, true},
      {"opaque mid colour, ordered dither", 8, 5, 30, 255, 33, true, 100, 1, 0, true},
      {"opaque mid colours stepped", 8, 5, 30, 255, 33, false, 0, 1, 0, true},
      {"opaque mid colours stepped, random dither", 8, 5, 60, 255, 33, false, 100, 2, 0, true},
      {"opaque mid colours stepped, ordered dither", 8, 5, 60, 255, 33, false, 100, 1, 0, true},
      {"mid colours stepped, ordered dither, cut both sides", 8, -5, 70, 255, 33, false, 100, 1, 0, true},
      {"opaque mid colours stepped, ordered dither near the ends", 8, 5, 60, 255, 33, false, 250, 1, 0, true},
      {"blended mid colours stepped, random dither", 8, 5, 60, 99, 33, false, 100, 2, 0, true},
      {"opaque one colour, ordered dither", 8, 5, 30, 255, 33, true, 100, 1, 0},
      {"opaque stepped, ordered dither", 9, 6, 31, 255, 33, false, 250, 1, 0},
      {"alpha 0 writes nothing but moves the stream", 10, 0, 20, 0, 33, true, 100, 2, 0},
      {"alpha 128 blends", 11, 0, 63, 128, 33, false, 100, 2, 0},
      {"alpha 127 keeps the old slot", 11, 0, 63, 127, 33, true, 100, 1, 0},
      {"cloud 150 over cloud and ground", 12, 0, 63, 150, kCloud, true, 100, 2, 0},
      {"cloud 200 over cloud and ground", 12, 0, 63, 200, kCloud, false, 0, 2, 0},
      {"cloud opaque", 13, 4, 9, 255, kCloud, true, 100, 2, 0},
      {"one pixel", 14, 17, 17, 255, 33, false, 100, 2, 0},
      {"cut at the right edge", 15, 50, 90, 255, 33, false, 100, 2, 0},
      {"cut at the right edge, ordered", 15, 50, 90, 255, 33, true, 100, 1, 0},
      {"starts left of the image", 16, -7, 12, 255, 33, false, 100, 2, 0},
      {"starts left of the image, ordered", 16, -5, 12, 200, 33, false, 100, 1, 0},
      {"one colour starting left of the image", 16, -7, 12, 255, 33, true, 100, 2, 0},
      {"one colour cut at the right edge", 15, 50, 90, 255, 33, true, 100, 2, 0},
      {"wholly left of the image", 16, -9, -2, 255, 33, true, 100, 2, 0},
      {"wholly right of the image", 16, 64, 70, 255, 33, true, 100, 2, 0},
      {"row above the image", -1, 0, 10, 255, 33, true, 100, 2, 0},
      {"row below the image", 48, 0, 10, 255, 33, true, 100, 2, 0},
      {"empty span", 17, 10, 9, 255, 33, true, 100, 2, 0},
      {"live 24-bit", 18, 2, 70, 255, 33, false, 100, 2, 24},
      {"live 8-bit, dithered", 19, 2, 30, 255, 33, true, 100, 2, 8},
      {"live 8-bit, alpha 0", 19, 2, 30, 0, 33, true, 100, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Result plain = run(c, Path::plain);
    EXPECT_EQ(plain.shown.empty(), c.live == 0);  // the live cases do show their row
    for (Path path : {Path::one_pass, Path::held}) {
      SCOPED_TRACE(path == Path::held ? "held writer" : "one pass");
      const Result fused = run(c, path);
      EXPECT_EQ(fused.frame24, plain.frame24);
      EXPECT_EQ(fused.frame8, plain.frame8);
      EXPECT_EQ(fused.seed, plain.seed);
      ASSERT_EQ(fused.shown.size(), plain.shown.size());
      for (size_t i = 0; i < plain.shown.size(); ++i) {
        EXPECT_EQ(fused.shown[i].x, plain.shown[i].x);
        EXPECT_EQ(fused.shown[i].count, plain.shown[i].count);
        EXPECT_EQ(fused.shown[i].pixels, plain.shown[i].pixels);
      }
    }
  }
}

// A frame without buffers takes nothing, yet the span still draws its dither number as every span does.
TEST_F(SpanRampTest, MissingBufferWritesNothingButMovesTheStream) {
  render_settings.dither_amount = 100;
  ensure_dither_tables();
  free_vidmem8();
  dither_seed = 5;
  output_ramp(3, 0, 10, constant_ramp(256, 256, 256, 255, 9));
  EXPECT_NE(dither_seed, 5u);
  EXPECT_EQ(vidmem24_row(3)[0], 0u);
  // The same for a writer held for a polygon.
  const uint32_t after_one = dither_seed;
  const SpanRamp ramp = constant_ramp(256, 256, 256, 255, 9);
  ConstantRampWriter writer(ramp);
  writer.write(3, 0, 10);
  EXPECT_NE(dither_seed, after_one);
  EXPECT_EQ(vidmem24_row(3)[0], 0u);
}

}  // namespace
