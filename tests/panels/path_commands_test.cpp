// Every command id of the Path and Animation panels reaching its operation through the command handler,
// with the messages and limits of each.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/animation/path_scripts.h"
#include "engine/animation/script_dialog_buffers.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/vehicle_dialog.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_ops.h"
#include "tests/panels/path_edit_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr char kScriptHead[] = "Dalve Script File\n  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,\n";

class PathCommands : public PathEditTest {
 protected:
  void SetUp() override {
    PathEditTest::SetUp();
    dir_ = fs::temp_directory_path() / ("dalvenor_pathcmd_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (vehicle_dialog_panel) panel_free(vehicle_dialog_panel);
    fs::remove_all(dir_);
    PathEditTest::TearDown();
  }
  void four_nodes() {
    nodes_at({{60, 150}, {110, 170}, {160, 150}, {210, 170}});
    generate_path_frames(0);
  }
  std::string file(const std::string& name) { return (dir_ / name).string(); }
  static std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void send(int32_t id) { engine_command(static_cast<uint32_t>(id), 0, 0, &path_.panel); }
  fs::path dir_;
};

TEST_F(PathCommands, NoIdOfTheFamilyIsWaitingAnyMore) {
  const int32_t ids[] = {1103, 1104, 1105, 1106, 1107, 1108, 1109, 1110, 1112, 1114, 1115, 1116, 1117,
                         1159, 1362, 1364, 1365, 1366, 1367, 1368, 1370, 1372, 1373, 1374, 1376, 1377,
                         1378, 1379, 1380, 1381, 1382, 1383, 1384, 1385, 1396, 1400, 1401};
  for (const int32_t id : ids) {
    EXPECT_NE(find_command_row(static_cast<uint32_t>(id)), nullptr) << id;
  }
}

TEST_F(PathCommands, ToolButtonsArmTheirToolAndReturnToDragging) {
  for (const int32_t id : {1364, 1365, 1366, 1367, 1368, 1400, 1401}) {
    path_gadget(id)->state = kGadgetOn;
    send(id);
    EXPECT_EQ(render_settings.topo_click_mode, id);
    path_gadget(id)->state = kGadgetOff;
    send(id);
    EXPECT_EQ(render_settings.topo_click_mode, 1363);
  }
}

TEST_F(PathCommands, SliderSpeedLoopAndPresets) {
  four_nodes();
  path_gadget(1372)->value = 4;
  send(1372);
  EXPECT_EQ(current_frame, 4);
  EXPECT_EQ(camera_state.camera_x, path_frames[4].x);
  path_gadget(1374)->value = 6000;
  send(1374);
  EXPECT_EQ(vehicle.path_speed, 6000);
  EXPECT_FLOAT_EQ(path_nodes[0].speed, 6000.0f);
  path_gadget(1373)->state = kGadgetOn;
  send(1373);
  EXPECT_EQ(closed_loop, 1);
  EXPECT_EQ(closed_loop_work, 1);
  for (const VehiclePreset& p : vehicle_presets) {
    send(p.id);
    EXPECT_EQ(vehicle.vehicle_class, p.vehicle_class) << p.item;
    EXPECT_EQ(vehicle.smoothing_passes, p.smoothing_passes) << p.item;
  }
  // A preset with an empty path still regenerates, to no frames.
  clear_path();
  send(1379);
  EXPECT_EQ(path_frame_count, 0);
  send(1385);
  EXPECT_NE(vehicle_dialog_panel, nullptr);
}

TEST_F(PathCommands, PreviewPlaysTheFramesAndReleasesTheButton) {
  four_nodes();
  path_gadget(1370)->state = kGadgetOn;
  render_settings.topo_click_mode = 1365;
  animation_state.frame_rate = 200;
  send(1370);
  EXPECT_EQ(current_frame, path_frame_count - 1);
  EXPECT_EQ(path_gadget(1370)->state, kGadgetOff);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
}

TEST_F(PathCommands, PreviewWithoutFramesPlaysOrImportsAScript) {
  const std::string script = file("keys.scr");
  std::ofstream(script, std::ios::binary) << kScriptHead << "100, 200, 300, 0, 10, 0,\n150, 250, 320, 0, 20, 0,\n";
  host_->file_choices.push_back(script);
  send(1370);
  EXPECT_EQ(path_frame_count, 0);
  EXPECT_EQ(camera_state.camera_x, 150.0f);
  host_->control = 1;
  host_->file_choices.push_back(script);
  send(1370);
  EXPECT_EQ(path_frame_count, 2);
  EXPECT_EQ(path_frames[1].y, 250.0f);
}

TEST_F(PathCommands, ExportNeedsFrames) {
  path_gadget(1396)->state = kGadgetOn;
  send(1396);
  EXPECT_EQ(messages(), "No path defined.");
  EXPECT_EQ(path_gadget(1396)->state, kGadgetOff);
  four_nodes();
  host_->file_choices.push_back(file("flight.scr"));
  send(1396);
  EXPECT_EQ(contents(file("flight.scr")).rfind("Dalve Script File", 0), 0u);
}

TEST_F(PathCommands, CameraPathScriptIds) {
  const std::string script = file("cam.scr");
  host_->file_choices.push_back(script);
  send(1103);
  EXPECT_EQ(contents(script).rfind("Dalve Script File", 0), 0u);
  host_->file_choices.push_back(script);
  send(1104);
  camera_state.camera_x = 321.0f;
  send(1105);
  EXPECT_NE(contents(script).find("  321,"), std::string::npos);
  host_->file_choices.push_back(script);
  host_->value_answers.push_back({1, 3});
  send(1106);
  EXPECT_EQ(fly_frames_default, 3);
  host_->file_choices.push_back(script);
  camera_state.camera_x = 0.0f;
  send(1159);
  EXPECT_NE(camera_state.camera_x, 0.0f);
}

TEST_F(PathCommands, AnimationSpeedIsClamped) {
  struct Case {
    int32_t in, out;
  } cases[] = {{0, 1}, {500, 200}, {24, 24}, {-3, 1}};
  PanelRecord animation{};
  GadgetRecord field{};
  field.kind = kGadgetInteger;
  field.id = 1117;
  animation.gadgets = &field;
  for (const Case& c : cases) {
    field.value = c.in;
    engine_command(1117, 0, 0, &animation);
    EXPECT_EQ(animation_state.frame_rate, c.out) << c.in;
  }
}

TEST_F(PathCommands, AnimationsNeedTheirFrameBuffer) {
  free_vidmem24();
  free_vidmem8();
  struct Case {
    int32_t id;
    const char* message;
  } cases[] = {{1114, "This function requires 24-bit mode."}, {1112, "This function requires 8-bit mode."},
               {1110, "This function requires 8-bit mode."},  {1108, "This function requires 24-bit mode."},
               {1109, "This function requires 24-bit mode."}, {1107, "This function requires 24-bit mode."}};
  for (const Case& c : cases) {
    host_->messages.clear();
    animation_state.animation_output = 3;
    send(c.id);
    EXPECT_EQ(messages(), c.message) << c.id;
    EXPECT_EQ(animation_state.animation_output, 3) << c.id;
  }
}

TEST_F(PathCommands, AnimationResultsAreReported) {
  ASSERT_EQ(set_image_size(32, 24), 1);
  struct Case {
    bool header;
    const char* body;
    const char* message;
  } cases[] = {{true, "100, 200, 300, 0, 0, 0,\n", "Script completed successfully."},
               {false, "no script here\n", "Format error in script!"}};
  int n = 0;
  for (const Case& c : cases) {
    const std::string script = file("anim" + std::to_string(n) + ".scr");
    std::ofstream(script, std::ios::binary) << (c.header ? kScriptHead : "") << c.body;
    host_->file_choices.push_back(script);
    host_->file_choices.push_back(file("out" + std::to_string(n++)));
    host_->messages.clear();
    send(1107);
    EXPECT_EQ(animation_state.animation_output, 5);
    ASSERT_FALSE(host_->messages.empty());
    EXPECT_EQ(host_->messages.back().text, c.message);
    EXPECT_EQ(host_->messages.back().button1, "  OK  ");
  }
  // A cancelled script dialog reports nothing.
  host_->messages.clear();
  send(1107);
  EXPECT_EQ(messages(), "");
  free_vidmem24();
  free_vidmem8();
}

TEST_F(PathCommands, ViewersOpenTheChosenFile) {
  for (const int32_t id : {1115, 1116}) {
    const std::string movie = file(id == 1115 ? "a.FLC" : "a.AVI");
    std::ofstream(movie) << "x";
    host_->file_choices.push_back(movie);
    send(id);
    ASSERT_FALSE(host_->opened_files.empty()) << id;
    EXPECT_EQ(host_->opened_files.back(), movie);
  }
}

}  // namespace
