// Start-up after the first paint: the command line, "STARTUP.SCR", the files named on the command line
// and "STARTUP.D4S"; and the default folders of the file requesters found under the program folder.
#pragma once

#include <cstdint>

constexpr int32_t kFolderBufferSize = 256;

// The program folder with a trailing "/" (the current folder once start-up moved there).
extern char program_dir[kFolderBufferSize];
extern char startup_dir[kFolderBufferSize];
// The folder the user started the program in, with a trailing "/": relative paths on the
// command line are taken from here.
extern char launch_dir[kFolderBufferSize];

// Splits the command line, moves to the program folder, sets the default folders, runs the start-up
// script, handles every argument in order and loads the start-up landscape.
void startup();
// program_dir and startup_dir from the current folder; sub-folders of it that exist become the
// default folders of their file kinds. The argument is not used: the current folder is read.
void init_default_dirs(const char* program_folder);

// The path of a command-line argument: relative paths are put behind launch_dir. 1 when it fits in
// out (kFolderBufferSize characters), else 0 with out empty.
int32_t command_line_path(const char* argument, char* out);
// Loads a landscape named at start-up and brings the view, map and panels up to date after it.
// A file that fails to load leaves the landscape, its view and its derived data as they were.
int32_t startup_load_landscape(const char* path);

// Command-line files that did not run or load to their end: scripts whose run gave anything but 1,
// landscapes that failed to load.
extern int32_t startup_failures;
