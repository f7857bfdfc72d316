// Starting an outside program with posix_spawnp and waiting for it.
#include "engine/animation/spawn_program.h"

#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/landscape/programs.h"

extern char** environ;

namespace {

// The file name part of a path written with "\" or "/".
const char* base_of(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') base = p + 1;
  }
  return base;
}

bool names_command_interpreter(const std::string& program) {
  const char* base = base_of(program.c_str());
  static const char* const kNames[] = {"COMMAND.COM", "COMMAND", "CMD.EXE", "CMD"};
  for (const char* name : kNames) {
    if (strcasecmp(base, name) == 0) return true;
  }
  const char* comspec = std::getenv("COMSPEC");
  return comspec && *comspec && strcasecmp(program.c_str(), comspec) == 0;
}

}  // namespace

int32_t spawn_program(const char* command_line) {
  if (!command_line) return -EINVAL;
  const char* p = command_line;
  while (*p == ' ') ++p;
  const char* program_end = p;
  while (*program_end && *program_end != ' ') ++program_end;
  std::string program(p, program_end);
  p = program_end;
  while (*p == ' ') ++p;
  std::string argument(p);
  if (program.empty()) return -ENOENT;

  std::string flag;
  if (names_command_interpreter(program)) {
    program = user_shell();
    if (argument.size() >= 2 && argument[0] == '/' && (argument[1] == 'c' || argument[1] == 'C') &&
        (argument.size() == 2 || argument[2] == ' ')) {
      flag = "-c";
      argument.erase(0, 2);
      while (!argument.empty() && argument[0] == ' ') argument.erase(0, 1);
    }
  }

  char* argv[4] = {program.data(), nullptr, nullptr, nullptr};
  int argc = 1;
  if (!flag.empty()) argv[argc++] = flag.data();
  if (!argument.empty() || !flag.empty()) argv[argc++] = argument.data();

  pid_t pid = 0;
  const int err = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ);
  if (err != 0) return -err;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -errno;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}
