// The example flight: nodes placed over the example island, frames generated, the motion script
// exported (it must be the one kept in examples/) and rendered by the program as a Targa series.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/motion_export.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "engine/raster/frame_buffers.h"
#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/app/startup.h"
#include "tests/animation/path_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const fs::path kExamples = DALVENOR_EXAMPLES;

// The flight's nodes: from the south-west shore over the island's heights to the north-east.
void place_flight_nodes() {
  vehicle.node_height = 250;
  pitch_offset = -12;
  const float pts[6][2] = {{900, 900}, {1900, 1700}, {2900, 2500}, {3800, 3300}, {4700, 4000}, {5600, 4900}};
  path_node_count = 0;
  for (const auto& p : pts) append_path_node(make_path_node(p[0], p[1]), 0, 0);
  average_node_speed();
  rescale_node_speeds(5800);
}

class IslandFlight : public PathTest {
 protected:
  void SetUp() override {
    PathTest::SetUp();
    dir = make_temp_dir("dalvenor_flight_");
    old_dir = fs::current_path();
  }
  void TearDown() override {
    std::error_code ec;
    fs::current_path(old_dir, ec);
    if (ec) ADD_FAILURE() << "cannot return to " << old_dir;
    fs::remove_all(dir);
    free_vidmem24();
    free_vidmem8();
    reset_default_dirs();
    PathTest::TearDown();
  }
  fs::path dir;
  fs::path old_dir;
};

TEST_F(IslandFlight, ExportedScriptIsTheExampleAndRenders) {
  ASSERT_EQ(run_script((kExamples / "island_flight_setup.scr").c_str(), nullptr, 0), kScriptRunDone);
  place_flight_nodes();
  generate_path_frames(0);
  ASSERT_EQ(path_frame_count, 60);
  for (int32_t i = 0; i < path_frame_count; ++i)
    EXPECT_GT(path_frames[i].altitude, ground_height_at(path_frames[i].x, path_frames[i].y)) << i;
  const fs::path exported = dir / "island_flight.scr";
  ASSERT_EQ(export_motion_script(exported.c_str()), 1);
  if (const char* artifacts = std::getenv("DALVENOR_TEST_ARTIFACTS")) {
    fs::create_directories(artifacts);
    fs::copy_file(exported, fs::path(artifacts) / "island_flight.scr", fs::copy_options::overwrite_existing);
  }
  EXPECT_EQ(contents(exported), contents(kExamples / "island_flight.scr"));
  free_path_frames();

  // Unattended: the set-up script, then the flight, small and as a Targa series.
  const fs::path work = dir / "work";
  fs::create_directories(work);
  std::string setup = contents(kExamples / "island_flight_setup.scr");
  setup.replace(setup.find("ImageSize 480 360"), 17, "ImageSize 48 36");
  std::ofstream(work / "setup.scr", std::ios::binary) << setup;
  fs::current_path(work);
  engine_init();
  startup_failures = 0;
  const std::string line = (dir / "dalvenor").string() + " setup.scr -tt -oflight " + exported.string();
  set_command_line(line.c_str());
  startup();
  EXPECT_EQ(startup_failures, 0);
  for (int f : {0, 30, 59}) {
    char name[32];
    std::snprintf(name, sizeof name, "flight%05d.TGA", f);
    EXPECT_TRUE(fs::exists(work / name)) << name;
  }
  EXPECT_FALSE(fs::exists(work / "flight00060.TGA"));
  EXPECT_NE(contents(work / "flight00000.TGA"), contents(work / "flight00059.TGA"));
}

}  // namespace
