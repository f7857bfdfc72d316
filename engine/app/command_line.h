// The program's command line: the copied line, its split into at most 16 arguments, and the options.
#pragma once

#include <cstdint>

constexpr int32_t kMaxStartupArgs = 16;
// The longest path the system allows; the line holds sixteen such arguments, each quoted and separated.
constexpr int32_t kCommandLinePathMax = 4096;
constexpr int32_t kCommandLineSize = kMaxStartupArgs * (kCommandLinePathMax + 3) + 1;

// The arguments split from command_line_buffer; argument 0 is the program as written on the line.
extern int32_t startup_argc;
extern char* startup_argv[kMaxStartupArgs];
// The copied command line (split in place) and the program path, each cut to kCommandLineSize - 1 characters.
extern char command_line_buffer[kCommandLineSize];
extern char program_path[kCommandLineSize];
// Arguments the line does not take (past the sixteenth, or longer than kCommandLinePathMax), blank
// separated (cut to the buffer), and how many there were; start-up refuses the run when there are any.
extern char command_line_refused[kCommandLineSize];
extern int32_t command_line_refused_count;

// Copies the line into command_line_buffer (cut to kCommandLineSize - 1 characters) and argument 0 into
// program_path; no argument is refused yet.
void set_command_line(const char* line);
// Builds the line from an argument vector as the platform hands it over: arguments holding a blank or
// tab are put in double quotes; arguments past the sixteenth and arguments longer than the longest path
// are left off and noted in command_line_refused.
void set_command_line_args(int32_t argc, const char* const* argv);

// Splits line in place: blanks and tabs separate, a double quote opens an argument that runs to the next
// double quote or the end of the line. Stops at the line's terminating zero and after max_args
// arguments. Returns the count of arguments stored in argv.
int32_t split_command_line(char* line, char** argv, int32_t max_args);
// The same; rest (when not null) receives where the text left over after max_args arguments starts
// (the end of the line when nothing is left).
int32_t split_command_line_rest(char* line, char** argv, int32_t max_args, char** rest);
// Splits command_line_buffer into startup_argc and startup_argv; arguments left over after the sixteenth
// are added to command_line_refused.
void split_startup_command_line();

// What an argument is: an option ("-o", "-t") or a file. Only "-" starts an option; "/" starts a path.
bool is_option_argument(const char* argument);
// Applies an option to the base name of saved frames (out, 256 characters) and to animation_output.
// "-o<name>" sets the base name; "-t<letter>" picks the output kind (t, j, b, f, a, v in either case);
// every other option and an unknown letter change nothing.
void apply_option(const char* argument, char* base_name);
