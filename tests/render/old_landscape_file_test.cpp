// The older landscape format: header examples, elevation rows, the settings blocks and Save Elevations Only.
#include "engine/render/old_landscape_file.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/render/landscape_open_save.h"
#include "engine/render/lighting.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/panel_record.h"
#include "tests/files/landscape_file_fixture.h"
#include "tests/support/map_clicks.h"

using namespace landtest;

namespace {
using Bytes = std::vector<uint8_t>;

void be32(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 24), b[at + 1] = static_cast<uint8_t>(v >> 16);
  b[at + 2] = static_cast<uint8_t>(v >> 8), b[at + 3] = static_cast<uint8_t>(v);
}
void be_f32(Bytes& b, size_t at, float f) {
  uint32_t v;
  std::memcpy(&v, &f, 4);
  be32(b, at, v);
}

class OldFormatTest : public LandscapeFileTest {
 protected:
  // A 258 by 258 older file (written by Save Elevations Only) with the given presence bits and big-endian fields.
  std::string make_file(uint32_t presence, const std::map<size_t, int32_t>& fields) {
    EXPECT_EQ(set_landscape_size(258, 258), 1);
    fill_grids(4);
    const std::string path = file("old.dem");
    EXPECT_EQ(write_old_dem(path.c_str(), 0, 0, 258, 258), 1);
    Bytes b = imgtest::read_bytes(path);
    be32(b, 132, presence);
    for (const auto& [at, v] : fields) be32(b, at, static_cast<uint32_t>(v));
    imgtest::write_bytes(path, b);
    return path;
  }
};
}  // namespace

TEST_F(OldFormatTest, SaveElevationsOnlyOfTheDefaultSizeHasNoPresenceBitsAndLoadsWithoutSettings) {
  ASSERT_EQ(set_landscape_size(258, 258), 1);
  fill_grids(11);
  grid_spacing_x = 20.0f, grid_spacing_y = 40.0f, landscape_view.vertical_scale = 1.5f;
  landscape_view.origin_x = 100, landscape_view.origin_y = 200;
  const Fingerprint saved = fingerprint();
  const std::string path = file("elev.dem");
  ASSERT_EQ(write_old_dem(path.c_str(), 0, 0, grid_width, grid_height), 1);
  const Bytes b = imgtest::read_bytes(path);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "Dalve DEM File");
  EXPECT_EQ(b[132] | b[133] | b[134] | b[135], 0);
  EXPECT_EQ(b[131], 1);  // rows packed, big-endian

  reset_state();
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  camera_state.camera_x = 5.0f;
  ASSERT_EQ(load_landscape(path.c_str()), 1);
  EXPECT_EQ(grid_width, 258);
  EXPECT_TRUE(fingerprint().elevations == saved.elevations);
  EXPECT_EQ(grid_spacing_x, 20.0f);
  EXPECT_EQ(grid_spacing_y, 40.0f);
  EXPECT_EQ(landscape_view.vertical_scale, 1.5f);
  EXPECT_EQ(camera_state.camera_x, 5.0f);  // no setting applied
  EXPECT_EQ(std::make_pair(landscape_view.origin_x, landscape_view.origin_y), std::make_pair(100, 200));
}

TEST_F(OldFormatTest, NonSquareElevationsRoundTripWithTheirSize) {
  ASSERT_EQ(set_landscape_size(130, 67), 1);
  fill_grids(12);
  const auto saved = fingerprint();
  const std::string path = file("wide.dem");
  ASSERT_EQ(write_old_dem(path.c_str(), 0, 0, grid_width, grid_height), 1);
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  ASSERT_EQ(load_landscape(path.c_str()), 1);
  EXPECT_EQ(std::make_pair(grid_width, grid_height), std::make_pair(130, 67));
  EXPECT_TRUE(fingerprint().elevations == saved.elevations);
}

TEST_F(OldFormatTest, HeaderExamples) {
  // Blocks 1, 2 and 3 without the size block: 258 by 258 and nothing behind the elevations.
  const std::string path = make_file(14, {{220, 30}, {304, 90}, {528, 7}, {228, 48}, {188, 2}});
  Bytes b = imgtest::read_bytes(path);
  // Tree densities and sizes are little-endian in block 3.
  for (int32_t i = 0; i < 4; ++i) {
    put32(b.data() + 596 + 4 * i, static_cast<uint32_t>(50 + i));
    put32(b.data() + 612 + 4 * i, static_cast<uint32_t>(60 + i));
  }
  be32(b, 564, 0);       // view facing 0 becomes forward
  be32(b, 692, 2);       // region mode
  imgtest::write_bytes(path, b);
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  region_mode = 1;
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(grid_width, 258);
  EXPECT_EQ(camera_state.camera_heading, -30.0f);
  EXPECT_EQ(light_state.sun_azimuth, 90.0f);
  EXPECT_EQ(terrain_settings.roughness_radius, 210);
  EXPECT_EQ(lens_state.focal_length, 48);
  EXPECT_EQ(lens_state.lens_scale, 3.0f);
  EXPECT_EQ(render_settings.grid_step, 2);
  EXPECT_EQ(lens_state.view_facing, 5);
  EXPECT_EQ(region_mode, 2);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(tree_settings.tree_density[i], 50 + i);
    EXPECT_EQ(tree_settings.tree_size[i], 60 + i);
  }

  make_file(kOldHasBlock1, {{304, 0}});
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(light_state.sun_azimuth, 180.0f);
}

