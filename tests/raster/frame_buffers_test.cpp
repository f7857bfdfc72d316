// Frame buffer allocation, the image size with its limits and fallbacks, clearing and the display depth.
#include <climits>
#include <vector>

#include "tests/raster/raster_fixture.h"

using FrameBuffersTest = RasterTest;

TEST_F(FrameBuffersTest, AllocationSizeFollowsAntiAliasingAndFlare) {
  struct Case {
    int32_t antialias, flare, width, height, alloc_width, alloc_height;
  };
  const Case cases[] = {
      {0, 0, 800, 600, 800, 600},   {1, 0, 800, 600, 1600, 1200}, {0, 1, 800, 600, 800, 1200},
      {1, 1, 800, 600, 1600, 1200}, {0, 0, 600, 800, 600, 800},   {0, 1, 16, 16, 16, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "aa " << c.antialias << " flare " << c.flare << " " << c.width << "x"
                                    << c.height);
    render_settings.antialias_mode = c.antialias;
    render_settings.flare_enabled = c.flare;
    ASSERT_EQ(set_image_size(c.width, c.height), 1);
    EXPECT_EQ(frame_alloc_width, c.alloc_width);
    EXPECT_EQ(frame_alloc_height, c.alloc_height);
    EXPECT_EQ(vidmem24.width, c.alloc_width);
    EXPECT_EQ(vidmem24.height, c.alloc_height);
    EXPECT_EQ(vidmem8.width, c.alloc_width);
    EXPECT_EQ(vidmem8.height, c.alloc_height);
    EXPECT_EQ(render_scale, std::max(c.width, c.height));
  }
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(FrameBuffersTest, UnchangedSettingsKeepBuffersAndContents) {
  vidmem24_row(3)[5] = 0x12345678u;
  vidmem8_row(3)[5] = 9;
  const RowTable rows24 = vidmem24.rows;
  const long allocations = host->allocations;
  EXPECT_EQ(allocate_frame_buffers(), 1);
  EXPECT_EQ(allocate_frame_buffers(), 1);
  EXPECT_EQ(vidmem24.rows, rows24);
  EXPECT_EQ(host->allocations, allocations);
  EXPECT_EQ(vidmem24_row(3)[5], 0x12345678u);
  EXPECT_EQ(vidmem8_row(3)[5], 9);

  render_settings.flare_enabled = 1;  // the next frame needs taller buffers
  EXPECT_EQ(allocate_frame_buffers(), 1);
  EXPECT_EQ(vidmem24.height, 96);
  EXPECT_EQ(vidmem24_row(3)[5], 0u);
}

// A size whose doubled buffers exceed the largest frame is refused with a message, and the previous size and
// its buffers stay, so nothing can be drawn into buffers that are not there.
TEST_F(FrameBuffersTest, DoubledSizeBeyondLimitKeepsPreviousSize) {
  struct Case {
    int32_t antialias, flare, width, height;
  };
  const Case cases[] = {{1, 0, 5000, 3000}, {1, 0, 16, 4097}, {0, 1, 100, 4097}, {1, 1, 4097, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    render_settings.antialias_mode = c.antialias;
    render_settings.flare_enabled = c.flare;
    ASSERT_EQ(set_image_size(64, 48), 1);
    const RowTable rows24 = vidmem24.rows;
    host->messages.clear();
    EXPECT_EQ(set_image_size(c.width, c.height), 0);
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Image too large for anti-aliasing or lens flare."});
    EXPECT_EQ(image_width, 64);
    EXPECT_EQ(image_height, 48);
    EXPECT_EQ(proj_width, 64);
    EXPECT_EQ(render_scale, 64);
    EXPECT_EQ(vidmem24.rows, rows24);
  }
}

// Anti-aliasing switched on at a size it cannot double: the frame's allocation reports it and leaves no
// buffers; spans then write nothing, and the size allocates again once anti-aliasing is off.
TEST_F(FrameBuffersTest, AntiAliasingSwitchedOnAtLargeSizeLeavesNoBuffers) {
  ASSERT_EQ(set_image_size(4100, 16), 1);
  render_settings.antialias_mode = 1;
  EXPECT_EQ(allocate_frame_buffers(), 0);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Image too large for anti-aliasing or lens flare."});
  EXPECT_EQ(vidmem24.rows, nullptr);
  EXPECT_EQ(vidmem8.rows, nullptr);
  EXPECT_EQ(frame_alloc_width, 0);
  image_width *= 2;  // as the anti-aliased frame would
  image_height *= 2;
  SpanPixel span[8] = {};
  for (auto& p : span) p = {0xFF00, 0xFF00, 0xFF00, 255, 40};
  output_hzline(3, 0, 7, span);  // nothing to write into, and no crash
  image_width /= 2;
  image_height /= 2;
  render_settings.antialias_mode = 0;
  EXPECT_EQ(set_image_size(4100, 16), 1);  // unchanged size: the missing buffers are allocated again
  EXPECT_EQ(vidmem24.width, 4100);
}

// Doubling and buffer sizes are computed in 64 bits: hostile sizes are refused without overflow.
TEST_F(FrameBuffersTest, HugeSizesAreRefusedWithoutOverflow) {
  render_settings.antialias_mode = 1;
  EXPECT_EQ(set_image_size(INT32_MAX, INT32_MAX), 0);
  EXPECT_EQ(set_image_size(kMaxFrameSide, kMaxFrameSide), 0);
  image_width = INT32_MAX;  // a record set by hand
  image_height = INT32_MAX;
  EXPECT_EQ(allocate_frame_buffers(), 0);
  EXPECT_EQ(vidmem24.rows, nullptr);
  image_width = 64;
  image_height = 48;
}

TEST_F(FrameBuffersTest, SetImageSizeLimitsAndProjection) {
  EXPECT_EQ(set_image_size(15, 100), 0);
  EXPECT_EQ(set_image_size(100, 8193), 0);
  EXPECT_EQ(image_width, 64);
  EXPECT_EQ(set_image_size(600, 800), 1);  // taller than wide is accepted here
  EXPECT_EQ(proj_width, 800);
  EXPECT_EQ(proj_height, 800);
  EXPECT_EQ(render_scale, 800);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(FrameBuffersTest, ChangeImageSizeLimitsAndMessages) {
  struct Case {
    int32_t width, height, expect_width, expect_height;
    const char* message;
  };
  const Case cases[] = {
      {640, 800, 640, 640, nullptr},
      {16, 16, 16, 16, nullptr},
      {15, 200, 16, 16, "Minimum allowable image size is 16x16."},
      {200, 15, 16, 16, "Minimum allowable image size is 16x16."},
      {4097, 100, 16, 16, "Maximum allowable image size is 4096x4096."},
      {320, 200, 320, 200, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    host->messages.clear();
    host->window_events.clear();
    change_image_size(c.width, c.height);
    EXPECT_EQ(image_width, c.expect_width);
    EXPECT_EQ(image_height, c.expect_height);
    if (c.message) {
      EXPECT_EQ(message_texts(), std::vector<std::string>{c.message});
      EXPECT_TRUE(host->window_events.empty());
    } else {
      EXPECT_TRUE(host->messages.empty());
      EXPECT_EQ(host->window_events.back(), "refresh");  // refitted and redrawn
    }
  }
}

TEST_F(FrameBuffersTest, ChangeImageSizeRevertsToPreviousSize) {
  ASSERT_EQ(set_image_size(320, 240), 1);
  host->fail_at_size = 1024 * 768 * 4;
  change_image_size(1024, 768);
  EXPECT_EQ(message_texts(), (std::vector<std::string>{"allocate_vidmem24() failed.",
                                                        "Insufficient memory, reverting to previous size."}));
  EXPECT_EQ(image_width, 320);
  EXPECT_EQ(image_height, 240);
  EXPECT_EQ(vidmem24.width, 320);
  EXPECT_EQ(vidmem8.height, 240);
  EXPECT_EQ(frame_alloc_width, 320);
}

// A size set directly (scripts, landscape files) that cannot be allocated keeps the previous size in force.
TEST_F(FrameBuffersTest, SetImageSizeFailureKeepsPreviousSize) {
  host->fail_at_size = 1000 * 1000;
  EXPECT_EQ(set_image_size(1000, 1000), 0);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"allocate_vidmem24() failed."});
  EXPECT_EQ(image_width, 64);
  EXPECT_EQ(image_height, 48);
  EXPECT_EQ(proj_width, 64);
  EXPECT_EQ(render_scale, 64);
  EXPECT_EQ(vidmem24.rows, nullptr);
  host->fail_at_size = 0;
  EXPECT_EQ(allocate_frame_buffers(), 1);  // the next frame allocates the previous size again
  EXPECT_EQ(vidmem24.width, 64);
}

TEST_F(FrameBuffersTest, ChangeImageSizeFallsBackTo320x200) {
  ASSERT_EQ(set_image_size(800, 600), 1);
  host->fail_at_size = 320 * 200 * 4 + 1;
  change_image_size(1024, 768);
  EXPECT_EQ(message_texts(),
            (std::vector<std::string>{"allocate_vidmem24() failed.", "Insufficient memory, reverting to previous size.",
                                      "allocate_vidmem24() failed.", "Insufficient memory, reverting to 320x200."}));
  EXPECT_EQ(image_width, 320);
  EXPECT_EQ(image_height, 200);
  EXPECT_EQ(vidmem24.width, 320);
  EXPECT_EQ(render_scale, 320);
}

TEST_F(FrameBuffersTest, ChangeImageSizeEndsProgramWhenNothingFits) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        host->fail_at_size = 1;
        change_image_size(1024, 768);
      },
      testing::ExitedWithCode(10), "");
}

