// The program's icon, drawn at any size: a snow-capped peak under a sun in a blue sky, over green ground.
#pragma once

#include <cstdint>
#include <vector>

// size by size pixels, 0xRRGGBB, top row first; empty for a size below 8 or above 256.
std::vector<uint32_t> program_icon_pixels(int32_t size);
