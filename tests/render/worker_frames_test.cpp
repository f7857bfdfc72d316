// Frames drawn with several walk workers are the frames one worker draws: both frame buffers, pixel for pixel,
// over two frames in a row (so the state a frame leaves behind is checked too).
#include <vector>

#include "engine/host/worker_threads.h"
#include "engine/landscape/fractal.h"
#include "engine/raster/dither.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

struct Frames {
  std::vector<uint32_t> pixels24;
  std::vector<uint8_t> pixels8;
  std::vector<int32_t> polygons;  // polygon_count of each frame
};

struct Scene {
  const char* name;
  void (*setup)();
  int32_t polygons[2];  // polygon_count of the two frames
};

void startup_box_filter() {}
void fractal_mountains() {
  terrain_settings.island_mode = 0;
  terrain_settings.fractal_seed = 12345;
  generate_fractal_landscape();
  scan_elevation_range();
  default_view_high();
  default_levels();
  derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = land_width;
  color_landscape();
  color_cliffs();
  shade_landscape();
  render_settings.antialias_mode = 0;
}
void stereo_left_eye() {
  lens_state.stereo_camera = 2;
  render_settings.antialias_mode = 0;
}
void looking_back() {
  lens_state.view_facing = 6;
  camera_state.camera_pitch = 10.0f;
}
void weighted_filter() { render_settings.antialias_mode = 2; }
void random_dither() {
  render_settings.dither_amount = 100;
  render_settings.dither_type = 2;
}
void ordered_dither() {
  render_settings.dither_amount = 100;
  render_settings.dither_type = 1;
  render_settings.antialias_mode = 0;
}
void oaks_in_3d_over_waves() {
  for (int32_t r = 40; r < 54; r += 2)
    for (int32_t c = 60; c < 74; c += 2) cover_row(r)[c].object = static_cast<uint8_t>(35 + 26);
  tree_settings.trees_enabled = 1;
  tree_settings.trees_3d = 1;
  tree_settings.tree_detail = 1;
  tree_settings.tree_size[1] = 20;
  wave_settings.waves_enabled = 1;
  set_detail_level(1, 4);
  camera_state.camera_x = 67 * 30.0f;
  camera_state.camera_y = 36 * 30.0f;
  camera_state.camera_z = static_cast<float>(elevation_row(36)[67]) + 25.0f;
  camera_state.camera_heading = 0.0f;
  camera_state.camera_pitch = -6.0f;
  render_settings.dither_amount = 60;
}

// A dithered night: stars (single pixels) and the moon in the background, the start-up clouds above.
void dithered_night_with_clouds() {
  free_starmap();
  build_starmap();
  stars_on();
  moon_on();
  set_moon_size(40);
  const float unit[3] = {-0.6f, 0.6f, 0.53f};
  moon_position_dialog_accept(unit);
  clouds_enabled = 1;
  camera_state.camera_heading = 45.0f;
  camera_state.camera_pitch = 22.0f;
  render_settings.dither_amount = 100;
}
// Clouds below the camera, drawn after the walk, over a dithered frame.
void dithered_clouds_below() {
  clouds_enabled = 1;
  set_cloud_altitude(700);
  render_settings.dither_amount = 80;
}

}  // namespace

class WorkerFramesTest : public TerrainRenderTest {
 protected:
  void TearDown() override {
    set_render_worker_count(0);
    TerrainRenderTest::TearDown();
  }

  Frames render_with(const Scene& scene, int32_t workers) {
    set_render_worker_count(workers);
    reset_all();
    // The dither noise runs on from frame to frame: every run starts it afresh.
    dither_seed = 1;
    dither_tables_amount = 0;
    EXPECT_EQ(set_landscape_size(258, 258), 1);
    image(120, 90);
    startup_scene();
    scene.setup();
    Frames f;
    for (int32_t frame = 0; frame < 2; ++frame) {
      clear_frame_buffers();
      polygon_count = 0;
      EXPECT_EQ(render_frame(frame, 2), 1) << scene.name;
      f.polygons.push_back(polygon_count);
      for (int32_t y = 0; y < image_height; ++y) {
        const uint32_t* row24 = vidmem24_row(y);
        const uint8_t* row8 = vidmem8_row(y);
        f.pixels24.insert(f.pixels24.end(), row24, row24 + image_width);
        f.pixels8.insert(f.pixels8.end(), row8, row8 + image_width);
      }
      camera_state.camera_heading += 7.0f;  // the second frame looks a little to the side
    }
    return f;
  }
};

// The frames, and the polygons counted for the statistics, are those of one thread whatever the number of
// workers; the counts are pinned too, so that polygons the renderer passes over early are still counted.
TEST_F(WorkerFramesTest, EveryWorkerCountDrawsTheSameFrames) {
  const Scene scenes[] = {
      {"startup", startup_box_filter, {71825, 70242}},
      {"fractal", fractal_mountains, {55925, 54110}},
      {"stereo", stereo_left_eye, {71827, 70213}},
      {"looking_back", looking_back, {5524, 5739}},
      {"weighted", weighted_filter, {71825, 70242}},
      {"random_dither", random_dither, {71825, 70242}},
      {"ordered_dither", ordered_dither, {71825, 70242}},
      {"oaks_3d_waves", oaks_in_3d_over_waves, {83856, 83886}},
      {"night", dithered_night_with_clouds, {28057, 27335}},
      {"clouds_below", dithered_clouds_below, {90480, 89247}},
  };
  for (const Scene& s : scenes) {
    const Frames one = render_with(s, 1);
    EXPECT_EQ(one.polygons, (std::vector<int32_t>{s.polygons[0], s.polygons[1]})) << s.name;
    for (int32_t workers : {2, 6, 8}) {
      const Frames many = render_with(s, workers);
      EXPECT_EQ(many.polygons, one.polygons) << s.name << " with " << workers << " workers";
      EXPECT_TRUE(many.pixels24 == one.pixels24) << s.name << " with " << workers << " workers (24-bit)";
      EXPECT_TRUE(many.pixels8 == one.pixels8) << s.name << " with " << workers << " workers (8-bit)";
    }
  }
}

TEST(WorkerThreads, RowsAreSplitIntoContiguousRangesCoveringEveryRowOnce) {
  for (int32_t workers : {1, 3, 8}) {
    set_render_worker_count(workers);
    for (int32_t count : {0, 1, 7, 64, 1001}) {
      std::vector<int32_t> seen(static_cast<size_t>(count), 0);
      parallel_rows(count, [&](int32_t first, int32_t end) {
        for (int32_t r = first; r < end; ++r) ++seen[static_cast<size_t>(r)];
      });
      for (int32_t r = 0; r < count; ++r) EXPECT_EQ(seen[static_cast<size_t>(r)], 1) << count << " rows, row " << r;
    }
  }
  set_render_worker_count(0);
}