TEST_F(FrameBuffersTest, EightBitBufferFailureKeepsThirtyTwoBitBuffer) {
  render_settings.flare_enabled = 1;  // a new size is needed
  host->fail_after = 3;  // 32-bit table and block, 8-bit table; the 8-bit block fails
  EXPECT_EQ(allocate_frame_buffers(), 0);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"allocate_vidmem8() failed."});
  EXPECT_NE(vidmem24.rows, nullptr);
  EXPECT_EQ(vidmem8.rows, nullptr);
  EXPECT_EQ(vidmem8.width, 0);
  EXPECT_EQ(frame_alloc_width, 0);
  EXPECT_EQ(frame_alloc_height, 0);
  host->fail_after = -1;
  EXPECT_EQ(allocate_frame_buffers(), 1);  // the next call tries again
  EXPECT_EQ(vidmem8.height, 96);
}

TEST_F(FrameBuffersTest, CentringInRenderWindow) {
  render_client_width = 600;
  render_client_height = 500;
  ASSERT_EQ(set_image_size(800, 400), 1);
  EXPECT_EQ(render_origin_x, 0);
  EXPECT_EQ(render_scroll_x, 100);
  EXPECT_EQ(render_origin_y, 50);
  EXPECT_EQ(render_scroll_y, 0);
  ASSERT_EQ(set_image_size(400, 400), 1);
  EXPECT_EQ(render_origin_x, 100);
  EXPECT_EQ(render_scroll_x, 0);
}

