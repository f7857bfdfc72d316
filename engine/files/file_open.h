// Opening files by names that may use "\" or "/" and any letter case.
#pragma once

#include <cstddef>
#include <cstdio>

// Turns a path into the one to use on this system: "\" becomes "/", and each existing folder or
// file along the path is found regardless of letter case. Names along the path that do not exist stay as given.
// Returns the length written, or 0 when the result does not fit.
size_t resolve_path(const char* path, char* out, size_t out_size);
// fopen through resolve_path.
FILE* open_file(const char* path, const char* mode);
// remove and rename through resolve_path; 0 on success as the C library reports.
int remove_file(const char* path);
int rename_file(const char* from, const char* to);
