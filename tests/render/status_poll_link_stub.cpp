// Weak stand-in for abort polling so the shading tests link before the status module is merged; the real one wins.
// Like the real one, a pending user_abort request is cleared and stops the operation.
#include <cstdint>

#include "engine/panels/engine_control.h"
#include "engine/panels/status.h"

__attribute__((weak)) int32_t poll_user_abort() {
  if (user_abort) {
    user_abort = 0;
    return -1;
  }
  return 1;
}