TEST_F(FrameBuffersTest, ClearingImageAreaAndWholeAllocation) {
  render_settings.flare_enabled = 1;
  ASSERT_EQ(set_image_size(32, 16), 1);  // 32 by 32 with the flare rows
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) {
      vidmem24_row(y)[x] = 0xFFFFFFFFu;
      vidmem8_row(y)[x] = 0xFF;
    }
  }
  image_width = 20;  // a smaller image inside the buffers
  clear_vidmem24();
  clear_vidmem8();
  EXPECT_EQ(vidmem24_row(15)[19], 0u);
  EXPECT_EQ(vidmem24_row(15)[20], 0xFFFFFFFFu);
  EXPECT_EQ(vidmem24_row(16)[0], 0xFFFFFFFFu);
  EXPECT_EQ(vidmem8_row(0)[19], 0);
  EXPECT_EQ(vidmem8_row(16)[0], 0xFF);
  clear_frame_buffers();
  EXPECT_EQ(vidmem24_row(31)[31], 0u);
  EXPECT_EQ(vidmem8_row(31)[31], 0);
  image_width = 32;
}

TEST_F(FrameBuffersTest, DisplayDepth) {
  host->display_bits_per_pixel = 8;
  EXPECT_EQ(set_display_depth(24), 0);
  EXPECT_EQ(display_depth, 8);
  EXPECT_EQ(render_rows_24bit, 0);
  host->display_bits_per_pixel = 32;
  EXPECT_EQ(set_display_depth(24), 1);
  EXPECT_EQ(display_depth, 24);
  EXPECT_EQ(render_rows_24bit, 1);
  EXPECT_EQ(set_display_depth(8), 1);
  EXPECT_EQ(display_depth, 8);
  EXPECT_EQ(render_rows_24bit, 0);
}

TEST_F(FrameBuffersTest, PaletteCopiesAreCutAt256) {
  open_window(0);
  PaletteEntry entries[10];
  for (int i = 0; i < 10; ++i) entries[i] = {uint8_t(i + 1), uint8_t(i + 2), uint8_t(i + 3), 7};
  set_palette(entries, 250, 10);
  ASSERT_EQ(host->palette_loads.size(), 1u);
  EXPECT_EQ(host->palette_loads[0], std::make_pair(250, 6));
  EXPECT_EQ(display_palette[255].red, 6);
  EXPECT_EQ(host->render_palette_rgb[255 * 3 + 2], 8);

  PaletteEntry out[4];
  for (auto& e : out) e = {0, 0, 0, 99};
  get_palette(out, 254, 4);
  EXPECT_EQ(out[1].green, 7);
  EXPECT_EQ(out[1].spare, 99);  // the fourth byte is left as it was
  EXPECT_EQ(out[2].red, 0);    // beyond 255 nothing is copied
}

