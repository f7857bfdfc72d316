// The status-line read-out of the map position under the pointer.
#pragma once

#include <cstdint>

// Shows "<mode>  X=...  Y=...  Z=..." for map pixel (px, py): the letter of the map click mode, the world
// coordinates (plus the landscape's world origin while Ctrl is held) and the elevation (0 off the landscape).
void show_cursor_position(int32_t px, int32_t py);
