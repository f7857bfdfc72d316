// Running script files: header check, counting, resuming, frame numbering, output kinds, results and long lines.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/animation/script_runner.h"
#include "engine/files/image_buffer.h"
#include "engine/files/targa.h"
#include "engine/ui/engine_control.h"
#include "engine/raster/frame_buffers.h"
#include "script_test_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr char kHeader[] = "Dalve Script File\n  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,  (delta)\n";

class ScriptRunner : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    // A folder of its own for every run: test programs of several builds may run at the same time.
    std::string pattern = (fs::temp_directory_path() / "dalvenor_script_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    animation_state.animation_output = 0;  // a kind that writes nothing
    ASSERT_EQ(set_image_size(32, 24), 1);  // small frames keep the renders quick
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    fs::remove_all(dir_);
    ScriptTest::TearDown();
  }

  std::string write(const std::string& text, const char* name = "test.scr") {
    const std::string path = (dir_ / name).string();
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
  }

  int32_t run(const std::string& body, const char* base = "frame", int32_t first = 0) {
    return run_script(write(kHeader + body).c_str(), base, first);
  }

  // Every produced frame shows its timing on the status line, "Frame %d of %d took ..." with the next number.
  size_t frames_made() { return host->status_lines.size(); }

  fs::path dir_;
};

TEST_F(ScriptRunner, HeaderMustMatchExactly) {
  struct Case {
    const char* first_line;
    int32_t result;
  } cases[] = {
      {"Dalve Script File\n", 1},  {"Dalve Script File\r\n", 1}, {"dalve script file\n", -3},
      {"Dalve Script File \n", -3}, {"Dalve Script File", -3},    {"", -3},
  };
  for (const Case& c : cases) {
    host->messages.clear();
    const std::string path = write(std::string(c.first_line) + (c.result == 1 ? "x\nHaze 3\n" : ""));
    EXPECT_EQ(run_script(path.c_str(), "f", 0), c.result) << c.first_line;
    if (c.result == -3) {
      ASSERT_EQ(host->messages.size(), 1u);
      EXPECT_EQ(host->messages[0].text, "\"" + path + "\" is not a script file");
      EXPECT_EQ(host->messages[0].button1, "  OK  ");
    }
  }
}

TEST_F(ScriptRunner, MissingFileIsReportedWithResultZero) {
  const std::string path = (dir_ / "none.scr").string();
  EXPECT_EQ(run_script(path.c_str(), "f", 0), 0);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_NE(host->messages[0].text.find("Error opening file:"), std::string::npos);
  EXPECT_NE(host->messages[0].text.find(path), std::string::npos);
}

TEST_F(ScriptRunner, CommandsOnlyRunToTheEndWithoutTiming) {
  // The second line is skipped whatever it holds.
  const std::string path = write("Dalve Script File\nStop\nHaze 17\n\n\t \nRem x\nTreeLine 900\n");
  EXPECT_EQ(run_script(path.c_str(), "f", 0), 1);
  EXPECT_EQ(animation_state.script_frame_count, 0);
  EXPECT_EQ(render_settings.haze_density, 17);
  EXPECT_EQ(terrain_settings.tree_line, 900);
  EXPECT_TRUE(host->status_lines.empty());
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptRunner, KeyframesSetThePoseAndMalformedOnesEndWithFormatError) {
  EXPECT_EQ(run("100, 200.5, 300, 1, 400, -5, (12.3)\n"), 1);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 100.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 200.5f);
  EXPECT_FLOAT_EQ(camera_state.camera_z, 300.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_bank, 1.0f);
  EXPECT_FLOAT_EQ(camera_state.camera_heading, 400.0f);  // stored without folding or re-aiming
  EXPECT_FLOAT_EQ(camera_state.camera_pitch, -5.0f);
  // The first frame is produced, the second line does not hold six numbers.
  EXPECT_EQ(run("1, 2, 3, 4, 5, 6\n+ - 5\nHaze 99\n"), -3);
  EXPECT_EQ(animation_state.script_error_frame, 0);
  EXPECT_EQ(frames_made(), 2u);  // one frame in each run
  EXPECT_NE(render_settings.haze_density, 99);
}

