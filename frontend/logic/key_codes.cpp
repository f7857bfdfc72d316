// Engine key codes of special keys and typed characters, and the main frame's key table.
#include "frontend/logic/key_codes.h"

#include <cstring>

namespace {
// Scan codes of the US layout: each string lists the characters of one key (unshifted, shifted).
struct KeyScan {
  int32_t scan;
  const char* chars;
};
constexpr KeyScan kScans[] = {
    {0x02, "1!"}, {0x03, "2@"}, {0x04, "3#"}, {0x05, "4$"}, {0x06, "5%"}, {0x07, "6^"}, {0x08, "7&"},
    {0x09, "8*"}, {0x0A, "9("}, {0x0B, "0)"}, {0x0C, "-_"}, {0x0D, "=+"}, {0x10, "qQ"}, {0x11, "wW"},
    {0x12, "eE"}, {0x13, "rR"}, {0x14, "tT"}, {0x15, "yY"}, {0x16, "uU"}, {0x17, "iI"}, {0x18, "oO"},
    {0x19, "pP"}, {0x1A, "[{"}, {0x1B, "]}"}, {0x1E, "aA"}, {0x1F, "sS"}, {0x20, "dD"}, {0x21, "fF"},
    {0x22, "gG"}, {0x23, "hH"}, {0x24, "jJ"}, {0x25, "kK"}, {0x26, "lL"}, {0x27, ";:"}, {0x28, "'\""},
    {0x29, "`~"}, {0x2B, "\\|"}, {0x2C, "zZ"}, {0x2D, "xX"}, {0x2E, "cC"}, {0x2F, "vV"}, {0x30, "bB"},
    {0x31, "nN"}, {0x32, "mM"}, {0x33, ",<"}, {0x34, ".>"}, {0x35, "/?"}, {0x39, " "},
};
}  // namespace

int32_t special_key_code(SpecialKey key) {
  switch (key) {
    case kSpecialEscape: return 0x011B;
    case kSpecialEnter: return 0x1C0D;
    case kSpecialBack: return 0x0E08;
    case kSpecialTab: return 0x0009;
    case kSpecialUp: return 0x4800;
    case kSpecialDown: return 0x5000;
    case kSpecialLeft: return 0x4B00;
    case kSpecialRight: return 0x4D00;
    case kSpecialHome: return 0x4700;
    case kSpecialEnd: return 0x4F00;
    case kSpecialPageUp: return 0x4900;
    case kSpecialPageDown: return 0x5100;
    case kSpecialInsert: return 0x5200;
    case kSpecialDelete: return 0x5300;
    case kSpecialPadStar: return 0x372A;
    case kSpecialPadSlash: return 0x352F;
    case kSpecialPadPlus: return 0x4E2B;
    case kSpecialPadMinus: return 0x4A2D;
    default: break;
  }
  if (key >= kSpecialF1 && key <= kSpecialF10) return (0x3B + (key - kSpecialF1)) << 8;
  return 0;
}

int32_t character_key_code(int32_t character) {
  if (character < 1 || character > 255) return 0;
  if (character == '\r' || character == '\n') return 0x1C0D;
  if (character == 27) return 0x011B;
  if (character == 8) return 0x0E08;
  if (character == 9) return 0x0009;
  for (const KeyScan& k : kScans)
    if (std::strchr(k.chars, static_cast<char>(character))) return (k.scan << 8) | character;
  return character;
}

FrameKeyAction frame_special_key(SpecialKey key) {
  FrameKeyAction a;
  switch (key) {
    case kSpecialLeft: a.command = 0x14B00; a.camera = true; break;
    case kSpecialRight: a.command = 0x14D00; a.camera = true; break;
    case kSpecialUp: a.command = 0x14800; a.camera = true; break;
    case kSpecialDown: a.command = 0x15000; a.camera = true; break;
    case kSpecialPadPlus: a.command = 0x14E2B; a.camera = true; break;
    case kSpecialPadMinus: a.command = 0x14A2D; a.camera = true; break;
    case kSpecialF2: a.command = 1420; break;
    case kSpecialF3: a.command = 1422; break;
    case kSpecialF6: a.command = 1421; break;
    case kSpecialF1:
    case kSpecialF5: break;
    default: return a;
  }
  a.consumed = true;
  return a;
}

FrameKeyAction frame_character(int32_t character) {
  FrameKeyAction a;
  switch (character) {
    case '%': a.command = 0x10635; break;
    case '^': a.command = 0x10736; break;
    case '0': a.command = 0x10B30; break;
    case 'E':
    case 'e': a.command = 0x11265; break;
    case '+': a.command = 0x14E2B; a.camera = true; break;
    case '-': a.command = 0x14A2D; a.camera = true; break;
    default: return a;
  }
  a.consumed = true;
  return a;
}
