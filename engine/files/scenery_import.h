// Importing landscapes of Scenery Animator ("SANM" files with a "DEMH" header chunk and a "DEM " elevation
// chunk): the elevations replace the grid (resized in any-size mode), samples without data are filled from
// their neighbours, the ground colours are cleared and the landscape is named.
#pragma once

#include <cstddef>
#include <cstdint>

// The import: 1 imported; 0 when the file cannot be read, is not such a file, is damaged or does not fit
// (each reported with a message; nothing is printed and the landscape stays as it was).
int32_t load_scenery_animator(const char* path);
// "Load Scenery File:" file choice (filter "*.DEM"), then the import; -1 when cancelled. After 1 the caller
// redraws the map and the panels as after any landscape load.
int32_t load_scenery_animator_dialog();

// Fills every sample below -30000 from its neighbours, row by row, each fill seen by later samples.
void adjust_landscape();
// The value for the sample without data at (column, row): the lowest of the nearest valid samples to the
// right, left, below and above, each later direction counting only when at least as near.
int16_t fill_void_from_neighbour(int32_t column, int32_t row);
// Decodes one coded row of count samples from at most length bytes; returns the bytes used. Samples whose
// codes lie beyond the bytes stay as they were.
size_t decode_sanim_row(const uint8_t* coded, size_t length, int16_t* out, int32_t count);
// The position just behind the first occurrence of the four-byte id (where its length starts), or -1.
int64_t find_chunk(const uint8_t* buffer, const char* id, size_t length);
// The file's length in bytes; 0 when it cannot be opened.
uint64_t file_size(const char* path);

// The dialog's buffers.
extern char scenery_dir[256], scenery_name[256], scenery_path[256];
void reset_scenery_import();
