// Start-up: the order of start-up files and arguments, options, relative paths and failures.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "engine/animation/path_frames.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/app/command_line.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/app/startup.h"
#include "engine/app/startup_command.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "tests/support/engine_test.h"

namespace fs = std::filesystem;

namespace {

// A program folder and a separate folder the user starts in, under a fresh temporary folder.
class StartupTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_default_dirs();
    user_abort = 0;  // a stop left by an earlier test must not end this one's operations
    clear_path();
    set_landscape_size(34, 34);
    char old[4096];
    ASSERT_NE(::getcwd(old, sizeof old), nullptr);
    old_cwd_ = old;
    char pattern[] = "/tmp/dalvenor_startup_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    prog_ = root_ / "prog";
    work_ = root_ / "work";
    fs::create_directories(prog_);
    fs::create_directories(work_);
    ASSERT_EQ(::chdir(work_.c_str()), 0);
  }
  void TearDown() override {
    EXPECT_EQ(::chdir(old_cwd_.c_str()), 0);
    std::error_code ec;
    fs::remove_all(root_, ec);
    reset_settings_defaults();
    reset_default_dirs();
    reset_camera_state();
    clear_path();
    set_landscape_size(258, 258);
  }

  // A script whose only line is an unknown word, so that running it shows "Script error: <marker>".
  static void write_script(const fs::path& path, const std::string& marker) {
    std::ofstream(path) << "Dalve Script File\n\n" << marker << "\n";
  }
  // The program as started from the work folder, followed by the arguments.
  void start(const std::string& arguments) {
    const std::string line = (root_ / "prog" / "dalvenor").string() + " " + arguments;
    set_command_line(line.c_str());
    startup();
  }
  // What each message was about: a script's marker or a landscape file's name. The closing note that
  // names a failed script's file and line is left out.
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    const std::regex fault_line("^Script \"[^\"]*\", line [0-9]+: ");
    const std::regex marker("Script error: (\\w+)"), landscape("Error (?:opening|reading) file: \"([^\"]+)\""),
        movie("(movie)");
    for (const auto& m : host_->messages) {
      std::smatch s;
      if (std::regex_search(m.text, s, fault_line)) continue;
      if (std::regex_search(m.text, s, marker) || std::regex_search(m.text, s, movie)) {
        out.push_back(s[1]);
      } else if (std::regex_search(m.text, s, landscape)) {
        const fs::path file = s[1].str();
        out.push_back(file.is_absolute() ? file.lexically_relative(root_).string() : file.string());
      } else {
        out.push_back(m.text);
      }
    }
    return out;
  }
  std::string cwd() const {
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? buf : "";
  }

  ScopedHeadlessHost host_;
  std::string old_cwd_;
  fs::path root_, prog_, work_;
};

using Names = std::vector<std::string>;

TEST_F(StartupTest, StartupFilesAndArgumentsRunInOrder) {
  write_script(prog_ / "startup.scr", "FromStartupScript");
  std::ofstream(prog_ / "STARTUP.D4S") << "x";
  write_script(work_ / "a.scr", "FromArgument");
  write_script(prog_ / "a.scr", "FromProgramFolder");  // a relative argument never means this one
  fs::create_directories(prog_ / "DEM");

  start("b.dem a.scr");
  EXPECT_EQ(shown(), (Names{"FromStartupScript", "work/b.dem", "FromArgument", "STARTUP.D4S"}));
  EXPECT_EQ(fs::path(cwd()), fs::canonical(prog_));  // the program folder became the current folder
  EXPECT_EQ(std::string(program_dir), cwd() + "/");
  EXPECT_EQ(std::string(launch_dir), fs::canonical(work_).string() + "/");
  EXPECT_EQ(std::string(dem_dir_work), std::string(program_dir) + "DEM\\");
}

