// The file choosers of the five texture kinds: each opens in its kind's folder, remembers the folder of the
// file chosen and writes the chosen path into the slot's name buffer.
#pragma once

#include <cstdint>

// Title and the slot's name buffer (256 bytes). 1 with the chosen path in the buffer (relative to the working
// folder when the file lies below it); -1 when cancelled, with the buffer emptied.
int32_t choose_ground_texture_file(const char* title, char* name);
int32_t pick_texture_file(const char* title, char* name);         // houses and roads
int32_t select_tree_texture_file(const char* title, char* name);
int32_t choose_sky_texture_file(const char* title, char* name);
int32_t select_water_texture(const char* title, char* name);