TEST_F(OldFormatTest, TailReplacesCameraAnglesOnlyWithItsBit) {
  for (const bool tail : {false, true}) {
    SCOPED_TRACE(tail ? "tail" : "no tail");
    const uint32_t presence = kOldHasBlock1 | kOldHasBlock3 | (tail ? kOldHasTail : 0);
    const std::string path = make_file(presence, {{216, 3}, {220, 10}, {224, 4}});
    Bytes b = imgtest::read_bytes(path);
    be_f32(b, 704, 1.5f);
    be_f32(b, 708, 20.5f);
    be_f32(b, 712, -2.5f);
    be32(b, 700, 1000);  // a damaging recursion depth is brought into range
    imgtest::write_bytes(path, b);
    ASSERT_EQ(load_landscape(path.c_str()), 2);
    EXPECT_EQ(camera_state.camera_bank, tail ? 1.5f : 3.0f);
    EXPECT_EQ(camera_state.camera_heading, tail ? -20.5f : -10.0f);
    EXPECT_EQ(camera_state.camera_pitch, tail ? -2.5f : 4.0f);
    if (tail) {
      EXPECT_LE(max_detail_depth, 8);
    }
  }
}

TEST_F(OldFormatTest, UnusableFieldsAreRefused) {
  // A zero focal length would divide by zero, grid step 3 is no step the renderer knows.
  lens_state.lens_scale = 2.0f, lens_state.focal_length = 32;
  const std::string path = make_file(kOldHasBlock1, {{228, 0}, {188, 3}});
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(lens_state.focal_length, 32);
  EXPECT_EQ(lens_state.lens_scale, 2.0f);
  EXPECT_EQ(render_settings.grid_step, 1);
}

TEST_F(OldFormatTest, LoadingKeepsTexturesAndClassAttributes) {
  const std::string path = make_file(kOldHasBlock1 | kOldHasBlock2 | kOldHasBlock3, {});
  make_texture(44, 8, 8, 2, "keep.tga");
  class_attributes[12].roughness = 77;
  const auto pixels = texture_pixels(44);
  ASSERT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(texture_pixels(44), pixels);
  EXPECT_EQ(class_attributes[12].roughness, 77);
}

TEST_F(OldFormatTest, LargerFileIsCroppedInFixedSizeMode) {
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  fill_grids(13);
  const auto saved = fingerprint();
  const std::string path = file("big.dem");
  ASSERT_EQ(write_old_dem(path.c_str(), 0, 0, 66, 66), 1);
  ASSERT_EQ(set_landscape_size(34, 34), 1);
  region_mode = 2;
  ASSERT_EQ(load_landscape(path.c_str()), 1);
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_EQ(grid_width, 34);
  for (int32_t r = 0; r < 34; ++r)
    for (int32_t c = 0; c < 34; ++c) ASSERT_EQ(elevation_row(r)[c], saved.elevations[static_cast<size_t>(r) * 66 + c]);
}

TEST_F(OldFormatTest, HalfSizeBlockFromTheMarkedCorner) {
  ASSERT_EQ(set_landscape_size(66, 66), 1);  // 64 by 64 cells, land_max_side 65
  fill_grids(14);
  const auto saved = fingerprint();
  maptest::ScopedMapPanel map;
  host_->yes_no_answers = {0};  // "Save entire landscape?" No
  maptest::left_click(*host_, 0, 0);
  const std::string path = file("half.dem");
  ASSERT_EQ(save_old_dem(path.c_str()), 1);
  host_->pointer_script.clear();
  // The click at panel (0, 0) lies left of and above the map: corner column 0, row limited to 32.
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  ASSERT_EQ(load_landscape(path.c_str()), 1);
  EXPECT_EQ(std::make_pair(grid_width, grid_height), std::make_pair(34, 34));
  for (int32_t r = 0; r < 34; ++r)
    for (int32_t c = 0; c < 34; ++c)
      ASSERT_EQ(elevation_row(r)[c], saved.elevations[static_cast<size_t>(r + 32) * 66 + c]) << r << "," << c;

  // A right click cancels and writes nothing.
  host_->yes_no_answers = {0};
  maptest::right_click(*host_, 0, 0);
  EXPECT_EQ(save_old_dem(file("none.dem").c_str()), -1);
  EXPECT_FALSE(imgtest::exists(file("none.dem")));
}
