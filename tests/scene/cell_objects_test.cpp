// The objects of a cell: object codes, the render range, trees switched off, placement on the cell and the
// view test of a tree.
#include "engine/scene/cell_objects.h"

#include "engine/scene/houses.h"
#include "engine/scene/tree_draw.h"
#include "tests/scene/scene_fixture.h"

namespace {
class CellObjectTest : public SceneTest {
 protected:
  // Cell (row 40, col 128) lies 1200 m north of the camera, in the middle of its view.
  static constexpr int32_t kRow = 40, kCol = 128;
  int32_t draw_with(uint8_t object) {
    cover_row(kRow)[kCol].object = object;
    recorded().clear();
    draw_cell_objects(kRow, kCol);
    return static_cast<int32_t>(recorded().size());
  }
};
}  // namespace

TEST_F(CellObjectTest, ObjectCodes) {
  tree_settings.trees_enabled = 1;
  struct Case {
    uint8_t object;
    bool draws;
    int32_t slot;  // a colour slot the drawing uses
  };
  const Case cases[] = {
      {0, false, 0},   {33, false, 0},  {34, true, 34},  {35, true, 35},  {36, true, 36},  {37, true, 37},
      {38, false, 0},  {59, false, 0},  {60, true, 34},  {61, true, 35},  {62, true, 36},  {63, true, 37},
      {64, false, 0},  {71, false, 0},  {72, true, 68},  {73, true, 69},  {74, true, 70},  {75, true, 71},
      {76, false, 0},  {255, false, 0},
  };
  for (const Case& c : cases) {
    const int32_t n = draw_with(c.object);
    EXPECT_EQ(n > 0, c.draws) << int(c.object);
    if (c.draws) {
      bool slot_seen = false;
      for (const RecordedPolygon& p : recorded()) slot_seen |= p.record.vertices[0].slot == c.slot;
      EXPECT_TRUE(slot_seen) << int(c.object);
    }
  }
}

TEST_F(CellObjectTest, TreesSwitchedOffKeepHouses) {
  tree_settings.trees_enabled = 0;
  EXPECT_EQ(draw_with(35), 0);
  EXPECT_EQ(draw_with(61), 0);
  EXPECT_GT(draw_with(75), 0);
  EXPECT_GT(draw_with(72), 0);
}

TEST_F(CellObjectTest, RenderRange) {
  struct Case {
    int32_t range;
    float distance;
    bool draws;
  };
  const Case cases[] = {
      {0, 1.0e6f, true},  {1000, 999.0f, true},  {1000, 1000.0f, true},  {1000, 1001.0f, false},
      {-1000, 999.0f, false}, {-1000, 1000.0f, true}, {-1000, 5000.0f, true},
  };
  for (const Case& c : cases) {
    render_settings.render_range = c.range;
    point_distance = c.distance;
    EXPECT_EQ(draw_with(72) > 0, c.draws) << c.range << " " << c.distance;
  }
}

TEST_F(CellObjectTest, ObjectStandsOnTheCellCentreAtTheMeanCornerHeight) {
  elevation_row(kRow)[kCol] = 10;
  elevation_row(kRow)[kCol + 1] = 11;
  elevation_row(kRow + 1)[kCol] = 12;
  elevation_row(kRow + 1)[kCol + 1] = 14;  // mean 11.75, truncated to 11
  look_north(3840.0f, 0.0f, 100.0f);
  ASSERT_GT(draw_with(74), 0);
  // The office's -y wall (facing the camera) has its lower corners on the base.
  const int32_t cx = kCol * 30 + 15, cy = kRow * 30 + 15;
  const HouseShape s = house_shape(cx, cy, 70, 31);
  bool found = false;
  for (const RecordedPolygon& p : recorded()) {
    const PolygonVertex* v = p.record.vertices;
    if (v[0].y != v[1].y || v[0].y >= static_cast<float>(cy) || v[2].z <= v[0].z) continue;
    found = true;
    EXPECT_FLOAT_EQ(v[0].z, 11.0f);
    EXPECT_FLOAT_EQ(v[0].y, static_cast<float>(cy - s.hy));
    EXPECT_FLOAT_EQ(v[0].x, static_cast<float>(cx - s.hx));
  }
  EXPECT_TRUE(found);
}

TEST_F(CellObjectTest, NoDataCornerLeavesTheObjectOut) {
  tree_settings.trees_enabled = 1;
  elevation_row(kRow + 1)[kCol + 1] = -32768;
  EXPECT_EQ(draw_with(72), 0);
  EXPECT_EQ(draw_with(35), 0);
}

TEST_F(CellObjectTest, CellsBeyondTheGridDrawNothing) {
  cover_row(257)[10].object = 72;
  draw_cell_objects(257, 10);  // the cell's far corners would lie beyond the last sample
  render_settings.grid_step = 4;
  cover_row(256)[256].object = 72;
  draw_cell_objects(256, 256);
  EXPECT_TRUE(recorded().empty());
}

TEST_F(CellObjectTest, TreeViewTest) {
  // Camera at (3840, 0, 200) looking north; the view pyramid is |u| <= w, |v| <= w.
  struct Case {
    int32_t x, y, z, size;
    int32_t out;
  };
  const Case cases[] = {
      {3840, 1000, 200, 20, 0},   // straight ahead
      {3840, -1000, 200, 20, 1},  // behind the camera
      {3840, -10, 200, 20, 0},    // the box reaches past the eye
      {9000, 100, 200, 20, 1},    // far to the side
      {3840, 1000, -5000, 20, 1},  // far below the view
  };
  for (const Case& c : cases) EXPECT_EQ(tree_out_of_view(c.x, c.y, c.z, c.size), c.out) << c.x << " " << c.y;
}
