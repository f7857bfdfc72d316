// Map picks with scripted pointer input: the quarter corner, the bounding box, cancels, clamping, the rubber band.
#include <gtest/gtest.h>

#include <deque>

#include "engine/landscape/resample.h"
#include "engine/panels/enlarge_command.h"
#include "engine/panels/region_picks.h"
#include "tests/landscape/edit_fixture.h"

namespace {

// A headless host whose pointer follows a script: every position read takes the next state.
class PointerScriptHost : public HeadlessHost {
 public:
  struct State {
    int32_t x, y, buttons;
  };
  std::deque<State> script;
  int32_t reads = 0;
  int32_t zoom_at_first_read = -1;
  void pointer_position(int32_t* x, int32_t* y) override {
    if (reads++ == 0) zoom_at_first_read = topo_zoom;
    if (!script.empty()) {
      pointer_x = script.front().x;
      pointer_y = script.front().y;
      buttons = script.front().buttons;
      script.pop_front();
    }
    *x = pointer_x;
    *y = pointer_y;
  }
};

class RegionPicksTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    set_host(&pointer_);
    map_rubber_band = MapRubberBand{};
    render_settings.bbox_enabled = 0;
  }
  void TearDown() override {
    set_host(&*host_);
    EditFixture::TearDown();
  }
  void move(int32_t x, int32_t y, int32_t buttons = 0) { pointer_.script.push_back({x, y, buttons}); }
  void click(int32_t x, int32_t y) {
    move(x, y, 0);
    move(x, y, kHostButtonLeft);
  }
  PointerScriptHost pointer_;
};

TEST_F(RegionPicksTest, CornerPickShowsTheWholeLandscapeFirstAndReturnsTheClickedSample) {
  topo_set_view(30, 200, 2);
  move(100, 200);
  move(120, 180);
  click(94, 216);  // map pixel (64, 64) from the bottom left: a quarter of the 64-cell landscape
  int32_t column = -1, row = -1;
  EXPECT_EQ(pick_region_corner(&column, &row), 1);
  EXPECT_EQ(pointer_.zoom_at_first_read, land_max_side / 16);
  EXPECT_EQ(column, 16);
  EXPECT_EQ(row, 16);
  EXPECT_GE(map_rubber_band.draws, 3);
  EXPECT_EQ(map_rubber_band.visible, 0);
  EXPECT_EQ(map_rubber_band.removals, 1);
  EXPECT_FALSE(pointer_.status_texts.empty());  // the position on the status line
}

TEST_F(RegionPicksTest, CornerPickBandIsHalfTheMapUpAndRight) {
  move(100, 200);
  move(100, 200, kHostButtonRight);
  int32_t column = 0, row = 0;
  map_rubber_band.visible = 0;
  EXPECT_EQ(pick_region_corner(&column, &row), 3);  // cancelled; the corner is written all the same
  EXPECT_EQ(column, 70 / 4);
  EXPECT_EQ(row, 80 / 4);
  EXPECT_EQ(map_rubber_band.removals, 1);
}

TEST_F(RegionPicksTest, AHeldButtonCountsOnlyWhenPressedAnew) {
  pointer_.buttons = kHostButtonLeft;  // still down from the click that started the command
  move(50, 250, kHostButtonLeft);
  move(60, 240, 0);
  move(60, 240, kHostButtonLeft);
  int32_t column = 0, row = 0;
  EXPECT_EQ(pick_region_corner(&column, &row), 1);
  EXPECT_EQ(column, 30 / 4);
  EXPECT_EQ(row, 40 / 4);
}

TEST_F(RegionPicksTest, BoundingBoxDraggedEitherWayGivesTheSameCorners) {
  topo_reset_view();
  click(200, 100);
  move(150, 150);
  click(80, 230);
  int32_t a[4] = {};
  EXPECT_EQ(mark_bounding_box(&a[0], &a[1], &a[2], &a[3]), 1);
  click(80, 230);
  click(200, 100);
  int32_t b[4] = {};
  EXPECT_EQ(mark_bounding_box(&b[0], &b[1], &b[2], &b[3]), 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a[i], b[i]) << i;
  EXPECT_EQ(a[0], 50 / 4);
  EXPECT_EQ(a[1], 50 / 4);
  EXPECT_EQ(a[2], 170 / 4);
  EXPECT_EQ(a[3], 180 / 4);
  EXPECT_EQ(map_rubber_band.visible, 0);
  EXPECT_EQ(pointer_.status_texts.front().find("Mark bounding box:") != std::string::npos, true);
}

TEST_F(RegionPicksTest, BoundingBoxBeyondTheMapIsClampedToTheLandscape) {
  topo_reset_view();
  click(40, 270);
  click(600, -300);
  int32_t a[4] = {};
  EXPECT_EQ(mark_bounding_box(&a[0], &a[1], &a[2], &a[3]), 1);
  EXPECT_EQ(a[0], 10 / 4);
  EXPECT_EQ(a[1], 10 / 4);
  EXPECT_EQ(a[2], land_width);
  EXPECT_EQ(a[3], land_height);
}

TEST_F(RegionPicksTest, CancelsAndAFirstClickOffTheMapKeepThePreviousBox) {
  render_settings.bbox_x0 = 1, render_settings.bbox_y0 = 2, render_settings.bbox_x1 = 3, render_settings.bbox_y1 = 4, render_settings.bbox_enabled = 1;
  move(100, 100, kHostButtonRight);
  EXPECT_EQ(mark_landscape_region(), -1);
  click(10, 100);  // left of the map
  EXPECT_EQ(mark_landscape_region(), -1);
  click(100, 100);
  move(120, 120, kHostButtonRight);  // the second point cancelled
  EXPECT_EQ(mark_landscape_region(), -1);
  EXPECT_EQ(map_rubber_band.visible, 0);
  EXPECT_EQ(render_settings.bbox_enabled, 1);
  EXPECT_EQ(render_settings.bbox_x0, 1);
  EXPECT_EQ(render_settings.bbox_y1, 4);
  topo_reset_view();
  click(30, 280);
  click(286, 24);
  EXPECT_EQ(mark_landscape_region(), 1);
  EXPECT_EQ(render_settings.bbox_x0, 0);
  EXPECT_EQ(render_settings.bbox_y0, 0);
  EXPECT_EQ(render_settings.bbox_x1, land_width);
  EXPECT_EQ(render_settings.bbox_y1, land_height);
}

TEST_F(RegionPicksTest, EnlargeSectionFromAPickedCornerInTheEastHalf) {
  hills();
  const auto old = elevations();
  click(30 + 200, 280 - 8);  // column 50 (east half), row 2
  pointer_.yes_no_answers = {0};  // Duplicate
  EXPECT_EQ(enlarge_section_command(kCommandEnlargeSection), 1);
  EXPECT_EQ(pointer_.messages.back().text, "Choose fill type:");
  EXPECT_EQ(grid_spacing_x, 15.0f);
  EXPECT_EQ(E(0, 0), old[static_cast<size_t>(2) * 66 + 31]);  // clamped to column 31
  EXPECT_EQ(E(1, 1), old[static_cast<size_t>(2) * 66 + 31]);
}

}  // namespace
