// The two ways the program runs: the desktop program on a display, or unattended.
#pragma once

// 1 when a display is named in the environment and the desktop program is built in.
bool desktop_available();
// The desktop program; its exit status, or kDesktopUnavailable when no display could be opened.
constexpr int kDesktopUnavailable = -1;
int run_desktop(int argc, char** argv);
// The command line and start-up files without windows; 0 when every file ran or loaded and none failed.
int run_unattended(int argc, char** argv);
