// The UI font: 8 by 16 pixel glyphs for the 256 character codes.
#pragma once

#include <cstdint>

// Row r of character c: bit 7 is the leftmost pixel.
extern const uint8_t ui_font_glyphs[256][16];
constexpr int32_t kUiFontWidth = 8;
constexpr int32_t kUiFontHeight = 16;
