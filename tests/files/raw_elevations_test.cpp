// Raw 16-bit elevation import: rows clipped to the grid, files checked before anything changes, the dialog
// and the script keyword.
#include "engine/files/raw_elevations.h"

#include <gtest/gtest.h>

#include "engine/animation/script_interpreter.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

// width by height little-endian samples after skip bytes of 0xEE; sample (x, y) is x * 7 - y * 3 + 100.
std::vector<uint8_t> raw_file(int32_t width, int32_t height, int32_t skip) {
  std::vector<uint8_t> b(static_cast<size_t>(skip), 0xEE);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const int16_t v = static_cast<int16_t>(x * 7 - y * 3 + 100);
      b.push_back(static_cast<uint8_t>(v & 0xFF));
      b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
  return b;
}
int16_t raw_sample(int32_t x, int32_t y) { return static_cast<int16_t>(x * 7 - y * 3 + 100); }

class RawImportTest : public LandscapeFileTest {};

}  // namespace

TEST_F(RawImportTest, WideRowsKeepTheFirstSamplesOfTheFirstRows) {
  ASSERT_EQ(set_landscape_size(258, 258), 1);
  const std::string path = file("wide.bin");
  imgtest::write_bytes(path, raw_file(300, 300, 6));
  ASSERT_EQ(load_binary_raw(path.c_str(), 300, 300, 6), 1);
  for (int32_t y : {0, 1, 128, 257})
    for (int32_t x : {0, 5, 257}) EXPECT_EQ(elevation_row(y)[x], raw_sample(x, y)) << x << "," << y;
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(RawImportTest, NarrowAndShortFilesLeaveTheRestOfTheGridAtZero) {
  fill_grids(3);  // 34 by 26 grid
  const std::string path = file("small.bin");
  imgtest::write_bytes(path, raw_file(10, 4, 0));
  ASSERT_EQ(load_binary_raw(path.c_str(), 10, 4, 0), 1);
  EXPECT_EQ(elevation_row(3)[9], raw_sample(9, 3));
  EXPECT_EQ(elevation_row(3)[10], 0);
  EXPECT_EQ(elevation_row(4)[0], 0);
  EXPECT_EQ(elevation_row(25)[33], 0);
}

TEST_F(RawImportTest, FilesThatCannotSupplyTheirRowsChangeNothing) {
  fill_grids(5);
  const Fingerprint before = fingerprint();
  const std::string path = file("data.bin");
  imgtest::write_bytes(path, raw_file(20, 10, 4));  // 4 + 400 bytes
  struct Case {
    const char* what;
    std::string path;
    int32_t width, height, skip;
  } cases[] = {
      {"missing file", file("none.bin"), 20, 10, 4},
      {"one byte short of the last row", path, 20, 10, 5},
      {"more rows than the file holds", path, 20, 11, 4},
      {"skip beyond the end", path, 20, 1, 100000},
      {"zero width", path, 0, 10, 4},
      {"negative height", path, 20, -1, 4},
      {"negative skip", path, 20, 10, -4},
      {"huge width", path, 0x7FFFFFFF, 10, 4},
      {"folder instead of a file", dir_.path(), 20, 10, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load_binary_raw(c.path.c_str(), c.width, c.height, c.skip), 0) << c.what;
    EXPECT_TRUE(fingerprint() == before) << c.what;
  }
  EXPECT_TRUE(host_->messages.empty());  // the callers report
}

TEST_F(RawImportTest, DialogOffersTheGridSizeAndRemembersTheAnswers) {
  const std::string path = file("d.bin");
  imgtest::write_bytes(path, raw_file(12, 8, 2));
  host_->file_choices = {path};
  host_->value_answers = {{1, 12}, {1, 8}, {1, 2}};
  EXPECT_EQ(load_binary_dialog(), 1);
  ASSERT_GE(host_->messages.size(), 3u);
  EXPECT_EQ(host_->messages[0].text, "Data width:");
  EXPECT_EQ(host_->messages[1].text, "Data height:");
  EXPECT_EQ(host_->messages[2].text, "Header bytes to skip:");
  EXPECT_EQ(elevation_row(7)[11], raw_sample(11, 7));
  EXPECT_EQ(std::make_tuple(binary_width, binary_height, binary_skip), std::make_tuple(12, 8, 2));
  EXPECT_EQ(load_binary_dialog(), -1);  // no file chosen
}

TEST_F(RawImportTest, DialogStartsFromTheGridSize) {
  host_->file_choices = {};
  EXPECT_EQ(load_binary_dialog(), -1);
  EXPECT_EQ(std::make_pair(binary_width, binary_height), std::make_pair(grid_width, grid_height));
}

TEST_F(RawImportTest, ScriptKeywordLoadsAndResetsTheView) {
  const std::string path = file("s.bin");
  imgtest::write_bytes(path, raw_file(34, 26, 0));
  terrain_settings.sea_level = 40;
  landscape_view.vertical_scale = 2.0f;
  std::string line = "LoadBinaryDEM " + path + " 34 26";
  EXPECT_EQ(execute_script_line(line.data()), 1);
  EXPECT_EQ(elevation_row(25)[33], raw_sample(33, 25));
  EXPECT_EQ(terrain_settings.sea_level, 0);
  EXPECT_EQ(landscape_view.vertical_scale, 1.0f);
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(RawImportTest, ScriptKeywordReportsAFileTooShortAndKeepsTheLandscape) {
  fill_grids(8);
  const Fingerprint before = fingerprint();
  const std::string path = file("short.bin");
  imgtest::write_bytes(path, raw_file(34, 3, 0));
  std::string line = "LoadBinaryDEM " + path + " 34 26";
  EXPECT_EQ(execute_script_line(line.data()), 1);  // the script goes on
  EXPECT_TRUE(fingerprint() == before);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_NE(host_->messages[0].text.find("Error reading file:"), std::string::npos);
}
