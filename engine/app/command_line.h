// The program's command line: the copied line, its split into at most 16 arguments, and the options.
#pragma once

#include <cstdint>

constexpr int32_t kMaxStartupArgs = 16;
constexpr int32_t kCommandLineSize = 256;

// The arguments split from command_line_buffer; argument 0 is the program as written on the line.
extern int32_t startup_argc;
extern char* startup_argv[kMaxStartupArgs];
// The copied command line (split in place) and the program path, each cut to 255 characters.
extern char command_line_buffer[kCommandLineSize];
extern char program_path[kCommandLineSize];

// Copies the line into command_line_buffer (cut to 255 characters) and argument 0 into program_path.
void set_command_line(const char* line);
// Builds the line from an argument vector as the platform hands it over: arguments holding a blank or
// tab are put in double quotes; an argument that would not fit whole ends the line before it.
void set_command_line_args(int32_t argc, const char* const* argv);

// Splits line in place: blanks and tabs separate, a double quote opens an argument that runs to the next
// double quote or the end of the line. Stops at the line's terminating zero and after max_args
// arguments. Returns the count of arguments stored in argv.
int32_t split_command_line(char* line, char** argv, int32_t max_args);
// Splits command_line_buffer into startup_argc and startup_argv.
void split_startup_command_line();

// What an argument is: an option ("-o", "-t") or a file. Only "-" starts an option; "/" starts a path.
bool is_option_argument(const char* argument);
// Applies an option to the base name of saved frames (out, 256 characters) and to animation_output.
// "-o<name>" sets the base name; "-t<letter>" picks the output kind (t, j, b, f, a, v in either case);
// every other option and an unknown letter change nothing.
void apply_option(const char* argument, char* base_name);
