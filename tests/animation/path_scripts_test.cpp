// Camera path scripts: new, add keyframe, straight flight, preview with and without recording, walkabout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/animation/motion_export.h"
#include "engine/ui/pointer.h"
#include "tests/animation/path_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t count_lines(const std::string& s) {
  size_t n = 0;
  for (char c : s) n += c == '\n';
  return n;
}

const char kHeaders[] = "Dalve Script File\n  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,  (delta)\n";

std::vector<std::pair<int32_t, int32_t>> dots;

class PathScripts : public PathTest {
 protected:
  void SetUp() override {
    PathTest::SetUp();
    dir = make_temp_dir("dalvenor_pathscr_");
    dots.clear();
  }
  void TearDown() override {
    fs::remove_all(dir);
    PathTest::TearDown();
  }
  std::string file(const char* name, const std::string& text) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  fs::path dir;
};

TEST_F(PathScripts, NewScriptHoldsTheHeaderLinesAndGetsItsExtension) {
  const fs::path p = dir / "made" / "flight";
  host->file_choices.push_back(p.string());
  EXPECT_EQ(path_script_new(), 1);
  EXPECT_EQ(std::string(script_path), p.string() + ".SCR");
  EXPECT_EQ(std::string(script_name), "flight.SCR");
  EXPECT_EQ(contents(p.string() + ".SCR"), kHeaders);
  EXPECT_EQ(path_script_new(), 1);  // cancelled
  host->file_choices.push_back(p.string() + ".SCR");
  host->yes_no_answers.push_back(0);
  EXPECT_EQ(path_script_new(), 0);  // replace refused
}

TEST_F(PathScripts, KeyframesAreAppendedOnlyToScripts) {
  const std::string not_script = file("notes.scr", "hello\n");
  std::snprintf(script_path, sizeof script_path, "%s", not_script.c_str());
  EXPECT_EQ(path_script_add_keyframe(), 0);
  EXPECT_EQ(contents(not_script), "hello\n");
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "\"" + not_script + "\" is not a script file");

  const std::string script = file("a.scr", std::string(kHeaders) + "Rem no line end");
  std::snprintf(script_path, sizeof script_path, "%s", script.c_str());
  camera_state.camera_x = 1234.9f;
  camera_state.camera_y = -56.7f;
  camera_state.camera_z = 800.0f;
  camera_state.camera_bank = -3.9f;
  camera_state.camera_heading = 271.0f;
  camera_state.camera_pitch = 12.0f;
  EXPECT_EQ(path_script_add_keyframe(), 1);
  EXPECT_EQ(contents(script), std::string(kHeaders) + "Rem no line end\n 1234,   -56,   800,   -3,  271,   12,\n");

  std::snprintf(script_path, sizeof script_path, "%s", (dir / "missing.scr").c_str());
  EXPECT_EQ(path_script_add_keyframe(), 0);
  EXPECT_EQ(host->messages.back().text, "Error opening file: \"" + (dir / "missing.scr").string() + "\"");
}

