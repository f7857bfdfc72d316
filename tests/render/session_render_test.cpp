// A saved session renders the same picture after it is opened again, from the command line
// ("dalvenor session.d4s scene.scr") and through the LoadDEM script keyword.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/path_frames.h"
#include "engine/files/default_dirs.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/old_landscape_file.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/app/startup.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/landscape_file_fixture.h"
#include "tests/support/engine_test.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Starts the program from the work folder (start-up moves into the program folder).
void run_command_line(const fs::path& prog, const std::string& arguments) {
  // Every render starts from the same noise: the surface detail and dither generators run on between renders.
  dither_seed = 1;
  random_seed(1);
  ASSERT_EQ(::chdir((prog.parent_path() / "work").c_str()), 0);
  startup_failures = 0;
  const std::string line = (prog / "dalvenor").string() + " " + arguments;
  set_command_line(line.c_str());
  startup();
}

class SessionRender : public EngineTest {
 protected:
  void SetUp() override {
    user_abort = 0;
    status_reset_state();
    char old[4096];
    ASSERT_NE(::getcwd(old, sizeof old), nullptr);
    old_ = old;
    char pattern[] = "/tmp/dalvenor_session_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    prog_ = root_ / "prog";
    work_ = root_ / "work";
    fs::create_directories(prog_);
    fs::create_directories(work_);
    ASSERT_EQ(::chdir(work_.c_str()), 0);
    landtest::reset_state();
    engine_init();
  }
  void TearDown() override {
    EXPECT_EQ(::chdir(old_.c_str()), 0);
    std::error_code ec;
    fs::remove_all(root_, ec);
    free_vidmem24();
    free_vidmem8();
    landtest::reset_state();
    reset_default_dirs();
    clear_path();
    set_landscape_size(258, 258);
  }
  ScopedHeadlessHost host_;
  std::string old_;
  fs::path root_, prog_, work_;
};

}  // namespace

TEST_F(SessionRender, SavedSessionRendersTheSameImageAfterOpening) {
  std::ofstream(work_ / "make.scr") << "Dalve Script File\n"
                                       "Rem the settings of the scene\n"
                                       "ImageSize 64 48\n"
                                       "GenerateFractal 99\n"
                                       "SunAzimuth 200\n"
                                       "Haze 30\n"
                                       "Dither 0\n"
                                       "CameraXYZ 3840 300 1500\n"
                                       "TargetXYZ 3800 4000 300\n"
                                       "Render\n";
  std::ofstream(work_ / "scene.scr") << "Dalve Script File\nRem\nRender\n";
  std::ofstream(work_ / "load.scr") << "Dalve Script File\nRem\nLoadDEM session.d4s\nRender\n";

  // The first frame also brings derived data (colours, shading, palette) up to date.
  run_command_line(prog_, "-tt -owarm make.scr");
  ASSERT_EQ(startup_failures, 0);

  // Save Landscape through its dialog ), then the picture it should give.
  host_->file_choices = {(work_ / "session.d4s").string()};
  ASSERT_EQ(save_session_dialog(0), 1);
  run_command_line(prog_, "-tt -obefore scene.scr");
  ASSERT_EQ(startup_failures, 0);
  const std::string before = contents(work_ / "before00000.TGA");
  ASSERT_EQ(before.size(), 18u + 64u * 48u * 3u);

  // Something else entirely, then the session from the command line.
  landtest::reset_state();
  ASSERT_EQ(set_landscape_size(130, 130), 1);
  landtest::fill_grids(3);
  mark_derived_stale();
  run_command_line(prog_, "-tt -oafter session.d4s scene.scr");
  EXPECT_EQ(startup_failures, 0);
  EXPECT_EQ(grid_width, 258);
  const std::string after = contents(work_ / "after00000.TGA");
  EXPECT_TRUE(after == before) << "the reopened session renders differently";

  // And through the script keyword.
  landtest::reset_state();
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  run_command_line(prog_, "-tt -oscripted load.scr");
  EXPECT_EQ(startup_failures, 0);
  EXPECT_TRUE(contents(work_ / "scripted00000.TGA") == before);
}

TEST_F(SessionRender, UnreadableLandscapeOnTheCommandLineKeepsTheStartUpLandscape) {
  std::ofstream(work_ / "bad.d4s") << std::string(3000, 'x');
  landtest::fill_grids(4);
  const auto before = landtest::fingerprint();
  run_command_line(prog_, "bad.d4s");
  EXPECT_EQ(startup_failures, 1);
  EXPECT_EQ(landtest::first_message(*host_), "Not a Dalvenor Landscape file.");
  EXPECT_TRUE(landtest::fingerprint().elevations == before.elevations);
}

TEST_F(SessionRender, LoadCMapTakesOnlyOlderColourTables) {
  std::ofstream(work_ / "cmap.scr") << "Dalve Script File\nRem\nLoadCMap missing.dem\nLoadScheme session.d4s\n";
  const auto before = landtest::fingerprint();
  run_command_line(prog_, "cmap.scr");
  EXPECT_EQ(startup_failures, 0);
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_EQ(landtest::fingerprint().colors, before.colors);
}

TEST_F(SessionRender, LoadDemOfAnOlderFileWithoutSettingsTakesItsVerticalScale) {
  landtest::fill_grids(5);
  landscape_view.vertical_scale = 2.5f;
  ASSERT_EQ(write_old_dem((work_ / "plain.dem").c_str(), 0, 0, grid_width, grid_height), 1);
  std::ofstream(work_ / "plain.scr") << "Dalve Script File\nRem\nLoadDEM plain.dem\n";
  landscape_view.vertical_scale = landscape_view.built_vertical_scale = 1.0f;
  terrain_settings.sea_level = 40;
  derived_data.landscape_changed = 0;
  run_command_line(prog_, "plain.scr");
  EXPECT_EQ(startup_failures, 0);
  EXPECT_EQ(landscape_view.vertical_scale, 2.5f);
  EXPECT_EQ(landscape_view.built_vertical_scale, 2.5f);
  EXPECT_EQ(terrain_settings.sea_level, 0);
  EXPECT_EQ(derived_data.landscape_changed, 1);
}
