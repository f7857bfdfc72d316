// The menu id to command id table.
#include <gtest/gtest.h>

#include <set>

#include "engine/app/menu_table.h"

namespace {

TEST(MenuTable, LooksUpPairsAndGivesZeroForUnknownIds) {
  struct Case {
    uint32_t menu, command;
  };
  const Case cases[] = {
      {1003, 1134}, {1601, 1070}, {1604, 1072}, {1627, 1092}, {1617, 1093}, {1000, 1124}, {1103, 1035},
      {1102, 1037}, {1101, 1036}, {1104, 1285}, {1405, 1137}, {1300, 1268}, {1400, 1267}, {1504, 1282},
      {0, 0},       {1605, 0},    {1618, 0},    {9999, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(menu_to_command_id(c.menu), c.command) << c.menu;
}

TEST(MenuTable, EveryMenuIdAndCommandIdAppearsOnce) {
  std::set<uint32_t> menus, commands;
  for (const MenuCommandPair& pair : menu_command_map) {
    EXPECT_TRUE(menus.insert(pair.menu_id).second) << pair.menu_id;
    EXPECT_TRUE(commands.insert(pair.command_id).second) << pair.command_id;
    EXPECT_EQ(menu_to_command_id(pair.menu_id), pair.command_id);
  }
  EXPECT_EQ(menus.size(), 56u);
}

}  // namespace
