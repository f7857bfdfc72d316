// The engine's key codes (scan code << 8 | character) for the keys the desktop program passes on.
#pragma once

#include <cstdint>

// Keys without a character, as the toolkit layer names them.
enum SpecialKey : int32_t {
  kSpecialNone = 0,
  kSpecialEscape, kSpecialEnter, kSpecialBack, kSpecialTab,
  kSpecialUp, kSpecialDown, kSpecialLeft, kSpecialRight,
  kSpecialHome, kSpecialEnd, kSpecialPageUp, kSpecialPageDown, kSpecialInsert, kSpecialDelete,
  kSpecialPadStar, kSpecialPadSlash, kSpecialPadPlus, kSpecialPadMinus,
  kSpecialF1, kSpecialF2, kSpecialF3, kSpecialF4, kSpecialF5, kSpecialF6, kSpecialF7, kSpecialF8, kSpecialF9,
  kSpecialF10,
};

// The 16-bit key code of a special key; 0 for kSpecialNone.
int32_t special_key_code(SpecialKey key);
// The 16-bit key code of a typed character (US layout scan codes; characters without a key get scan code 0).
// 0 for characters outside 1 to 255.
int32_t character_key_code(int32_t character);

// What a key does at the main frame while the engine is idle: an engine command with the Camera or the Topo
// record, or a key that is consumed without a command (F1, F5).
struct FrameKeyAction {
  uint32_t command = 0;   // 0: none
  bool camera = false;    // sent with the Camera panel's record, else with the Topo record
  bool consumed = false;  // the key reaches no window
};
FrameKeyAction frame_special_key(SpecialKey key);
// Typed characters that the frame turns into commands: the accelerators '%', '^', '0', 'E', 'e' and the
// camera's '+' and '-'.
FrameKeyAction frame_character(int32_t character);
