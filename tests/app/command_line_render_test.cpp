// Unattended rendering end to end: the program's start-up runs a script named on the command line that
// renders two keyframes into a Targa series.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/path_frames.h"
#include "engine/files/default_dirs.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/app/startup.h"
#include "engine/raster/frame_buffers.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CommandLineRender, TwoKeyframesBecomeTwoDifferentTargaFiles) {
  ScopedHeadlessHost host;
  user_abort = 0;  // a stop left by an earlier test must not end this render
  status_reset_state();
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  char pattern[] = "/tmp/dalvenor_e2e_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path root = pattern, prog = root / "prog", work = root / "work";
  fs::create_directories(prog);
  fs::create_directories(work);
  ASSERT_EQ(::chdir(work.c_str()), 0);
  std::ofstream(work / "flight.scr") << "Dalve Script File\n"
                                        "  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,\n"
                                        "ImageSize 64 48\n"
                                        "GenerateFractal 99\n"
                                        "3840, 300, 1500, 0, 0, -10,\n"
                                        "3000, 600, 1200, 5, 20, -5,\n";

  engine_init();
  startup_failures = 0;
  const std::string line = (prog / "dalvenor").string() + " -tt -oframe flight.scr";
  set_command_line(line.c_str());
  startup();

  EXPECT_EQ(startup_failures, 0);
  EXPECT_TRUE(host->messages.empty()) << host->messages.front().text;
  const std::string first = contents(work / "frame00000.TGA"), second = contents(work / "frame00001.TGA");
  EXPECT_EQ(first.size(), 18u + 64u * 48u * 3u);
  EXPECT_EQ(second.size(), first.size());
  EXPECT_NE(first, second);
  EXPECT_FALSE(fs::exists(prog / "frame00000.TGA"));

  ASSERT_EQ(::chdir(old), 0);
  std::error_code ec;
  fs::remove_all(root, ec);
  free_vidmem24();
  free_vidmem8();
  reset_settings_defaults();
  reset_default_dirs();
  reset_camera_state();
  clear_path();
  set_landscape_size(258, 258);
}

}  // namespace
