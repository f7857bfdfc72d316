// The older landscape format: a 2048-byte header with big-endian fields and three optional settings blocks,
// read in full and written for Save Elevations Only.
#pragma once

#include <cstdint>

#include "engine/files/old_landscape_header.h"

// Reads an older-format file into the landscape (read and checked in full first). 1 loaded (settings wait
// in old_dem_header), 0 after a reported failure with everything as it was.
int32_t load_old_dem(const char* path);
// Applies the settings blocks in old_dem_header; 2 when any block was present, else 1.
int32_t apply_old_header();
// Writes the elevations of the block of columns by rows samples at (corner_column, corner_row) and the
// colour table; 1 written, 0 after a reported failure.
int32_t write_old_dem(const char* path, int32_t corner_column, int32_t corner_row, int32_t columns, int32_t rows);
// Save Elevations Only: asks "Save entire landscape?" and, for No, lets the user mark a half-size block on the
// map. 1 written, 0 after a reported failure, -1 cancelled.
int32_t save_old_dem(const char* path);
