// The animation maker: names, continue or delete, the first gap of a series, FLC and frame-sequence checks,
// cancelled dialogs; and the runner writing frame-sequence, FLC and movie output with its fault record.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/animation/animation_maker.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_runner.h"
#include "engine/files/byte_order.h"
#include "engine/files/dan_writer.h"
#include "engine/files/default_dirs.h"
#include "engine/files/flc_writer.h"
#include "engine/files/movie_writer.h"
#include "engine/raster/frame_buffers.h"
#include "script_test_fixture.h"
#include "tests/files/movie_test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr char kHeader[] = "Dalve Script File\n  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,\n";

class AnimationMaker : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "dalvenor_anim_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ASSERT_EQ(set_image_size(32, 24), 1);
    reset_default_dirs();
    reset_movie_codec_options();
    reset_animation_maker_names();
  }
  void TearDown() override {
    avi_close();
    free_vidmem24();
    free_vidmem8();
    fs::remove_all(dir_);
    reset_default_dirs();
    reset_animation_maker_names();
    ScriptTest::TearDown();
  }
  std::string file(const std::string& name) { return (dir_ / name).string(); }
  std::string script(const std::string& body) {
    const std::string path = file("run.scr");
    std::ofstream(path, std::ios::binary) << kHeader << body;
    return path;
  }
  void touch(const std::string& name, const std::string& text = "x") { std::ofstream(file(name)) << text; }
  // Chooses the script and then the output name in the dialogs.
  int32_t make(int32_t kind, const std::string& body, const std::string& output) {
    animation_state.animation_output = kind;
    host->file_choices.push_back(script(body));
    host->file_choices.push_back(file(output));
    return make_animation(0);
  }
  fs::path dir_;
};

TEST(AnimationNames, ExtensionAndThreeLetterBase) {
  struct Case {
    const char* in;
    const char* stripped;
    const char* base3;
  } cases[] = {
      {"PICTUR.PCX", "PICTUR", "PIC"}, {"ab", "ab", "ab"},        {"a.b.c", "a.b", "a.b"},
      {"dir.x/name", "dir.x/name", "dir"}, {"", "", ""},          {".hidden", "", ""},
  };
  for (const Case& c : cases) {
    char a[256], b[256];
    std::snprintf(a, sizeof a, "%s", c.in);
    std::snprintf(b, sizeof b, "%s", c.in);
    strip_extension(a);
    base_name_max3(b);
    EXPECT_STREQ(a, c.stripped) << c.in;
    EXPECT_STREQ(b, c.base3) << c.in;
  }
}

TEST_F(AnimationMaker, SeriesContinueAtTheFirstGapAndDeleteUpToIt) {
  for (int i = 0; i <= 9; ++i) touch("PIC0000" + std::to_string(i) + ".TGA", "old");
  touch("PIC00011.TGA", "old");
  EXPECT_EQ(count_series_files(file("PIC").c_str(), "TGA"), 10);

  // "Continue": the run resumes the script at its frame 10, the last; file 11 stays as it was.
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += "1000, 1000, 900, 0, 0, -10\n";
  host->yes_no_answers.push_back(1);
  EXPECT_EQ(make(kOutputTargaSeries, eleven, "PICTURE.TGA"), 1);
  EXPECT_EQ(host->status_lines.size(), 1u);
  EXPECT_EQ(host->messages.front().text, "Continue existing animation or delete it?");
  EXPECT_GT(fs::file_size(file("PIC00010.TGA")), 18u);
  EXPECT_EQ(fs::file_size(file("PIC00011.TGA")), 3u);
  EXPECT_EQ(fs::file_size(file("PIC00000.TGA")), 3u);

  // "Delete": files from 0 go until the first gap (12 now), then the run starts at 0.
  host->yes_no_answers.push_back(0);
  EXPECT_EQ(make(kOutputTargaSeries, "1000, 1000, 900, 0, 0, -10\n", "PICTURE.TGA"), 1);
  EXPECT_GT(fs::file_size(file("PIC00000.TGA")), 18u);
  EXPECT_FALSE(fs::exists(file("PIC00001.TGA")));
  EXPECT_FALSE(fs::exists(file("PIC00011.TGA")));
}

