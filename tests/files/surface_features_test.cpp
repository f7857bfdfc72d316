// Surface-feature import: columns, blanks, single points, thick and thin lines, rounding, bad lines, far coordinates.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/maths.h"
#include "engine/files/surface_features.h"
#include "tests/landscape/edit_fixture.h"

namespace fs = std::filesystem;

namespace {

class SurfaceFeaturesTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    reset_surface_feature_settings();
    std::string pattern = (fs::temp_directory_path() / "dalvenor_features_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
    EditFixture::TearDown();
  }
  std::string write(const std::string& text) {
    const std::string path = (fs::path(dir_) / "features.txt").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static int32_t count(uint8_t code) {
    int32_t n = 0;
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) n += K(y, x) == code;
    return n;
  }
  fs::path dir_;
};

TEST_F(SurfaceFeaturesTest, TabSeparatedLinesWithTheDefaultColumnsDrawOnePolyline) {
  // Name (with a blank), identifier, X and Y in metres: samples (10, 10), (20, 10), (20, 30).
  const auto path = write("river one\t7\t300\t300\nriver one\t7\t600\t300\nriver one\t7\t600.9\t900\n");
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  for (int32_t x = 10; x <= 20; ++x) EXPECT_EQ(K(10, x), 51) << x;
  for (int32_t y = 10; y <= 30; ++y) EXPECT_EQ(K(y, 20), 51) << y;
  EXPECT_EQ(count(51), 11 + 20);
}

TEST_F(SurfaceFeaturesTest, ABlankAfterACommaMakesTheValueZero) {
  const auto path = write("a, 7, 300, 600\nb, 7, 900, 900\n");
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 88, 1), 1);
  // Both points read as (0, 0): a line of one cell at the corner.
  EXPECT_EQ(K(0, 0), 88);
  EXPECT_EQ(count(88), 1);
}

TEST_F(SurfaceFeaturesTest, OnePointDrawsNothing) {
  const auto path = write("x\ty\t300\t300\n");
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 3), 1);
  EXPECT_EQ(count(51), 0);
}

TEST_F(SurfaceFeaturesTest, AColumnBeyondTheTenthFindsNoFieldAndDrawsNothing) {
  const auto path = write("0,1,2,3,4,5,6,7,8,9,300,300,300\n0,1,2,3,4,5,6,7,8,9,600,600,600\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(import_vector_file(path.c_str(), 12, 3, 51, 1), 1);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(count(51), 0);
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_NE(host_->messages.back().text.find("line 1 "), std::string::npos);
}

TEST_F(SurfaceFeaturesTest, ThickRoadsAreThreeCellsWideEitherWay) {
  const auto ns = write("a\tb\t600\t300\na\tb\t750\t1200\n");  // (20, 10) to (25, 40): mostly north-south
  EXPECT_EQ(import_vector_file(ns.c_str(), 2, 3, 88, 3), 1);
  for (int32_t y = 11; y < 40; ++y) {
    int32_t w = 0;
    for (int32_t x = 0; x < land_width; ++x) w += K(y, x) == 88;
    EXPECT_EQ(w, 3) << y;
  }
  clear_colors();
  const auto ew = write("a\tb\t300\t600\na\tb\t1200\t750\n");  // (10, 20) to (40, 25): mostly east-west
  EXPECT_EQ(import_vector_file(ew.c_str(), 2, 3, 88, 3), 1);
  for (int32_t x = 11; x < 40; ++x) {
    int32_t h = 0;
    for (int32_t y = 0; y < land_height; ++y) h += K(y, x) == 88;
    EXPECT_EQ(h, 3) << x;
  }
}

TEST_F(SurfaceFeaturesTest, ThinDiagonalsAreFourConnected) {
  const auto path = write("a\tb\t300\t300\na\tb\t900\t600\n");  // (10, 10) to (30, 20)
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  for (int32_t y = 0; y < land_height; ++y)
    for (int32_t x = 0; x < land_width; ++x) {
      if (K(y, x) != 51 || (y == 20 && x == 30)) continue;
      EXPECT_TRUE(K(y, x + 1) == 51 || K(y + 1, x) == 51) << y << "," << x;  // the next cell touches by a side
    }
}

TEST_F(SurfaceFeaturesTest, HalfASpacingPastASampleRoundsToTheNext) {
  landscape_view.origin_x = 1000;
  landscape_view.origin_y = 2000;
  const auto path = write("a\tb\t1315\t2314\na\tb\t1315\t2314\n");  // 315 m east: 10.5 samples, 314 m north: 10.47
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  EXPECT_EQ(K(10, 11), 51);
  EXPECT_EQ(count(51), 1);
}

TEST_F(SurfaceFeaturesTest, AShortLineEndsTheImportAndNamesItsLine) {
  const auto path = write("a\tb\t300\t300\na\tb\t600\t300\nbroken line\n\ta\tb\t900\t900\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("too few columns in line, found 1, needed at least 4"), std::string::npos);
  EXPECT_NE(out.find("line: \"broken_line\n\""), std::string::npos);
  EXPECT_EQ(K(10, 15), 51);  // the points before it stay drawn
  EXPECT_EQ(K(20, 25), 0);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_NE(host_->messages[0].text.find("line 3 "), std::string::npos);
}

TEST_F(SurfaceFeaturesTest, HugeNumbersStopAtTheirLine) {
  const auto path = write("a\tb\t300\t300\na\tb\t600\t300\na\tb\t99999999999999999999\t300\na\tb\t900\t900\n");
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  EXPECT_EQ(K(10, 15), 51);
  EXPECT_EQ(K(20, 25), 0);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_NE(host_->messages[0].text.find("line 3 "), std::string::npos);
}

TEST_F(SurfaceFeaturesTest, FarCoordinatesStayInsideTheGridAndFinishQuickly) {
  const auto path = write("a\tb\t-2000000000\t-2000000000\na\tb\t2000000000\t2000000000\na\tb\t2147483647\t-2147483648\n");
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 88, 3), 1);
  // The first segment crosses the landscape along its diagonal.
  EXPECT_EQ(K(30, 30), 88);
  EXPECT_EQ(K(land_height, land_width), 0);  // the last column and row are never written
}