TEST_F(PathScripts, OpenChecksTheHeader) {
  host->file_choices.push_back(file("x.scr", "Not a script\n"));
  EXPECT_EQ(path_script_open(), 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_NE(host->messages[0].text.find("is not a script file"), std::string::npos);
  host->file_choices.push_back(file("y.scr", kHeaders));
  EXPECT_EQ(path_script_open(), 1);
  EXPECT_EQ(host->messages.size(), 1u);
}

TEST_F(PathScripts, StraightFlightToTheTarget) {
  camera_state.camera_x = 0;
  camera_state.camera_y = 0;
  camera_state.camera_z = 100;
  camera_state.target_x = 400;
  camera_state.target_y = 200;
  camera_state.target_z = 500;
  camera_state.camera_heading = 30;
  const fs::path p = dir / "fly.scr";
  host->file_choices.push_back(p.string());
  host->value_answers.push_back({1, 4});
  EXPECT_EQ(path_script_fly_to_target(), 1);
  EXPECT_EQ(contents(p), std::string(kHeaders) +
                             "0.000000, 0.000000, 100.000000, 0.000000, 30.000000, 0.000000,\n"
                             "100.000000, 50.000000, 200.000000, 0.000000, 30.000000, 0.000000,\n"
                             "200.000000, 100.000000, 300.000000, 0.000000, 30.000000, 0.000000,\n"
                             "300.000000, 150.000000, 400.000000, 0.000000, 30.000000, 0.000000,\n");
  EXPECT_EQ(fly_frames_default, 4);
  EXPECT_EQ(host->messages.back().text, "Number of frames?");
}

TEST_F(PathScripts, TwoHundredThousandFramesGive99999) {
  const fs::path p = dir / "long.scr";
  host->file_choices.push_back(p.string());
  host->value_answers.push_back({1, 200000});
  EXPECT_EQ(path_script_fly_to_target(), 1);
  EXPECT_EQ(count_lines(contents(p)), 2u + 99999u);
  EXPECT_EQ(fly_frames_default, 99999);
  host->file_choices.push_back(p.string());
  host->yes_no_answers.push_back(1);
  host->value_answers.push_back({1, -5});
  EXPECT_EQ(path_script_fly_to_target(), 1);
  EXPECT_EQ(contents(p), kHeaders);
  EXPECT_EQ(fly_frames_default, 0);
  host->file_choices.push_back(p.string());
  host->yes_no_answers.push_back(1);
  host->value_answers.push_back({0, 10});
  EXPECT_EQ(path_script_fly_to_target(), -1);
  EXPECT_EQ(path_script_fly_to_target(), -1);  // dialog cancelled
}

TEST_F(PathScripts, PreviewWithoutKeyframesEndsAtOnceAndRunsNoCommands) {
  host->file_choices.push_back(file("cmd.scr", std::string(kHeaders) + "CameraXYZ 1 2 3\nRender\n"));
  host->yes_no_answers.push_back(1);  // 2D
  camera_state.camera_x = 55;
  EXPECT_EQ(preview_path_script(15, 0), 1);
  EXPECT_EQ(camera_state.camera_x, 55.0f);
  ASSERT_EQ(host->messages.size(), 2u);
  EXPECT_EQ(host->messages[0].text, "2D or 3D preview?");
  EXPECT_EQ(host->messages[0].button1, "2D");
  EXPECT_EQ(host->messages[0].button2, "3D");
  EXPECT_EQ(host->messages[1].text, "End of script.");
  EXPECT_EQ(preview_path_script(15, 0), 0);  // cancelled
}

TEST_F(PathScripts, MapDotsInsideTheWindowOnly) {
  path_preview_hooks.map_pixel = [](int32_t x, int32_t y, int32_t index) {
    EXPECT_EQ(index, 0);
    dots.push_back({x, y});
  };
  // 7680 metres a side: x 3840 is map x 158, y 3840 is map y 152; far points fall outside.
  host->file_choices.push_back(file("m.scr", std::string(kHeaders) +
                                                 "3840, 3840, 500, 5, 90, 0,\n"
                                                 "-20000, 3840, 500, 0, 0, 0,\n"
                                                 "3840, -30000, 500, 0, 0, 0,\n"
                                                 "0, 0, 100, 7, 8, 9,\n"));
  host->yes_no_answers.push_back(1);
  EXPECT_EQ(preview_path_script(15, 0), 1);
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ(dots[0], std::make_pair(158, 152));
  EXPECT_EQ(dots[1], std::make_pair(30, 280));
  EXPECT_EQ(camera_state.camera_x, 0.0f);
  EXPECT_EQ(camera_state.camera_heading, 8.0f);
  EXPECT_EQ(camera_state.camera_bank, 0.0f);  // reset after the preview
}

TEST_F(PathScripts, WireFramePreviewKeepsItsFrameRate) {
  static int draws = 0;
  draws = 0;
  path_preview_hooks.preview_draw = [](int32_t perspective) {
    EXPECT_EQ(perspective, 0);
    ++draws;
  };
  host->file_choices.push_back(file("w.scr", std::string(kHeaders) + "1, 2, 3, 0, 0, 0,\n4, 5, 6, 0, 0, 0,\n"
                                                                     "7, 8, 9, 0, 0, 0,\n"));
  host->yes_no_answers.push_back(0);  // 3D
  const uint32_t start = host->now;
  EXPECT_EQ(preview_path_script(10, 0), 1);
  EXPECT_EQ(draws, 3);
  EXPECT_GE(host->now - start, 400u);  // four periods of 100 ms, the last before the end of the file
}

TEST_F(PathScripts, DataFormatErrorEndsThePreview) {
  host->file_choices.push_back(file("bad.scr", std::string(kHeaders) + "1, 2, 3\n4, 5, 6, 0, 0, 0,\n"));
  host->yes_no_answers.push_back(1);
  EXPECT_EQ(preview_path_script(15, 0), 1);
  EXPECT_EQ(host->messages.back().text, "Data format error!");
  EXPECT_EQ(camera_state.camera_x, 0.0f);
}

TEST_F(PathScripts, ImportRecordsEveryKeyframeAsAFrame) {
  set_nodes({node(1, 1, 1), node(2, 2, 2), node(3, 3, 3), node(4, 4, 4)});
  host->file_choices.push_back(
      file("rec.scr", std::string(kHeaders) + "Rem two\n100, 200, 300, 1, 2, 3,\n110, 210, 310, 4, 5, 6,\n"));
  host->yes_no_answers.push_back(0);  // 3D
  EXPECT_EQ(import_script_path(), 1);
  EXPECT_EQ(path_node_count, 0);
  ASSERT_EQ(path_frame_count, 2);
  EXPECT_EQ(path_frames[1].x, 110.0f);
  EXPECT_EQ(path_frames[1].pitch, 6.0f);
  // A full array stops the recording with a message.
  std::string many(kHeaders);
  for (int i = 0; i < 12; ++i) many += "1, 2, 3, 0, 0, 0,\n";
  host->file_choices.push_back(file("many.scr", many));
  host->yes_no_answers.push_back(1);
  clear_path();
  path_frame_count = path_frame_capacity - 5;
  EXPECT_EQ(preview_path_script(200, 1), 1);
  EXPECT_EQ(path_frame_count, path_frame_capacity);
  EXPECT_EQ(host->messages.back().text, "Too many frames: the flight ends at frame 9999.");
}

TEST_F(PathScripts, WalkaboutStaysOnTheLandscapeAndFollowsTheGround) {
  fill_elevations(40);
  camera_state.camera_x = -500.0f;
  camera_state.camera_y = 99999.0f;
  camera_state.camera_heading = 90.0f;  // looking along -x
  camera_state.camera_pitch = 30.0f;
  for (int i = 0; i < 5; ++i) host->keys.push_back(0x4800);  // Up: 30 metres forward each
  host->keys.push_back(0x0D2B);                              // "+"
  host->keys.push_back(0x4B00);                              // Left
  host->keys.push_back(0x011B);                              // Esc
  EXPECT_EQ(walkabout(nullptr), 1);
  EXPECT_EQ(camera_state.camera_x, 0.0f);
  EXPECT_EQ(camera_state.camera_y, 7680.0f);
  EXPECT_EQ(camera_state.camera_z, 40.0f + camera_state.camera_height);
  EXPECT_EQ(camera_state.camera_pitch, 1.0f);
  EXPECT_EQ(camera_state.camera_heading, 91.0f);
  EXPECT_EQ(host->status_texts.front().find("Press ESC to terminate.") != std::string::npos, true);
  EXPECT_EQ(host->cursor, 1);
}

TEST_F(PathScripts, WalkaboutMovesForwardAlongTheHeading) {
  camera_state.camera_x = 3000.0f;
  camera_state.camera_y = 3000.0f;
  camera_state.camera_heading = 0.0f;
  host->keys.push_back(0x4800);
  host->keys.push_back(0x5100);  // Page Down: 30 metres to the side
  host->keys.push_back(0x011B);
  walkabout(nullptr);
  EXPECT_NEAR(camera_state.camera_x, 3030.0f, 1e-3);
  EXPECT_NEAR(camera_state.camera_y, 3030.0f, 1e-3);
}

}  // namespace

