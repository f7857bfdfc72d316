// The test programs run dalvenor unattended: they forget any display, so the program they start opens no window.
#include <cstdlib>

namespace {
struct ForgetDisplay {
  ForgetDisplay() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  }
} forget_display;
}  // namespace
