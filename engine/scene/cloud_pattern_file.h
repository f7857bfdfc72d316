// Cloud pattern files (".CLD"): the pattern as an 8-bit run-length PCX picture, the raw-bytes fallback and the
// load and save commands.
#pragma once

#include <cstdint>

// Writes the pattern as a 256 by 256 grey PCX, pattern row 255 as the top picture row, through a temporary
// file: 1 written; 0 when the file cannot be created or written (any previous file is kept).
int32_t cloud_pattern_save_pcx(const char* path);
// Reads an 8-bit, one-plane, version-5 run-length PCX into the pattern: picture row r sets pattern row 255 - r,
// at most 256 rows and columns, each index turned into a density through the picture's palette.
// 1 read; 0 cannot open or short header; -3 not that kind of PCX; -5 wider than 8192 (or empty). A file
// that ends inside the picture leaves the rows it does not complete unchanged.
int32_t cloud_pattern_load_pcx(const char* path);
// The PCX reader first; when it refuses the file, up to 65,536 raw bytes fill the pattern row after row (a
// shorter file changes only its first bytes). 1 read; 0 when the file cannot be opened.
int32_t load_cloud_pattern_file(const char* path);

// Requester buffers of the cloud pattern commands (the folder is cloud_dir of the default folders).
extern char cloud_name[256];
extern char cloud_path[256];

// "Load cloud pattern": -1 cancelled, else the result of load_cloud_pattern_file.
int32_t ui_load_cloud_pattern();
// "Save cloud pattern": -1 cancelled or not replaced, 1 written, 0 failed.
int32_t ui_save_cloud_pattern();
