// The operating-system calls of the engine: processes, working folder, environment, file status, folder
// listing and creation, temporary files, sync and the stack limit. No file outside engine/host makes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>

// Processes. Runs argv[0] (a path or a name on the search path) with the null-ended arguments and waits
// for it. Result: its exit code, 128 + the signal that ended it, or minus the system error number.
int32_t system_run_and_wait(char* const* argv);

// Working folder. The current folder into out (size bytes); false when it cannot be read or does not fit.
bool system_current_folder(char* out, size_t size);
// Makes path the current folder; true when it is.
bool system_change_folder(const char* path);

// Environment. The variable's value; null when it is not set.
const char* system_environment(const char* name);

// File status. True when something (file or folder) exists at the path.
bool system_path_exists(const char* path);

// Folder listing. Calls visit with each entry name of the folder (empty or null: the current folder), in
// the system's order, until visit returns false; false when the folder cannot be read.
bool system_list_folder(const char* folder, const std::function<bool(const char* name)>& visit);
// Creates one folder with the usual permissions; true when it was made (false when it exists already or
// cannot be made).
bool system_make_folder(const char* path);

// Temporary files. Creates a new file from a name template ending in "XXXXXX" (replaced in place by a
// unique suffix), given the permissions of a new file, and opens it for binary writing; null when it
// cannot be made (the template is then left as the system left it and no file remains).
FILE* system_open_temp_file(char* name_template);
// What stands at a path, the final symbolic link followed.
enum SystemFileKind : int32_t { kSystemNothing = 0, kSystemRegular = 1, kSystemFolder = 2, kSystemOther = 3 };
struct SystemFileStatus {
  SystemFileKind kind;
  uint32_t mode;   // permission bits
  uint64_t links;  // names of the file (hard links)
};
SystemFileStatus system_file_status(const char* path);
// The path a chain of symbolic links at path ends in (the path itself when it is no link), relative
// links taken from the folder of the link; false when the chain loops or cannot be read or does not fit.
bool system_link_target(const char* path, char* out, size_t size);
// True when this process could open the existing file at path for writing (nothing is changed).
bool system_can_write(const char* path);
// Gives the open file the permission bits mode, and the owner and group of the file at owner_of where
// the system allows; true when the permissions were set.
bool system_copy_permissions(FILE* file, uint32_t mode, const char* owner_of);
// Cuts the open file (flushed) to size bytes; true when done.
bool system_truncate_file(FILE* file, uint64_t size);
// Removes a file; true when it was removed.
bool system_remove_file(const char* path);

// Sync. Writes the open file's data through to the disk after a flush; true also where the file kind
// cannot be synced.
bool system_sync_file(FILE* file);

// Stack limit. Raises the stack limit to at least bytes where the system allows; the limit in force
// (UINT64_MAX: unlimited, 0: it cannot be read).
uint64_t system_raise_stack_limit(uint64_t bytes);