TEST_F(SurfaceFeaturesTest, LongLinesAreReadInPieces) {
  std::string long_line(1500, 'x');
  const auto path = write("a\tb\t300\t300\n" + long_line + "\ta\tb\t600\t600\na\tb\t900\t300\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(import_vector_file(path.c_str(), 2, 3, 51, 1), 1);
  testing::internal::GetCapturedStdout();
  // The first 1023 characters form a piece with one field: too short, reported as line 2.
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_NE(host_->messages[0].text.find("line 2 "), std::string::npos);
}

TEST_F(SurfaceFeaturesTest, CellsFollowTheIntegerLineStepper) {
  const int32_t lines[][4] = {{3, 5, 40, 17}, {40, 17, 3, 5}, {5, 3, 17, 40}, {10, 50, 60, 2}, {7, 7, 7, 7}, {0, 60, 60, 0}};
  for (const auto& l : lines) {
    clear_colors();
    draw_feature_line(l[0], l[1], l[2], l[3], 51, 1);
    std::vector<std::pair<int32_t, int32_t>> expected;
    const bool along_x = std::abs(l[2] - l[0]) > std::abs(l[3] - l[1]);
    int32_t a0 = along_x ? l[0] : l[1], a1 = along_x ? l[2] : l[3], b0 = along_x ? l[1] : l[0], b1 = along_x ? l[3] : l[2];
    if (a0 > a1) {
      std::swap(a0, a1);
      std::swap(b0, b1);
    }
    LineStepper s{};
    line_stepper_init(&s, a0, a1, b0, b1);
    for (int32_t a = a0; a <= a1; ++a) {
      expected.push_back(along_x ? std::make_pair(a, s.value) : std::make_pair(s.value, a));
      if (a != a1) expected.push_back(along_x ? std::make_pair(a + 1, s.value) : std::make_pair(s.value, a + 1));
      line_stepper_advance(&s);
    }
    for (const auto& [x, y] : expected) EXPECT_EQ(K(y, x), 51) << x << "," << y;
    int32_t n = 0;
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) n += K(y, x) == 51;
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(n, static_cast<int32_t>(expected.size()));
  }
}

TEST_F(SurfaceFeaturesTest, TheCommandAsksItsQuestionsAndCancelsCleanly) {
  const auto path = write("a\tb\t300\t300\na\tb\t600\t300\n");
  host_->file_choices = {path};
  host_->value_answers = {{1, 2}, {1, 3}};
  host_->yes_no_answers = {0, 1};  // Road, thick
  EXPECT_EQ(import_surface_features(), 3);
  EXPECT_EQ(K(10, 15), 88);
  EXPECT_EQ(K(11, 15), 88);
  EXPECT_EQ(surface_feature_settings.line_width, 3);
  ASSERT_GE(host_->messages.size(), 4u);
  EXPECT_EQ(host_->messages[0].text, "X column number (0 - N)");
  EXPECT_EQ(host_->messages[2].text, "Import as water or road?");
  EXPECT_EQ(host_->messages[3].text, "Draw thick or thin line?");

  clear_colors();
  host_->file_choices = {path};
  host_->value_answers = {{0, 5}};  // Cancel at the X column
  EXPECT_EQ(import_surface_features(), -1);
  EXPECT_EQ(surface_feature_settings.x_column, 2);
  EXPECT_EQ(count(88), 0);
  host_->file_choices.clear();  // the file dialog dismissed
  EXPECT_EQ(import_surface_features(), -1);

  host_->messages.clear();
  EXPECT_EQ(import_vector_file((dir_ / "missing.txt").c_str(), 2, 3, 51, 1), -1);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_NE(host_->messages[0].text.find("Error opening file:"), std::string::npos);
}

}  // namespace
