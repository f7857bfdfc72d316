// Starting the user's shell with posix_spawn and waiting for it; priority and quit through the host.
#include "engine/ui/programs.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/host/host.h"
#include "engine/ui/requesters.h"

extern char** environ;

int32_t run_and_wait(char* const* argv) {
  std::fflush(stdout);
  pid_t pid = 0;
  const int err = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ);
  if (err != 0) return -err;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -errno;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

bool take_slash_c(std::string* text) {
  size_t start = text->find_first_not_of(' ');
  if (start == std::string::npos) start = text->size();
  const bool found = text->size() >= start + 2 && (*text)[start] == '/' &&
                     ((*text)[start + 1] == 'c' || (*text)[start + 1] == 'C') &&
                     (text->size() == start + 2 || (*text)[start + 2] == ' ');
  if (found) start += 2;
  const size_t rest = text->find_first_not_of(' ', start);
  text->erase(0, found ? (rest == std::string::npos ? text->size() : rest) : start);
  return found;
}

namespace {

// The current folder is put back after the program ended, whatever the program did.
class KeepCurrentFolder {
 public:
  KeepCurrentFolder() { ok_ = ::getcwd(folder_, sizeof folder_) != nullptr; }
  ~KeepCurrentFolder() {
    if (ok_ && ::chdir(folder_) != 0) ok_ = false;
  }
  KeepCurrentFolder(const KeepCurrentFolder&) = delete;
  KeepCurrentFolder& operator=(const KeepCurrentFolder&) = delete;

 private:
  char folder_[4096];
  bool ok_;
};

}  // namespace

const char* user_shell() {
  const char* shell = std::getenv("SHELL");
  return (shell && *shell) ? shell : "/bin/sh";
}

int32_t dos_shell() {
  KeepCurrentFolder keep;
  std::string shell = user_shell();
  char* argv[] = {shell.data(), nullptr};
  return run_and_wait(argv);
}

int32_t dos_command(const char* text) {
  KeepCurrentFolder keep;
  std::string command = text ? text : "";
  take_slash_c(&command);
  std::string shell = user_shell();
  std::string flag = "-c";
  char* argv[] = {shell.data(), flag.data(), command.data(), nullptr};
  return run_and_wait(argv);
}

void priority_low() { host().set_engine_priority(1); }
void priority_normal() { host().set_engine_priority(0); }

void priority_dialog() {
  if (requester("Select priority level", "Low", "Normal") == 1) {
    priority_low();
  } else {
    priority_normal();
  }
}

void post_quit() { host().post_quit(); }
