// The terrain walk: its choice by heading, its bounds (never outside the grid), its far-to-near order and the
// render range.
#include <utility>
#include <vector>

#include "engine/raster/haze.h"
#include "engine/render/terrain_walk.h"
#include "engine/render/visibility.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

struct Visit {
  int32_t col, row, drawn;
};
std::vector<Visit> visits;

class TerrainWalkTest : public TerrainRenderTest {
 protected:
  void SetUp() override {
    TerrainRenderTest::SetUp();
    visits.clear();
    walk_cell_observer = [](int32_t col, int32_t row, int32_t drawn) { visits.push_back({col, row, drawn}); };
  }
  void TearDown() override {
    walk_cell_observer = nullptr;
    TerrainRenderTest::TearDown();
  }
  int32_t index_of(int32_t col, int32_t row) {
    for (size_t i = 0; i < visits.size(); ++i)
      if (visits[i].col == col && visits[i].row == row) return static_cast<int32_t>(i);
    return -1;
  }
};

TEST_F(TerrainWalkTest, HeadingChoosesRowsOrColumns) {
  const std::pair<float, int32_t> cases[] = {{0, 0},    {45.9f, 0}, {46, 1},    {134.9f, 1}, {135, 0},
                                             {-90, 1},  {-180, 0},  {180, 0},   {210, 0},    {270, 1},
                                             {-46, 1},  {1e12f, 0}, {-1e12f, 0}};
  for (const auto& [heading, columns] : cases) EXPECT_EQ(walk_by_columns(heading), columns) << heading;
}

