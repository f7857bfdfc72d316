// Terrain quads: the amplitude table, corner records (and those a walk keeps), shared midpoints (no cracks),
// water flattening, no-data samples and the bound on subdivision.
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "engine/core/float_convert.h"
#include "engine/core/random.h"
#include "engine/raster/haze.h"

#include "engine/render/quad_shading.h"
#include "engine/render/terrain_walk.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

bool same_vertex(const QuadVertex& a, const QuadVertex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class TerrainQuadTest : public TerrainRenderTest {
 protected:
  // The start-up scene with every terrain option that moves midpoints switched on.
  void rough_scene() {
    image(64, 48);
    startup_scene();
    render_settings.flare_enabled = 0;
    horizontal_deform = 1;
    terrain_settings.roughness_enabled = 1;
    for (int32_t k = 0; k < 256; ++k) class_attributes[k].roughness = 150;
  }
};

TEST_F(TerrainQuadTest, AmplitudeTableIsFilledFromItsEnds) {
  image(64, 48);
  startup_scene();
  TerrainQuad q;
  ASSERT_EQ(make_cell_quad(10, 10, &q), 1);
  const int32_t first[8] = {100, 93, 86, 79, 72, 65, 58, 50};
  for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(fractal_amplitudes[i], first[i]) << i;
  set_fractal_amplitude_last(0);
  const int32_t second[8] = {100, 86, 72, 58, 43, 29, 15, 0};
  for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(fractal_amplitudes[i], second[i]) << i;
  EXPECT_EQ(fractal_amplitude_first(), 100);
  EXPECT_EQ(fractal_amplitude_last(), 0);
  EXPECT_EQ(quad_height_range(5, -3, 9, 0), 12);
}

TEST_F(TerrainQuadTest, NeighbouringCellsComputeIdenticalSharedMidpoints) {
  rough_scene();
  for (int32_t step : {1, 4}) {
    render_settings.grid_step = step;
    TerrainQuad q57, q56, q47;
    ASSERT_EQ(make_cell_quad(5 * step, 7 * step, &q57), 1);
    ASSERT_EQ(make_cell_quad(5 * step, 6 * step, &q56), 1);
    ASSERT_EQ(make_cell_quad(4 * step, 7 * step, &q47), 1);
    EXPECT_EQ(q57.size, step * 30.0f);
    // The shared corners are the same records.
    EXPECT_TRUE(same_vertex(q57.corner[0], q56.corner[2]));
    EXPECT_TRUE(same_vertex(q57.corner[0], q47.corner[1]));
    // Top edge of (5, 7) against the bottom edge of (5, 6); left edge against the right edge of (4, 7).
    const QuadVertex top = quad_edge_midpoint(q57.corner[0], q57.corner[1], 0, q57.size);
    const QuadVertex bottom = quad_edge_midpoint(q56.corner[2], q56.corner[3], 0, q56.size);
    EXPECT_TRUE(same_vertex(top, bottom)) << step;
    const QuadVertex left = quad_edge_midpoint(q57.corner[0], q57.corner[2], 0, q57.size);
    const QuadVertex right = quad_edge_midpoint(q47.corner[1], q47.corner[3], 0, q47.size);
    EXPECT_TRUE(same_vertex(left, right)) << step;
    // One level deeper along the same edge.
    const QuadVertex deeper_a = quad_edge_midpoint(q57.corner[0], top, 1, q57.size / 2);
    const QuadVertex deeper_b = quad_edge_midpoint(q56.corner[2], bottom, 1, q56.size / 2);
    EXPECT_TRUE(same_vertex(deeper_a, deeper_b)) << step;
    // The midpoint really was displaced (the test would be empty otherwise).
    EXPECT_NE(top.z, (q57.corner[0].z + q57.corner[1].z) / 2);
  }
}

TEST_F(TerrainQuadTest, MidpointMarkersAndWaterFlattening) {
  QuadVertex a{}, b{};
  a.seed = 1234567;
  b.seed = 7654321;
  a.roughness_scale = b.roughness_scale = 1.0f;
  a.z = b.z = 100.0f;
  // A road corner next to a land corner: the edge midpoint's road marker is -30000 exactly.
  a.road_marker = -30100;
  b.road_marker = -29900;
  a.water_marker = b.water_marker = -29800;
  const QuadVertex land = quad_edge_midpoint(a, b, 0, 30.0f);
  EXPECT_EQ(land.road_marker, -30000);
  // The same edge between two water corners moves half as far.
  a.water_marker = b.water_marker = -30200;
  const QuadVertex water = quad_edge_midpoint(a, b, 0, 30.0f);
  EXPECT_NE(land.z, 100.0f);
  EXPECT_NEAR(water.z - 100.0f, (land.z - 100.0f) / 2, 1e-4);
  // Seeds average with wrap-around: two large seeds do not overflow.
  a.seed = b.seed = 2000000000;
  EXPECT_EQ(quad_edge_midpoint(a, b, 0, 30.0f).seed, static_cast<int32_t>(4000000000u) / 2);
}

TEST_F(TerrainQuadTest, NoDataSamplesDrawNothingAndLeaveNeighboursAlone) {
  rough_scene();
  TerrainQuad before;
  ASSERT_EQ(make_cell_quad(20, 20, &before), 1);
  // A hole two samples away, a no-data row along the far edge and a no-data guard column.
  elevation_row(20)[22] = -32768;
  for (int32_t c = 0; c < grid_width; ++c) elevation_row(land_height)[c] = -32768;
  for (int32_t r = 0; r < grid_height; ++r) elevation_row(r)[grid_width - 1] = -32768;
  TerrainQuad after, touching;
  ASSERT_EQ(make_cell_quad(20, 20, &after), 1);
  for (int32_t i = 0; i < 4; ++i) EXPECT_TRUE(same_vertex(before.corner[i], after.corner[i])) << i;
  EXPECT_EQ(make_cell_quad(21, 20, &touching), 0);
  EXPECT_EQ(make_cell_quad(22, 19, &touching), 0);
  polygon_count = 0;
  build_quad(21, 20);
  EXPECT_EQ(polygon_count, 0);
  // A whole frame over the holes, with the camera straight above one.
  camera_state.camera_x = 22 * 30.0f;
  camera_state.camera_y = 20 * 30.0f;
  camera_state.camera_z = 500.0f;
  camera_state.camera_pitch = -60.0f;
  EXPECT_EQ(render_frame(0, 1), 1);
}

TEST_F(TerrainQuadTest, TypedInDetailSettingsCannotSplitACellWithoutEnd) {
  image(64, 48);
  startup_scene();
  // Right above one cell, looking down at it.
  camera_state.camera_x = 40 * 30.0f + 15.0f;
  camera_state.camera_y = 40 * 30.0f + 15.0f;
  camera_state.camera_z = elevation_row(40)[40] + 3.0f;
  camera_state.camera_pitch = -90.0f;
  set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
  // The normal finest level, then settings typed in at the Shift prompts.
  set_detail_level(1, 4);
  polygon_count = 0;
  build_quad(40, 40);
  const int32_t finest = polygon_count;
  EXPECT_GT(finest, 2);
  max_polygon_size = -5;
  max_detail_depth = 1000000;
  polygon_count = 0;
  build_quad(40, 40);
  // At most two triangles per leaf of a tree of kMaxTerrainDetailDepth + 1 levels of splits.
  int64_t bound = 2;
  for (int32_t i = 0; i <= kMaxTerrainDetailDepth; ++i) bound *= 4;
  EXPECT_LE(polygon_count, bound);
  EXPECT_GE(polygon_count, finest);
}

TEST_F(TerrainQuadTest, CornerRecordsKeptDuringAWalkGiveTheFreshQuadsAndState) {
  rough_scene();
  // Cells along rows and along columns, each both ways, then a jump back; a no-data sample in the middle.
  elevation_row(12)[20] = -32768;
  std::vector<std::pair<int32_t, int32_t>> order;
  for (int32_t r = 8; r < 14; ++r)
    for (int32_t c = 4; c < 30; ++c) order.emplace_back(r % 2 ? 33 - c : c, r);
  for (int32_t c = 40; c < 44; ++c)
    for (int32_t r = 4; r < 30; ++r) order.emplace_back(c, c % 2 ? 33 - r : r);
  order.emplace_back(10, 10);
  order.emplace_back(11, 10);
  struct After {
    int32_t made;
    TerrainQuad quad;
    uint32_t random8, random32;
    float distance, haze;
  };
  auto build = [&]() {
    std::vector<After> out;
    for (const auto& [c, r] : order) {
      After a{};
      a.made = make_cell_quad(c, r, &a.quad);
      a.random8 = random8_state;
      a.random32 = random32_state;
      a.distance = point_distance;
      a.haze = haze_factor;
      out.push_back(a);
    }
    return out;
  };
  for (const float camera_x : {camera_state.camera_x, camera_state.camera_x + 700.0f}) {
    camera_state.camera_x = camera_x;
    const std::vector<After> fresh = build();
    corner_records_begin_walk();
    const std::vector<After> kept = build();
    corner_records_end_walk();
    ASSERT_EQ(fresh.size(), kept.size());
    int32_t made = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
      ASSERT_EQ(kept[i].made, fresh[i].made) << i;
      if (!fresh[i].made) continue;
      ++made;
      for (int32_t k = 0; k < 4; ++k) ASSERT_TRUE(same_vertex(kept[i].quad.corner[k], fresh[i].quad.corner[k])) << i << " " << k;
      EXPECT_EQ(std::memcmp(&kept[i].quad, &fresh[i].quad, sizeof(TerrainQuad)), 0) << i;
      EXPECT_EQ(kept[i].random8, fresh[i].random8) << i;
      EXPECT_EQ(kept[i].random32, fresh[i].random32) << i;
      EXPECT_EQ(std::memcmp(&kept[i].distance, &fresh[i].distance, sizeof(float)), 0) << i;
      EXPECT_EQ(std::memcmp(&kept[i].haze, &fresh[i].haze, sizeof(float)), 0) << i;
    }
    EXPECT_GT(made, 200);
  }
}

