// A test fixture for the polygon pipeline: small frame buffers, a camera at the origin and helpers that build
// polygon records and read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "engine/landscape/camera.h"
#include "engine/raster/polygon.h"
#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/scan_convert.h"
#include "engine/raster/surface_detail.h"
#include "engine/raster/view_transform.h"
#include "tests/raster/raster_fixture.h"

class PipelineTest : public RasterTest {
 protected:
  void SetUp() override {
    RasterTest::SetUp();
    ASSERT_EQ(set_image_size(64, 64), 1);
    ASSERT_EQ(allocate_frame_buffers(), 1);
    clear_frame_buffers();
    reset_camera_state();
    lens_state.lens_scale_inv = 1.0f;
    set_view_matrix(0, 0, 0);
    polygon_count = 0;
  }
  void TearDown() override {
    reset_camera_state();
    set_view_matrix(0, 0, 0);
    RasterTest::TearDown();
  }

  static PolygonVertex vtx(float x, float y, float z, uint16_t r = 255 * 256, uint16_t alpha = 255,
                           uint16_t slot = 1) {
    PolygonVertex v{};
    v.x = x;
    v.y = y;
    v.z = z;
    v.r = r;
    v.g = 0;
    v.b = 0;
    v.alpha = alpha;
    v.slot = slot;
    return v;
  }
  // A closed record of the given corners (the closing entry is added).
  static PolygonRecord closed(std::initializer_list<PolygonVertex> corners) {
    PolygonRecord p{};
    int32_t n = 0;
    for (const PolygonVertex& v : corners) p.vertices[n++] = v;
    p.vertices[n] = p.vertices[0];
    p.count = n + 1;
    p.tx_map = nullptr;
    return p;
  }
  static uint32_t px24(int32_t x, int32_t y) { return vidmem24_row(y)[x]; }
  static uint8_t px8(int32_t x, int32_t y) { return vidmem8_row(y)[x]; }
  static int32_t red(int32_t x, int32_t y) { return static_cast<int32_t>((px24(x, y) >> 16) & 255); }
  // Pixels of the image whose vidmem8 slot is not 0.
  static int32_t drawn_pixels() {
    int32_t n = 0;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) n += px8(x, y) != 0;
    return n;
  }
};