namespace {

// A host whose pointer moves 50 pixels right and 20 down at the first key poll, then answers Esc.
class MovingPointerHost : public HeadlessHost {
 public:
  int32_t polls = 0;
  int32_t next_key() override {
    ++polls;
    if (polls == 1) {
      pointer_x += 50;
      pointer_y += 20;
      return 0;
    }
    return 0x011B;
  }
};

TEST_F(PathScripts, WalkaboutPointerTurnsOrMovesAndTheRightButtonLeaves) {
  MovingPointerHost moving;
  set_host(&moving);
  camera_state.camera_x = 3000.0f;
  camera_state.camera_y = 3000.0f;
  camera_state.camera_heading = 10.0f;
  EXPECT_EQ(walkabout(nullptr), 1);
  EXPECT_EQ(camera_state.camera_heading, 5.0f);           // 50 pixels right turns 5 degrees clockwise
  // 20 down walks 20 metres back along the new heading.
  EXPECT_NEAR(camera_state.camera_y, 3000.0f - 20.0f * std::cos(5.0 * M_PI / 180.0), 1e-2);

  // With the left button held the motion sidesteps and pitches.
  MovingPointerHost holding;
  holding.buttons = kHostButtonLeft;
  set_host(&holding);
  camera_state.camera_heading = 0.0f;
  camera_state.camera_x = 3000.0f;
  camera_state.camera_pitch = 0.0f;
  EXPECT_EQ(walkabout(nullptr), 1);
  EXPECT_EQ(camera_state.camera_heading, 0.0f);
  EXPECT_EQ(camera_state.camera_pitch, 2.0f);
  EXPECT_NEAR(camera_state.camera_x, 3000.0f + 50.0f * std::cos(2.0 * M_PI / 180.0), 1e-2);  // at the new pitch

  HeadlessHost right;
  right.buttons = kHostButtonRight;
  set_host(&right);
  camera_state.camera_heading = 10.0f;
  EXPECT_EQ(walkabout(nullptr), 1);  // ends on the first poll, no key needed
  EXPECT_EQ(camera_state.camera_heading, 10.0f);
  set_host(&*host);
}

}  // namespace
