// From clicks to pictures: nodes laid out on the map by scripted clicks, the flight generated, and the
// Animation panel's Targa series of ten frames, each the render of its own frame's pose.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/script_frame_ops.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "tests/panels/path_edit_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The summed difference of the pixel bytes of two Targa files of one size (the header left out).
int64_t picture_difference(const std::string& a, const std::string& b) {
  if (a.size() != b.size() || a.size() < 18) return INT64_MAX;
  int64_t d = 0;
  for (size_t i = 18; i < a.size(); ++i) d += std::abs(static_cast<int32_t>(static_cast<uint8_t>(a[i])) - static_cast<uint8_t>(b[i]));
  return d;
}

// A pose value as the exported flight script carries it (two decimals) and the runner reads it back.
float as_exported(float v) {
  char text[64];
  std::snprintf(text, sizeof text, "%9.2f", static_cast<double>(v));
  return std::strtof(text, nullptr);
}

class PathFlightRender : public PathEditTest {
 protected:
  void SetUp() override {
    PathEditTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("dalvenor_flight_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ASSERT_EQ(set_image_size(40, 30), 1);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    free_vidmem24();
    free_vidmem8();
    PathEditTest::TearDown();
  }
  // Rolling hills: rows and columns of waves over a slope.
  static void hills() {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c)
        elevation_row(r)[c] = static_cast<int16_t>(200 + r * 2 + ((r / 8 + c / 8) % 4) * 40);
    scan_elevation_range();
    derived_data.colors_done_step = 32000;
    derived_data.shades_done_step = 32000;
    derived_data.cliffs_done_step = 32000;
    derived_data.landscape_changed = 1;
  }
  fs::path dir_;
};

TEST_F(PathFlightRender, ClickedFlightRendersAsTenDifferentTargaFrames) {
  hills();
  // Lay out five nodes: the first click arms the tool's loop, four more clicks and the right button end it.
  path_gadget(1362)->state = kGadgetOn;
  engine_command(1362, 0, 0, &path_.panel);
  maptest::left_click(*host_, 110, 200);
  maptest::left_click(*host_, 150, 160);
  maptest::left_click(*host_, 190, 170);
  maptest::left_click(*host_, 230, 130);
  maptest::right_click(*host_, 230, 130);
  map_click(70, 230);
  ASSERT_EQ(path_node_count, 5);
  ASSERT_GT(path_frame_count, 10);

  // The speed that makes the flight ten frames long, set through the Path panel's speed field.
  const int32_t first = path_frame_count;
  int32_t speed = vehicle.path_speed * first / 10;
  for (int32_t tries = 0; tries < 400 && path_frame_count != 10; ++tries) {
    path_gadget(1374)->value = speed;
    engine_command(1374, 0, 0, &path_.panel);
    speed += path_frame_count > 10 ? 50 : -50;
  }
  ASSERT_EQ(path_frame_count, 10);

  // Create TGA series: the output name is chosen in the dialog.
  const fs::path base = dir_ / "fly";
  host_->file_choices.push_back(base.string());
  PanelRecord animation{};
  engine_command(1107, 0, 0, &animation);
  EXPECT_EQ(messages(), "Script completed successfully.");
  for (int32_t i = 0; i < 10; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "fly%05d.TGA", i);
    ASSERT_TRUE(fs::exists(dir_ / name)) << name;
  }
  EXPECT_FALSE(fs::exists(dir_ / "fly00010.TGA"));
  // Neighbouring frames differ.
  for (int32_t i = 0; i + 1 < 10; ++i) {
    char a[32], b[32];
    std::snprintf(a, sizeof a, "fly%05d.TGA", i);
    std::snprintf(b, sizeof b, "fly%05d.TGA", i + 1);
    EXPECT_NE(contents(dir_ / a), contents(dir_ / b)) << i;
  }
  // Each frame is the render of its own pose: rendered again here and written the same way, it matches its own
  // frame far better than any other (the terrain's fine detail and dithering vary a little from run to run).
  const fs::path again = dir_ / "chk";
  for (int32_t i = 0; i < 10; ++i) {
    const PathFrame& f = path_frames[i];
    camera_state.camera_x = as_exported(f.x);
    camera_state.camera_y = as_exported(f.y);
    camera_state.camera_z = as_exported(f.altitude);
    camera_state.camera_bank = as_exported(f.bank);
    camera_state.camera_heading = as_exported(f.heading);
    camera_state.camera_pitch = as_exported(f.pitch);
    ASSERT_EQ(script_frame_prepare(), 1);
    ASSERT_EQ(script_frame_render(i, 10), 1);
    ASSERT_EQ(script_frame_write(5, again.string().c_str(), i), 1);
  }
  for (int32_t i = 0; i < 10; ++i) {
    char a[32];
    std::snprintf(a, sizeof a, "fly%05d.TGA", i);
    const std::string frame = contents(dir_ / a);
    int64_t own = 0, other = INT64_MAX;
    for (int32_t j = 0; j < 10; ++j) {
      char b[32];
      std::snprintf(b, sizeof b, "chk%05d.TGA", j);
      const int64_t d = picture_difference(frame, contents(dir_ / b));
      if (j == i) own = d;
      else other = std::min(other, d);
    }
    EXPECT_LT(own * 4, other) << i;
  }
}

}  // namespace