TEST(TerrainTextureLevel, CountingTheReachPointsGivesPowsLevel) {
  auto by_pow = [](double t) { return 7 - std::clamp(trunc_to_i32(5.0 * std::pow(t, 0.25)), 0, 7); };
  std::vector<double> ts = {0.0, -0.0, -1.0, 1e-300, 1e-12, 0.5, 1.0, 6.5536, 7.0, 1e6, 1e300, 1e308,
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min()};
  // Every reach point (k / 5)^4 and its neighbours a few units in the last place and a hair away.
  for (int32_t k = 1; k <= 8; ++k) {
    const double at = std::pow(k / 5.0, 4.0);
    for (const double base : {at, static_cast<double>(k * k * k * k) / 625, std::pow(k * 0.2, 4.0)}) {
      double up = base, down = base;
      for (int32_t i = 0; i < 6; ++i) {
        ts.push_back(up);
        ts.push_back(down);
        up = std::nextafter(up, 1e9);
        down = std::nextafter(down, -1e9);
      }
      for (const double hair : {1e-10, 1e-9, 1.1e-9, 1e-8, 1e-6}) {
        ts.push_back(base * (1 + hair));
        ts.push_back(base * (1 - hair));
      }
    }
  }
  random_seed(3);
  for (int32_t i = 0; i < 20000; ++i) {
    const double mantissa = ((random8() & 255) * 256 + (random8() & 255)) / 65536.0;
    ts.push_back(std::ldexp(mantissa, (random8() & 31) - 24));
  }
  for (const double t : ts) ASSERT_EQ(texture_level_for(t), by_pow(t)) << t;
}

}  // namespace

// A walk keeps the view of every corner it draws with the corner's record, for the neighbouring cells and leaves
// that share it. Frames from other cameras in between must leave nothing behind: the picture from one camera is the
// same before and after frames from another, with the corner views taken one cell at a time or shared.
TEST_F(TerrainQuadTest, KeptCornerViewsFollowTheCameraFromFrameToFrame) {
  image(160, 120);
  startup_scene();
  render_settings.flare_enabled = 0;
  render_settings.antialias_mode = 0;
  const float x = camera_state.camera_x, y = camera_state.camera_y;
  auto frame_at = [&](float dx, float dy) {
    camera_state.camera_x = x + dx;
    camera_state.camera_y = y + dy;
    clear_frame_buffers();
    EXPECT_EQ(render_frame(0, 1), 1);
    return image_pixels();
  };
  const std::vector<uint32_t> first = frame_at(0.0f, 0.0f);
  const std::vector<uint32_t> moved = frame_at(15.0f, -7.5f);
  EXPECT_NE(moved, first);
  EXPECT_EQ(frame_at(0.0f, 0.0f), first);
  EXPECT_EQ(frame_at(15.0f, -7.5f), moved);
}
