// Image-quality presets, the animation viewers and the web links.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/animation/animation_maker.h"
#include "engine/animation/quality_scripts.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "engine/raster/frame_buffers.h"
#include "script_test_fixture.h"

namespace {

namespace fs = std::filesystem;

class QualityScripts : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "dalvenor_iq_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ASSERT_EQ(set_image_size(32, 24), 1);
    reset_default_dirs();
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    fs::remove_all(dir_);
    reset_default_dirs();
    ScriptTest::TearDown();
  }
  void write(const std::string& name, const std::string& body) {
    std::ofstream(dir_ / name, std::ios::binary) << "Dalve Script File\n\n" << body;
  }
  fs::path dir_;
};

TEST_F(QualityScripts, PresetsLoadFromTheQualityFolderAndNeverWriteFrames) {
  // "DefaultDirIQ" with a folder without its final separator: the presets load from inside it.
  ASSERT_EQ(line("DefaultDirIQ " + dir_.string()), 1);
  write("iq_low.scr", "Haze 11\nAutoSaveOn\nRender\n");
  write("iq_med.scr", "Haze 22\n");
  write("iq_ultra.scr", "Haze 44\n");
  animation_state.animation_output = kOutputTargaSeries;
  const fs::path cwd = fs::current_path();
  fs::current_path(dir_);
  EXPECT_EQ(run_iq_script_low(), 1);
  fs::current_path(cwd);
  EXPECT_EQ(render_settings.haze_density, 11);
  for (const auto& entry : fs::directory_iterator(dir_)) EXPECT_NE(entry.path().extension(), ".TGA");
  EXPECT_EQ(run_iq_script_med(), 1);
  EXPECT_EQ(render_settings.haze_density, 22);
  EXPECT_EQ(run_iq_script_ultra(), 1);
  EXPECT_EQ(render_settings.haze_density, 44);
  // A missing preset: the opening error and 0; the settings stay.
  EXPECT_EQ(run_iq_script_hi(), 0);
  EXPECT_EQ(render_settings.haze_density, 44);
  ASSERT_FALSE(host->messages.empty());
  EXPECT_NE(host->messages.back().text.find("Error opening file:"), std::string::npos);
  EXPECT_NE(host->messages.back().text.find("iq_hi.scr"), std::string::npos);
}

TEST_F(QualityScripts, UserScriptIsChosenThenRun) {
  EXPECT_EQ(run_iq_script_user(), -1);  // cancelled
  write("mine.scr", "Haze 33\n");
  host->file_choices.push_back((dir_ / "mine.scr").string());
  EXPECT_EQ(run_iq_script_user(), 1);
  EXPECT_EQ(render_settings.haze_density, 33);
  EXPECT_STREQ(iq_dir, "iq\\");  // the folder chosen is not kept
}

TEST_F(QualityScripts, ViewersOpenTheChosenAnimation) {
  EXPECT_EQ(view_flc_animation(), 1);
  EXPECT_EQ(view_avi_animation(), 1);
  EXPECT_TRUE(host->opened_files.empty());
  host->file_choices.push_back((dir_ / "fly.flc").string());
  EXPECT_EQ(view_flc_animation(), 1);
  host->file_choices.push_back((dir_ / "fly.avi").string());
  EXPECT_EQ(view_avi_animation(), 1);
  ASSERT_EQ(host->opened_files.size(), 2u);
  EXPECT_EQ(host->opened_files[0], (dir_ / "fly.flc").string());
  EXPECT_EQ(host->opened_files[1], (dir_ / "fly.avi").string());
}

// Every page is this project's own help page, found in the program's folder (the current folder).
TEST_F(QualityScripts, EveryHelpPageOpensTheProgramsOwnHelpPage) {
  for (int32_t page = 1073; page <= 1093; ++page) {
    ASSERT_NE(web_link_address(page), nullptr) << page;
    EXPECT_STREQ(web_link_address(page), "README.md");
  }
  EXPECT_EQ(web_link_address(1072), nullptr);
  EXPECT_EQ(web_link_address(1094), nullptr);
  EXPECT_EQ(open_web_link(1094), 0);
  const fs::path cwd = fs::current_path();
  fs::current_path(dir_);
  // Missing: said so, nothing opened.
  EXPECT_EQ(open_web_link(1091), 0);
  EXPECT_TRUE(host->opened_files.empty());
  ASSERT_FALSE(host->messages.empty());
  EXPECT_NE(host->messages.back().text.find("README.md"), std::string::npos);
  write("README.md", "help");
  EXPECT_EQ(open_web_link(1091), 1);
  fs::current_path(cwd);
  ASSERT_EQ(host->opened_files.size(), 1u);
  EXPECT_EQ(host->opened_files[0], "README.md");
}

}  // namespace
