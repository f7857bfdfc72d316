// Line of sight over the minimum grid, the minimum grid itself and the occlusion survey.
#include <algorithm>
#include <utility>
#include <vector>

#include "engine/core/random.h"
#include "engine/render/min_grid.h"
#include "engine/render/sight_blocks.h"
#include "engine/render/visibility.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

class VisibilityTest : public TerrainRenderTest {
 protected:
  // A level landscape at 10 m with a wall of 500 m across rows 48 to 52, the camera low at row 20 looking north.
  void wall_scene() {
    ASSERT_EQ(set_landscape_size(130, 130), 1);
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = (r >= 48 && r <= 52) ? 500 : 10;
    render_settings.grid_step = 1;
    render_settings.backface_culling = 1;
    camera_state.camera_x = 64 * 30.0f;
    camera_state.camera_y = 20 * 30.0f;
    camera_state.camera_z = 40.0f;
    build_min_elevation_grid();
  }
};

TEST_F(VisibilityTest, MinimumGridHoldsThreeByThreeMinimaAndNoDataBorders) {
  ASSERT_EQ(set_landscape_size(10, 8), 1);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = static_cast<int16_t>(100 + 10 * r + c);
  elevation_row(4)[4] = 3;
  render_settings.grid_step = 1;
  build_min_elevation_grid();
  EXPECT_EQ(min_elevation_row(2)[2], 100 + 10 * 1 + 1);
  EXPECT_EQ(min_elevation_row(5)[5], 3);
  EXPECT_EQ(min_elevation_row(3)[3], 3);
  EXPECT_EQ(min_elevation_row(5)[6], 100 + 40 + 5);
  for (int32_t r = 0; r < grid_height; ++r) {
    EXPECT_EQ(min_elevation_row(r)[0], -32768);
    for (int32_t c = land_width; c < grid_width; ++c) EXPECT_EQ(min_elevation_row(r)[c], -32768);
  }
  for (int32_t c = 0; c < grid_width; ++c) {
    EXPECT_EQ(min_elevation_row(0)[c], -32768);
    EXPECT_EQ(min_elevation_row(grid_height - 1)[c], -32768);
  }
  // At a coarser step the grid keeps what it held.
  elevation_row(4)[4] = 900;
  render_settings.grid_step = 2;
  build_min_elevation_grid();
  EXPECT_EQ(min_elevation_row(5)[5], 3);
}

TEST_F(VisibilityTest, MinimumGridOverwritesScratchContentsEverywhere) {
  // Between frames other commands use the grid as scratch space: every sample must come out as the plain
  // definition says, whatever it held. Landscapes of several shapes, down to the smallest.
  for (const auto& size : {std::pair{10, 8}, std::pair{37, 61}, std::pair{3, 3}, std::pair{4, 300}}) {
    ASSERT_EQ(set_landscape_size(size.first, size.second), 1);
    random_seed(size.first);
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) {
        elevation_row(r)[c] = static_cast<int16_t>((random8() & 255) * 4 - 300);
        min_elevation_row(r)[c] = 31000;
      }
    render_settings.grid_step = 1;
    build_min_elevation_grid();
    int32_t highest = -32768;
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) {
        int32_t expected = -32768;
        if (r >= 1 && c >= 1 && r <= std::min(land_height, grid_height - 2) &&
            c <= std::min(land_width - 1, grid_width - 2)) {
          expected = 32767;
          for (int32_t dr = -1; dr <= 1; ++dr)
            for (int32_t dc = -1; dc <= 1; ++dc) expected = std::min<int32_t>(expected, elevation_row(r + dr)[c + dc]);
        }
        ASSERT_EQ(min_elevation_row(r)[c], expected) << size.first << " " << r << " " << c;
        highest = std::max(highest, expected);
      }
    EXPECT_EQ(min_elevation_highest, highest) << size.first;
  }
}

TEST_F(VisibilityTest, WallHidesWhatLiesBehindIt) {
  wall_scene();
  EXPECT_EQ(terrain_hides_point(64, 80, 10), 1);   // behind the wall
  EXPECT_EQ(terrain_hides_point(64, 40, 10), 0);   // in front of it
  EXPECT_EQ(terrain_hides_point(64, 80, 2000), 0); // high above it
  EXPECT_EQ(terrain_hides_point(64, 20, 0), 0);    // directly below the camera
  EXPECT_EQ(terrain_hides_point(64, 0, 10), 0);    // behind the camera, nothing in between
  EXPECT_EQ(terrain_hides_point(100, 80, 10), 1);  // sideways, walked along the rows
  EXPECT_EQ(terrain_hides_point(127, 52, 10), 1);  // mostly sideways, walked along the columns
  // Switched off, off the landscape, camera outside, no minimum grid, coarse step: never hidden.
  render_settings.backface_culling = 0;
  EXPECT_EQ(terrain_hides_point(64, 80, 10), 0);
  render_settings.backface_culling = 1;
  EXPECT_EQ(terrain_hides_point(-1, 80, 10), 0);
  EXPECT_EQ(terrain_hides_point(64, land_height, 10), 0);
  render_settings.grid_step = 2;
  EXPECT_EQ(terrain_hides_point(64, 80, 10), 0);
  render_settings.grid_step = 1;
  camera_state.camera_x = -30.0f;
  EXPECT_EQ(terrain_hides_point(64, 80, 10), 0);
}

