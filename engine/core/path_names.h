// Small path helpers used around the file requester: extension, trailing backslash and folder split.
#pragma once

#include <cstddef>
#include <cstdint>

// Capacity assumed for the name, folder and path buffers these helpers write into.
constexpr size_t kPathBufferSize = 256;

// True for the characters that end a folder part: "\", "/" and the drive colon.
inline bool is_path_separator(char c) { return c == '\\' || c == '/' || c == ':'; }

// Appends the extension (with its dot) unless the last path component already has a dot.
// The buffer holds kPathBufferSize bytes; an extension that would not fit is not appended.
void add_extension(char* path, const char* extension);
void add_extension(char* path, size_t size, const char* extension);

// Appends "\" unless the folder is empty or ends in ":", "\" or "/"; 1 when appended, else 0.
// The buffer holds kPathBufferSize bytes; a full buffer is left unchanged (result 0).
int32_t append_backslash(char* folder);
int32_t append_backslash(char* folder, size_t size);

// Splits the path at its last backslash (or "/"): the folder gets the text before it, the path
// keeps the text after it. Without one but with a colon: the folder gets the text up to and
// including the last colon, the path keeps the rest. Otherwise nothing changes.
// The folder buffer holds kPathBufferSize bytes.
void split_path(char* folder, char* path);
void split_path(char* folder, size_t folder_size, char* path);
