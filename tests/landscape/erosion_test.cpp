// Erosion: pits filled to one metre above their lowest neighbour, slopes left alone, the pass counter, stops, undo.
#include <gtest/gtest.h>

#include <string>

#include "engine/landscape/erosion.h"
#include "engine/landscape/map_plot.h"
#include "engine/landscape/reshape.h"
#include "engine/ui/panel_record.h"
#include "tests/landscape/edit_fixture.h"

namespace {

class ErosionTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    host_->tick_step = 1;  // every clock read moves on, so every abort poll reads a key
  }
  // The run stops at the poll after `polls` polls that found nothing.
  void stop_after(int polls) {
    for (int i = 0; i < polls; ++i) host_->keys.push_back(0);
    host_->keys.push_back(kKeyEsc);
  }
  bool status_shown(const std::string& text) {
    for (const auto& s : host_->status_texts)
      if (s.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(ErosionTest, APitOneMetreDeepIsRaisedAboveItsNeighboursAndTheNextDropMovesOn) {
  fill(10);
  E(20, 20) = 9;
  erosion_step_draw(20, 20);
  EXPECT_EQ(E(20, 20), 11);
  erosion_step_draw(20, 20);
  EXPECT_EQ(E(20, 20), 11);
  const int raised = (E(19, 20) == 11) + (E(21, 20) == 11) + (E(20, 19) == 11) + (E(20, 21) == 11);
  EXPECT_EQ(raised, 1);  // the second drop left the pit and settled on the flat beside it
}

TEST_F(ErosionTest, DropsOnSlopesTowardsTheBorderChangeNothing) {
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      int32_t d = std::min(std::min(y, x), std::min(land_height - y, land_width - x));
      E(y, x) = static_cast<int16_t>(100 + 10 * d);
    }
  const auto before = elevations();
  erode_landscape(20);
  EXPECT_EQ(erosion_state.passes_run, 20);
  EXPECT_EQ(elevations(), before);
}

TEST_F(ErosionTest, DropsInTheBorderStripDepositNothing) {
  fill(10);
  E(1, 20) = 5;
  E(20, land_width) = 5;
  erosion_step_draw(1, 20);
  erosion_step_draw(20, land_width + 1);
  EXPECT_EQ(E(1, 20), 5);
  EXPECT_EQ(E(20, land_width), 5);
}

TEST_F(ErosionTest, PassCounterStartsAtZeroAndTheRunEndsAtTheStop) {
  hills();
  stop_after(3);
  erode_landscape(0x7FFFFFFF);  // the panel's unlimited count: only the stop ends it
  EXPECT_EQ(erosion_state.passes_run, 3);
  EXPECT_TRUE(status_shown("Press Esc to finish (0)"));
}

TEST_F(ErosionTest, StoppingBeforeTheFirstPassLeavesTheLandscape) {
  hills();
  const auto before = elevations();
  stop_after(0);
  erode_landscape(100);
  EXPECT_EQ(erosion_state.passes_run, 0);
  EXPECT_EQ(elevations(), before);
}

TEST_F(ErosionTest, DepositsAreDottedOnTheMapAndTheMapViewComesBack) {
  topo_set_view(40, 200, 4);
  fill(10);
  E(32, 32) = 5;
  erode_landscape(0);
  int32_t cx = 0, cy = 0, zoom = 0;
  topo_get_view(&cx, &cy, &zoom);
  EXPECT_EQ(cx, 40);
  EXPECT_EQ(cy, 200);
  EXPECT_EQ(zoom, 4);
  topo_reset_view();
  const int32_t px = kTopoLeft + 256 * 32 / land_max_side, py = kTopoBottom - 256 * 32 / land_max_side;
  row_of<uint8_t>(topo_image, kTopoBottom - py)[px - kTopoLeft] = 7;
  erosion_step_draw(32, 32);
  EXPECT_EQ(map_pixel(px, py), 0);
}

TEST_F(ErosionTest, NoAtTheQuestionRestoresExactlyEvenAfterAStoppedRun) {
  hills();
  for (int32_t y = 10; y < 50; y += 9) E(y, y) = 0;  // pits to fill
  const auto before = elevations();
  stop_after(5);
  host_->yes_no_answers = {0};
  EXPECT_EQ(erode_command(0x7FFFFFFF), -1);
  EXPECT_EQ(erosion_state.passes_run, 5);
  EXPECT_EQ(host_->messages.back().text, "Accept erosion?");
  EXPECT_EQ(elevations(), before);
}

TEST_F(ErosionTest, YesKeepsTheErodedLandscape) {
  hills();
  for (int32_t y = 10; y < 50; y += 9) E(y, y) = 0;
  const auto before = elevations();
  host_->yes_no_answers = {1};
  EXPECT_EQ(erode_command(30), 1);
  EXPECT_NE(elevations(), before);
}

TEST_F(ErosionTest, WithoutUndoSpaceTheUserMayCancelOrGoOnWithoutTheQuestion) {
  hills();
  const auto before = elevations();
  RowTable saved = min_elevation_rows;
  min_elevation_rows = nullptr;
  host_->yes_no_answers = {0};
  EXPECT_EQ(erode_command(5), -1);
  EXPECT_EQ(elevations(), before);
  host_->yes_no_answers = {1};
  EXPECT_EQ(erode_command(5), 1);
  min_elevation_rows = saved;
  EXPECT_EQ(host_->messages.size(), 2u);
  EXPECT_EQ(host_->messages[0].text, "Not Enough memory for UNDO buffer.");
}

TEST_F(ErosionTest, NoDataSamplesAreNeitherFilledNorRunInto) {
  fill(10);
  E(20, 20) = kNoDataElevation;
  E(20, 21) = 9;  // a pit whose west neighbour has no data
  erosion_step_draw(20, 20);
  EXPECT_EQ(E(20, 20), kNoDataElevation);
  erosion_step_draw(20, 21);
  EXPECT_EQ(E(20, 21), 11);
  EXPECT_EQ(E(20, 20), kNoDataElevation);
  erode_landscape(50);
  EXPECT_EQ(E(20, 20), kNoDataElevation);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x)
      if (y != 20 || x != 20) {
        ASSERT_GE(E(y, x), 0) << y << "," << x;
      }
}

}  // namespace
