// The ids of the command families that are not built into this program yet, so that they can say so.
#include "engine/panels/command_dispatch_internal.h"

namespace {
struct WaitingFamily {
  const char* name;
  const int32_t* ids;
};

// The display options and the Help menu's information panels open panels built with the other panels.
const int32_t waiting_info[] = {1027, 1069, 1070, 1071, 0};
const WaitingFamily waiting_families[] = {
    {"information panels (issue 22)", waiting_info},
};
}  // namespace

const char* command_waiting_family(uint32_t command) {
  for (const WaitingFamily& f : waiting_families) {
    for (const int32_t* id = f.ids; *id; ++id) {
      if (static_cast<uint32_t>(*id) == command) return f.name;
    }
  }
  return nullptr;
}
