// The File, Quality and Help menus: each id reaches its dialog or operation, failed and cancelled loads change
// nothing, and the imports bring the derived data up to date as the menus promise.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "engine/animation/quality_scripts.h"
#include "engine/core/settings.h"
#include "engine/files/default_dirs.h"
#include "engine/panels/info_panels.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"
#include "tests/files/image_test_support.h"
#include "tests/panels/command_panel.h"
#include "tests/panels/map_fixture.h"

namespace {

class FileMenuCommands : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    reset_default_dirs();
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    image_width = 800;
    image_height = 600;
    reset_default_dirs();
    MapFixture::TearDown();
  }
  bool asked(const std::string& text) {
    for (const auto& m : host_->messages)
      if (m.text == text) return true;
    return false;
  }
  bool asked_prefix(const std::string& text) {
    for (const auto& m : host_->messages)
      if (m.text.rfind(text, 0) == 0) return true;
    return false;
  }
  void send(uint32_t id) { engine_command(id, 0, 0, topo_panel); }
  static int16_t& at(int32_t row, int32_t column) { return elevation_row(row)[column]; }
  imgtest::TempDir dir;
};

TEST_F(FileMenuCommands, SaveThenOpenLandscapeBringsTheElevationsBack) {
  slope();
  at(40, 40) = 777;
  host_->file_choices.assign({dir.file("land")});
  send(1134);
  ASSERT_TRUE(imgtest::exists(dir.file("land.D4S")));
  at(40, 40) = 0;
  camera_state.camera_x = 1234.0f;
  host_->file_choices.assign({dir.file("land.D4S")});
  send(1124);
  EXPECT_EQ(at(40, 40), 777);
  EXPECT_NE(camera_state.camera_x, 1234.0f);  // the file's stored view
  EXPECT_EQ(derived_data.landscape_changed, 0);  // the map was rebuilt by the refresh
  // Elevations only, in the older format.
  host_->file_choices.assign({dir.file("old.dem")});
  send(1133);
  EXPECT_TRUE(asked("Save entire landscape?"));
  EXPECT_TRUE(imgtest::exists(dir.file("old.dem")));
}

// A landscape file that cannot be read is reported and leaves landscape, camera and colours as they were.
TEST_F(FileMenuCommands, FailedOrCancelledOpenChangesNothing) {
  slope();
  at(40, 40) = 555;
  camera_state.camera_x = 1234.0f;
  cover_row(10)[10].color_class = 77;
  imgtest::write_bytes(dir.file("bad.d4s"), std::vector<uint8_t>(400, 0x41));
  host_->file_choices.assign({dir.file("bad.d4s")});
  send(1124);
  EXPECT_FALSE(host_->messages.empty());
  send(1124);  // cancelled
  region_mode = 1;  // automatic size: the region asks for its size, then its tile (cancelled)
  host_->yes_no_answers.push_back(1);
  send(1125);
  EXPECT_TRUE(asked("Select a region size:"));
  EXPECT_EQ(grid_width, 258);
  EXPECT_EQ(at(40, 40), 555);
  EXPECT_EQ(camera_state.camera_x, 1234.0f);
  EXPECT_EQ(cover_row(10)[10].color_class, 77);
}

TEST_F(FileMenuCommands, ColorSchemeSaveAndLoad) {
  host_->file_choices.assign({dir.file("colours")});
  send(1144);
  ASSERT_EQ(dir.entries().size(), 1u);
  const uint8_t red = color_table[40].red;
  color_table[40].red = static_cast<uint8_t>(red + 1);
  derived_data.palette_stale = 0;
  host_->file_choices.assign({dir.file(dir.entries()[0])});
  send(1130);
  EXPECT_EQ(color_table[40].red, red);
  EXPECT_EQ(derived_data.palette_stale, land_width);
}

TEST_F(FileMenuCommands, BinaryElevationsImportAndItsErrors) {
  std::vector<uint8_t> raw;
  for (int32_t i = 0; i < 10 * 5; ++i) {
    raw.push_back(123);
    raw.push_back(0);
  }
  imgtest::write_bytes(dir.file("heights.bin"), raw);
  derived_data.colors_done_step = 0;
  host_->file_choices.assign({dir.file("heights.bin")});
  host_->value_answers.assign({{1, 10}, {1, 5}, {1, 0}});
  send(1126);
  EXPECT_EQ(at(0, 0), 123);
  EXPECT_EQ(at(4, 9), 123);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  // Too short for the rows asked for: the reading error with the file's name; nothing changes.
  at(0, 0) = 9;
  host_->file_choices.assign({dir.file("heights.bin")});
  host_->value_answers.assign({{1, 10}, {1, 50}, {1, 0}});
  send(1126);
  EXPECT_TRUE(asked_prefix("Error reading file:"));
  EXPECT_EQ(at(0, 0), 9);
}

TEST_F(FileMenuCommands, ElevationsAndGroundColoursAsPcx) {
  slope();
  at(30, 30) = 160;
  host_->file_choices.assign({dir.file("elev")});
  send(1267);
  ASSERT_TRUE(imgtest::exists(dir.file("elev.PCX")));
  at(30, 30) = 0;
  host_->file_choices.assign({dir.file("elev.PCX")});
  send(1268);
  EXPECT_EQ(at(30, 30), 160);
  // Import failures.
  host_->messages.clear();
  host_->file_choices.assign({dir.file("missing.pcx")});
  send(1268);
  EXPECT_TRUE(asked("Error reading PCX file."));
  imgtest::write_bytes(dir.file("odd.pcx"), std::vector<uint8_t>(300, 0x0A));
  host_->file_choices.assign({dir.file("odd.pcx")});
  send(1268);
  EXPECT_TRUE(asked("Wrong PCX file format.") || asked("Error reading PCX file."));

  // Ground colours: out, then in as terrain types (Gouraud left alone) and as colours (Gouraud on).
  host_->file_choices.assign({dir.file("ground")});
  send(1269);
  ASSERT_TRUE(imgtest::exists(dir.file("ground.PCX")));
  render_settings.gouraud_enabled = 0;
  derived_data.colors_done_step = 500;
  host_->file_choices.assign({dir.file("ground.PCX")});
  host_->yes_no_answers.push_back(1);
  send(1270);
  EXPECT_EQ(derived_data.colors_done_step, 0);
  EXPECT_EQ(derived_data.cliffs_done_step, 0);
  EXPECT_EQ(render_settings.gouraud_enabled, 0);
  host_->file_choices.assign({dir.file("ground.PCX")});
  host_->yes_no_answers.push_back(0);
  send(1270);
  EXPECT_EQ(render_settings.gouraud_enabled, 1);
}

