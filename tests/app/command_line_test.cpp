// Splitting the command line and reading its options.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/animation/script_runner.h"
#include "engine/app/command_line.h"
#include "engine/core/settings.h"

namespace {

std::vector<std::string> split(const std::string& text) {
  char line[kCommandLineSize] = {};
  std::snprintf(line, sizeof line, "%s", text.c_str());
  char* argv[kMaxStartupArgs] = {};
  const int32_t n = split_command_line(line, argv, kMaxStartupArgs);
  return std::vector<std::string>(argv, argv + n);
}

struct SplitCase {
  const char* line;
  std::vector<std::string> args;
};

TEST(CommandLineSplit, Table) {
  const SplitCase cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"dalvenor", {"dalvenor"}},
      {"dalvenor  a.scr\tb.dem ", {"dalvenor", "a.scr", "b.dem"}},
      {"dalvenor \"my file.scr\" x", {"dalvenor", "my file.scr", "x"}},
      {"dalvenor \"unterminated quote runs on", {"dalvenor", "unterminated quote runs on"}},
      {"dalvenor a\"b c", {"dalvenor", "a\"b", "c"}},  // a quote inside an argument is plain text
      {"dalvenor \"\" x", {"dalvenor", "", "x"}},
      {"\"C:\\Program Files\\dalvenor.exe\" -ta", {"C:\\Program Files\\dalvenor.exe", "-ta"}},
      {"dalvenor \"a\"b", {"dalvenor", "a", "b"}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(split(c.line), c.args) << c.line;
}

TEST(CommandLineSplit, KeepsTheFirstSixteenArguments) {
  std::string line = "p";
  for (int i = 1; i < 20; ++i) line += " a" + std::to_string(i);
  const std::vector<std::string> args = split(line);
  ASSERT_EQ(args.size(), 16u);
  EXPECT_EQ(args[15], "a15");
}

TEST(CommandLineSplit, NeverReadsPastTheEndOfTheLine) {
  // Text after the terminating zero must not become arguments, whatever ends the line.
  const char* const endings[] = {"p \"open", "p x", "p \"closed\"", "p "};
  for (const char* ending : endings) {
    char line[64];
    std::memset(line, 'Z', sizeof line);
    const size_t n = std::strlen(ending);
    std::memcpy(line, ending, n + 1);
    line[sizeof line - 1] = 0;
    char* argv[kMaxStartupArgs] = {};
    const int32_t count = split_command_line(line, argv, kMaxStartupArgs);
    for (int32_t i = 0; i < count; ++i) {
      EXPECT_LT(argv[i], line + n + 1) << ending;
      EXPECT_EQ(std::strchr(argv[i], 'Z'), nullptr) << ending;
    }
  }
}

TEST(CommandLineCopy, LongLinesAreCutAndArgumentVectorsQuoted) {
  std::string long_line(kCommandLineSize + 400, 'x');
  set_command_line(long_line.c_str());
  EXPECT_EQ(std::strlen(command_line_buffer), static_cast<size_t>(kCommandLineSize - 1));
  EXPECT_EQ(std::strlen(program_path), static_cast<size_t>(kCommandLineSize - 1));
  EXPECT_EQ(command_line_refused_count, 0);

  const char* argv[] = {"/opt/dal venor/dalvenor", "-ob", "scene one.scr"};
  set_command_line_args(3, argv);
  EXPECT_STREQ(command_line_buffer, "\"/opt/dal venor/dalvenor\" -ob \"scene one.scr\"");
  EXPECT_STREQ(program_path, "/opt/dal venor/dalvenor");
  split_startup_command_line();
  ASSERT_EQ(startup_argc, 3);
  EXPECT_STREQ(startup_argv[2], "scene one.scr");
  EXPECT_EQ(command_line_refused_count, 0);

  // An argument longer than any path is refused whole, and named; the others are kept.
  std::string big(kCommandLinePathMax + 1, 'y');
  const char* argv2[] = {"p", "a.scr", big.c_str(), "b.scr"};
  set_command_line_args(4, argv2);
  EXPECT_STREQ(command_line_buffer, "p a.scr b.scr");
  EXPECT_EQ(command_line_refused_count, 1);
  EXPECT_EQ(std::string(command_line_refused), big);
}

// Sixteen arguments of the longest path all fit, quoted; a seventeenth and more are refused by name.
TEST(CommandLineCopy, SixteenLongestPathsFitAndExtraArgumentsAreRefused) {
  std::vector<std::string> args;
  for (int i = 0; i < kMaxStartupArgs; ++i) args.push_back(std::string(kCommandLinePathMax - 4, 'a' + i) + " x/y");
  args.push_back("extra1.scr");
  args.push_back("extra2.scr");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  set_command_line_args(static_cast<int32_t>(argv.size()), argv.data());
  split_startup_command_line();
  ASSERT_EQ(startup_argc, kMaxStartupArgs);
  for (int i = 0; i < kMaxStartupArgs; ++i) EXPECT_EQ(startup_argv[i], args[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(command_line_refused_count, 2);
  EXPECT_STREQ(command_line_refused, "extra1.scr extra2.scr");

  // A raw line with more than sixteen arguments: the rest is refused too.
  std::string line = "p";
  for (int i = 1; i < 19; ++i) line += " a" + std::to_string(i);
  line += " \"last one\"  ";
  set_command_line(line.c_str());
  split_startup_command_line();
  EXPECT_EQ(startup_argc, 16);
  EXPECT_EQ(command_line_refused_count, 4);
  EXPECT_STREQ(command_line_refused, "a16 a17 a18 last one");
  set_command_line("");
}

struct OptionCase {
  const char* argument;
  int32_t output;       // animation_output after it (starting from 5)
  const char* base;     // base name after it (starting from "old")
};

TEST(CommandLineOptions, Table) {
  const OptionCase cases[] = {
      {"-tt", kOutputTargaSeries, "old"},  {"-tj", kOutputJpegSeries, "old"},
      {"-TB", kOutputBmpSeries, "old"},    {"-tF", kOutputFlc, "old"},
      {"-ta", kOutputAvi, "old"},          {"-Tv", kOutputFrameSequence, "old"},
      {"-tx", kOutputTargaSeries, "old"},  {"-t", kOutputTargaSeries, "old"},
      {"-ofly", kOutputTargaSeries, "fly"}, {"-Oout/frame", kOutputTargaSeries, "out/frame"},
      {"-o", kOutputTargaSeries, ""},      {"-x", kOutputTargaSeries, "old"},
      {"-", kOutputTargaSeries, "old"},
      // "/" starts a path on this system, never an option.
      {"/ta", kOutputTargaSeries, "old"},  {"/ofly", kOutputTargaSeries, "old"},
  };
  for (const OptionCase& c : cases) {
    animation_state.animation_output = kOutputTargaSeries;
    char base[kCommandLineSize] = "old";
    apply_option(c.argument, base);
    EXPECT_EQ(animation_state.animation_output, c.output) << c.argument;
    EXPECT_STREQ(base, c.base) << c.argument;
  }
  EXPECT_TRUE(is_option_argument("-ta"));
  EXPECT_FALSE(is_option_argument("/home/user/a.scr"));
  EXPECT_FALSE(is_option_argument("a.scr"));
  reset_settings_defaults();
}

}  // namespace
