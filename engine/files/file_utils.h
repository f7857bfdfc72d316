// File utilities every file command uses: existence test, creating a path's folders, asking before replacing.
#pragma once

#include <cstdint>

// 1 when the path names an existing file or folder, else 0.
int32_t file_exists(const char* path);
// Creates the folder named by the text before each "\" or "/" of the path, from the left; the part
// after the last separator is the file name and is not created. Folders that exist or cannot be
// made, and drive prefixes such as "D:", are passed over. Only the first 255 characters count.
void make_path_dirs(const char* path);
// Asks "Replace <path> ?" with "Replace" and "Cancel"; 1 for Replace, 0 otherwise.
int32_t confirm_replace(const char* path);
