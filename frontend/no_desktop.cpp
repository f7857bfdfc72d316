// The program built without the desktop toolkit: only unattended runs.
#include "frontend/desktop_entry.h"

bool desktop_available() { return false; }
int run_desktop(int, char**) { return kDesktopUnavailable; }
