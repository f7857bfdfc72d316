// Enlarge and shrink: sample counts and spacing, Duplicate and Interpolate, the clamped quarter, refusals.
#include <gtest/gtest.h>

#include "engine/landscape/resample.h"
#include "engine/panels/enlarge_command.h"
#include "tests/landscape/edit_fixture.h"

namespace {

class ResampleTest : public EditFixture {
 protected:
  static int16_t at(const std::vector<int16_t>& v, int32_t w, int32_t y, int32_t x) {
    return v[static_cast<size_t>(y) * w + x];
  }
  static int16_t mean4(int32_t a, int32_t b, int32_t c, int32_t d) { return static_cast<int16_t>((a + b + c + d + 2) >> 2); }
};

TEST_F(ResampleTest, EnlargeAll258To514WithDuplicate) {
  flat(258, 258);
  hills();
  K(3, 3) = 51;
  const auto old = elevations();
  ASSERT_EQ(enlarge_all(kFillDuplicate), 1);
  EXPECT_EQ(grid_width, 514);
  EXPECT_EQ(grid_height, 514);
  EXPECT_EQ(land_width, 512);
  EXPECT_EQ(grid_spacing_x, 15.0f);
  EXPECT_EQ(grid_spacing_y, 15.0f);
  for (int32_t k = 0; k <= 256; ++k)
    for (int32_t j = 0; j <= 256; j += 17) {
      const int16_t o = at(old, 258, k, j);
      ASSERT_EQ(E(2 * k, 2 * j), o);
      ASSERT_EQ(E(2 * k + 1, 2 * j), o);
      ASSERT_EQ(E(2 * k, 2 * j + 1), o);
      ASSERT_EQ(E(2 * k + 1, 2 * j + 1), o);
    }
  EXPECT_EQ(K(6, 6), 0);  // the cover grid starts empty
}

TEST_F(ResampleTest, EnlargeAllWithInterpolateKeepsOldSamplesAndFillsMeans) {
  hills();
  host_->tick_step = 100;  // every status text is drawn
  const int32_t w = grid_width;
  const auto old = elevations();
  ASSERT_EQ(enlarge_all(kFillInterpolate), 1);
  EXPECT_EQ(grid_width, 130);
  for (int32_t k = 0; k < 64; ++k)
    for (int32_t j = 0; j < 64; ++j) ASSERT_EQ(E(2 * k, 2 * j), at(old, w, k, j)) << k << "," << j;
  EXPECT_EQ(E(1, 1), mean4(at(old, w, 0, 0), at(old, w, 0, 1), at(old, w, 1, 0), at(old, w, 1, 1)));
  EXPECT_EQ(E(1, 2), mean4(E(0, 2), E(1, 1), E(1, 3), E(2, 2)));
  EXPECT_EQ(E(2, 1), mean4(E(1, 1), E(2, 0), E(2, 2), E(3, 1)));
  EXPECT_EQ(E(1, 0), static_cast<int16_t>((E(0, 0) + E(2, 0) + 1) >> 1));
  const int32_t G = grid_width, R = grid_height;
  EXPECT_EQ(E(0, G - 1), static_cast<int16_t>((E(0, G - 2) + E(1, G - 1) + 1) >> 1));
  EXPECT_EQ(E(R - 1, 0), static_cast<int16_t>((E(R - 2, 0) + E(R - 1, 1) + 1) >> 1));
  std::vector<std::string> passes;
  for (const auto& s : host_->status_texts)
    if (s.find("Fill") != std::string::npos) passes.push_back(s);
  EXPECT_EQ(passes.size(), 4u);
}

TEST_F(ResampleTest, EnlargingPastTheLargestSideIsRefusedWithAMessage) {
  flat(4099, 10);  // 8197 samples wide after enlarging
  hills();
  const auto before = elevations();
  EXPECT_FALSE(enlarge_all_fits());
  EXPECT_EQ(enlarge_all(kFillDuplicate), 0);
  EXPECT_EQ(enlarge_section_command(kCommandEnlargeAll), 0);
  EXPECT_EQ(grid_width, 4099);
  EXPECT_EQ(elevations(), before);
  EXPECT_EQ(grid_spacing_x, 30.0f);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Unable to enlarge: a side would exceed 8194 samples.");
  flat(4098, 10);
  EXPECT_TRUE(enlarge_all_fits());  // exactly 8194
}

TEST_F(ResampleTest, AFailedAllocationKeepsTheLandscape) {
  hills();
  K(4, 4) = 88;
  const auto before = elevations();
  const auto cover_before = cover();
  for (long fail_after : {0L, 1L, 2L, 3L, 4L}) {
    host_->fail_after = fail_after;
    EXPECT_EQ(enlarge_all(kFillInterpolate), 0) << fail_after;
    host_->fail_after = -1;
    EXPECT_EQ(grid_width, 66);
    EXPECT_EQ(elevations(), before);
    EXPECT_EQ(cover(), cover_before);
    EXPECT_EQ(grid_spacing_x, 30.0f);
  }
  host_->fail_after = 0;
  host_->yes_no_answers = {1};
  EXPECT_EQ(enlarge_section_command(kCommandEnlargeAll), 0);
  host_->fail_after = -1;
  EXPECT_EQ(host_->messages.back().text, "Unable to enlarge: out of memory");
}

TEST_F(ResampleTest, EnlargeSectionClampsTheCornerAndKeepsTheViewOverTheGround) {
  hills();
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) cover_row(y)[x] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
  const auto old = elevations();
  camera_state.camera_x = 1500.0f;  // sample 50 of the old grid
  camera_state.camera_y = 1200.0f;  // sample 40
  camera_state.target_x = 1650.0f;
  camera_state.target_y = 1230.0f;
  landscape_view.origin_x = 100;
  ASSERT_EQ(enlarge_region(50, 45, kFillDuplicate), 1);  // clamped to 31, 31
  EXPECT_EQ(grid_width, 66);
  EXPECT_EQ(grid_spacing_x, 15.0f);
  EXPECT_EQ(landscape_view.origin_x, 100 + 31 * 30);
  EXPECT_EQ(landscape_view.origin_y, 31 * 30);
  EXPECT_EQ(camera_state.camera_x, 1500.0f - 31 * 30.0f);
  EXPECT_EQ(camera_state.target_y, 1230.0f - 31 * 30.0f);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      ASSERT_EQ(E(y, x), at(old, 66, 31 + y / 2, 31 + x / 2)) << y << "," << x;
      ASSERT_EQ(cover_row(y)[x].color_class, 31 + x / 2);
      ASSERT_EQ(cover_row(y)[x].object, 31 + y / 2);
    }
  // The ground under the camera is the ground it stood over.
  const int32_t cx = static_cast<int32_t>(camera_state.camera_x / grid_spacing_x), cy = static_cast<int32_t>(camera_state.camera_y / grid_spacing_y);
  EXPECT_EQ(E(cy, cx), at(old, 66, 40, 50));
}

