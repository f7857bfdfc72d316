// Running an outside program to its end while the engine waits.
#pragma once

#include <cstdint>

// The text up to the first blank is the program, found on the search path; the rest after the blanks
// is passed as one argument (none when empty). The command interpreter ("COMMAND.COM", "CMD" or the
// COMSPEC name) is replaced by the user's shell ($SHELL, else /bin/sh), with a leading "/c" becoming "-c".
// Returns the program's exit code (128 + signal number when a signal ended it), or minus the system
// error number when it could not be started.
int32_t spawn_program(const char* command_line);
