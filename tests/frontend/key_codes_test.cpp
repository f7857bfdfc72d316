// The engine key codes of the desktop program's keys, and the main frame's key table.
#include <gtest/gtest.h>

#include "frontend/logic/key_codes.h"

TEST(KeyCodes, SpecialKeys) {
  const struct {
    SpecialKey key;
    int32_t code;
  } cases[] = {
      {kSpecialEscape, 0x011B}, {kSpecialEnter, 0x1C0D}, {kSpecialBack, 0x0E08},   {kSpecialTab, 0x0009},
      {kSpecialUp, 0x4800},     {kSpecialDown, 0x5000},  {kSpecialLeft, 0x4B00},   {kSpecialRight, 0x4D00},
      {kSpecialHome, 0x4700},   {kSpecialEnd, 0x4F00},   {kSpecialPageUp, 0x4900}, {kSpecialPageDown, 0x5100},
      {kSpecialInsert, 0x5200}, {kSpecialDelete, 0x5300}, {kSpecialPadStar, 0x372A}, {kSpecialPadSlash, 0x352F},
      {kSpecialPadPlus, 0x4E2B}, {kSpecialPadMinus, 0x4A2D}, {kSpecialF1, 0x3B00}, {kSpecialF10, 0x4400},
      {kSpecialNone, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(special_key_code(c.key), c.code) << c.key;
}

TEST(KeyCodes, CharactersCarryTheirKeysScanCode) {
  const struct {
    int32_t ch, code;
  } cases[] = {{'5', 0x0635}, {'%', 0x0625}, {'6', 0x0736}, {'0', 0x0B30}, {'e', 0x1265}, {'E', 0x1245},
               {'t', 0x1474}, {' ', 0x3920}, {'-', 0x0C2D}, {'.', 0x342E}, {'\r', 0x1C0D}, {27, 0x011B},
               {0, 0},        {256, 0},      {0xE9, 0xE9}};
  for (const auto& c : cases) EXPECT_EQ(character_key_code(c.ch), c.code) << c.ch;
}

TEST(KeyCodes, FrameKeysWhileIdle) {
  // Arrows and the keypad's plus and minus go to the Camera panel; F2, F3 and F6 to the map; F1 and F5 are
  // consumed without a command; other keys pass.
  EXPECT_EQ(frame_special_key(kSpecialLeft).command, 0x14B00u);
  EXPECT_TRUE(frame_special_key(kSpecialLeft).camera);
  EXPECT_EQ(frame_special_key(kSpecialDown).command, 0x15000u);
  EXPECT_EQ(frame_special_key(kSpecialPadPlus).command, 0x14E2Bu);
  EXPECT_EQ(frame_special_key(kSpecialF2).command, 1420u);
  EXPECT_FALSE(frame_special_key(kSpecialF2).camera);
  EXPECT_EQ(frame_special_key(kSpecialF3).command, 1422u);
  EXPECT_EQ(frame_special_key(kSpecialF6).command, 1421u);
  for (SpecialKey k : {kSpecialF1, kSpecialF5}) {
    EXPECT_TRUE(frame_special_key(k).consumed);
    EXPECT_EQ(frame_special_key(k).command, 0u);
  }
  for (SpecialKey k : {kSpecialEscape, kSpecialEnter, kSpecialF4, kSpecialHome}) {
    EXPECT_FALSE(frame_special_key(k).consumed) << k;
  }
}

TEST(KeyCodes, TypedCharactersAtTheFrame) {
  EXPECT_EQ(frame_character('%').command, 0x10635u);
  EXPECT_EQ(frame_character('^').command, 0x10736u);
  EXPECT_EQ(frame_character('0').command, 0x10B30u);
  EXPECT_EQ(frame_character('E').command, 0x11265u);
  EXPECT_EQ(frame_character('e').command, 0x11265u);
  EXPECT_EQ(frame_character('+').command, 0x14E2Bu);
  EXPECT_TRUE(frame_character('-').camera);
  // '5' is not '%': typing it sends nothing.
  EXPECT_FALSE(frame_character('5').consumed);
  EXPECT_FALSE(frame_character('x').consumed);
}
