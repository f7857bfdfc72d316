// Span output: blending by opacity and slot with the cloud rule, clipping, dithering and live display.
#include <vector>

#include "tests/raster/raster_fixture.h"

using SpanOutputTest = RasterTest;

namespace {
SpanPixel pixel(uint8_t r, uint8_t g, uint8_t b, uint8_t alpha, uint8_t slot) {
  return SpanPixel{static_cast<uint16_t>(b << 8), static_cast<uint16_t>(g << 8), static_cast<uint16_t>(r << 8), alpha,
                   slot};
}
}  // namespace

TEST_F(SpanOutputTest, BlendTableWithCloudRule) {
  struct Case {
    const char* what;
    uint32_t old24;
    uint8_t old8;
    SpanPixel px;
    uint32_t new24;
    uint8_t new8;
  };
  const uint32_t old = 0x28C86432u;  // slot 40, red 200, green 100, blue 50
  const Case cases[] = {
      {"alpha 0 keeps both", old, 40, pixel(10, 20, 30, 0, 33), old, 40},
      {"alpha 0 cloud keeps both", old, 76, pixel(10, 20, 30, 0, 76), old, 76},
      {"alpha 255 replaces", old, 40, pixel(10, 20, 30, 255, 33), 0x210A141Eu, 33},
      // (200*128 + 10*127)/255 = 105, (100*128 + 20*127)/255 = 60, (50*128 + 30*127)/255 = 40
      {"alpha 127 keeps the old top byte", old, 40, pixel(10, 20, 30, 127, 33), 0x28693C28u, 33},
      // (200*127 + 10*128)/255 = 104, (100*127 + 20*128)/255 = 59, (50*127 + 30*128)/255 = 39
      {"alpha 128 takes the new slot", old, 40, pixel(10, 20, 30, 128, 33), 0x21683B27u, 33},
      {"cloud 150 over cloud: unchanged", 0x4CC86432u, 76, pixel(10, 20, 30, 150, 76), 0x4CC86432u, 76},
      {"cloud 200 over cloud: colour kept, slot taken", 0x28C86432u, 76, pixel(10, 20, 30, 200, 76), 0x4CC86432u, 76},
      // (200*105 + 10*150)/255 = 88, (100*105 + 20*150)/255 = 52, (50*105 + 30*150)/255 = 38
      {"cloud 150 over ground blends, keeps slot", old, 40, pixel(10, 20, 30, 150, 76), 0x28583426u, 76},
      // (200*55 + 10*200)/255 = 50, (100*55 + 20*200)/255 = 37, (50*55 + 30*200)/255 = 34
      {"cloud 200 over ground blends, takes slot", old, 40, pixel(10, 20, 30, 200, 76), 0x4C322522u, 76},
      {"ground over cloud blends", old, 76, pixel(10, 20, 30, 128, 33), 0x21683B27u, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vidmem24_row(2)[5] = c.old24;
    vidmem8_row(2)[5] = c.old8;
    SpanPixel span[1] = {c.px};
    output_hzline(2, 5, 5, span);
    EXPECT_EQ(vidmem24_row(2)[5], c.new24) << std::hex << vidmem24_row(2)[5];
    EXPECT_EQ(vidmem8_row(2)[5], c.new8);
  }
}

TEST_F(SpanOutputTest, SpanIsCutAtImageEdgeButDitheredWhole) {
  render_settings.dither_amount = 100;
  render_settings.dither_type = 1;
  std::vector<SpanPixel> span(13, pixel(100, 100, 100, 255, 9));
  const int32_t y = 1;
  output_hzline(y, 60, 72, span.data());  // image 64 wide
  for (int32_t x = 60; x < 64; ++x) EXPECT_EQ(vidmem8_row(y)[x], 9);
  EXPECT_EQ(vidmem24_row(y + 1)[0], 0u);
  // The entries beyond the image were dithered too.
  EXPECT_EQ(span[12].r, (100 + dither_matrix_at(72, y)) * 256);
  EXPECT_EQ(dither_matrix_at(72, y), 3);
}

// A span of the widest projection (columns 0 to 8192) fits its buffer and is cut at the image edge.
TEST_F(SpanOutputTest, WidestSpanFits) {
  ASSERT_EQ(set_image_size(kMaxFrameSide, 16), 1);
  const int32_t screen = render_screen_width;
  render_screen_width = kMaxFrameSide + 100;  // a screen wide enough to show the whole row
  std::vector<SpanPixel> span(kSpanCapacity, pixel(1, 2, 3, 255, 50));
  for (int32_t mode : {0, 1}) {
    render_settings.view_mode = mode;
    if (mode) open_window(1);
    output_hzline(15, 0, kMaxFrameSide, span.data());
    EXPECT_EQ(vidmem8_row(15)[kMaxFrameSide - 1], 50);
  }
  render_screen_width = screen;
  ASSERT_FALSE(host->render_rows.empty());
  EXPECT_EQ(host->render_rows.back().count, kMaxFrameSide);
}

TEST_F(SpanOutputTest, NothingWrittenOutsideBuffers) {
  SpanPixel span[4] = {pixel(1, 2, 3, 255, 5), pixel(1, 2, 3, 255, 5), pixel(1, 2, 3, 255, 5),
                       pixel(1, 2, 3, 255, 5)};
  output_hzline(-1, 0, 3, span);
  output_hzline(image_height, 0, 3, span);
  output_hzline(0, 64, 67, span);
  output_hzline(0, -2, 1, span);  // a left end before column 0 is cut too
  EXPECT_EQ(vidmem8_row(0)[0], 5);
  EXPECT_EQ(vidmem8_row(0)[2], 0);
  image_height = 100;  // an image record larger than its buffers
  output_hzline(60, 0, 3, span);
  image_height = 48;
  free_vidmem8();
  output_hzline(0, 0, 3, span);
  EXPECT_EQ(vidmem24_row(0)[3], 0u);
}

TEST_F(SpanOutputTest, DitherTables) {
  dither_seed = 1;
  EXPECT_EQ(dither_random(), 70);  // 1103527590 >> 16 & 255 = 198, less 128

  render_settings.dither_amount = 100;
  ensure_dither_tables();
  const int32_t ordered[16] = {-5, 0, -4, 1, 3, -2, 5, -1, -3, 2, -5, 1, 5, 0, 4, -1};
  EXPECT_EQ(std::vector<int32_t>(dither_matrix, dither_matrix + 16), std::vector<int32_t>(ordered, ordered + 16));
  for (int32_t v : dither_noise) {
    EXPECT_GE(v, -2);
    EXPECT_LE(v, 1);
  }
  for (int32_t y = 0; y < 8; ++y) {
    for (int32_t x = 0; x < 8; ++x) {
      EXPECT_EQ(dither_matrix_at(x, y), dither_matrix_at(x + 4, y));
      EXPECT_EQ(dither_matrix_at(x, y + 4), dither_matrix_at(x + 2, y));
    }
  }

  // Changing the amount between two spans rebuilds the tables before the second.
  SpanPixel span[2] = {pixel(50, 50, 50, 255, 1), pixel(50, 50, 50, 255, 1)};
  render_settings.dither_type = 1;
  output_hzline(0, 0, 1, span);
  EXPECT_EQ(vidmem24_row(0)[0] & 0xFF, 45u);
  render_settings.dither_amount = 200;
  span[0] = pixel(50, 50, 50, 255, 1);
  output_hzline(0, 0, 0, span);
  EXPECT_EQ(dither_tables_amount, 200);
  EXPECT_EQ(vidmem24_row(0)[0] & 0xFF, 39u);  // 200 * -15 / 256 = -11

  // Channels clamp at both ends.
  SpanPixel dark[1] = {pixel(0, 0, 255, 255, 1)};
  render_settings.dither_amount = 100;
  output_hzline(0, 0, 0, dark);
  EXPECT_EQ(dark[0].r, 0);
  EXPECT_EQ(vidmem24_row(0)[0] & 0xFF, 250u);
  SpanPixel bright[1] = {pixel(255, 255, 255, 255, 1)};
  output_hzline(0, 2, 2, bright);  // offset -4 at column 2 of row 0
  EXPECT_EQ(bright[0].r, (255 - 4) * 256);
  SpanPixel top[1] = {pixel(255, 255, 255, 255, 1)};
  output_hzline(0, 3, 3, top);  // offset +1: clamped
  EXPECT_EQ(top[0].r, 65535);
}

TEST_F(SpanOutputTest, RandomDitherDrawsFromNoiseTable) {
  render_settings.dither_amount = 100;
  render_settings.dither_type = 2;
  ensure_dither_tables();
  dither_seed = 12345;
  uint32_t seed = dither_seed;
  seed = seed * 1103515245u + 12345u;
  auto index = static_cast<uint8_t>(static_cast<int32_t>((seed >> 16) & 255) - 128);
  SpanPixel span[2] = {pixel(100, 100, 100, 255, 1), pixel(100, 100, 100, 255, 1)};
  dither_span(span, 2, 0, 0);
  EXPECT_EQ(span[0].r, (100 + dither_noise[uint8_t(index + 1)]) * 256);
  EXPECT_EQ(span[0].g, (100 + dither_noise[uint8_t(index + 2)]) * 256);
  EXPECT_EQ(span[1].b, (100 + dither_noise[uint8_t(index + 6)]) * 256);
}

TEST_F(SpanOutputTest, NoDitherLeavesSpanAndSeedAlone) {
  render_settings.dither_amount = 0;
  render_settings.view_mode = 1;
  display_depth = 8;
  open_window(0);
  render_settings.palette_colors = 3;
  image_palette[1] = {0, 0, 0, 0};
  image_palette[2] = {200, 100, 50, 0};
  clear_color_cache();
  const uint32_t seed = dither_seed;
  SpanPixel span[3] = {pixel(200, 100, 50, 255, 60), pixel(200, 100, 50, 255, 60), pixel(0, 0, 0, 255, 61)};
  output_hzline(4, 10, 12, span);
  EXPECT_EQ(dither_seed, seed);
  EXPECT_EQ(span[0].r, 200 * 256);
  // The screen gets palette indexes, vidmem8 keeps the slots.
  ASSERT_EQ(host->render_rows.size(), 1u);
  EXPECT_EQ(host->render_rows[0].pixels, (std::vector<uint32_t>{2, 2, 1}));
  EXPECT_EQ(vidmem8_row(4)[10], 60);
  EXPECT_EQ(vidmem8_row(4)[12], 61);
}

TEST_F(SpanOutputTest, AntiAliasedLiveDisplayShowsEvenRowsAtHalfSize) {
  render_settings.antialias_mode = 1;
  ASSERT_EQ(set_image_size(64, 64), 1);
  image_width = image_height = proj_width = proj_height = 128;  // the doubled frame being drawn
  render_settings.view_mode = 1;
  open_window(1);
  rendering_active = 1;
  std::vector<SpanPixel> span;
  for (int i = 0; i < 20; ++i) span.push_back(pixel(static_cast<uint8_t>(i), 0, 0, 255, 3));
  for (int32_t y = 1; y < 128; y += 2) output_hzline(y, 10, 29, span.data());
  EXPECT_TRUE(host->render_rows.empty());
  output_hzline(4, 10, 29, span.data());
  ASSERT_EQ(host->render_rows.size(), 1u);
  const auto& row = host->render_rows[0];
  EXPECT_EQ(row.x, 10 / 2 + 128 / 4);
  EXPECT_EQ(row.y, 4 / 2 + 128 / 4);
  EXPECT_EQ(row.count, 10);
  EXPECT_EQ(row.pixels[1], (3u << 24) | (2u << 16));  // pixel 1 shows pixel 2
  SpanPixel one[1] = {pixel(1, 1, 1, 255, 3)};
  output_hzline(6, 7, 7, one);  // a single pixel still shows one
  EXPECT_EQ(host->render_rows.back().count, 1);
  image_width = image_height = proj_width = proj_height = 64;
}
