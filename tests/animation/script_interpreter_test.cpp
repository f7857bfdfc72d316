// Executing command lines: clean-up, the unmatched-line path, results, argument reading and refused numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_interpreter.h"
#include "script_test_fixture.h"

namespace {

using ScriptInterpreter = ScriptTest;

TEST_F(ScriptInterpreter, BlankLinesAreIgnoredSilently) {
  const char* blanks[] = {"", "   ", "\t \t", " \xA0\xFF ", "\r\n"};
  for (const char* b : blanks) EXPECT_EQ(line(b), 1);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptInterpreter, UnknownWordShowsTheCleanedLine) {
  host->yes_no_answers = {1, 0};
  EXPECT_EQ(line("Frobnicate\t12\r\n"), 1);  // Continue
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Script error: Frobnicate 12");
  EXPECT_EQ(host->messages[0].button1, "Continue");
  EXPECT_EQ(host->messages[0].button2, "Cancel");
  EXPECT_EQ(line("Render2"), -1);  // Cancel
}

TEST_F(ScriptInterpreter, KeywordsWithoutRoutineAreScriptErrors) {
  // The five keywords that never had a routine.
  for (const char* l : {"LoadPCX x.pcx", "SunPosition 1 2 3", "SunSpeed 1", "MoonPosition 1", "MoonSpeed 1"}) {
    host->messages.clear();
    EXPECT_EQ(line(l), 1);
    ASSERT_EQ(host->messages.size(), 1u) << l;
    EXPECT_EQ(host->messages[0].text, std::string("Script error: ") + l);
  }
  EXPECT_EQ(execute_script_command(1168, const_cast<char*>("x")), 1);
  EXPECT_EQ(host->messages.back().text, "Script error: x");
}

TEST_F(ScriptInterpreter, FrameResultsAndClassification) {
  EXPECT_EQ(line("Render"), 1045);
  EXPECT_EQ(line("render whatever follows"), 1045);
  EXPECT_EQ(line("RewriteImage 3 4"), 1046);
  char a[] = "\tRENDER\r\n", b[] = "RewriteImage", c[] = "Haze 3", d[] = "Render2";
  EXPECT_EQ(classify_script_line(a), 1045);
  EXPECT_EQ(classify_script_line(b), 1046);
  EXPECT_EQ(classify_script_line(c), 0);
  EXPECT_EQ(classify_script_line(d), 0);
  EXPECT_EQ(std::strcmp(a, " RENDER"), 0);  // cleaned in place
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptInterpreter, CommentsAndAcceptedKeywords) {
  for (const char* l : {"Rem Stop", ";Stop", "; Stop", ";", "PictureFile a b c", "Enable8bit", "LoadStereoCyber"}) {
    EXPECT_EQ(line(l), 1) << l;
  }
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptInterpreter, ArgumentsMissingTruncatedOrTrailing) {
  terrain_settings.tree_line = 500;
  EXPECT_EQ(line("TreeLine"), 1);
  EXPECT_EQ(terrain_settings.tree_line, 0);
  struct Case {
    const char* text;
    int32_t haze;
  } cases[] = {{"Haze 12.9", 12}, {"Haze -3.7", -3}, {"Haze\t7 junk 9", 7}, {"Haze 1e3", 1000},
               {"Haze abc", 0},   {"Haze 5abc", 5},  {"Haze +4", 4}};
  for (const Case& c : cases) {
    render_settings.haze_density = -99;
    EXPECT_EQ(line(c.text), 1);
    EXPECT_EQ(render_settings.haze_density, c.haze) << c.text;
  }
  EXPECT_TRUE(host->messages.empty());
}

// Numbers that are not finite or that no 32-bit whole number can hold never reach a setting.
TEST_F(ScriptInterpreter, RefusesNonFiniteAndHugeNumbers) {
  const char* lines[] = {"Haze nan", "Haze inf", "Haze -infinity", "Haze 1e40", "Haze 3e9",
                         "CameraX NaN", "FieldOfView inf", "SetColorSky 1 2 1e300", "FractalDivisor 99999999999",
                         "RedrawRate -9999999999"};
  for (const char* l : lines) {
    host->messages.clear();
    render_settings.haze_density = 42;
    const float camera_before = camera_state.camera_x;
    host->yes_no_answers = {1};
    EXPECT_EQ(line(l), 1) << l;
    ASSERT_EQ(host->messages.size(), 1u) << l;
    EXPECT_EQ(host->messages[0].text, std::string("Script error: ") + l);
    EXPECT_EQ(render_settings.haze_density, 42);
    EXPECT_EQ(camera_state.camera_x, camera_before);
  }
  host->yes_no_answers = {0};
  EXPECT_EQ(line("Haze nan"), -1);  // Cancel stops the script
}

TEST_F(ScriptInterpreter, ArgumentReaders) {
  ScriptNumbers n;
  ASSERT_EQ(script_read_numbers("K 1 -2.5 3e2", 8, &n), 1);
  EXPECT_EQ(n.count, 3);
  EXPECT_FLOAT_EQ(n.value[1], -2.5f);
  EXPECT_FLOAT_EQ(n.value[2], 300.0f);
  EXPECT_EQ(n.value[3], 0.0f);
  ASSERT_EQ(script_read_numbers("K 1,2", 2, &n), 1);
  EXPECT_EQ(n.count, 1);  // reading stops at an item that is not a number
  EXPECT_EQ(script_read_numbers("K 2147483648", 1, &n), 0);
  EXPECT_EQ(script_read_numbers("K -2147483648", 1, &n), 1);
  EXPECT_EQ(script_trunc(n.value[0]), INT32_MIN);

  int32_t w = 7;
  EXPECT_EQ(script_read_whole("K 2147483647", &w), 1);
  EXPECT_EQ(w, INT32_MAX);
  EXPECT_EQ(script_read_whole("K 2147483648", &w), 0);
  EXPECT_EQ(script_read_whole("K", &w), 1);
  EXPECT_EQ(w, 0);

  char name[8];
  EXPECT_EQ(script_read_word("Load  abc.tga  x", 1, name, sizeof name), 1);
  EXPECT_STREQ(name, "abc.tga");
  EXPECT_EQ(script_read_word("Load", 1, name, sizeof name), 1);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(script_read_word("Load abcdefghijk", 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "abcdefg");

  float pose[6];
  EXPECT_EQ(script_read_keyframe("  -1, 2 ,3,4.5, 5, 6, (12.0)", pose), 6);
  EXPECT_FLOAT_EQ(pose[0], -1.0f);
  EXPECT_FLOAT_EQ(pose[3], 4.5f);
  EXPECT_EQ(script_read_keyframe("+ - 5", pose), 0);
  EXPECT_EQ(script_read_keyframe("1, 2, 3 4, 5, 6", pose), 3);
  EXPECT_EQ(script_read_keyframe("1, 2, nan, 4, 5, 6", pose), -1);
}

TEST_F(ScriptInterpreter, CleanUpHelpers) {
  char a[] = "abc\r\ndef";
  cut_at_newline(a);
  EXPECT_STREQ(a, "abc");
  char b[] = "\ta\tb";
  tabs_to_blanks(b);
  EXPECT_STREQ(b, " a b");
  EXPECT_STREQ(skip_first_word("  Spawn   prog arg  "), "prog arg  ");
  EXPECT_STREQ(skip_first_word("Spawn"), "");
  EXPECT_EQ(is_blank_line(" \x80\xFF"), 1);
  EXPECT_EQ(is_blank_line(" x"), 0);
}

}  // namespace
