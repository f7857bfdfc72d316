// Ending the program when not even the smallest state can be had, and the clean-up before every end.
// Declared here so the lowest layers can end the program; ui/fatal.cpp shows the last message.
#pragma once

[[noreturn]] void fatal_exit(const char* message);
void engine_cleanup();
