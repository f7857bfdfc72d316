// The motion script export, recorded camera frames and the import of a camera path script.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/motion_export.h"
#include "engine/animation/script_arguments.h"
#include "tests/animation/path_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MotionExport : public PathTest {
 protected:
  void SetUp() override {
    PathTest::SetUp();
    dir = make_temp_dir("dalvenor_motion_");
  }
  void TearDown() override {
    fs::remove_all(dir);
    PathTest::TearDown();
  }
  fs::path dir;
};

TEST_F(MotionExport, KeyframeLinesWithFoldedAnglesAndDistances) {
  path_frame_count = 3;
  path_frames[0] = PathFrame{};
  path_frames[0].x = 1000.0f;
  path_frames[0].y = 2000.0f;
  path_frames[0].altitude = 300.0f;
  path_frames[0].heading = 270.0f;
  path_frames[0].bank = 190.0f;
  path_frames[0].pitch = 350.0f;
  path_frames[1] = path_frames[0];
  path_frames[1].x = 1030.0f;
  path_frames[1].y = 2040.0f;
  path_frames[1].heading = -200.0f;
  path_frames[2] = path_frames[1];
  path_frames[2].altitude = 312.345f;
  path_frames[2].heading = 12.5f;
  path_frames[2].bank = -12.0f;
  path_frames[2].pitch = 4.0f;
  const fs::path out = dir / "sub" / "flight.scr";
  ASSERT_EQ(export_motion_script(out.c_str()), 1);
  EXPECT_EQ(contents(out),
            "Dalve Script File\n"
            "  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,  (delta)\n"
            "  1000.00,   2000.00,    300.00,   -170.00,    -90.00,    -10.00, \n"
            "  1030.00,   2040.00,    300.00,   -170.00,    160.00,    -10.00,  (50.00)\n"
            "  1030.00,   2040.00,    312.35,    -12.00,     12.50,      4.00,  (12.35)\n");
  // The folded values stay in the frames.
  EXPECT_EQ(path_frames[0].heading, -90.0f);
  EXPECT_EQ(path_frames[1].heading, 160.0f);
  // The script reader takes the six numbers of every keyframe line.
  std::ifstream in(out);
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  std::getline(in, line);
  float pose[6];
  EXPECT_EQ(script_read_keyframe(line.c_str(), pose), 6);
  EXPECT_EQ(pose[4], -90.0f);
}

TEST_F(MotionExport, NoFramesGivesTheTwoHeaderLines) {
  const fs::path out = dir / "empty.scr";
  ASSERT_EQ(export_motion_script(out.c_str()), 1);
  EXPECT_EQ(contents(out), std::string(kPathScriptHeader) + "\n" + kPathScriptColumns + "\n");
}

TEST_F(MotionExport, AnUnopenableFileGivesTheMessage) {
  const fs::path blocker = dir / "file";
  std::ofstream(blocker) << "x";
  const std::string path = (blocker / "flight.scr").string();
  EXPECT_EQ(export_motion_script(path.c_str()), 0);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Error opening motion file " + path);
  EXPECT_EQ(host->messages[0].button1, "  OK  ");
}

TEST_F(MotionExport, DialogAsksBeforeReplacing) {
  straight_frames(2, 30.0f, 100.0f);
  const fs::path out = dir / "old.scr";
  std::ofstream(out) << "keep";
  host->file_choices.push_back(out.string());
  host->yes_no_answers.push_back(0);  // Cancel
  export_motion_dialog();
  EXPECT_EQ(contents(out), "keep");
  ASSERT_GE(host->messages.size(), 1u);
  EXPECT_EQ(host->messages.back().text, "Replace " + out.string() + " ?");
  host->file_choices.push_back(out.string());
  host->yes_no_answers.push_back(1);
  export_motion_dialog();
  EXPECT_EQ(contents(out).rfind("Dalve Script File\n", 0), 0u);
  export_motion_dialog();  // cancelled: nothing
}

TEST_F(MotionExport, RecordedFramesStopAtTheArraysEnd) {
  camera_state.camera_x = 1;
  camera_state.camera_y = 2;
  camera_state.camera_z = 3;
  camera_state.camera_bank = 4;
  camera_state.camera_heading = 5;
  camera_state.camera_pitch = 6;
  path_frames[0].node_index = 42;
  EXPECT_EQ(append_camera_frame(), 1);
  EXPECT_EQ(path_frame_count, 1);
  EXPECT_EQ(path_frames[0].pitch, 6.0f);
  EXPECT_EQ(path_frames[0].node_index, 42);  // other fields as they were
  path_frame_count = path_frame_capacity;
  EXPECT_EQ(append_camera_frame(), 0);
  EXPECT_EQ(path_frame_count, path_frame_capacity);
  free_path_frames();
  EXPECT_EQ(append_camera_frame(), 0);
}

}  // namespace
