// A test fixture for the frame buffers: a headless host, start-up settings without anti-aliasing or flare,
// a small image and a render window that holds its drawing context.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/raster/render_window.h"
#include "engine/ui/status.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/raster/span_output.h"
#include "tests/support/engine_test.h"

class RasterTest : public EngineTest {
 protected:
  void SetUp() override {
    render_settings.antialias_mode = 0;
    render_settings.flare_enabled = 0;
    render_settings.dither_amount = 0;
    render_settings.view_mode = 0;
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    display_depth = 24;
    screen_output_off = 0;
    render_dc_held = 0;
    render_rows_24bit = 1;
    rendering_active = 0;
    render_abort = 0;
    status_reset_state();  // a poll tick or status drawing left by an earlier test must not swallow this one's
    render_client_width = render_client_height = 0;
    ASSERT_EQ(set_image_size(64, 48), 1);
    host->messages.clear();
    host->window_events.clear();
    std::fill(std::begin(image_palette), std::end(image_palette), PaletteEntry{0, 0, 0, 0});
    clear_color_cache();
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    dither_tables_amount = 0;
    render_dc_held = 0;
    rendering_active = 0;
    reset_settings_defaults();
  }
  std::vector<std::string> message_texts() {
    std::vector<std::string> out;
    for (const auto& m : host->messages) out.push_back(m.text);
    return out;
  }
  // Opens the render window for live drawing with its client area the size of the image.
  void open_window(int32_t rows_24bit) {
    render_window_fit(1);
    render_rows_24bit = rows_24bit;
    host->render_rows.clear();
    host->keep_row_pixels = true;
  }

  ScopedHeadlessHost host_;
  HeadlessHost* host = host_.operator->();
};