TEST_F(AnimationMaker, CancelledDialogsReturnMinusSix) {
  animation_state.animation_output = kOutputFlc;
  EXPECT_EQ(make_animation(0), kMakeAnimationDialogCancelled);
  host->file_choices.push_back(script("Render\n"));
  EXPECT_EQ(make_animation(0), kMakeAnimationDialogCancelled);
  EXPECT_TRUE(host->status_lines.empty());  // nothing was rendered
}

TEST_F(AnimationMaker, FlcOfAnotherSizeIsReplacedWithItsRateOrKept) {
  {
    ASSERT_EQ(set_image_size(64, 48), 1);
    allocate_frame_buffers();
    ASSERT_EQ(flc_append_frame(file("A.FLC").c_str(), 25), 1);
    ASSERT_EQ(set_image_size(32, 24), 1);
  }
  const auto before = fs::file_size(file("A.FLC"));
  // "Continue", then "Cancel" at the size question: nothing changes.
  host->yes_no_answers = {1, 0};
  animation_state.frame_rate = 15;
  EXPECT_EQ(make(kOutputFlc, "Render\n", "a.xyz"), -1);
  EXPECT_EQ(host->messages[1].text, "Error: FLC size = 64x48, image size = 32x24");
  EXPECT_EQ(host->messages[1].button1, "Replace FLC");
  EXPECT_EQ(fs::file_size(file("A.FLC")), before);

  // "Continue", then "Replace FLC": the old file's rate is kept for the new one.
  host->messages.clear();
  host->yes_no_answers = {1, 1};
  EXPECT_EQ(make(kOutputFlc, "Render\nRender\n", "a.xyz"), 1);
  EXPECT_EQ(animation_state.frame_rate, 25);
  uint8_t header[128];
  ASSERT_EQ(flc_read_header(file("A.FLC").c_str(), header), 1);
  EXPECT_EQ(get16(header + 6), 2u);
  EXPECT_EQ(get16(header + 8), 32u);
  EXPECT_EQ(get32(header + 16), 40u);

  // Same size, "Continue": the script resumes at its third frame.
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputFlc, "Render\nRender\nRender\n", "a.flc"), 1);
  ASSERT_EQ(flc_read_header(file("A.FLC").c_str(), header), 1);
  EXPECT_EQ(get16(header + 6), 3u);
}

TEST_F(AnimationMaker, FrameSequenceFilesAreCheckedBeforeTheyContinue) {
  touch("b.DAN", std::string(300, 'x'));
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputFrameSequence, "Render\n", "b"), -1);
  EXPECT_EQ(host->messages.back().text, "Not a valid DANIM file!");

  uint8_t header[256];
  dan_fill_header(header, 40, 24);
  std::ofstream(file("b.DAN"), std::ios::binary).write(reinterpret_cast<char*>(header), 256);
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputFrameSequence, "Render\n", "b"), -1);
  EXPECT_EQ(host->messages.back().text, "Wrong image size for DANIM!");

  // "Delete", then two frames; "Continue" adds one more.
  host->yes_no_answers = {0};
  EXPECT_EQ(make(kOutputFrameSequence, "Render\nRender\n", "b"), 1);
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputFrameSequence, "Render\nRender\nRender\n", "b"), 1);
  DanFileInfo info;
  ASSERT_EQ(dan_read_info(file("b.DAN").c_str(), &info), 1);
  EXPECT_EQ(info.frame_count, 3);
  EXPECT_EQ(fs::file_size(file("b.DAN")), 1024u + 3u * 32u * 24u);
}

TEST_F(AnimationMaker, MoviesOpenBeforeTheRunAndCloseAfterIt) {
  // A cancelled codec question gives 1 and renders nothing.
  host->value_answers.push_back({0, 0});
  EXPECT_EQ(make(kOutputAvi, "Render\n", "m.avi"), 1);
  EXPECT_TRUE(host->status_lines.empty());
  EXPECT_FALSE(fs::exists(file("m.AVI")));

  EXPECT_EQ(make(kOutputAvi, "Render\nRender\n", "m.avi"), 1);
  EXPECT_EQ(avi_is_open(), 0);
  ASSERT_TRUE(fs::exists(file("m.AVI")));
  // "Continue" with another image size: the dimension message, nothing changes.
  const auto before = fs::file_size(file("m.AVI"));
  ASSERT_EQ(set_image_size(40, 24), 1);
  host->messages.clear();
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputAvi, "Render\n", "m.avi"), 0);
  EXPECT_EQ(host->messages.back().text, "Incorrect dimensions: 32 x 24");
  EXPECT_EQ(fs::file_size(file("m.AVI")), before);
  // Same size again, "Continue": numbering goes on from the movie's frame count.
  ASSERT_EQ(set_image_size(32, 24), 1);
  host->yes_no_answers = {1};
  EXPECT_EQ(make(kOutputAvi, "Render\nRender\nRender\n", "m.avi"), 1);
  EXPECT_EQ(animation_state.script_error_frame, 2);
}

