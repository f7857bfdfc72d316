// Elevation and ground-colour maps as PCX: the index mapping, the palettes, row order, partial pictures,
// the legend both ways, the commands, and damaged pictures that change nothing.
#include "engine/files/elevation_pcx.h"

#include <gtest/gtest.h>

#include "engine/files/pcx_format.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

class ElevationPcxTest : public LandscapeFileTest {
 protected:
  // The picture's pixel at column x of grid row y (the top picture row holds the last grid row).
  uint8_t pixel(const std::string& path, int32_t x, int32_t grid_y) {
    FILE* f = std::fopen(path.c_str(), "rb");
    int32_t w = 0, h = 0, rb = 0;
    EXPECT_EQ(pcx_read_header(f, &w, &h, &rb), 1);
    std::vector<uint8_t> row(static_cast<size_t>(rb)), scratch(static_cast<size_t>(rb));
    for (int32_t r = 0; r <= h - 1 - grid_y; ++r) pcx_read_row(f, row.data(), w, rb, scratch.data());
    std::fclose(f);
    return row[static_cast<size_t>(x)];
  }
  std::vector<uint8_t> palette(const std::string& path) {
    const auto b = imgtest::read_bytes(path);
    return std::vector<uint8_t>(b.end() - 768, b.end());
  }
};

}  // namespace

TEST_F(ElevationPcxTest, ElevationsMapToIndexesWithBaseAndInterval) {
  const int16_t values[] = {-5, 0, 15, 16, 4095, 5000};
  const uint8_t want[] = {0, 0, 0, 1, 255, 255};
  for (int32_t i = 0; i < 6; ++i) elevation_row(3)[i] = values[i];
  const std::string path = file("e.pcx");
  ASSERT_EQ(save_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16), 1);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(pixel(path, i, 3), want[i]) << values[i];
  const auto rgb = palette(path);
  EXPECT_EQ(std::vector<uint8_t>(rgb.begin(), rgb.begin() + 3), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(rgb.end() - 3, rgb.end()), (std::vector<uint8_t>{16, 0, 0}));
  // Base and interval shift the levels; an interval below 1 counts as 1.
  elevation_row(0)[0] = 1000, elevation_row(0)[1] = 1007;
  ASSERT_EQ(save_elevations_pcx(path.c_str(), kPcxIndexMode, 1000, 0), 1);
  EXPECT_EQ(pixel(path, 0, 0), 0);
  EXPECT_EQ(pixel(path, 1, 0), 7);
  ASSERT_EQ(save_elevations_pcx(path.c_str(), kPcxGreyMode, 0, 16), 1);
  EXPECT_EQ(palette(path)[3 * 200], 200);
}

TEST_F(ElevationPcxTest, IndexAndGreyLoadsOfASavedPicture) {
  fill_grids(2);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) elevation_row(y)[x] = static_cast<int16_t>((x * 40 + y * 7) % 4000);
  const std::string path = file("r.pcx");
  ASSERT_EQ(save_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16), 1);
  std::vector<int16_t> indexes;
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) indexes.push_back(static_cast<int16_t>(elevation_row(y)[x] / 16));
  ASSERT_EQ(load_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16), 1);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) ASSERT_EQ(elevation_row(y)[x], 16 * indexes[y * grid_width + x]);
  // Grey mode takes the levels from the palette's colours.
  const auto rgb = palette(path);
  ASSERT_EQ(load_elevations_pcx(path.c_str(), kPcxGreyMode, 10, 2), 1);
  const int32_t i = indexes[5 * grid_width + 9];
  EXPECT_EQ(elevation_row(5)[9], 10 + (30 * rgb[3 * i] + 59 * rgb[3 * i + 1] + 11 * rgb[3 * i + 2]) * 2 / 100);
}

