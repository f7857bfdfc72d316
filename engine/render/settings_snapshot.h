// The settings snapshot in bytes 236 to 859 of a current-format landscape header: filling it from the
// settings and applying it back.
#pragma once

#include <cstdint>

// Fills the snapshot fields of a 1024-byte header from the current settings (section offsets untouched).
void fill_dl4_snapshot(uint8_t* header);
// Applies the snapshot and the origin and spacings held in dem_header; returns 2. Values that could
// damage the program (out of range sizes, counts, divisors, modes, non-finite numbers) are refused or
// brought into range field by field.
int32_t apply_dl4_header();
// Applies whichever header old_dem_header holds: the older format's result, 2 for the current format,
// 0 for any other magic (nothing applied).
int32_t apply_loaded_header();
