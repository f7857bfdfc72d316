// Anti-aliasing: doubling before the walk, box and weighted reduction, sampling after a stop.
#include "engine/render/antialias.h"

#include <vector>

#include "tests/render/post_fixture.h"

namespace {
class AntialiasTest : public PostFrameTest {
 protected:
  // A single-size image of width by height in buffers doubled for anti-aliasing, already begun.
  void begin_doubled(int32_t width, int32_t height, int32_t mode) {
    render_settings.antialias_mode = mode;
    make_frame(width, height, 2 * width, 2 * height);
  }
};

TEST_F(AntialiasTest, BeginSpreadsEveryPixelOverItsBlock) {
  begin_doubled(3, 2, 1);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) px(x, y) = rgb(x + 10 * y, x, y, 7);
  ASSERT_EQ(antialias_begin(), 1);
  EXPECT_EQ(image_width, 6);
  EXPECT_EQ(image_height, 4);
  EXPECT_EQ(proj_width, 6);
  EXPECT_EQ(proj_height, 6);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(px(x, y), rgb(x / 2 + 10 * (y / 2), x / 2, y / 2, 7)) << x << "," << y;
  // The reduction of an image whose blocks are uniform gives the original back.
  ASSERT_EQ(antialias_reduce(1), 1);
  EXPECT_EQ(image_width, 3);
  EXPECT_EQ(image_height, 2);
  EXPECT_EQ(proj_width, 3);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(px(x, y), rgb(x + 10 * y, x, y, 7));
}

TEST_F(AntialiasTest, UniformImageStaysUniformWithBothFiltersUpToTheEdges) {
  for (int32_t mode : {1, 2, 7}) {
    SCOPED_TRACE(mode);
    begin_doubled(5, 3, mode);
    fill_buffer(rgb(46, 201, 17, 99));
    ASSERT_EQ(antialias_begin(), 1);
    ASSERT_EQ(antialias_reduce(1), 1);
    ASSERT_EQ(image_width, 5);
    ASSERT_EQ(image_height, 3);
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(px(x, y), rgb(46, 201, 17, 99)) << x << "," << y;
    free_vidmem24();
    free_vidmem8();
  }
}

TEST_F(AntialiasTest, LinearFilterAveragesTheBlockWithRounding) {
  render_settings.antialias_mode = 1;
  make_frame(4, 4);  // the doubled image itself
  fill_buffer(0);
  px(0, 0) = rgb(33, 10, 0, 255);
  px(1, 0) = rgb(1, 20, 3, 255);
  px(0, 1) = rgb(2, 30, 0, 255);
  px(1, 1) = rgb(3, 41, 0, 254);
  const uint32_t p = antialias_linear_pixel(0, 0);
  EXPECT_EQ(red(p), 25u);    // (101 + 2) / 4
  EXPECT_EQ(green(p), 1u);   // (3 + 2) / 4
  EXPECT_EQ(blue(p), 255u);  // (1019 + 2) / 4
  EXPECT_EQ(slot(p), 33u);   // slot of the top-left pixel
  // At the last column only two pixels are inside, still divided by 4.
  px(3, 0) = rgb(4, 100, 0, 0);
  px(3, 1) = rgb(4, 100, 0, 0);
  EXPECT_EQ(red(antialias_linear_pixel(3, 0)), 50u);
}

TEST_F(AntialiasTest, GaussianKernelWeightsAndEdgeRenormalisation) {
  render_settings.antialias_mode = 2;
  make_frame(8, 8);
  fill_buffer(rgb(5, 0, 0, 0));
  // At (0, 0) nine pixels are used (sum 490); the one at column +2, row 0 weighs 20.
  px(2, 0) = rgb(5, 245, 0, 0);
  EXPECT_EQ(red(antialias_gaussian_pixel(0, 0)), 10u);  // (4900 + 245) / 490
  EXPECT_EQ(slot(antialias_gaussian_pixel(0, 0)), 5u);
  px(2, 0) = rgb(5, 0, 0, 0);
  // Interior: corner weight 10, centre weight 100, out of 600.
  px(1, 1) = rgb(9, 255, 0, 0);
  EXPECT_EQ(red(antialias_gaussian_pixel(2, 2)), 4u);   // (2550 + 300) / 600
  EXPECT_EQ(red(antialias_gaussian_pixel(0, 0)), 52u);  // weight 100 of 490: (25500 + 245) / 490
  EXPECT_EQ(slot(antialias_gaussian_pixel(0, 0)), 5u);
  EXPECT_EQ(slot(antialias_gaussian_pixel(1, 1)), 9u);
  EXPECT_EQ(red(antialias_gaussian_pixel(1, 1)), 43u);  // (25500 + 300) / 600
  // Bottom-right corner block: rows and columns 5..7 used.
  px(7, 7) = rgb(0, 120, 0, 0);
  EXPECT_EQ(red(antialias_gaussian_pixel(6, 6)), (120u * 100 + 245) / 490);
}

