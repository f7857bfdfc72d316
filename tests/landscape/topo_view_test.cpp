// Map view state and the conversions between map pixels, world metres and grid samples.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/topo_view.h"
#include "tests/support/engine_test.h"

namespace {

class TopoViewTest : public EngineTest {
 protected:
  void SetUp() override {
    set_landscape_size(258, 258);
    topo_init();
  }
  void TearDown() override {
    reset_grid_spacing();
    set_landscape_size(258, 258);
    topo_init();
  }
  ScopedHeadlessHost host_;
};

TEST_F(TopoViewTest, DefaultViewShowsTheWholeLandscape) {
  EXPECT_EQ(topo_origin_x, 0);
  EXPECT_EQ(topo_origin_y, 0);
  ASSERT_NE(topo_image, nullptr);
  float wx, wy;
  topo_to_world(30, 280, &wx, &wy);
  EXPECT_FLOAT_EQ(wx, 0.0f);
  EXPECT_FLOAT_EQ(wy, 0.0f);
  topo_to_world(285, 25, &wx, &wy);
  EXPECT_FLOAT_EQ(wx, 255 * 30.0f);
  EXPECT_FLOAT_EQ(wy, 255 * 30.0f);
  int32_t px, py;
  grid_to_topo(255, 255, &px, &py);
  EXPECT_EQ(px, 285);
  EXPECT_EQ(py, 25);
}

TEST_F(TopoViewTest, PixelsAndWorldConvertBothWaysAtEveryZoom) {
  struct Case {
    int32_t cx, cy, zoom;
  };
  // Views whose origin is a whole number of map pixels: pixel to world takes the integer quotient
  // origin * 16 / zoom, world to pixel the exact one, so other origins may differ by a pixel.
  for (const Case v : {Case{128, 128, 16}, Case{128, 128, 1}, Case{40, 200, 4}, Case{128, 128, 64},
                       Case{0, 0, 256}, Case{255, 0, 256}}) {
    topo_set_view(v.cx, v.cy, v.zoom);
    for (int32_t px : {30, 31, 100, 284}) {
      for (int32_t py : {25, 150, 279, 280}) {
        float wx, wy;
        topo_to_world(px, py, &wx, &wy);
        int32_t bx, by;
        // Just inside the pixel: rows grow upwards, so its world y lies just below the converted value.
        world_to_topo(wx + 0.01f, wy - 0.01f, &bx, &by);
        EXPECT_EQ(bx, px) << "zoom " << v.zoom << " pixel " << px << "," << py;
        EXPECT_EQ(by, py) << "zoom " << v.zoom << " pixel " << px << "," << py;
      }
    }
  }
}

TEST_F(TopoViewTest, GetSetAndResetView) {
  topo_set_view(10, 250, 4);
  int32_t cx, cy, z;
  topo_get_view(&cx, &cy, &z);
  EXPECT_EQ(cx, 10);
  EXPECT_EQ(cy, 250);
  EXPECT_EQ(z, 4);
  EXPECT_EQ(topo_origin_x, 10 * 257 / 256 - 32);
  EXPECT_EQ(topo_origin_y, 250 * 257 / 256 - 32);
  topo_reset_view();
  topo_get_view(&cx, &cy, &z);
  EXPECT_EQ(cx, 128);
  EXPECT_EQ(cy, 128);
  EXPECT_EQ(z, 16);
  ASSERT_EQ(set_landscape_size(1026, 1026), 1);
  topo_reset_view();
  EXPECT_EQ(topo_zoom, 64);
}

TEST_F(TopoViewTest, TinyLandscapeGetsZoomOneInsteadOfZero) {
  ASSERT_EQ(set_landscape_size(12, 12), 1);  // land_max_side 11: 11 / 16 would be 0
  topo_reset_view();
  EXPECT_EQ(topo_zoom, 1);
  topo_zoom = 0;  // even a zero zoom set from outside does not divide by zero
  float wx, wy;
  int32_t px, py;
  topo_to_world(100, 100, &wx, &wy);
  world_to_topo(wx, wy, &px, &py);
  grid_to_topo(5, 5, &px, &py);
  topo_derive_origin();
  topo_derive_center();
  EXPECT_TRUE(std::isfinite(wx));
}

TEST_F(TopoViewTest, WorldPointsToSamples) {
  int32_t col, row;
  EXPECT_TRUE(world_to_sample(29.9f, 30.0f, &col, &row));
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 1);
  EXPECT_TRUE(world_to_sample(256 * 30.0f, 256 * 30.0f, &col, &row));
  EXPECT_FALSE(world_to_sample(257 * 30.0f, 0.0f, &col, &row));
  EXPECT_FALSE(world_to_sample(0.0f, -31.0f, &col, &row));
  grid_spacing_x = 0.0f;  // a zero spacing reads as off the landscape instead of an undefined conversion
  EXPECT_FALSE(world_to_sample(10.0f, 0.0f, &col, &row));
}

}  // namespace
