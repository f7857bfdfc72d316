// Raw elevation import: a headerless file of little-endian 16-bit rows read into the elevation grid.
#pragma once

#include <cstdint>

// Parameters kept between imports (0 at start: the dialog then offers the grid's size) and the
// dialog's name and path buffers (the folders are binary_dir and binary_dir_work).
extern int32_t binary_width, binary_height, binary_skip;
extern char binary_file_name[256];
extern char binary_path[256];
void reset_raw_elevation_import();

// Reads rows of width samples, after skip bytes, into grid rows 0, 1, ...: at most the grid's height
// rows and the grid's width samples of each; grid samples not covered become 0. The file is checked
// first: when it cannot be opened, the numbers are unusable, or it is shorter than the rows it must
// supply, nothing changes and 0 is returned (no message: callers report the failure). 1 loaded.
int32_t load_binary_raw(const char* path, int32_t width, int32_t height, int32_t skip);
// Binary Elevation Data: "Load Binary Data" file choice, then "Data width:", "Data height:" and
// "Header bytes to skip:". -1 cancelled, else the result of load_binary_raw (the caller shows
// msg_error_reading on 0 and refreshes the landscape on 1).
int32_t load_binary_dialog();
