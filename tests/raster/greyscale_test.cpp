// Greyscale conversion by luminance.
#include "engine/raster/greyscale.h"

#include "tests/render/post_fixture.h"

namespace {
class GreyscaleTest : public PostFrameTest {};

TEST_F(GreyscaleTest, LuminanceWeightsAndSlotCleared) {
  struct Case {
    uint32_t in;
    uint32_t grey;
  };
  const Case cases[] = {
      {rgb(51, 255, 0, 0), 76},     // 30% of 255
      {rgb(7, 0, 255, 0), 150},     // 59% of 255
      {rgb(200, 0, 0, 255), 28},    // 11% of 255
      {rgb(51, 255, 255, 255), 255},
      {rgb(0, 0, 0, 0), 0},
      {rgb(3, 10, 20, 30), 18},     // (300 + 1180 + 330) / 100
  };
  make_frame(6, 1);
  for (int32_t i = 0; i < 6; ++i) px(i, 0) = cases[i].in;
  greyscale_luminance();
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(px(i, 0), cases[i].grey * 0x010101u) << "case " << i;
}

TEST_F(GreyscaleTest, OnlyTheImageAreaChanges) {
  make_frame(2, 2, 4, 3);
  fill_buffer(rgb(9, 255, 0, 0));
  greyscale_luminance();
  EXPECT_EQ(px(1, 1), 76u * 0x010101u);
  EXPECT_EQ(px(2, 0), rgb(9, 255, 0, 0));
  EXPECT_EQ(px(0, 2), rgb(9, 255, 0, 0));
}

TEST_F(GreyscaleTest, ImageLargerThanBufferStaysInside) {
  make_frame(2, 2);
  fill_buffer(rgb(1, 255, 255, 255));
  image_width = 50;  // stale size: the buffer is only 2 by 2
  image_height = 50;
  greyscale_luminance();
  EXPECT_EQ(px(1, 1), 255u * 0x010101u);
}

TEST_F(GreyscaleTest, NothingWithoutBuffer) {
  greyscale_luminance();  // no vidmem24: no crash
  SUCCEED();
}
}  // namespace