TEST_F(ResampleTest, EnlargeSectionCancelledOnTheRightButtonChangesNothing) {
  hills();
  const auto before = elevations();
  host_->buttons = kHostButtonRight;
  EXPECT_EQ(enlarge_section_command(kCommandEnlargeSection), -1);
  EXPECT_EQ(elevations(), before);
  EXPECT_EQ(grid_spacing_x, 30.0f);
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(ResampleTest, ShrinkByRegionMode1And2) {
  flat(258, 258);
  hills();
  const auto old = elevations();
  auto mean = [&](int32_t y, int32_t x) {
    auto e = [&](int32_t r, int32_t c) {
      // The last real row and column are replaced by the ones before them before averaging.
      r = std::min(r, 255);
      c = std::min(c, 255);
      return int32_t{at(old, 258, r, c)};
    };
    return static_cast<int16_t>((e(y, x) + e(y, x + 1) + e(y + 1, x) + e(y + 1, x + 1)) / 4);
  };
  region_mode = 1;
  ASSERT_EQ(shrink_landscape(), 1);
  EXPECT_EQ(land_width, 128);
  EXPECT_EQ(land_height, 128);
  EXPECT_EQ(grid_spacing_x, 60.0f);
  for (int32_t y = 0; y < 127; ++y)
    for (int32_t x = 0; x < 127; ++x) ASSERT_EQ(E(y, x), mean(2 * y, 2 * x)) << y << "," << x;

  flat(258, 258);
  hills();
  region_mode = 2;
  ASSERT_EQ(shrink_landscape(), 1);
  EXPECT_EQ(land_width, 256);
  EXPECT_EQ(grid_spacing_y, 60.0f);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      if (y <= 128 && x <= 128) {
        if (y < 128 && x < 128) {
          ASSERT_EQ(E(y, x), mean(2 * y, 2 * x)) << y << "," << x;
        }
      } else {
        ASSERT_EQ(E(y, x), 0) << y << "," << x;
      }
    }
}

TEST_F(ResampleTest, ShrinkingBelow64CellsDoesNothing) {
  flat(65, 100);  // 63 cells wide
  hills();
  const auto before = elevations();
  EXPECT_EQ(shrink_landscape(), 0);
  EXPECT_EQ(shrink_command(), 0);
  EXPECT_EQ(elevations(), before);
  EXPECT_EQ(grid_spacing_x, 30.0f);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Unable to shrink: the landscape must be at least 64 cells wide and high.");
}

TEST_F(ResampleTest, ShrinkWithoutMemoryKeepsTheLandscape) {
  flat(258, 258);
  hills();
  region_mode = 1;
  const auto before = elevations();
  for (long fail_after : {0L, 2L, 3L}) {
    host_->fail_after = fail_after;
    EXPECT_EQ(shrink_landscape(), 0) << fail_after;
    host_->fail_after = -1;
    EXPECT_EQ(grid_width, 258);
    EXPECT_EQ(elevations(), before);
  }
}

}  // namespace
