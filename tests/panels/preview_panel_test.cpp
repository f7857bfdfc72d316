// The preview: fitting to the image aspect, the focal-length buttons, pointing the camera, and drawing on any
// landscape and camera pose without touching what a render relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/color_classes.h"
#include "engine/landscape/fractal.h"
#include "engine/panels/preview_panel.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/view_transform.h"
#include "engine/ui/panel_hooks.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class Preview : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    saved_w_ = image_width, saved_h_ = image_height, saved_pw_ = proj_width, saved_ph_ = proj_height;
  }
  void TearDown() override {
    image_width = saved_w_, image_height = saved_h_, proj_width = saved_pw_, proj_height = saved_ph_;
    MapFixture::TearDown();
  }
  static void image(int32_t w, int32_t h) {
    image_width = w;
    image_height = h;
    proj_width = proj_height = std::max(w, h);
  }
  // Number of canvas pixels inside the band that differ from the background colour 1.
  static int32_t drawn_pixels() {
    const Canvas* c = preview_canvas();
    const PreviewGeometry& g = preview_geometry;
    int32_t n = 0;
    for (int32_t y = g.clip_y0 + 1; y < g.clip_y1; ++y)
      for (int32_t x = g.left + 1; x < g.right; ++x)
        if (c->pixels[static_cast<size_t>(y) * c->width + x] != 1) ++n;
    return n;
  }
  int32_t saved_w_ = 0, saved_h_ = 0, saved_pw_ = 0, saved_ph_ = 0;
};

TEST_F(Preview, FitsSquareAndBandToTheImageAspect) {
  struct Case {
    int32_t w, h, side, y0, y1;
  };
  const Case cases[] = {{640, 400, 256, 20, 180}, {800, 600, 229, 15, 185}, {400, 800, 86, 14, 186}};
  for (const Case& c : cases) {
    image(c.w, c.h);
    preview_fit();
    EXPECT_EQ(preview_geometry.side, c.side) << c.w;
    EXPECT_EQ(preview_geometry.clip_y0, c.y0) << c.w;
    EXPECT_EQ(preview_geometry.clip_y1, c.y1) << c.w;
    EXPECT_EQ(preview_geometry.left + preview_geometry.half, 170);
  }
}

TEST_F(Preview, ZoomButtonsStepTheFocalLengthByATenth) {
  struct Case {
    int32_t from;
    bool in;
    int32_t to;
  };
  const Case cases[] = {{5, false, 4}, {100, false, 90}, {32, true, 35}, {1, false, 1}, {16, true, 17}};
  for (const Case& c : cases) {
    lens_state.focal_length = c.from;
    engine_command(c.in ? 1325 : 1326, 0, 0, &preview_panel_record);
    EXPECT_EQ(lens_state.focal_length, c.to) << c.from;
    EXPECT_FLOAT_EQ(lens_state.lens_scale, c.to / 16.0f);
  }
}

TEST_F(Preview, ClickTurnsTheCameraAndOutsideTheBandDoesNothing) {
  image(800, 600);
  set_camera(1000, 1000, 500);
  set_target(4000, 4000, 100);
  const float heading = camera_state.camera_heading, pitch = camera_state.camera_pitch;
  preview_fit();
  const PreviewGeometry& g = preview_geometry;
  // Outside the band: nothing.
  engine_command(1, g.left + g.half, g.clip_y0 - 2, &preview_panel_record);
  EXPECT_FLOAT_EQ(camera_state.camera_heading, heading);
  // The band's centre keeps the direction.
  EXPECT_EQ(point_camera_at_preview(g.left + g.half, g.top + g.half + 1), 1);
  EXPECT_NEAR(camera_state.camera_heading, heading, 0.5);
  EXPECT_NEAR(camera_state.camera_pitch, pitch, 0.5);
  // Right of centre turns the camera to the right (heading decreases: 90 is west).
  engine_command(1, g.left + g.half + 60, g.top + g.half, &preview_panel_record);
  EXPECT_LT(camera_state.camera_heading, heading - 5);
}

