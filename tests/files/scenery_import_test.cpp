// Scenery Animator import: row decoding, chunk checks, grid fitting, void filling, and damaged files that
// leave the landscape as it was.
#include "engine/files/scenery_import.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/core/landscape_names.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

using Bytes = std::vector<uint8_t>;

void put_be32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
void put_id(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

// Codes one row: the first sample in two bytes, then differences, with -128 and two bytes for big steps.
Bytes code_row(const std::vector<int16_t>& row) {
  Bytes b{static_cast<uint8_t>(row[0] >> 8), static_cast<uint8_t>(row[0])};
  for (size_t i = 1; i < row.size(); ++i) {
    const int32_t d = row[i] - row[i - 1];
    if (d > -128 && d < 128) {
      b.push_back(static_cast<uint8_t>(static_cast<int8_t>(d)));
    } else {
      b.push_back(0x80);
      b.push_back(static_cast<uint8_t>(row[i] >> 8));
      b.push_back(static_cast<uint8_t>(row[i]));
    }
  }
  return b;
}

int16_t sample(int32_t x, int32_t y) { return static_cast<int16_t>(x * 3 + y * 200 - 1000 + (x % 7 == 0 ? 900 : 0)); }

// A file of columns by rows samples, with its description; rows_in_header and columns_in_header may lie.
Bytes scenery_file(int32_t columns, int32_t rows, const char* description = "A test valley") {
  Bytes dem;
  for (int32_t y = 0; y < rows; ++y) {
    std::vector<int16_t> row;
    for (int32_t x = 0; x < columns; ++x) row.push_back(sample(x, y));
    const Bytes coded = code_row(row);
    dem.insert(dem.end(), coded.begin(), coded.end());
  }
  Bytes b;
  put_id(b, "SANM");
  put_be32(b, 0);
  put_id(b, "DEMH");
  Bytes header(34, 0);
  header[7] = static_cast<uint8_t>(rows), header[6] = static_cast<uint8_t>(rows >> 8);
  header[11] = static_cast<uint8_t>(columns), header[10] = static_cast<uint8_t>(columns >> 8);
  header.insert(header.end(), description, description + std::strlen(description) + 1);
  put_be32(b, static_cast<uint32_t>(header.size()));
  b.insert(b.end(), header.begin(), header.end());
  put_id(b, "DEM ");
  put_be32(b, static_cast<uint32_t>(dem.size()));
  b.insert(b.end(), dem.begin(), dem.end());
  return b;
}

class SceneryTest : public LandscapeFileTest {};

}  // namespace

TEST_F(SceneryTest, RowDecodingExample) {
  const uint8_t coded[] = {0x01, 0xF4, 0x05, 0xFB, 0x80, 0x03, 0xE8, 0xFF, 0x77};
  int16_t out[5] = {};
  EXPECT_EQ(decode_sanim_row(coded, sizeof coded, out, 5), 8u);
  EXPECT_EQ(std::vector<int16_t>(out, out + 5), (std::vector<int16_t>{500, 505, 500, 1000, 999}));
  // Cut short: the decoder stops at the end of the bytes, the rest stays as it was.
  int16_t cut[5] = {7, 7, 7, 7, 7};
  EXPECT_EQ(decode_sanim_row(coded, 5, cut, 5), 5u);
  EXPECT_EQ(std::vector<int16_t>(cut, cut + 5), (std::vector<int16_t>{500, 505, 500, 7, 7}));
}

TEST_F(SceneryTest, HundredBySixtyGivesA106By66GridFilledFromNeighbours) {
  const std::string path = file("valley.dem");
  imgtest::write_bytes(path, scenery_file(100, 60));
  fill_grids(3);
  ASSERT_EQ(load_scenery_animator(path.c_str()), 1);
  EXPECT_EQ(std::make_pair(grid_width, grid_height), std::make_pair(106, 66));
  EXPECT_EQ(elevation_row(59)[99], sample(99, 59));
  EXPECT_EQ(elevation_row(0)[0], sample(0, 0));
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) ASSERT_GT(elevation_row(y)[x], -30000) << x << "," << y;
  // Right of the data the lowest of the left and upper neighbours spreads down the rows.
  EXPECT_EQ(elevation_row(0)[100], sample(99, 0));
  EXPECT_EQ(elevation_row(10)[105], sample(99, 0));
  EXPECT_EQ(elevation_row(60)[0], sample(0, 59));
  EXPECT_STREQ(landscape_name, "Scenery Animator Landscape");
  EXPECT_STREQ(landscape_description, "A test valley");
  EXPECT_EQ(cover_row(5)[5].color_class, 0);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(SceneryTest, VoidFillingExamples) {
  ASSERT_EQ(set_landscape_size(22, 22), 1);
  for (int32_t y = 0; y < grid_height; ++y) fill_u16(elevation_row(y), grid_width, 0x8000);
  // Right 3 (800), left 2 (900), below 2 (700): 700.
  elevation_row(5)[8] = 800, elevation_row(5)[3] = 900, elevation_row(7)[5] = 700;
  EXPECT_EQ(fill_void_from_neighbour(5, 5), 700);
  // Only a sample 5 rows up (in row order: 5 rows back).
  elevation_row(3)[15] = 444;
  EXPECT_EQ(fill_void_from_neighbour(15, 8), 444);
  for (int32_t y = 0; y < grid_height; ++y) fill_u16(elevation_row(y), grid_width, 0x8000);
  adjust_landscape();
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) ASSERT_EQ(elevation_row(y)[x], 32767);
}

