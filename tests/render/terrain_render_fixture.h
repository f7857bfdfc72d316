// A test fixture for whole-frame renders: the start-up scene (the default landscape with its default view) or a
// hand-made landscape, frame buffers of a chosen size, and helpers that hash and save the image.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/landscape/waves.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/palette_predict.h"
#include "engine/render/render_frame.h"
#include "engine/render/render_start.h"
#include "engine/render/terrain_quad.h"
#include "engine/raster/view_transform.h"
#include "engine/scene/cloud_layer.h"
#include "engine/scene/texture_slots.h"
#include "tests/support/engine_test.h"

class TerrainRenderTest : public EngineTest {
 protected:
  ScopedHeadlessHost host_;
  HeadlessHost* host = host_.operator->();

  void SetUp() override {
    reset_all();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    set_landscape_size(258, 258);
    reset_all();
    image_width = 800;
    image_height = 600;
    proj_width = proj_height = 800;
  }
  static void reset_all() {
    reset_settings_defaults();
    reset_color_class_settings();
    reset_wave_settings();
    reset_camera_state();
    reset_grid_spacing();
    texture_slots_free_all();
    texture_slots_init();
    fractal_amplitudes[0] = 100;
    fractal_amplitudes[7] = 50;
    fractal_amplitudes[1] = -32768;
    horizontal_deform = 0;
    cloud_settings.cloud_altitude = 4000;
    user_abort = 0;
    render_abort = 0;
    status_reset_state();
    render_settings.view_mode = 0;
    render_settings.dither_amount = 0;
  }

  // Frame buffers for an image of width by height.
  void image(int32_t width, int32_t height) {
    ASSERT_EQ(set_image_size(width, height), 1);
    ASSERT_EQ(allocate_frame_buffers(), 1);
    clear_frame_buffers();
  }

  // The start-up scene: the default terrain, coloured and shaded, seen from the default high view.
  void startup_scene() {
    clear_elevations();
    clear_colors();
    clear_shades();
    landscape_view.vertical_scale = landscape_view.built_vertical_scale = 1.0f;
    scheme_sky_colors();
    random_seed(1);  // the low ground's unevenness comes from the general stream: as at program start
    make_default_landscape();
    derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = land_width;
    scan_elevation_range();
    default_view_high();
    default_levels();
    set_detail_level(1, 2);
    prepare();
  }
  // What the render start brings up to date before a frame.
  static void prepare() {
    render_settings.grid_step = 1;
    scheme_sky_colors();
    set_flat_intensity();
    build_strata_bands();
    compute_altitude_quartiles();
    ASSERT_EQ(color_landscape(), 1);
    ASSERT_EQ(color_cliffs(), 1);
    ASSERT_EQ(shade_landscape(), 1);
  }

  // FNV-1a over the image area of vidmem24.
  static uint64_t image_hash() {
    uint64_t h = 1469598103934665603ull;
    for (int32_t y = 0; y < image_height; ++y) {
      const uint32_t* row = vidmem24_row(y);
      for (int32_t x = 0; x < image_width; ++x) {
        uint32_t p = row[x];
        for (int32_t k = 0; k < 4; ++k) {
          h ^= p & 255u;
          h *= 1099511628211ull;
          p >>= 8;
        }
      }
    }
    return h;
  }
  static std::vector<uint32_t> image_pixels() {
    std::vector<uint32_t> out;
    out.reserve(static_cast<size_t>(image_width) * image_height);
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) out.push_back(vidmem24_row(y)[x]);
    return out;
  }
  static uint32_t px(int32_t x, int32_t y) { return vidmem24_row(y)[x]; }

  // The folder for images a test leaves for people to look at.
  static std::filesystem::path artifact_dir() {
    const char* env = std::getenv("DALVENOR_TEST_ARTIFACTS");
    std::filesystem::path dir = env && *env ? std::filesystem::path(env) : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(dir);
    return dir;
  }
};
