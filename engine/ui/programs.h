// Outside programs and process services of the engine's main module: the user's shell, a shell
// command, a program from the search path, the engine's priority and the request to end.
#pragma once

#include <cstdint>
#include <string>

// The user's shell ($SHELL, else /bin/sh) in place of the command interpreter.
const char* user_shell();
// Runs argv[0] (a path or a name on the search path) with the null-ended arguments and waits for it.
// Result: its exit code, 128 + the signal that ended it, or minus the system error number.
int32_t run_and_wait(char* const* argv);
// Removes a leading "/c" option word (either case, after blanks) from a command text; true when there was one.
bool take_slash_c(std::string* text);
// Starts the user's shell with no arguments and waits for it; the current folder is kept.
// Result: the shell's exit code, or minus the system error number when it could not be started.
int32_t dos_shell();
// Runs the text through the user's shell ("-c" text; a leading "/c" is dropped) and waits; result as
// dos_shell.
int32_t dos_command(const char* text);

// The engine's thread below normal or at normal priority; the dialog "Select priority level" asks which.
void priority_low();
void priority_normal();
void priority_dialog();
// Asks the front end to end the program once control returns to its event loop.
void post_quit();
