// "View as Elevations": the rendered 8-bit image sampled into the elevation grid.
#pragma once

#include <cstdint>

// Asks "Convert View to ALT:" with "Intensity" (grey of the display palette x 64) or "Color" (palette index x 16)
// and overwrites the whole grid, the top image row becoming the last grid row; then the elevation range is
// refreshed and the derived data marked stale. Without an 8-bit frame buffer
// only the message is shown. 1 after a conversion, 0 when nothing changed.
int32_t convert_view_to_altitude();
