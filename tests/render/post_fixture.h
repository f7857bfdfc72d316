// A small frame for tests of the passes after a render: settings reset, vidmem24 of a chosen size, restored after.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "tests/support/engine_test.h"

class PostFrameTest : public EngineTest {
 protected:
  ScopedHeadlessHost host;

  void SetUp() override {
    user_abort = 0;
    status_reset_state();  // no render-window stop or throttle left by an earlier test
    render_client_width = render_client_height = 0;
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    image_width = 800;
    image_height = 600;
    proj_width = proj_height = 800;
    user_abort = 0;
    reset_settings_defaults();
  }

  // An image of width by height held in buffers of buffer_width by buffer_height.
  void make_frame(int32_t width, int32_t height, int32_t buffer_width, int32_t buffer_height) {
    image_width = width;
    image_height = height;
    proj_width = proj_height = std::max(width, height);
    ASSERT_NE(allocate_vidmem24(buffer_width, buffer_height), nullptr);
    ASSERT_NE(allocate_vidmem8(buffer_width, buffer_height), nullptr);
  }
  void make_frame(int32_t width, int32_t height) { make_frame(width, height, width, height); }

  static uint32_t& px(int32_t x, int32_t y) { return vidmem24_row(y)[x]; }
  static uint32_t rgb(uint32_t slot, uint32_t r, uint32_t g, uint32_t b) {
    return (slot << 24) | (r << 16) | (g << 8) | b;
  }
  static uint32_t red(uint32_t p) { return (p >> 16) & 255; }
  static uint32_t green(uint32_t p) { return (p >> 8) & 255; }
  static uint32_t blue(uint32_t p) { return p & 255; }
  static uint32_t slot(uint32_t p) { return p >> 24; }

  // Every pixel of the whole buffer.
  static void fill_buffer(uint32_t p) {
    for (int32_t y = 0; y < vidmem24.height; ++y)
      for (int32_t x = 0; x < vidmem24.width; ++x) px(x, y) = p;
  }
  static std::vector<uint32_t> snapshot() {
    std::vector<uint32_t> all;
    for (int32_t y = 0; y < vidmem24.height; ++y)
      for (int32_t x = 0; x < vidmem24.width; ++x) all.push_back(px(x, y));
    return all;
  }
};