TEST_F(AnimationMaker, RunnerWritesFrameSequenceAndFlcAndNotesTheFirstFault) {
  animation_state.animation_output = kOutputFlc;
  EXPECT_EQ(run_script(script("Render\nRender\n").c_str(), file("x.flc").c_str(), 0), 1);
  uint8_t header[128];
  ASSERT_EQ(flc_read_header(file("x.flc").c_str(), header), 1);
  EXPECT_EQ(get16(header + 6), 2u);
  EXPECT_EQ(std::string(frame_file_name), file("x.flc"));
  EXPECT_EQ(script_run_fault.faults, 0);

  animation_state.animation_output = kOutputFrameSequence;
  EXPECT_EQ(run_script(script("Render\nBogus words\nHaze 5\nRender\n").c_str(), file("x.dan").c_str(), 0), 1);
  EXPECT_EQ(fs::file_size(file("x.dan")), 1024u + 2u * 32u * 24u);
  EXPECT_EQ(script_run_fault.faults, 1);
  EXPECT_EQ(script_run_fault.line_number, 4);
  EXPECT_STREQ(script_run_fault.line, "Bogus words");

  // A frame that is not written is the fault, at its line.
  touch("plain");
  EXPECT_EQ(run_script(script("Haze 5\nRender\n").c_str(), file("plain/x.dan").c_str(), 0), 0);
  EXPECT_EQ(script_run_fault.line_number, 4);
  EXPECT_STREQ(script_run_fault.line, "Render");

  // "Exit" is noted as the script's own end, not as a fault.
  EXPECT_EQ(run_script(script("Exit\nRender\n").c_str(), nullptr, 0), -1);
  EXPECT_EQ(script_exit_requested, 1);
  EXPECT_EQ(script_run_fault.faults, 0);
  EXPECT_EQ(run_script(script("Stop\n").c_str(), nullptr, 0), -1);
  EXPECT_EQ(script_exit_requested, 0);
  EXPECT_EQ(script_run_fault.line_number, 3);
  EXPECT_STREQ(script_run_fault.line, "Stop");
}

TEST_F(AnimationMaker, RenderedFramesDecodeBackFromFlcAndMovie) {
  if (!movietest::have_ffmpeg()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  const std::string flight = "1000, 1000, 900, 0, 0, -10\n1100, 1000, 900, 0, 5, -10\n1200, 1000, 900, 0, 10, -10\n";
  animation_state.animation_output = kOutputFlc;
  ASSERT_EQ(run_script(script(flight).c_str(), file("r.flc").c_str(), 0), 1);
  const imgtest::Picture last_indexed = movietest::indexed_picture();
  std::vector<imgtest::Picture> decoded = movietest::decode(file("r.flc"), dir_.string());
  ASSERT_EQ(decoded.size(), 3u);
  EXPECT_EQ(decoded.back().pixels, last_indexed.pixels);

  movie_ask_codec = 0;
  animation_state.animation_output = kOutputAvi;
  ASSERT_EQ(avi_open(file("r.avi").c_str(), image_width, image_height, kMovieCreate, 15), 1);
  ASSERT_EQ(run_script(script(flight).c_str(), file("r.avi").c_str(), 0), 1);
  avi_close();
  movie_ask_codec = 1;
  decoded = movietest::decode(file("r.avi"), dir_.string());
  ASSERT_EQ(decoded.size(), 3u);
  EXPECT_GE(imgtest::psnr(decoded.back(), movietest::frame_picture()), 30.0);
}

}  // namespace
