// Region loading: tiles placed by their origins into one large landscape, clipped to it, and damaged or
// foreign files in the folder skipped without touching the grid.
#include "engine/render/region_load.h"

#include <gtest/gtest.h>

#include "engine/core/landscape_names.h"
#include "engine/files/default_dirs.h"
#include "engine/render/old_landscape_file.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

int16_t tile_sample(int32_t seed, int32_t x, int32_t y) { return static_cast<int16_t>(seed * 1000 + (x * 3 + y * 5) % 997); }

class RegionTest : public LandscapeFileTest {
 protected:
  // An older-format tile of columns by rows samples whose corner lies at (ox, oy) metres.
  std::string tile(const std::string& name, int32_t seed, int32_t ox, int32_t oy, int32_t columns = 258,
                   int32_t rows = 258) {
    const int32_t saved_mode = region_mode;
    EXPECT_EQ(set_landscape_size(columns, rows), 1);
    for (int32_t y = 0; y < rows; ++y)
      for (int32_t x = 0; x < columns; ++x) elevation_row(y)[x] = tile_sample(seed, x, y);
    landscape_view.origin_x = ox, landscape_view.origin_y = oy;
    grid_spacing_x = grid_spacing_y = 30.0f;
    const std::string path = tiles_.file(name);
    EXPECT_EQ(write_old_dem(path.c_str(), 0, 0, columns, rows), 1);
    region_mode = saved_mode;
    return path;
  }
  imgtest::TempDir tiles_;
};

}  // namespace

TEST_F(RegionTest, TilesJoinByTheirOriginsAndAreClippedToTheGrid) {
  const std::string a = tile("a.dem", 1, 0, 0);
  tile("b.dem", 2, 257 * 30, 0);          // joins a without a gap at column 257
  tile("left.dem", 3, -30, 300);          // left of the origin: skipped
  tile("top.dem", 4, 600 * 30, 1000 * 30);  // reaches past the top and is clipped
  imgtest::write_bytes(tiles_.file("readme.txt"), {'h', 'i'});
  landscape_view.origin_x = 55, landscape_view.origin_y = 66;
  set_landscape_name("Before");
  region_mode = 1;
  host_->yes_no_answers = {0};  // Huge
  host_->file_choices = {a};
  ASSERT_EQ(load_region_dialog(), 1);
  EXPECT_EQ(host_->messages[0].text, "Select a region size:");
  EXPECT_EQ(std::make_pair(grid_width, grid_height), std::make_pair(1026, 1026));
  EXPECT_EQ(region_mode, 1);  // as before, although the grid stays 1026 by 1026
  EXPECT_EQ(std::make_pair(landscape_view.origin_x, landscape_view.origin_y), std::make_pair(0, 0));
  EXPECT_EQ(elevation_row(0)[0], tile_sample(1, 0, 0));
  EXPECT_EQ(elevation_row(256)[256], tile_sample(1, 256, 256));
  EXPECT_EQ(elevation_row(10)[257], tile_sample(2, 0, 10));
  EXPECT_EQ(elevation_row(10)[513], tile_sample(2, 256, 10));
  EXPECT_EQ(elevation_row(257)[5], 0);  // nothing above tile a
  EXPECT_EQ(elevation_row(1000)[600], tile_sample(4, 0, 0));
  EXPECT_EQ(elevation_row(1023)[600], tile_sample(4, 0, 23));
  EXPECT_EQ(elevation_row(1025)[600], elevation_row(1023)[600]);  // guard rows follow the last real row
  EXPECT_EQ(landscape_name[0], 0);  // the file that is no landscape cleared the name
}

