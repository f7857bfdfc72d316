// "View as Elevations": no image, intensity and colour sampling, the image's top row becoming the last grid row.
#include <gtest/gtest.h>

#include "engine/raster/frame_buffers.h"
#include "engine/render/view_to_elevations.h"
#include "tests/landscape/edit_fixture.h"

namespace {

class ViewToElevationsTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    saved_w_ = image_width;
    saved_h_ = image_height;
  }
  void TearDown() override {
    free_vidmem8();
    image_width = saved_w_;
    image_height = saved_h_;
    EditFixture::TearDown();
  }
  int32_t saved_w_ = 0, saved_h_ = 0;
  // An image of w by h whose pixel is its row index (top row 0) plus 2 x its column index in tens.
  static void image(int32_t w, int32_t h) {
    image_width = w;
    image_height = h;
    ASSERT_NE(allocate_vidmem8(w, h), nullptr);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) vidmem8_row(y)[x] = static_cast<uint8_t>((y + x * 3) & 255);
  }
};

TEST_F(ViewToElevationsTest, WithoutAnImageOnlyTheMessageIsShown) {
  free_vidmem8();
  hills();
  const auto before = elevations();
  EXPECT_EQ(convert_view_to_altitude(), 0);
  EXPECT_EQ(elevations(), before);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "View buffer not available!");
}

TEST_F(ViewToElevationsTest, ColorAndIntensitySampleByNearestPixel) {
  flat(10, 6);
  image(40, 12);  // another aspect ratio than the grid
  host_->yes_no_answers = {0};  // "Color"
  ASSERT_EQ(convert_view_to_altitude(), 1);
  ASSERT_EQ(host_->messages.back().text, "Convert View to ALT:");
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      const int32_t iy = y * 12 / 6, ix = x * 40 / 10;
      EXPECT_EQ(E(grid_height - 1 - y, x), ((iy + ix * 3) & 255) * 16) << y << "," << x;
    }
  for (int32_t i = 0; i < 256; ++i) display_palette[i] = {static_cast<uint8_t>(i), 10, 200, 0};
  host_->yes_no_answers = {1};  // "Intensity"
  ASSERT_EQ(convert_view_to_altitude(), 1);
  const int32_t p = vidmem8_row(0)[0];
  EXPECT_EQ(E(grid_height - 1, 0), (30 * p + 59 * 10 + 11 * 200) / 100 * 64);
  EXPECT_EQ(derived_data.landscape_changed, 1);
}

}  // namespace