TEST_F(ElevationPcxTest, SmallerPictureChangesOnlyItsCorner) {
  // A 5 by 3 picture made from a 5 by 3 grid, loaded into the 34 by 26 grid.
  ASSERT_EQ(set_landscape_size(5, 3), 1);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) elevation_row(y)[x] = static_cast<int16_t>(16 * (10 * y + x));
  const std::string path = file("small.pcx");
  ASSERT_EQ(save_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16), 1);
  ASSERT_EQ(set_landscape_size(34, 26), 1);
  fill_grids(6);
  const Fingerprint before = fingerprint();
  ASSERT_EQ(load_elevations_pcx(path.c_str(), kPcxIndexMode, 0, 16), 1);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) {
      const int16_t want = (x < 5 && y < 3) ? static_cast<int16_t>(16 * (10 * y + x)) : before.elevations[y * grid_width + x];
      ASSERT_EQ(elevation_row(y)[x], want) << x << "," << y;
    }
}

TEST_F(ElevationPcxTest, GroundLegendBothWays) {
  struct Case {
    uint8_t color_class, object, index, back_class, back_object;
  } cases[] = {
      {40, 0, 16, 38, 0},    // bare reads back as the first bare class
      {43, 61, 13, 43, 61},  // an oak on snow: the object, the class kept
      {52, 0, 3, 52, 0},     // water
      {50, 0, 7, 50, 0},     // beach
      {58, 0, 8, 56, 0},     // ground
      {35, 0, 9, 57, 0},     // tree classes read back as ground class 57
      {47, 34, 24, 46, 34},  // cliffs; a scattered tree object is not written
      {90, 0, 34, 90, 0},    // road
      {74, 73, 29, 74, 73},  // a house object
      {12, 0, 0, 12, 0},     // no legend colour: unchanged
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    cover_row(2)[i] = CoverCell{cases[i].color_class, cases[i].object};
    EXPECT_EQ(ground_legend_index(cases[i].color_class, cases[i].object), cases[i].index) << i;
  }
  const std::string path = file("g.pcx");
  ASSERT_EQ(save_ground_colors_pcx(path.c_str()), 1);
  const auto rgb = palette(path);
  EXPECT_EQ(std::vector<uint8_t>(rgb.begin() + 3 * 28, rgb.begin() + 3 * 29), (std::vector<uint8_t>{192, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(rgb.begin() + 3, rgb.begin() + 6), (std::vector<uint8_t>{240, 240, 240}));
  ASSERT_EQ(load_ground_colors_pcx(path.c_str(), 0), 1);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cover_row(2)[i].color_class, cases[i].back_class) << i;
    EXPECT_EQ(cover_row(2)[i].object, cases[i].back_object) << i;
  }
}

TEST_F(ElevationPcxTest, GroundColoursAsFreeColours) {
  ASSERT_EQ(save_elevations_pcx(file("c.pcx").c_str(), kPcxIndexMode, 0, 16), 1);
  const uint8_t flag = color_table[200].flag;
  ASSERT_EQ(load_ground_colors_pcx(file("c.pcx").c_str(), 1), 1);
  for (int32_t y = 0; y < grid_height; ++y)
    for (int32_t x = 0; x < grid_width; ++x) ASSERT_GE(cover_row(y)[x].color_class, 128);
  EXPECT_EQ(color_table[200].flag, flag);
}