TEST_F(ScriptRunner, FrameNumberingAndTiming) {
  host->tick_step = 100;  // the clock moves, so the status line is not held back between texts
  EXPECT_EQ(run("1, 2, 3, 0, 0, 0\nRender\nRewriteImage\n"), 1);
  EXPECT_EQ(animation_state.script_frame_count, 3);
  EXPECT_EQ(animation_state.script_error_frame, 2);
  ASSERT_EQ(host->status_lines.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const std::string prefix = "Frame " + std::to_string(i + 1) + " of 3 took ";
    EXPECT_EQ(host->status_lines[i].rfind(prefix, 0), 0u) << host->status_lines[i];
  }
  int saving = 0;
  for (const std::string& t : host->status_texts) saving += t.find("Saving frame") != std::string::npos;
  EXPECT_GE(saving, 1);
}

TEST(ScriptTiming, ReadOut) {
  struct Case {
    int32_t frame, count, done;
    double took, total;
    const char* text;
  } cases[] = {
      {1, 3, 1, 4.0, 4.0, "Frame 1 of 3 took 00:00:04, 00:00:08 to go"},
      {2, 3, 2, 4.9, 8.0, "Frame 2 of 3 took 00:00:04, 00:00:04 to go"},
      {3, 3, 3, 4.0, 12.0, "Frame 3 of 3 took 00:00:04, 00:00:00 to go"},
      {1, 100, 1, 3725.0, 3725.0, "Frame 1 of 100 took 01:02:05, 102:26:15 to go"},
      {5, 0, 0, 1.0, 1.0, "Frame 5 of 0 took 00:00:01, 00:00:00 to go"},    // no count: nothing to go
      {7, 5, 2, 1.0, 2.0, "Frame 7 of 5 took 00:00:01, 00:00:00 to go"},    // past the count: never negative
  };
  for (const Case& c : cases) {
    char text[160];
    format_frame_timing(c.frame, c.count, c.done, c.took, c.total, text, sizeof text);
    EXPECT_STREQ(text, c.text);
  }
}

TEST_F(ScriptRunner, ResumingSkipsLinesWithoutExecutingThem) {
  EXPECT_EQ(run("Haze 11\nRender\nHaze 22\nRender\nHaze 33\nRender\nRender\n", "f", 2), 1);
  EXPECT_EQ(animation_state.script_frame_count, 4);
  EXPECT_EQ(render_settings.haze_density, 33);  // "Haze 11" and "Haze 22" were skipped, not run
  ASSERT_EQ(frames_made(), 2u);
  EXPECT_EQ(host->status_lines[0].rfind("Frame 3 of 4 took", 0), 0u);  // numbered from the first frame
  EXPECT_EQ(animation_state.script_error_frame, 3);
  // A first frame beyond the last frame line: nothing runs.
  render_settings.haze_density = 0;
  EXPECT_EQ(run("Render\nHaze 44\n", "f", 5), 1);
  EXPECT_EQ(render_settings.haze_density, 0);
}

TEST_F(ScriptRunner, WithoutBaseNameNothingIsSavedAndNumbersStay) {
  EXPECT_EQ(run("Render\nRender\nAutoSaveOn\nRender\n", nullptr, 1), 1);
  EXPECT_EQ(animation_state.anim_save_frames, 0);
  EXPECT_EQ(animation_state.script_error_frame, 1);
  ASSERT_EQ(frames_made(), 2u);  // rendered, timing shown, number kept
  EXPECT_EQ(host->status_lines[1].rfind("Frame 1 of 3 took", 0), 0u);
  for (const std::string& t : host->status_texts) EXPECT_EQ(t.find("Saving frame"), std::string::npos);
}

TEST_F(ScriptRunner, FrameNumber99999EndsTheRun) {
  std::string body;
  for (int i = 0; i < 100001; ++i) body += "Render\n";
  EXPECT_EQ(run(body, "f", 99998), 1);
  // Frame 99998 shows its timing; frame 99999 is written and the run ends at once.
  ASSERT_EQ(frames_made(), 1u);
  EXPECT_EQ(host->status_lines[0].rfind("Frame 99999 of 100001 took", 0), 0u);
  EXPECT_EQ(animation_state.script_error_frame, 99999);
}