TEST_F(FrameBuffersTest, RowBlitsClipToWindow) {
  open_window(0);  // client area 64 by 48, 8-bit rows
  uint8_t row[100];
  for (int i = 0; i < 100; ++i) row[i] = static_cast<uint8_t>(i);
  render_scroll_x = 30;  // image column 0 lies at window column -30
  screen_put_row8(0, 100, 5, row);
  ASSERT_EQ(host->render_rows.size(), 1u);
  const auto& r = host->render_rows[0];
  EXPECT_EQ(r.x, 0);
  EXPECT_EQ(r.y, 5);
  EXPECT_EQ(r.count, 64);  // the last 70 pixels, cut at the client's right edge
  EXPECT_EQ(r.pixels.front(), 30u);
  render_scroll_x = 0;
  host->render_rows.clear();

  screen_put_row8(60, 10, 5, row);   // cut on the right
  screen_put_row8(0, 10, 48, row);   // below the client area
  screen_put_row8(-20, 10, 1, row);  // wholly left of it
  screen_put_row8(63, 1, 2, row);    // a single pixel inside
  screen_put_row8(64, 1, 2, row);    // a single pixel outside
  screen_fill_row(10, 5, 7, 33);
  ASSERT_EQ(host->render_rows.size(), 3u);
  EXPECT_EQ(host->render_rows[0].count, 4);
  EXPECT_EQ(host->render_rows[1].x, 63);
  EXPECT_EQ(host->render_rows[1].count, 1);
  EXPECT_EQ(host->render_rows[2].pixels, std::vector<uint32_t>(5, 33));

  host->render_rows.clear();
  screen_output_off = 1;
  screen_put_row8(0, 10, 1, row);
  screen_fill_row(0, 10, 1, 3);
  EXPECT_TRUE(host->render_rows.empty());
  screen_output_off = 0;

  const uint32_t px[3] = {1, 2, 3};
  screen_put_row24(0, 3, 1, px);  // the window shows 8-bit rows: no 24-bit row
  EXPECT_TRUE(host->render_rows.empty());
  render_rows_24bit = 1;
  screen_put_row24_direct(0, 3, 1, px);
  ASSERT_EQ(host->render_rows.size(), 1u);
  EXPECT_EQ(host->render_rows[0].depth, 24);

  render_window_release();  // no drawing context: nothing reaches the window
  screen_put_row24(0, 3, 2, px);
  EXPECT_EQ(host->render_rows.size(), 1u);
}

TEST_F(FrameBuffersTest, LiveDrawingOnlyWhileWatchingEveryPolygon) {
  open_window(1);
  const uint32_t px[2] = {1, 2};
  render_set_busy(1);
  render_settings.view_mode = 2;
  screen_put_row24(0, 2, 0, px);
  EXPECT_TRUE(host->render_rows.empty());
  render_settings.view_mode = 1;
  screen_put_row24(0, 2, 0, px);
  EXPECT_EQ(host->render_rows.size(), 1u);
  render_set_busy(0);
}

TEST_F(FrameBuffersTest, EightBitConversionWithoutDitherIsRepeatable) {
  render_settings.palette_colors = 4;
  image_palette[1] = {255, 0, 0, 0};
  image_palette[2] = {0, 255, 0, 0};
  image_palette[3] = {0, 0, 255, 0};
  clear_color_cache();
  for (int32_t y = 0; y < image_height; ++y) {
    for (int32_t x = 0; x < image_width; ++x) vidmem24_row(y)[x] = (77u << 24) | (static_cast<uint32_t>(x * 4) << 16) | (y * 5);
  }
  vidmem24_row(0)[0] = 0x0000FF00u;
  convert_vidmem24_to_8();
  std::vector<uint8_t> first;
  for (int32_t y = 0; y < image_height; ++y) first.insert(first.end(), vidmem8_row(y), vidmem8_row(y) + image_width);
  EXPECT_EQ(vidmem8_row(0)[0], 2);
  EXPECT_EQ(vidmem8_row(0)[63], 1);  // red 252
  convert_vidmem24_to_8();
  std::vector<uint8_t> second;
  for (int32_t y = 0; y < image_height; ++y) second.insert(second.end(), vidmem8_row(y), vidmem8_row(y) + image_width);
  EXPECT_EQ(first, second);
}