TEST_F(ElevationPcxTest, DamagedPicturesChangeNothing) {
  fill_grids(7);
  const std::string good = file("good.pcx");
  ASSERT_EQ(save_elevations_pcx(good.c_str(), kPcxIndexMode, 0, 16), 1);
  const auto bytes = imgtest::read_bytes(good);
  fill_grids(8);
  const Fingerprint before = fingerprint();
  auto patched = [&](size_t at, uint8_t v) {
    auto b = bytes;
    b[at] = v;
    return b;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t want;
  } cases[] = {
      {"empty", {}, 0},
      {"short header", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100), 0},
      {"version 3", patched(1, 3), -3},
      {"4 bits", patched(3, 4), -3},
      {"wider than 8192", patched(9, 0x7F), -5},
      {"no width", patched(4, 0xFF), -5},
  };
  for (const Case& c : cases) {
    const std::string path = file("bad.pcx");
    imgtest::write_bytes(path, c.bytes);
    for (int32_t mode : {kPcxIndexMode, kPcxGreyMode}) EXPECT_EQ(load_elevations_pcx(path.c_str(), mode, 0, 16), c.want) << c.what;
    for (int32_t colors : {0, 1}) EXPECT_EQ(load_ground_colors_pcx(path.c_str(), colors), c.want) << c.what;
    EXPECT_TRUE(fingerprint() == before) << c.what;
  }
  // A picture cut after its header has no palette for grey levels or colours; by index it reads bytes of 255.
  const std::string cut = file("cut.pcx");
  imgtest::write_bytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 200));
  EXPECT_EQ(load_elevations_pcx(cut.c_str(), kPcxGreyMode, 0, 16), 0);
  EXPECT_EQ(load_ground_colors_pcx(cut.c_str(), 1), 0);
  EXPECT_TRUE(fingerprint() == before);
  EXPECT_EQ(load_elevations_pcx(cut.c_str(), kPcxIndexMode, 0, 1), 1);
  EXPECT_EQ(elevation_row(0)[0], 255);
  EXPECT_EQ(load_elevations_pcx(file("none.pcx").c_str(), kPcxIndexMode, 0, 1), 0);
}

TEST_F(ElevationPcxTest, FailedSaveKeepsThePreviousFile) {
  const std::string folder = file("taken");
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
  EXPECT_EQ(save_elevations_pcx(folder.c_str(), kPcxIndexMode, 0, 16), 0);
  EXPECT_EQ(save_ground_colors_pcx(folder.c_str()), 0);
  EXPECT_EQ(dir_.entries(), std::vector<std::string>{"taken"});
}

TEST_F(ElevationPcxTest, Commands) {
  // Shift held: base and interval are asked and kept.
  host_->shift = 1;
  host_->file_choices = {file("a.pcx")};
  host_->value_answers = {{1, 100}, {1, 4}};
  host_->yes_no_answers = {1};  // Index
  EXPECT_EQ(save_elevations_pcx_dialog(), 1);
  EXPECT_EQ(std::make_pair(elevation_pcx_base, elevation_pcx_interval), std::make_pair(100, 4));
  host_->shift = 0;
  EXPECT_EQ(load_elevations_pcx_dialog(), -1);
  host_->file_choices = {file("a.pcx")};
  host_->yes_no_answers = {1};
  elevation_row(1)[1] = 0;
  EXPECT_EQ(load_elevations_pcx_dialog(), 1);
  // Ground colours not computed: the save asks first; Quit writes nothing.
  derived_data.colors_done_step = 32000;
  host_->file_choices = {file("g.pcx")};
  host_->yes_no_answers = {0};
  EXPECT_EQ(save_ground_colors_pcx_dialog(), -1);
  EXPECT_FALSE(imgtest::exists(file("g.pcx")));
  EXPECT_EQ(host_->messages.back().text, "Need to calculate colors first!");
  // Loaded as colours: 3.
  host_->file_choices = {file("a.pcx")};
  host_->yes_no_answers = {0};
  EXPECT_EQ(load_ground_colors_pcx_dialog(), 3);
}

TEST_F(ElevationPcxTest, ImageMagickReadsTheMapsAtTheirSize) {
  if (!imgtest::have_convert()) GTEST_SKIP() << "ImageMagick is not installed";
  ASSERT_EQ(set_landscape_size(66, 40), 1);
  fill_grids(1);
  ASSERT_EQ(save_elevations_pcx(file("e.pcx").c_str(), kPcxIndexMode, 0, 16), 1);
  ASSERT_EQ(save_ground_colors_pcx(file("g.pcx").c_str()), 1);
  for (const char* name : {"e.pcx", "g.pcx"})
    EXPECT_EQ(imgtest::run_output("identify -format '%w %h' '" + file(name) + "'"), "66 40") << name;
}
