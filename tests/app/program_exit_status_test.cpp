// The dalvenor program run as users run it: its exit status, its messages naming the failing line, and
// the animation files of the output options.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/files/movie_test_support.h"
#include "tests/support/engine_test.h"

namespace {

namespace fs = std::filesystem;

constexpr char kHeader[] = "Dalve Script File\n  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,\n";

class ProgramRun : public EngineTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dalvenor_program_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  void script(const std::string& name, const std::string& body) {
    std::ofstream(dir_ / name, std::ios::binary) << kHeader << body;
  }
  // Runs the program in the folder; returns its exit status, with its standard error in err_.
  int run(const std::string& arguments) {
    const std::string command = "cd '" + dir_.string() + "' && '" DALVENOR_PROGRAM "' " + arguments + " 2>err.txt";
    const int status = std::system(command.c_str());
    std::ifstream in(dir_ / "err.txt");
    std::stringstream text;
    text << in.rdbuf();
    err_ = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  std::string err_;
};

TEST_F(ProgramRun, ExitEndsAScriptNormally) {
  script("done.scr", "ImageSize 32 24\nExit\nBogus never reached\n");
  EXPECT_EQ(run("done.scr"), 0) << err_;
  EXPECT_EQ(err_.find("User aborted script!"), std::string::npos) << err_;
  EXPECT_EQ(err_.find("Script error"), std::string::npos) << err_;
}

TEST_F(ProgramRun, AnUnknownKeywordFailsTheRunAndNamesItsLine) {
  script("bad.scr", "ImageSize 32 24\nFlyToTheMoon 3\nHaze 5\n");
  EXPECT_NE(run("bad.scr"), 0);
  EXPECT_NE(err_.find("Script error: FlyToTheMoon 3"), std::string::npos) << err_;
  EXPECT_NE(err_.find("bad.scr\", line 4: FlyToTheMoon 3"), std::string::npos) << err_;
}

TEST_F(ProgramRun, ASaveThatFailsFailsTheRun) {
  std::ofstream(dir_ / "plain") << "a file, not a folder";
  script("save.scr", "ImageSize 32 24\nRender\nSaveTarga24 plain/picture.tga\n");
  EXPECT_NE(run("-oframe save.scr"), 0);
  EXPECT_NE(err_.find("save.scr\", line 5: SaveTarga24 plain/picture.tga"), std::string::npos) << err_;
}

TEST_F(ProgramRun, ScriptsThatRunToTheirEndSucceed) {
  script("fine.scr", "ImageSize 32 24\nRender\n");
  EXPECT_EQ(run("-tt -oframe fine.scr"), 0) << err_;
  EXPECT_TRUE(fs::exists(dir_ / "frame00000.TGA"));
}

TEST_F(ProgramRun, OutputOptionsWriteFlcFrameSequenceAndMovieFiles) {
  script("two.scr", "ImageSize 48 32\nRender\nRender\nRender\n");
  EXPECT_EQ(run("-tf -oanim two.scr"), 0) << err_;
  EXPECT_EQ(run("-tv -oanim two.scr"), 0) << err_;
  EXPECT_EQ(run("-ta -oanim two.scr"), 0) << err_;
  EXPECT_EQ(err_.find("codec"), std::string::npos) << err_;  // an unattended run asks nothing
  ASSERT_TRUE(fs::exists(dir_ / "anim.FLC"));
  ASSERT_TRUE(fs::exists(dir_ / "anim.DAN"));
  ASSERT_TRUE(fs::exists(dir_ / "anim.AVI"));
  EXPECT_EQ(fs::file_size(dir_ / "anim.DAN"), 1024u + 3u * 48u * 32u);
  if (!movietest::have_ffmpeg()) return;
  for (const char* name : {"anim.FLC", "anim.AVI"}) {
    auto info = movietest::probe((dir_ / name).string());
    EXPECT_EQ(info["width"], "48") << name;
    EXPECT_EQ(info["height"], "32") << name;
    EXPECT_EQ(info["nb_read_frames"], "3") << name;
  }
  // "-ta" without "-o" gives its message and fails.
  EXPECT_NE(run("-ta two.scr"), 0);
  EXPECT_NE(err_.find("No movie name for AVI output"), std::string::npos) << err_;
}

TEST_F(ProgramRun, AMovieEndedByAStopStillPlaysWhatWasWritten) {
  script("stop.scr", "ImageSize 48 32\nRender\nRender\nStop\nRender\n");
  EXPECT_NE(run("-ta -ocut stop.scr"), 0);
  EXPECT_NE(err_.find("User aborted script!"), std::string::npos) << err_;
  EXPECT_NE(err_.find("stop.scr\", line 6: Stop"), std::string::npos) << err_;
  ASSERT_TRUE(fs::exists(dir_ / "cut.AVI"));
  if (!movietest::have_ffmpeg()) return;
  EXPECT_EQ(movietest::probe((dir_ / "cut.AVI").string())["nb_read_frames"], "2");
}

// Nothing on the command line is dropped without a word: extra arguments, unknown kinds of file and
// names too long for a path each fail the run with a message naming them.
TEST_F(ProgramRun, ArgumentsThatCannotBeUsedFailTheRunByName) {
  script("ok.scr", "ImageSize 32 24\n");
  std::string many = "ok.scr";
  for (int i = 1; i <= 16; ++i) many += " ok.scr";  // seventeen files: the program is argument 0
  EXPECT_NE(run(many + " seventeenth.scr"), 0);
  EXPECT_NE(err_.find("not used"), std::string::npos) << err_;
  EXPECT_NE(err_.find("seventeenth.scr"), std::string::npos) << err_;

  EXPECT_NE(run("picture.xyz"), 0);
  EXPECT_NE(err_.find("picture.xyz"), std::string::npos) << err_;

  EXPECT_NE(run(std::string(300, 'n') + ".scr"), 0);
  EXPECT_NE(err_.find("File name too long"), std::string::npos) << err_;

  // Three arguments of about 127 characters all run.
  std::string names;
  for (char c : {'a', 'b', 'c'}) {
    const std::string name = std::string(123, c) + ".scr";
    script(name, std::string("ImageSize 32 24\nRender\nSaveTarga24 ") + c + ".tga\n");
    names += " " + name;
  }
  EXPECT_EQ(run("-oframe" + names), 0) << err_;
  for (const char* made : {"a.tga", "b.tga", "c.tga"}) EXPECT_TRUE(fs::exists(dir_ / made)) << made;
}

// A background or foreground picture that cannot be read fails an unattended run, naming it.
TEST_F(ProgramRun, AMissingBackgroundPictureIsAScriptError) {
  script("bg.scr", "ImageSize 32 24\nBackgroundFile nothing_here.tga\nRender\n");
  EXPECT_NE(run("-oframe bg.scr"), 0);
  EXPECT_NE(err_.find("Script error: BackgroundFile nothing_here.tga"), std::string::npos) << err_;
  script("fg.scr", "ImageSize 32 24\nForegroundFile nothing_here.tga\nRender\n");
  EXPECT_NE(run("-oframe fg.scr"), 0);
  EXPECT_NE(err_.find("Script error: ForegroundFile nothing_here.tga"), std::string::npos) << err_;
}

}  // namespace
