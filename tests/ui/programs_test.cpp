// Outside programs through the user's shell, the priority question and the quit request.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "tests/support/headless_host.h"
#include "engine/ui/programs.h"

namespace {

// Sets $SHELL for the scope of a test and puts the old value back.
class ScopedShell {
 public:
  explicit ScopedShell(const char* value) {
    const char* old = std::getenv("SHELL");
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) {
      setenv("SHELL", value, 1);
    } else {
      unsetenv("SHELL");
    }
  }
  ~ScopedShell() {
    if (had_) {
      setenv("SHELL", old_.c_str(), 1);
    } else {
      unsetenv("SHELL");
    }
  }

 private:
  bool had_ = false;
  std::string old_;
};

TEST(Programs, ShellCommandsGiveTheExitCode) {
  ScopedShell shell(nullptr);
  EXPECT_STREQ(user_shell(), "/bin/sh");
  struct Case {
    const char* text;
    int32_t result;
  };
  const Case cases[] = {{"exit 3", 3}, {"/c exit 4", 4}, {" /C exit 5", 5}, {"true", 0}, {"", 0}, {"kill -9 $$", 128 + 9}};
  for (const Case& c : cases) EXPECT_EQ(dos_command(c.text), c.result) << c.text;
}

TEST(Programs, AShellThatCannotStartGivesMinusTheErrorNumber) {
  ScopedShell shell("/nonexistent/dalvenor-shell");
  EXPECT_STREQ(user_shell(), "/nonexistent/dalvenor-shell");
  EXPECT_EQ(dos_command("exit 0"), -ENOENT);
  EXPECT_EQ(dos_shell(), -ENOENT);
}

TEST(Programs, PriorityQuestionAndQuitGoThroughTheHost) {
  ScopedHeadlessHost host;
  host->yes_no_answers = {1, 0};
  priority_dialog();
  EXPECT_EQ(host->engine_priority_low, 1);
  priority_dialog();
  EXPECT_EQ(host->engine_priority_low, 0);
  ASSERT_EQ(host->messages.size(), 2u);
  EXPECT_EQ(host->messages[0].text, "Select priority level");
  EXPECT_EQ(host->messages[0].button1, "Low");
  EXPECT_EQ(host->messages[0].button2, "Normal");
  post_quit();
  EXPECT_EQ(host->quit_posts, 1);
}

}  // namespace
