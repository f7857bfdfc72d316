// Region loading: one large landscape built from a folder of older-format landscape tiles, each placed by
// the difference between its origin and the landscape origin, so that neighbouring map sheets join.
#pragma once

#include <cstdint>

// Open Region: in any-size mode asks "Select a region size:" (Large 514 or Huge 1026 samples), lets the user
// choose one tile ("Load Landscape Region", "*.DEM"), takes origin, spacing, colours and vertical scale from
// it, clears the grids and places every tile of its folder. 1 when a file was chosen (whatever the tiles
// gave; the caller refreshes the landscape), -1 cancelled, 0 when the large flat landscape cannot be made
// (after "Insufficient memory available."). region_mode is as it was afterwards.
int32_t load_region_dialog();
// Reads the chosen tile's header into old_dem_header and takes the landscape origin and spacing from it
// (Ctrl held: spacing 30, 30, 1). 1, or 0 when the file is not an older-format landscape file.
int32_t read_region_header(const char* path);
// Reads one tile whole and only then places its samples (one overlapping row and column left off) at its
// origin's offset, clipped to the grid. 1 placed; 0 skipped: not an older-format landscape file (this
// clears the header and the landscape's name and description), outside the grid, unusable size, or damaged.
int32_t load_region_tile(const char* path);
