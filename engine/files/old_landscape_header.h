// The older landscape header's presence bits and its conversion between file and memory byte order.
#pragma once

#include <cstdint>

// Presence bits of the older header.
constexpr uint32_t kOldHasSize = 1, kOldHasBlock1 = 2, kOldHasBlock2 = 4, kOldHasBlock3 = 8, kOldHasTail = 16;

// Converts a header between file order and memory order in place. reading: the presence word is tested
// after its own conversion; writing: it is tested before.
void old_header_swap(uint8_t* header, bool reading);