TEST_F(VisibilityTest, SurveySwitchesCullingOnWhenMuchIsHidden) {
  wall_scene();
  image(64, 64);
  camera_state.camera_heading = 0.0f;
  camera_state.camera_pitch = -5.0f;
  set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
  visibility_statistics();
  EXPECT_EQ(los_culling, 1);
  render_settings.backface_culling = 0;
  visibility_statistics();
  EXPECT_EQ(los_culling, 0);
  render_settings.backface_culling = 1;
  render_settings.grid_step = 2;
  visibility_statistics();
  EXPECT_EQ(los_culling, 0);
  // Seen from high above, nothing is hidden.
  render_settings.grid_step = 1;
  camera_state.camera_z = 20000.0f;
  camera_state.camera_pitch = -60.0f;
  set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
  visibility_statistics();
  EXPECT_EQ(los_culling, 0);
}

TEST_F(VisibilityTest, CulledFrameMatchesTheUnculledOneWhereTheWallHides) {
  wall_scene();
  image(64, 48);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) cover_row(r)[c] = CoverCell{56, 0};
  prepare();
  render_settings.flare_enabled = 0;
  camera_state.camera_heading = 0.0f;
  camera_state.camera_pitch = -5.0f;
  render_settings.backface_culling = 0;
  polygon_count = 0;
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::vector<uint32_t> all = image_pixels();
  const int32_t all_polygons = polygon_count;
  render_settings.backface_culling = 1;
  clear_frame_buffers();
  polygon_count = 0;
  ASSERT_EQ(render_frame(0, 1), 1);
  EXPECT_LT(polygon_count, all_polygons);
  EXPECT_TRUE(all == image_pixels());
}

}  // namespace

namespace {

TEST_F(VisibilityTest, CeilingShortcutGivesTheFullWalksAnswer) {
  // Rough ground with ridges, cameras high and low, on and beyond the landscape's sides.
  ASSERT_EQ(set_landscape_size(130, 100), 1);
  random_seed(7);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      elevation_row(r)[c] = static_cast<int16_t>((random8() & 63) + ((c % 37 < 3 || r % 29 < 2) ? 400 : 0));
  render_settings.grid_step = 1;
  render_settings.backface_culling = 1;
  build_min_elevation_grid();
  const float cameras[][3] = {{64 * 30, 20 * 30, 300}, {5 * 30, 90 * 30, 1500}, {129 * 30, 0, 420},
                              {70 * 30, 50 * 30, 60}, {0, 99 * 30, 5000}};
  int32_t hidden = 0;
  for (const auto& cam : cameras) {
    camera_state.camera_x = cam[0], camera_state.camera_y = cam[1], camera_state.camera_z = cam[2];
    for (int32_t row = 0; row < land_height; row += 3)
      for (int32_t col = 0; col < land_width; col += 2) {
        const int32_t z = elevation_row(row)[col];
        sight_line_ceiling = 32767;
        const int32_t full = terrain_hides_point(col, row, z);
        sight_line_ceiling = min_elevation_highest;
        ASSERT_EQ(terrain_hides_point(col, row, z), full) << col << " " << row << " " << cam[2];
        hidden += full;
      }
  }
  sight_line_ceiling = 32767;
  EXPECT_GT(hidden, 100);
}

}  // namespace

namespace {

TEST_F(VisibilityTest, BlockMaximaGiveTheFullWalksAnswer) {
  // Rough ground with ridges and single spikes, on a landscape whose sides are no multiple of the block sizes;
  // cameras high and low, inside, on the edges and beyond the sides, with and without the ceiling.
  ASSERT_EQ(set_landscape_size(203, 141), 1);
  random_seed(11);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) {
      int32_t z = (random8() & 127) + ((c % 41 < 2 || r % 23 < 2) ? 350 : 0);
      if ((random8() & 255) == 0) z += 900;
      elevation_row(r)[c] = static_cast<int16_t>(z);
    }
  render_settings.grid_step = 1;
  render_settings.backface_culling = 1;
  build_min_elevation_grid();
  const float cameras[][3] = {{100 * 30, 70 * 30, 200}, {3 * 30, 130 * 30, 1200}, {202 * 30, 0, 500},
                              {60 * 30, 20 * 30, 90},   {0, 140 * 30, 4000},       {203 * 30, 141 * 30, 700},
                              {150 * 30, 8 * 30, 140}};
  int32_t hidden = 0, seen = 0;
  for (const auto& cam : cameras) {
    camera_state.camera_x = cam[0], camera_state.camera_y = cam[1], camera_state.camera_z = cam[2];
    for (const int32_t ceiling : {32767, static_cast<int32_t>(min_elevation_highest)}) {
      sight_line_ceiling = ceiling;
      // Every answer of the plain walk first, then the same points with the block maxima.
      std::vector<int32_t> full;
      sight_blocks_invalidate();
      for (int32_t row = 0; row < land_height; row += 2)
        for (int32_t col = 0; col < land_width; col += 3)
          full.push_back(terrain_hides_point(col, row, elevation_row(row)[col] + (col + row) % 3 * 40));
      build_sight_blocks();
      size_t i = 0;
      for (int32_t row = 0; row < land_height; row += 2)
        for (int32_t col = 0; col < land_width; col += 3, ++i) {
          const int32_t z = elevation_row(row)[col] + (col + row) % 3 * 40;
          ASSERT_EQ(terrain_hides_point(col, row, z), full[i]) << col << " " << row << " " << cam[2] << " " << ceiling;
          hidden += full[i];
          seen += 1 - full[i];
        }
    }
  }
  sight_blocks_invalidate();
  sight_line_ceiling = 32767;
  EXPECT_GT(hidden, 500);
  EXPECT_GT(seen, 500);
}

}  // namespace