TEST_F(ScriptRunner, StopsAndScriptErrors) {
  EXPECT_EQ(run("Render\nStop\nHaze 5\n"), -1);
  EXPECT_NE(render_settings.haze_density, 5);
  host->yes_no_answers = {0};
  EXPECT_EQ(run("Bogus line\nHaze 5\n"), -1);  // Cancel at the script error
  EXPECT_NE(render_settings.haze_density, 5);
  host->yes_no_answers = {0};
  EXPECT_EQ(run("Pause\nHaze 5\n"), -1);
  // A stop requested while the frame's derived data is brought up to date ends the run.
  host->tick_step = 20;
  mark_derived_stale();
  user_abort = 1;
  EXPECT_EQ(run("Render\nHaze 5\n"), -1);
  user_abort = 0;
  EXPECT_NE(render_settings.haze_density, 5);
}

// Unattended: every requester is answered with its first button, so errors and pauses never wait.
TEST_F(ScriptRunner, UnattendedRunGoesOnPastErrorsAndPauses) {
  EXPECT_EQ(run("Bogus line\nPause\nHaze nan\nHaze 5\nRender\n"), 1);
  EXPECT_EQ(render_settings.haze_density, 5);
  ASSERT_EQ(host->messages.size(), 3u);
  EXPECT_EQ(host->messages[0].text, "Script error: Bogus line");
  EXPECT_EQ(host->messages[1].text, "Continue or Stop script?");
  EXPECT_EQ(host->messages[2].text, "Script error: Haze nan");
  EXPECT_EQ(frames_made(), 1u);
}