TEST_F(RegionTest, FixedSizeKeepsTheGridAndCancelRestoresTheMode) {
  ASSERT_EQ(new_flatland(1054), 1);  // 258, fixed
  EXPECT_EQ(load_region_dialog(), -1);
  EXPECT_EQ(region_mode, 2);
  EXPECT_TRUE(host_->messages.empty());  // no size question with fixed sizes
  region_mode = 1;
  host_->yes_no_answers = {1};  // Large
  EXPECT_EQ(load_region_dialog(), -1);
  EXPECT_EQ(region_mode, 1);
  EXPECT_EQ(grid_width, 258);  // cancelling the tile choice keeps the landscape in memory
  // A chosen file that is no older-format landscape: said so, and the grid keeps its samples.
  ASSERT_EQ(new_flatland(1054), 1);
  fill_grids(2);
  const Fingerprint before = fingerprint();
  imgtest::write_bytes(file("notes.dem"), std::vector<uint8_t>(3000, 'x'));
  host_->file_choices = {file("notes.dem")};
  host_->messages.clear();
  EXPECT_EQ(load_region_dialog(), 1);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Region tiles must be older-format landscape files.");
  EXPECT_TRUE(fingerprint().elevations == before.elevations);
}

TEST_F(RegionTest, DamagedOrForeignTilesAreSkippedWithoutTouchingTheGrid) {
  const std::string base = tile("base.dem", 1, 0, 0, 34, 26);
  const auto good = imgtest::read_bytes(tile("good.dem", 2, 300, 300, 34, 26));
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  landscape_view.origin_x = landscape_view.origin_y = 0;
  grid_spacing_x = grid_spacing_y = 30.0f;
  fill_grids(5);
  const Fingerprint before = fingerprint();
  auto be32 = [](std::vector<uint8_t> b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v >> 24), b[at + 1] = static_cast<uint8_t>(v >> 16);
    b[at + 2] = static_cast<uint8_t>(v >> 8), b[at + 3] = static_cast<uint8_t>(v);
    return b;
  };
  std::vector<uint8_t> current(good);
  std::memcpy(current.data(), "DL4 DEM File", 13);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"cut inside the rows", std::vector<uint8_t>(good.begin(), good.end() - 40)},
      {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 1000)},
      {"huge columns", be32(good, 136, 0x7FFFFFFF)},
      {"negative rows", be32(good, 140, 0xFFFFFFF0)},
      {"more columns than the rows hold", be32(good, 136, 4000)},
      {"origin far right", be32(good, 164, 0x7FFFFFFF)},
      {"origin far below", be32(good, 168, 0x80000000)},
      {"current-format magic", current},
  };
  for (const Case& c : cases) {
    const std::string path = file("bad.dem");
    imgtest::write_bytes(path, c.bytes);
    EXPECT_EQ(load_region_tile(path.c_str()), 0) << c.what;
    EXPECT_TRUE(fingerprint().elevations == before.elevations) << c.what;
  }
  EXPECT_EQ(load_region_tile(file("missing.dem").c_str()), 0);
  // The sound tile is placed at (10, 10) with its overlap row and column left off.
  imgtest::write_bytes(file("good.dem"), good);
  ASSERT_EQ(load_region_tile(file("good.dem").c_str()), 1);
  EXPECT_EQ(elevation_row(10)[10], tile_sample(2, 0, 0));
  EXPECT_EQ(elevation_row(34)[42], tile_sample(2, 32, 24));
  EXPECT_EQ(elevation_row(35)[43], before.elevations[35 * 66 + 43]);
  EXPECT_EQ(elevation_row(34)[43], before.elevations[34 * 66 + 43]);
  EXPECT_TRUE(host_->messages.empty());
  (void)base;
}

TEST_F(RegionTest, HeaderGivesOriginAndSpacing) {
  const std::string path = tile("h.dem", 1, 1234, -567, 40, 30);  // size bit set: spacing stored
  grid_spacing_x = 10.0f;
  landscape_view.origin_x = 0;
  ASSERT_EQ(read_region_header(path.c_str()), 1);
  EXPECT_EQ(std::make_pair(landscape_view.origin_x, landscape_view.origin_y), std::make_pair(1234, -567));
  EXPECT_EQ(grid_spacing_x, 30.0f);
  imgtest::write_bytes(file("x.dem"), {'n', 'o'});
  EXPECT_EQ(read_region_header(file("x.dem").c_str()), 0);
}