TEST_F(TerrainWalkTest, BoundsStayInsideTheGrid) {
  struct Case {
    int32_t points, step, enabled, bx0, by0, bx1, by1;
    bool columns;
    WalkBounds expected;
  } cases[] = {
      // The whole landscape.
      {258, 1, 0, 0, 0, 0, 0, false, {0, 0, 256, 256}},
      {258, 8, 0, 0, 0, 0, 0, true, {0, 0, 256, 256}},
      {35, 4, 0, 0, 0, 0, 0, false, {0, 0, 32, 32}},  // 33 cells: the last whole step ends at 32
      // A marked region from column 3 to 13 at step 4: rows round the far end up, columns down.
      {258, 4, 1, 3, 3, 13, 13, false, {0, 0, 16, 16}},
      {258, 4, 1, 3, 3, 13, 13, true, {0, 0, 12, 12}},
      // The start-up region (0 to 258) must not reach past sample 256.
      {258, 1, 1, 0, 0, 258, 258, false, {0, 0, 256, 256}},
      // Rounding up on a landscape whose size is no multiple of the step stays on the grid.
      {35, 4, 1, 0, 0, 33, 33, false, {0, 0, 32, 32}},
      // A region from an older, larger landscape or a hostile file.
      {35, 1, 1, -20, -5, 5000, 90000, false, {0, 0, 33, 33}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(set_landscape_size(c.points, c.points), 1);
    render_settings.grid_step = c.step;
    render_settings.bbox_enabled = c.enabled;
    render_settings.bbox_x0 = c.bx0, render_settings.bbox_y0 = c.by0, render_settings.bbox_x1 = c.bx1, render_settings.bbox_y1 = c.by1;
    const WalkBounds b = walk_bounds(c.columns);
    EXPECT_EQ(b.x0, c.expected.x0) << c.points << " " << c.step << " " << c.bx1;
    EXPECT_EQ(b.y0, c.expected.y0);
    EXPECT_EQ(b.x1, c.expected.x1) << c.points << " " << c.step << " " << c.bx1;
    EXPECT_EQ(b.y1, c.expected.y1);
    EXPECT_LE(b.x1, land_width);
  }
}

TEST_F(TerrainWalkTest, MarkedRegionAtTheGridEdgeRendersWithoutReadingOutside) {
  // Runs under the address checker: a walk past sample 257 would read beyond the rows.
  image(64, 48);
  startup_scene();
  render_settings.flare_enabled = 0;
  render_settings.bbox_enabled = 1;
  render_settings.bbox_x0 = render_settings.bbox_y0 = 0;
  render_settings.bbox_x1 = render_settings.bbox_y1 = 258;
  for (int32_t step : {1, 8}) {
    render_settings.grid_step = step;
    visits.clear();
    EXPECT_EQ(render_frame(0, 1), 1);
    for (const Visit& v : visits) {
      EXPECT_LE(v.col + step, land_width);
      EXPECT_LE(v.row + step, land_height);
    }
    EXPECT_EQ(visits.size(), static_cast<size_t>((256 / step) * (256 / step)));
  }
}

TEST_F(TerrainWalkTest, CameraCellIsDrawnLastAfterItsFarNeighbours) {
  image(64, 48);
  startup_scene();
  render_settings.flare_enabled = 0;
  for (float heading : {0.0f, 90.0f}) {
    camera_state.camera_x = 10 * 30.0f + 15.0f;
    camera_state.camera_y = 20 * 30.0f + 15.0f;
    camera_state.camera_z = 300.0f;
    camera_state.camera_heading = heading;
    camera_state.camera_pitch = -20.0f;
    visits.clear();
    ASSERT_EQ(render_frame(0, 1), 1);
    ASSERT_EQ(visits.size(), 256u * 256u);
    EXPECT_EQ(visits.back().col, 10) << heading;
    EXPECT_EQ(visits.back().row, 20) << heading;
    EXPECT_LT(index_of(11, 20), index_of(10, 20));
    EXPECT_LT(index_of(10, 21), index_of(10, 20));
    // Along the camera's row, cells further away come first from both ends.
    EXPECT_LT(index_of(0, 20), index_of(9, 20));
    EXPECT_LT(index_of(255, 20), index_of(11, 20));
  }
}

TEST_F(TerrainWalkTest, CameraOutsideTheLandscapeIsClampedToTheBounds) {
  image(64, 48);
  startup_scene();
  render_settings.flare_enabled = 0;
  camera_state.camera_x = -5000.0f;
  camera_state.camera_y = 1e9f;
  camera_state.camera_heading = 0.0f;
  ASSERT_EQ(render_frame(0, 1), 1);
  ASSERT_EQ(visits.size(), 256u * 256u);
  // Every row is walked ascending (the camera's row is clamped to the far end) and each line from its far end.
  EXPECT_EQ(visits.front().row, 0);
  EXPECT_EQ(visits.front().col, 255);
  EXPECT_EQ(visits.back().row, 255);
  EXPECT_EQ(visits.back().col, 0);
}

TEST_F(TerrainWalkTest, RenderRangeSkipsFarOrNearCells) {
  image(64, 48);
  startup_scene();
  render_settings.flare_enabled = 0;
  for (int32_t range : {0, 5000, -5000}) {
    render_settings.render_range = range;
    visits.clear();
    ASSERT_EQ(render_frame(0, 1), 1);
    size_t expected = 0;
    for (int32_t row = 0; row < 256; ++row)
      for (int32_t col = 0; col < 256; ++col) {
        const float d = camera_distance_haze(col * 30.0f, row * 30.0f, elevation_row(row)[col]);
        const int32_t di = static_cast<int32_t>(d);
        expected += !((range > 0 && di > range) || (range < 0 && di < -range));
      }
    EXPECT_EQ(visits.size(), expected) << range;
    if (range != 0) {
      EXPECT_LT(visits.size(), 256u * 256u);
    }
  }
}

TEST_F(TerrainWalkTest, CellBehindTheCameraIsNotDrawnButStillOffered) {
  image(64, 48);
  startup_scene();
  render_settings.flare_enabled = 0;
  ASSERT_EQ(render_frame(0, 1), 1);
  // The default view stands at the southern edge looking north: the first row's cells behind it are out of view.
  int32_t out_of_view = 0, in_view = 0;
  for (const Visit& v : visits) (v.drawn ? in_view : out_of_view)++;
  EXPECT_GT(out_of_view, 0);
  EXPECT_GT(in_view, 0);
  EXPECT_EQ(visits.size(), 256u * 256u);
}

TEST_F(TerrainWalkTest, FrustumTestOfACell) {
  render_settings.grid_step = 1;
  // Entries j and j + 1 of two lines; all four corners in front and inside, then all beyond one side.
  float a[8] = {0, 0, 10, 0, 1, 0, 10, 0};
  float b[8] = {0, 1, 10, 0, 1, 1, 10, 0};
  EXPECT_EQ(cell_in_view(a, b, 0), 1);
  float behind_a[8] = {0, 0, -1, 0, 1, 0, 0, 0};
  float behind_b[8] = {0, 1, -2, 0, 1, 1, -3, 0};
  EXPECT_EQ(cell_in_view(behind_a, behind_b, 0), 0);
  float right_a[8] = {11, 0, 10, 0, 12, 0, 10, 0};
  float right_b[8] = {10, 1, 10, 0, 30, 1, 10, 0};
  EXPECT_EQ(cell_in_view(right_a, right_b, 0), 0);
  // Horizontal deformation widens the test by s * (30 + 30) / 4 = 15 in z.
  horizontal_deform = 1;
  EXPECT_EQ(cell_in_view(right_a, right_b, 0), 1);
  EXPECT_EQ(cell_in_view(behind_a, behind_b, 0), 1);
}

}  // namespace