TEST_F(Preview, DrawsAnyLandscapeAndPoseWithoutDisturbingARender) {
  image(800, 600);
  struct Case {
    int32_t samples;
    float cx, cy, cz, tx, ty, tz;
  };
  const Case cases[] = {
      {258, 3840, -2000, 800, 3840, 3840, 0},   // the start-up view from the south
      {10, 100, 100, 300, 100.01f, 100, 0},     // tiny landscape, looking straight down
      {66, -1e6f, -1e6f, 50, 0, 0, 0},          // far outside the landscape
      {34, 500, 500, 10, 500, 500, 10},         // camera on its target
  };
  for (const Case& c : cases) {
    ASSERT_EQ(set_landscape_size(c.samples, c.samples), 1);
    reset_grid_spacing();
    set_camera(c.cx, c.cy, c.cz);
    set_target(c.tx, c.ty, c.tz);
    random_seed(1234);
    random8();
    const uint32_t r8 = random8_state, r32 = random32_state;
    set_view_matrix(1, 2, 3);
    double matrix[9];
    std::memcpy(matrix, view_matrix, sizeof matrix);
    preview_refresh();
    preview_draw(0);
    EXPECT_EQ(random8_state, r8) << c.samples;
    EXPECT_EQ(random32_state, r32) << c.samples;
    EXPECT_EQ(std::memcmp(matrix, view_matrix, sizeof matrix), 0) << c.samples;
  }
}

TEST_F(Preview, StartUpViewShowsTerrainAndAFlatLandscapeFillsTheLowerBand) {
  image(800, 600);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      elevation_row(r)[c] = static_cast<int16_t>(500 + 400 * std::sin(r / 20.0) * std::cos(c / 25.0));
  scan_elevation_range();
  default_levels();
  default_view_high();
  main_panels_redraw();
  EXPECT_GT(drawn_pixels(), 5000);
  EXPECT_TRUE(write_canvas_png(*preview_canvas(), artifacts_folder() + "/preview_startup.png"));
  EXPECT_TRUE(write_canvas_png(*topo_canvas(), artifacts_folder() + "/map_startup.png"));
  // Flat ground seen level from inside: the lower half of the band is ground, the upper half is not.
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = 0;
  set_camera(3840, 100, 50);
  set_target(3840, 7000, 50);
  preview_refresh();
  EXPECT_TRUE(write_canvas_png(*preview_canvas(), artifacts_folder() + "/preview_flat.png"));
  const Canvas* canvas = preview_canvas();
  const PreviewGeometry& g = preview_geometry;
  const auto at = [&](int32_t x, int32_t y) { return canvas->pixels[static_cast<size_t>(y) * canvas->width + x]; };
  EXPECT_GE(at(g.left + 20, g.clip_y1 - 5), 32);  // a green of the lowest band
  EXPECT_LE(at(g.left + 20, g.clip_y1 - 5), 39);
  EXPECT_EQ(at(g.left + 20, g.clip_y0 + 5), 1);  // sky
}

// The map and the preview of the landscapes people meet first: the start-up landscape and a fractal island.
// Each shows its own relief on the map, and the preview of each draws terrain in most of its band.
TEST_F(Preview, StartUpLandscapeAndAFractalIslandShowOnMapAndPreview) {
  image(800, 600);
  struct Case {
    const char* name;
    void (*make)();
  };
  const Case cases[] = {
      {"startup", [] { make_default_landscape(); }},
      {"island",
       [] {
         ASSERT_EQ(set_landscape_size(258, 258), 1);
         terrain_settings.island_mode = 1;
         terrain_settings.fractal_seed = 4242;
         generate_fractal_landscape();
       }},
  };
  std::vector<uint8_t> first_map;
  for (const Case& c : cases) {
    c.make();
    scan_elevation_range();
    default_levels();
    default_view_high();
    color_landscape();
    derived_data.landscape_changed = 1;
    main_panels_redraw();
    const int32_t band = (preview_geometry.clip_y1 - preview_geometry.clip_y0 - 1) *
                         (preview_geometry.right - preview_geometry.left - 1);
    EXPECT_GT(drawn_pixels(), band / 2) << c.name;
    const Canvas* map = topo_canvas();
    const std::vector<uint8_t> pixels = map->pixels;
    if (first_map.empty())
      first_map = pixels;
    else
      EXPECT_NE(pixels, first_map) << c.name;
    EXPECT_TRUE(write_canvas_png(*topo_canvas(), artifacts_folder() + "/map_" + c.name + "_real.png"));
    EXPECT_TRUE(write_canvas_png(*preview_canvas(), artifacts_folder() + "/preview_" + c.name + "_real.png"));
  }
}

}  // namespace