TEST_F(AntialiasTest, StoppedFrameSamplesTopLeftPixelsAndRestoresSize) {
  begin_doubled(2, 2, 2);
  ASSERT_EQ(antialias_begin(), 1);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) px(x, y) = rgb(1, 10 * x + y, 0, 0);
  ASSERT_EQ(antialias_reduce(-1), 1);
  EXPECT_EQ(image_width, 2);
  EXPECT_EQ(image_height, 2);
  EXPECT_EQ(px(0, 0), rgb(1, 0, 0, 0));
  EXPECT_EQ(px(1, 0), rgb(1, 20, 0, 0));
  EXPECT_EQ(px(0, 1), rgb(1, 2, 0, 0));
  EXPECT_EQ(px(1, 1), rgb(1, 22, 0, 0));
}

TEST_F(AntialiasTest, OddSizesComeBackExactlyAndTheImageIsCentredAgain) {
  render_client_width = 1000;
  render_client_height = 500;
  begin_doubled(801, 601, 1);
  ASSERT_EQ(antialias_begin(), 1);
  EXPECT_EQ(image_width, 1602);
  EXPECT_EQ(image_height, 1202);
  EXPECT_EQ(render_origin_x, 0);
  EXPECT_EQ(render_scroll_x, 301);
  ASSERT_EQ(antialias_reduce(1), 1);
  EXPECT_EQ(image_width, 801);
  EXPECT_EQ(image_height, 601);
  EXPECT_EQ(proj_width, 801);
  EXPECT_EQ(render_origin_x, 99);
  EXPECT_EQ(render_scroll_x, 0);
  EXPECT_EQ(render_scroll_y, 50);
}

TEST_F(AntialiasTest, OffOrWithoutBuffer) {
  render_settings.antialias_mode = 0;
  EXPECT_EQ(antialias_begin(), 0);  // no vidmem24
  EXPECT_EQ(antialias_reduce(1), 0);
  make_frame(4, 4);
  fill_buffer(rgb(1, 2, 3, 4));
  px(1, 1) = 0;
  const auto before = snapshot();
  EXPECT_EQ(antialias_begin(), 1);
  EXPECT_EQ(antialias_reduce(1), 1);
  EXPECT_EQ(image_width, 4);
  EXPECT_EQ(snapshot(), before);
}

// Positions whose block lies off the image read nothing outside the buffer and divide by no empty weight sum.
TEST_F(AntialiasTest, FiltersOffTheImageReadNothing) {
  make_frame(4, 4);
  fill_buffer(rgb(1, 90, 90, 90));
  EXPECT_EQ(antialias_gaussian_pixel(-5, -5), 0u);
  EXPECT_EQ(antialias_gaussian_pixel(9, 2), 0u);
  EXPECT_EQ(antialias_linear_pixel(-2, 7), 0u);
  image_width = 40;  // stale size larger than the buffer: the filters stay inside the buffer
  EXPECT_EQ(antialias_gaussian_pixel(3, 3), rgb(1, 90, 90, 90));
}

// A whole output row of the box filter is its pixels one by one, for random images of odd and even sizes, in
// buffers larger than the image and with a stale image size larger than the buffer, rows at and past the bottom
// and counts past the right edge included.
TEST_F(AntialiasTest, LinearRowIsThePixelsOneByOne) {
  struct Case {
    int32_t width, height, buffer_width, buffer_height;
  } cases[] = {{8, 6, 8, 6}, {7, 5, 7, 5}, {9, 7, 12, 10}, {1, 1, 1, 1}, {40, 30, 6, 5}};
  uint32_t state = 12345;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    make_frame(c.width, c.height, c.buffer_width, c.buffer_height);
    for (int32_t y = 0; y < vidmem24.height; ++y)
      for (int32_t x = 0; x < vidmem24.width; ++x) {
        state = state * 1103515245u + 12345u;
        px(x, y) = state ^ (state >> 13);
      }
    for (int32_t y = -1; y <= c.height / 2 + 1; ++y) {
      for (int32_t count : {0, 1, c.width / 2, (c.width + 1) / 2, c.width / 2 + 3}) {
        std::vector<uint32_t> row(static_cast<size_t>(count) + 1, 0xDEADBEEFu);
        antialias_linear_row(y, count, row.data());
        for (int32_t x = 0; x < count; ++x) ASSERT_EQ(row[x], antialias_linear_pixel(2 * x, 2 * y)) << x << "," << y;
        EXPECT_EQ(row[count], 0xDEADBEEFu);  // nothing written past the count
      }
    }
    free_vidmem24();
    free_vidmem8();
  }
}

// A buffer not allocated for anti-aliasing cannot take the doubled image: nothing is written outside it
// and the reduction then leaves the single size alone.
TEST_F(AntialiasTest, BufferTooSmallForDoubling) {
  render_settings.antialias_mode = 1;
  make_frame(4, 4);
  fill_buffer(rgb(1, 2, 3, 4));
  const auto before = snapshot();
  EXPECT_EQ(antialias_begin(), 0);
  EXPECT_EQ(image_width, 4);
  EXPECT_EQ(antialias_reduce(1), 1);
  EXPECT_EQ(image_width, 4);
  EXPECT_EQ(image_height, 4);
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
