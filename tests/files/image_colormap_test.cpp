// The 8-bit image draped over the landscape as ground colours, and the 32-bit image rebuilt from it.
#include <gtest/gtest.h>

#include "tests/support/headless_host.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "tests/support/engine_test.h"

namespace {

class ImageColormapTest : public EngineTest {
 protected:
  void SetUp() override {
    render_settings.antialias_mode = 0;
    render_settings.flare_enabled = 0;
    display_depth = 24;
    frame_alloc_width = frame_alloc_height = 0;
    ASSERT_EQ(set_image_size(16, 16), 1);
    set_landscape_size(34, 34);
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) vidmem8_row(y)[x] = static_cast<uint8_t>(y < 8 ? 10 : 200);
    PaletteEntry p[256];
    for (int32_t i = 0; i < 256; ++i) p[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0};
    set_palette(p, 0, 256);
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    set_landscape_size(258, 258);
    reset_settings_defaults();
  }
  ScopedHeadlessHost host_;
};

TEST_F(ImageColormapTest, TopImageRowLiesOnTheLastGridRow) {
  image_to_colormap();
  const uint8_t top = cover_row(grid_height - 1)[0].color_class;
  const uint8_t bottom = cover_row(0)[0].color_class;
  EXPECT_GE(top, 128);
  EXPECT_GE(bottom, 128);
  EXPECT_NE(top, bottom);
  // The class's colour is close to the pixel's palette colour (the reduction may merge neighbours).
  EXPECT_NEAR(color_table[top].red, 10, 8);
  EXPECT_NEAR(color_table[bottom].red, 200, 8);
}

TEST_F(ImageColormapTest, RebuildsTrueColourAndNeedsTheBuffers) {
  rebuild_rgb_image();
  EXPECT_EQ(vidmem24_row(0)[0], 0x0AF507u);
  EXPECT_EQ(vidmem24_row(15)[3], 0xC83707u);
  free_vidmem24();
  rebuild_rgb_image();
  EXPECT_EQ(host_->messages.back().text, "This function requires 24-bit mode.");
  free_vidmem8();
  image_to_colormap();
  EXPECT_EQ(host_->messages.back().text, "View buffer not available!");
}

}  // namespace