TEST_F(FileMenuCommands, ViewImportsNeedTheEightBitImage) {
  for (uint32_t id : {1271u, 1272u}) {
    host_->messages.clear();
    derived_data.colors_done_step = 500;
    send(id);
    ASSERT_EQ(host_->messages.size(), 1u) << id;
    EXPECT_EQ(host_->messages[0].text, "This function requires 8-bit mode.");
    EXPECT_EQ(derived_data.colors_done_step, 500);
  }
  imgtest::FrameScope frame(32, 24);
  imgtest::fill_frames(5);
  send(1271);
  EXPECT_TRUE(asked("Convert View to ALT:"));
  send(1272);
  EXPECT_EQ(derived_data.colors_done_step, 0);
}

TEST_F(FileMenuCommands, ExportsWriteTheirFiles) {
  slope();
  struct Case {
    uint32_t id;
    const char* name;
  };
  const Case cases[] = {{1136, "z"}, {1137, "grid"}, {1138, "mesh"}};
  for (const Case& c : cases) {
    const size_t before = dir.entries().size();
    host_->file_choices.assign({dir.file(c.name)});
    send(c.id);
    EXPECT_EQ(dir.entries().size(), before + 1) << c.id;
  }
  // The texture map needs the 32-bit buffer.
  host_->messages.clear();
  host_->file_choices.assign({dir.file("texture")});
  send(1139);
  EXPECT_TRUE(asked("This function requires 24-bit mode."));
  EXPECT_EQ(host_->file_choices.size(), 1u);
  imgtest::FrameScope frame(32, 24);
  send(1139);
  EXPECT_TRUE(host_->file_choices.empty());
  EXPECT_EQ(dir.entries().size(), 4u);
}

TEST_F(FileMenuCommands, QualityPresetsRunTheirScripts) {
  const std::string folder = dir.path() + "/";
  set_default_dir_iq(folder.c_str());
  const char* names[] = {"iq_low.scr", "iq_med.scr", "iq_hi.scr", "iq_ultra.scr", "mine.scr"};
  for (int32_t i = 0; i < 5; ++i)
    std::ofstream(dir.file(names[i])) << "Dalve Script File\n\nHaze " << 10 + i << "\n";
  host_->file_choices.assign({dir.file("mine.scr")});
  for (int32_t i = 0; i < 5; ++i) {
    send(static_cast<uint32_t>(1278 + i));
    EXPECT_EQ(render_settings.haze_density, 10 + i) << 1278 + i;
  }
}

TEST_F(FileMenuCommands, HelpPagesAndPriority) {
  // The program runs in its own folder, where its help page lies.
  std::ofstream(dir.file("README.md")) << "help";
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  for (uint32_t id = 1073; id <= 1093; ++id) {
    host_->opened_files.clear();
    send(id);
    ASSERT_EQ(host_->opened_files.size(), 1u) << id;
    EXPECT_EQ(host_->opened_files[0], "README.md");
  }
  std::filesystem::current_path(cwd);
  host_->yes_no_answers.push_back(1);
  send(1420);
  EXPECT_TRUE(asked("Select priority level"));
  EXPECT_EQ(host_->engine_priority_low, 1);
}

// The presets shipped beside the program: each runs without a complaint, and Low and Ultra differ as their names say.
TEST_F(FileMenuCommands, ShippedQualityPresetsRun) {
  const std::string folder = (std::filesystem::path(DALVENOR_PROGRAM).parent_path() / "iq").string() + "/";
  set_default_dir_iq(folder.c_str());
  send(1278);
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_EQ(render_settings.gouraud_enabled, 0);
  EXPECT_EQ(render_settings.dither_amount, 0);
  for (uint32_t id : {1279u, 1280u, 1281u}) {
    send(id);
    EXPECT_TRUE(host_->messages.empty()) << id;
    EXPECT_EQ(render_settings.gouraud_enabled, 1) << id;
    EXPECT_GT(render_settings.dither_amount, 0) << id;
  }
}

// The Help menu's information panels and the Image panel's display options open their pop-ups, once each.
TEST_F(FileMenuCommands, InformationPanelsOpenOnceEach) {
  struct Case {
    uint32_t id;
    PopupSlot* slot;
  };
  const Case cases[] = {{1070, &info_panels_state.about},
                        {1069, &info_panels_state.landscape_info},
                        {1071, &info_panels_state.image_stats},
                        {1027, &info_panels_state.display}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.slot->panel, nullptr) << c.id;
    send(c.id);
    PanelRecord* opened = c.slot->panel;
    EXPECT_NE(opened, nullptr) << c.id;
    send(c.id);
    EXPECT_EQ(c.slot->panel, opened) << c.id;
  }
  for (const Case& c : cases) {
    if (c.slot->panel) panel_free(c.slot->panel);
  }
  reset_info_panels_state();
}

}  // namespace
