// Writing a file so that a failed write never destroys the file it replaces.
//
// The data go to a temporary file in the target's folder; every write, the flush and the close are
// checked, and only then is the temporary file renamed over the target. A failure removes the
// temporary file and leaves any previous file untouched. The file keeps what it was: a symbolic link
// is written through to its target (the temporary file goes beside the target); a file with more than
// one name is copied into in place once the temporary file is complete; anything that is not a regular
// file (a device, a pipe) is written directly; a replaced file keeps its permissions; and a file that
// could not be opened for writing is never replaced. The record is plain data (no destructor),
// so it may live in functions that hold a recovery point (setjmp).
//
// Use:
//   SafeWrite w;
//   if (!safe_write_open(&w, path)) return 0;
//   if (!safe_write_bytes(&w, data, n)) { safe_write_abort(&w); return 0; }
//   return safe_write_commit(&w);   // 1 when the target now holds the new data
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// How a finished SafeWrite reaches its target.
enum SafeWriteMode : int32_t {
  kSafeWriteRename = 0,  // the temporary file is renamed over the target
  kSafeWriteCopy = 1,    // the temporary file is copied into the target (a file of several names)
  kSafeWriteDirect = 2,  // no temporary file: the target itself is open (not a regular file)
};

struct SafeWrite {
  FILE* file;          // the temporary file (or the target itself) while open, else null
  int32_t failed;      // set by the first failed write
  int32_t mode;        // a SafeWriteMode
  char target[4096];   // the target as resolved on this system
  char temp[4096];     // the temporary file beside it
};

// Creates the folders of the path and a temporary file beside the target; 1 ok, 0 failed.
int32_t safe_write_open(SafeWrite* w, const char* path);
// Writes n bytes; 1 ok, 0 on a short write (the record remembers the failure).
int32_t safe_write_bytes(SafeWrite* w, const void* data, size_t n);
// Flushes, closes and renames the temporary file over the target; 1 done, 0 failed (the temporary
// file is removed, the previous target is untouched). Also 0 when any earlier write failed.
int32_t safe_write_commit(SafeWrite* w);
// Closes and removes the temporary file; harmless when nothing is open.
void safe_write_abort(SafeWrite* w);