TEST_F(StartupTest, SlashStartsAPathAndOnlyDashStartsAnOption) {
  write_script(root_ / "abs.scr", "FromAbsolutePath");
  start((root_ / "abs.scr").string() + " /tj -tb");
  // "/tj" is a path (of no kind the command line runs, so it is refused by name), never an option.
  EXPECT_EQ(shown(), (Names{"FromAbsolutePath", "Not a script or landscape file, not used:\n\"/tj\""}));
  EXPECT_EQ(animation_state.animation_output, kOutputBmpSeries);
}

TEST_F(StartupTest, ArgumentsAfterTheSixteenthAreRefusedByName) {
  write_script(work_ / "kept.scr", "Kept");
  write_script(work_ / "dropped.scr", "Dropped");
  std::string arguments;
  for (int i = 1; i <= 14; ++i) arguments += "-x" + std::to_string(i) + " ";
  start(arguments + "kept.scr dropped.scr");  // arguments 15 and 16 after the program
  EXPECT_EQ(shown(), (Names{"Too many or too long arguments (at most 16, each at most 4096 characters); not used:\n"
                            "dropped.scr",
                            "Kept"}));
  EXPECT_EQ(startup_argc, 16);
}

TEST_F(StartupTest, AviOutputNeedsANamedMovieAndOnlyActsOnLaterScripts) {
  write_script(work_ / "a.scr", "Script");
  // "-ta" without "-o": the movie cannot be named; the script still runs.
  start("-ta a.scr");
  ASSERT_EQ(host_->messages.size(), 3u);
  EXPECT_EQ(host_->messages[0].text, "No movie name for AVI output: give one with -o before the script.");
  EXPECT_EQ(shown()[1], "Script");

  // A script that renders into the unnamed movie: each frame is reported as not written, nothing breaks.
  host_->messages.clear();
  std::ofstream(work_ / "r.scr") << "Dalve Script File\n\nImageSize 32 24\nRender\nRender\n";
  ASSERT_EQ(::chdir(work_.c_str()), 0);
  start("-ta r.scr");
  ASSERT_EQ(host_->messages.size(), 4u);
  EXPECT_EQ(host_->messages[0].text, "No movie name for AVI output: give one with -o before the script.");
  EXPECT_NE(host_->messages[1].text.find("Error writing file:"), std::string::npos) << host_->messages[1].text;
  EXPECT_EQ(host_->messages[2].text, "Error running script! (frame 1 of 2)");
  free_vidmem24();
  free_vidmem8();

  // With a name the movie is opened first (its codec is asked for), the script runs after; a movie that
  // received no frame leaves no file.
  host_->messages.clear();
  ASSERT_EQ(::chdir(work_.c_str()), 0);
  start("-ofly -ta a.scr");
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[2], "Script");
  EXPECT_EQ(host_->messages[1].text, "Quality (0 to 10000):");
  EXPECT_NE(host_->messages[0].text.find("Video codec for \"" + fs::canonical(work_).string() + "/fly.AVI"),
            std::string::npos)
      << host_->messages[0].text;  // the relative base name means the start folder; the extension is added
  EXPECT_FALSE(fs::exists(work_ / "fly.AVI"));

  // "-ta" after the script has no effect on it.
  host_->messages.clear();
  animation_state.animation_output = kOutputTargaSeries;
  ASSERT_EQ(::chdir(work_.c_str()), 0);
  start("a.scr -ofly -ta");
  EXPECT_EQ(shown(), (Names{"Script"}));
  EXPECT_EQ(animation_state.animation_output, kOutputAvi);
}

TEST_F(StartupTest, FramesOfCommandLineScriptsLandInTheStartFolder) {
  std::ofstream(work_ / "r.scr") << "Dalve Script File\n\nImageSize 32 24\nRender\n";
  start("r.scr -oshot r.scr");
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_TRUE(fs::exists(work_ / "00000.PCX"));  // no base name given
  EXPECT_TRUE(fs::exists(work_ / "shot00000.PCX"));
  EXPECT_FALSE(fs::exists(prog_ / "00000.PCX"));
  free_vidmem24();
  free_vidmem8();
}

