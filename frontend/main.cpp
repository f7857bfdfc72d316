// The dalvenor program: the desktop program when a display is available, else (or with -b) the command line and
// the start-up files run unattended.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontend/desktop_entry.h"

int main(int argc, char** argv) {
  // "-b" asks for an unattended run; it is taken off the command line the engine sees.
  std::vector<char*> args;
  bool unattended = false;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strcmp(argv[i], "-b") == 0) {
      unattended = true;
      continue;
    }
    args.push_back(argv[i]);
  }
  args.push_back(nullptr);
  const int n = static_cast<int>(args.size()) - 1;
  if (!unattended && desktop_available()) {
    const int status = run_desktop(n, args.data());
    if (status != kDesktopUnavailable) return status;
  }
  return run_unattended(n, args.data());
}
