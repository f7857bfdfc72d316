// The folder scan: the entries of one folder that match a pattern, one at a time, folders told from files.
#pragma once

#include <cstdint>

// Entry kinds.
constexpr uint32_t kScanFolder = 1;
constexpr uint32_t kScanFile = 2;
// The size of the name buffer of find_next, terminator included.
constexpr int32_t kScanNameSize = 260;

// Starts a scan of the folder (any letter case, "\" or "/") for the pattern ("*" and "?", any letter case);
// a pattern text holding a ";" (a list of patterns) scans every entry. The scan handle, 0 when nothing matches
// or the folder does not exist. Only one scan is open at a time: a new one ends the previous one.
int32_t find_first(const char* folder, const char* patterns);
// The next entry: its name (cut to 259 characters), size in bytes (0 for a folder, at most 0xFFFFFFFF) and kind.
// 1 with an entry, 0 when none remains or the handle is not the open scan's.
int32_t find_next(int32_t handle, char* name, uint32_t* size, uint32_t* kind);
// Ends the scan; 1.
int32_t find_close(int32_t handle);
// Ends any open scan (start-up and tests).
void reset_folder_scan();

// True when the name matches the pattern: "*" any run of characters, "?" one character, letters in any case;
// "*.*" matches every name.
bool scan_pattern_matches(const char* pattern, const char* name);
