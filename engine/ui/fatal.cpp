// The fatal exit: a last message, clean-up and exit code 10.
#include "engine/core/fatal.h"

#include <cstdlib>

#include "engine/ui/requesters.h"
#include "engine/ui/pointer.h"

void engine_cleanup() { pointer_reset_count(); }

void fatal_exit(const char* message) {
  pointer_reset_count();
  requester(message, "Oh no!", nullptr);
  engine_cleanup();
  std::exit(10);
}