TEST_F(StartupTest, NamesInsideCommandLineScriptsMeanTheStartFolder) {
  std::ofstream(work_ / "s.scr") << "Dalve Script File\n\nImageSize 32 24\nSaveTarga saved.tga\n";
  start("s.scr");
  EXPECT_TRUE(fs::exists(work_ / "saved.tga"));
  EXPECT_FALSE(fs::exists(prog_ / "saved.tga"));
  EXPECT_EQ(fs::path(cwd()), fs::canonical(prog_));  // the program folder is current again afterwards
  free_vidmem24();
  free_vidmem8();
}

TEST_F(StartupTest, ScriptsThatDoNotRunToTheirEndAreReportedAndCounted) {
  std::ofstream(work_ / "good.scr") << "Dalve Script File\n\nImageSize 32 24\n";
  std::ofstream(work_ / "format.scr") << "Dalve Script File\n\n1, 2, 3\n";
  std::ofstream(work_ / "header.scr") << "Dalve script file\n\nRender\n";
  struct Case {
    const char* arguments;
    int32_t failures;
    const char* last_message;
    const char* fault_line;  // the closing note's file, line number and line
  } cases[] = {
      {"good.scr", 0, nullptr, nullptr},
      {"format.scr", 1, "Format error in script!", "format.scr\", line 3: 1, 2, 3"},
      {"header.scr", 1, "Format error in script!", "header.scr\", line 1: Dalve script file"},
      {"missing.scr", 1, nullptr, nullptr},
      {"good.scr format.scr good.scr", 1, "Format error in script!", "format.scr\", line 3: 1, 2, 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    host_->messages.clear();
    startup_failures = 0;
    ASSERT_EQ(::chdir(work_.c_str()), 0);
    start(c.arguments);
    EXPECT_EQ(startup_failures, c.failures);
    if (c.last_message) {
      ASSERT_GE(host_->messages.size(), 2u);
      EXPECT_EQ(host_->messages[host_->messages.size() - 2].text, c.last_message);
      const std::string note = host_->messages.back().text;
      EXPECT_EQ(note.rfind("Script \"", 0), 0u) << note;
      EXPECT_NE(note.find(c.fault_line), std::string::npos) << note;
    }
  }
  startup_failures = 0;
  free_vidmem24();
  free_vidmem8();
}

TEST_F(StartupTest, FailedLandscapeArgumentLeavesTheLandscapeAndItsViewAlone) {
  set_landscape_size(66, 66);
  landscape_view.vertical_scale = 2.5f;
  camera_state.camera_x = 123.0f;
  path_node_count = 3;
  cover_row(5)[5].color_class = 56;
  derived_data.colors_done_step = 1;
  start("missing.dem");
  EXPECT_EQ(shown(), (Names{"work/missing.dem"}));
  EXPECT_EQ(landscape_view.vertical_scale, 2.5f);
  EXPECT_EQ(camera_state.camera_x, 123.0f);
  EXPECT_EQ(path_node_count, 3);
  EXPECT_EQ(cover_row(5)[5].color_class, 56);
  EXPECT_EQ(derived_data.colors_done_step, 1);
  EXPECT_EQ(grid_width, 66);
}

TEST_F(StartupTest, ProgramWithoutFolderStaysInTheCurrentFolderAndCommandRunsOnce) {
  write_script(work_ / "startup.scr", "LocalStartup");
  startup_done = 0;
  set_command_line("dalvenor");
  startup_command(nullptr);
  startup_command(nullptr);  // a second first paint does nothing
  EXPECT_EQ(fs::path(cwd()), fs::canonical(work_));
  EXPECT_EQ(shown(), (Names{"LocalStartup"}));
  EXPECT_EQ(startup_done, 1);
  startup_done = 0;
}

}  // namespace
