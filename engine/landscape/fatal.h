// Ending the program when not even the smallest state can be had, and the clean-up before every end.
#pragma once

[[noreturn]] void fatal_exit(const char* message);
void engine_cleanup();