TEST_F(SceneryTest, FastFillingMatchesTheSampleBySampleRule) {
  std::mt19937 random(5);
  for (int32_t round = 0; round < 6; ++round) {
    ASSERT_EQ(set_landscape_size(20 + round * 3, 14 + round), 1);
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x)
        elevation_row(y)[x] = random() % (round + 2) == 0 ? static_cast<int16_t>(random() % 3000) : int16_t{-32768};
    std::vector<int16_t> want;
    std::vector<std::vector<int16_t>> copy;
    for (int32_t y = 0; y < grid_height; ++y) copy.emplace_back(elevation_row(y), elevation_row(y) + grid_width);
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x)
        if (elevation_row(y)[x] <= -30000) elevation_row(y)[x] = fill_void_from_neighbour(x, y);
    for (int32_t y = 0; y < grid_height; ++y) want.insert(want.end(), elevation_row(y), elevation_row(y) + grid_width);
    for (int32_t y = 0; y < grid_height; ++y) std::copy(copy[y].begin(), copy[y].end(), elevation_row(y));
    adjust_landscape();
    std::vector<int16_t> got;
    for (int32_t y = 0; y < grid_height; ++y) got.insert(got.end(), elevation_row(y), elevation_row(y) + grid_width);
    EXPECT_EQ(got, want) << round;
  }
}

TEST_F(SceneryTest, FixedSizeRefusesTooWideAndPlacesSmallerFiles) {
  ASSERT_EQ(new_flatland(1054), 1);  // 258 by 258, fixed
  fill_grids(9);
  const Fingerprint before = fingerprint();
  const std::string wide = file("wide.dem");
  imgtest::write_bytes(wide, scenery_file(300, 10));
  EXPECT_EQ(load_scenery_animator(wide.c_str()), 0);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Landscape file too big!");
  EXPECT_TRUE(fingerprint() == before);
  const std::string small = file("small.dem");
  imgtest::write_bytes(small, scenery_file(40, 30));
  ASSERT_EQ(load_scenery_animator(small.c_str()), 1);
  EXPECT_EQ(grid_width, 258);
  EXPECT_EQ(elevation_row(29)[39], sample(39, 29));
}

TEST_F(SceneryTest, DamagedAndHostileFilesLeaveTheLandscapeAsItWas) {
  fill_grids(4);
  const Fingerprint before = fingerprint();
  const Bytes good = scenery_file(20, 12);
  auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
    Bytes b = good;
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
    return b;
  };
  const size_t header_length_at = 12, rows_at = 16 + 4, columns_at = 16 + 8;
  const size_t dem_length_at = 16 + 34 + std::strlen("A test valley") + 1 + 4;
  struct Case {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"not SANM", patched(0, {'S', 'A', 'N', 'X'})},
      {"only the magic", Bytes{'S', 'A', 'N', 'M'}},
      {"no DEM chunk", Bytes(good.begin(), good.begin() + static_cast<long>(dem_length_at - 4))},
      {"header length past the end", patched(header_length_at, {0x7F, 0xFF, 0xFF, 0xFF})},
      {"header too short for its size fields", patched(header_length_at, {0, 0, 0, 8})},
      {"elevation length past the end", patched(dem_length_at, {0xFF, 0xFF, 0xFF, 0xF0})},
      {"no rows", patched(rows_at, {0, 0, 0, 0})},
      {"no columns", patched(columns_at, {0, 0, 0, 0})},
      {"huge rows", patched(rows_at, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"huge columns", patched(columns_at, {0x00, 0x01, 0x00, 0x00})},
      {"more rows than the elevations can hold", patched(rows_at, {0, 0, 0x10, 0})},
      {"truncated elevations", Bytes(good.begin(), good.end() - 10)},
  };
  for (const Case& c : cases) {
    host_->messages.clear();
    const std::string path = file("bad.dem");
    imgtest::write_bytes(path, c.bytes);
    EXPECT_EQ(load_scenery_animator(path.c_str()), 0) << c.what;
    EXPECT_EQ(host_->messages.size(), 1u) << c.what;
    EXPECT_TRUE(fingerprint() == before) << c.what;
  }
  EXPECT_EQ(load_scenery_animator(file("missing.dem").c_str()), 0);
  EXPECT_TRUE(fingerprint() == before);
}

TEST_F(SceneryTest, ShortRowCodesYieldSamplesFromNeighboursNotAFailure) {
  // The header claims rows that take at least their minimum size, but the codes use escapes and run out.
  Bytes b = scenery_file(8, 4);
  Bytes dem;
  for (int32_t y = 0; y < 4; ++y) {
    const Bytes row = code_row({100, 1000, 2000, 3000, 4000, 5000, 6000, 7000});
    dem.insert(dem.end(), row.begin(), row.end());
  }
  dem.resize(4 * 9);  // the minimum size, shorter than the escapes need
  const size_t dem_at = b.size() - (b.size() - (16 + 34 + std::strlen("A test valley") + 1 + 8));
  b.resize(dem_at - 4);
  put_be32(b, static_cast<uint32_t>(dem.size()));
  b.insert(b.end(), dem.begin(), dem.end());
  const std::string path = file("short.dem");
  imgtest::write_bytes(path, b);
  ASSERT_EQ(load_scenery_animator(path.c_str()), 1);
  EXPECT_EQ(elevation_row(0)[0], 100);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) ASSERT_GT(elevation_row(y)[x], -30000);
}

TEST_F(SceneryTest, DialogCancelAndLoad) {
  EXPECT_EQ(load_scenery_animator_dialog(), -1);
  const std::string path = file("d.dem");
  imgtest::write_bytes(path, scenery_file(10, 10));
  host_->file_choices = {path};
  EXPECT_EQ(load_scenery_animator_dialog(), 1);
  EXPECT_EQ(grid_width, 18);
}
