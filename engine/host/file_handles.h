// Operating-system services on open files: their size, cutting them back, owner-only permissions.
#pragma once

#include <cstdint>
#include <cstdio>

// Bytes in the open file (its buffered writes flushed first); -1 when the system cannot tell.
int64_t open_file_size(FILE* file);
// Flushes the file and cuts it to size bytes; 1 done, 0 failed.
int32_t cut_open_file(FILE* file, int64_t size);
// Lets the owner read and write the file, everybody else only read it.
void set_file_owner_writable(FILE* file);
