// Starting an outside program from a script line: program name, blank, one argument.
#include "engine/animation/spawn_program.h"

#include <strings.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/ui/programs.h"

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
    if (take_slash_c(&argument)) flag = "-c";
  }

  char* argv[4] = {program.data(), nullptr, nullptr, nullptr};
  int argc = 1;
  if (!flag.empty()) argv[argc++] = flag.data();
  if (!argument.empty() || !flag.empty()) argv[argc++] = argument.data();

  return run_and_wait(argv);
}