// A keyframe number that is not finite is refused like any other bad number; the frame is not made.
TEST_F(ScriptRunner, NonFiniteKeyframeIsRefused) {
  EXPECT_EQ(run("1, 2, inf, 4, 5, 6\n"), 1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Script error: 1, 2, inf, 4, 5, 6");
  EXPECT_EQ(frames_made(), 0u);
}

// A line longer than the line buffer is reported (or, for a comment, skipped) as a whole: its tail never
// runs as a line of its own and it is not counted as a frame.
TEST_F(ScriptRunner, LongLinesAreHandledWhole) {
  std::string long_haze = "Haze 5" + std::string(260, ' ') + "Stop";
  std::string long_render = "Render" + std::string(260, ' ') + "Render";
  std::string long_comment = "Rem " + std::string(300, 'x') + " Stop";
  std::string exact = "Haze 7" + std::string(255 - 6, ' ');  // 255 characters fit
  EXPECT_EQ(run(long_haze + "\n" + long_render + "\n" + long_comment + "\n" + exact + "\n"), 1);
  EXPECT_EQ(animation_state.script_frame_count, 0);
  EXPECT_EQ(render_settings.haze_density, 7);
  ASSERT_EQ(host->messages.size(), 2u);
  EXPECT_EQ(host->messages[0].text.rfind("Script error: Haze 5", 0), 0u);
  EXPECT_EQ(frames_made(), 0u);
  host->yes_no_answers = {0};
  EXPECT_EQ(run(long_haze + "\nHaze 9\n"), -1);
  EXPECT_NE(render_settings.haze_density, 9);
}

// A zero byte inside a line does not hide its line end: the next line still runs as its own line.
TEST_F(ScriptRunner, ZeroByteInsideALine) {
  EXPECT_EQ(run(std::string("Haze 3\0junk\nTreeLine 8\r\n", 24)), 1);
  EXPECT_EQ(render_settings.haze_density, 3);
  EXPECT_EQ(terrain_settings.tree_line, 8);
}

TEST_F(ScriptRunner, OutputKindsAndFrameNames) {
  struct Case {
    int32_t kind;
    const char* name;
  } cases[] = {{4, "out/f00007.PCX"}, {5, "out/f00007.TGA"}, {6, "out/f00007.JPG"}, {7, "out/f00007.BMP"},
               {3, ""},               {8, ""},               {9, ""},               {0, ""}};
  for (const Case& c : cases) {
    char name[256] = "unchanged";
    const int32_t ok = format_frame_file_name(c.kind, "out/f", 7, name, sizeof name);
    EXPECT_EQ(ok, c.name[0] ? 1 : 0) << c.kind;
    if (ok) {
      EXPECT_STREQ(name, c.name);
    }
  }
  // A long base name with the frame number and extension never overflows the name buffer.
  const std::string base(250, 'b');
  char name[256];
  EXPECT_EQ(format_frame_file_name(5, base.c_str(), 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "");
  animation_state.animation_output = 5;
  EXPECT_EQ(run("Render\n", base.c_str()), 0);
  EXPECT_LT(std::string(frame_file_name).size(), sizeof frame_file_name);
  // A movie kind with no movie opened by the caller: the first frame is not written.
  animation_state.animation_output = 9;
  host->messages.clear();
  EXPECT_EQ(run("Render\nRender\n"), 0);
  EXPECT_EQ(animation_state.script_error_frame, 0);
}

TEST_F(ScriptRunner, TargaSeriesIsNumberedFromTheFirstFrame) {
  ASSERT_EQ(set_image_size(32, 24), 1);
  animation_state.animation_output = 5;
  const std::string base = (dir_ / "out" / "f").string();
  EXPECT_EQ(run("Rem one\nRender\nRender\nRewriteImage\n", base.c_str(), 1), 1);
  EXPECT_FALSE(fs::exists(base + "00000.TGA"));
  EXPECT_TRUE(fs::exists(base + "00001.TGA"));
  EXPECT_TRUE(fs::exists(base + "00002.TGA"));
  EXPECT_EQ(std::string(frame_file_name), base + "00002.TGA");
  EXPECT_EQ(fs::file_size(base + "00001.TGA") >= 18u, true);
  EXPECT_TRUE(host->messages.empty());
  // A frame that cannot be written ends the run with 0 at that frame.
  const std::string blocked = (dir_ / "plain_file").string();
  write("x", "plain_file");
  EXPECT_EQ(run("Render\nRender\n", (blocked + "/f").c_str(), 0), 0);
  EXPECT_EQ(animation_state.script_error_frame, 0);
  ASSERT_FALSE(host->messages.empty());
  EXPECT_NE(host->messages.back().text.find("Error writing file:"), std::string::npos);
  free_vidmem24();
  free_vidmem8();
}

TEST_F(ScriptRunner, EverySeriesKindWritesItsFile) {
  ASSERT_EQ(set_image_size(32, 24), 1);
  const std::pair<int32_t, const char*> kinds[] = {{4, "PCX"}, {5, "TGA"}, {6, "JPG"}, {7, "BMP"}};
  for (const auto& [kind, ext] : kinds) {
    animation_state.animation_output = kind;
    const std::string base = (dir_ / ("k" + std::to_string(kind) + "_")).string();
    std::string body;
    for (int i = 0; i < 13; ++i) body += "Render\n";
    EXPECT_EQ(run(body, base.c_str(), 12), 1) << ext;  // only frame 12 is rendered
    EXPECT_TRUE(fs::exists(base + "00012." + ext)) << ext;
  }
  EXPECT_TRUE(host->messages.empty());
  free_vidmem24();
  free_vidmem8();
}

// An unattended run end to end: settings and a camera from the script, a rendered frame saved as a Targa
// file of the size the script asked for, with a picture in it.
TEST_F(ScriptRunner, RendersAndSavesAPicture) {
  animation_state.animation_output = 5;
  const std::string base = (dir_ / "shot").string();
  EXPECT_EQ(run("ImageSize 48 32\nCameraXYZ 3800 200 900\nTargetXYZ 3800 5000 0\nSkyOn\nHorizonOn\nRender\n",
                base.c_str()),
            1);
  ImageBuffer* image = targa_load_image((base + "00000.TGA").c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 48);
  EXPECT_EQ(image->height, 32);
  int32_t lit = 0;
  for (int32_t i = 0; i < image->width * image->height; ++i) lit += (image->pixels[i] & 0x00FFFFFF) != 0;
  EXPECT_GT(lit, 48 * 32 / 2);
  image_free(image);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptRunner, SaveTargaNeedsTheFrameBuffer) {
  free_vidmem24();
  free_vidmem8();
  const std::string path = (dir_ / "shot.tga").string();
  EXPECT_EQ(line("SaveTarga " + path), 1);
  EXPECT_FALSE(fs::exists(path));
  ASSERT_EQ(set_image_size(16, 16), 1);
  EXPECT_EQ(line("SaveTarga24 " + path), 1);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(line("LoadTarga " + path), 1);
  free_vidmem24();
  free_vidmem8();
}

}  // namespace
