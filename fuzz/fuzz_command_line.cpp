// Fuzz target: the command line, as an argument vector (one argument per input line) and as a raw line:
// copying, splitting, refusing, options and paths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/app/command_line.h"
#include "engine/app/startup.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  size_t start = 0;
  while (start <= text.size() && args.size() < 64) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    args.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());  // an embedded zero ends an argument early
  set_command_line_args(static_cast<int32_t>(argv.size()), argv.data());
  for (int round = 0; round < 2; ++round) {
    split_startup_command_line();
    static char base_name[kCommandLineSize];
    static char path[kFolderBufferSize];
    for (int32_t i = 0; i < startup_argc; ++i) {
      if (is_option_argument(startup_argv[i])) apply_option(startup_argv[i], base_name);
      else command_line_path(startup_argv[i], path);
    }
    set_command_line(text.c_str());
  }
  return 0;
}
