// The main frame's menu rows: each item's menu code is sent as the engine command the table pairs it with.
#include <gtest/gtest.h>

#include <set>

#include "engine/app/menu_table.h"
#include "frontend/logic/menu_items.h"

TEST(MenuItems, EveryCommandItemSendsItsEngineCommand) {
  int items = 0;
  for (const MenuTable& t : menu_tables) {
    for (int32_t i = 0; i < t.count; ++i) {
      const MenuItemRow& r = t.rows[i];
      if (!r.label || r.submenu || r.id == kMenuExitId) continue;
      ++items;
      EXPECT_EQ(menu_to_command_id(r.menu_code), r.command) << r.label << " (code " << r.menu_code << ")";
      EXPECT_NE(r.command, 0u) << r.label;
    }
  }
  EXPECT_EQ(items, kMenuCommandPairs - 2);  // every pair of the engine's table but 1405 and 1604, which no item sends
}

TEST(MenuItems, IdsAreUniqueAndFoundAgain) {
  std::set<int32_t> ids;
  for (const MenuTable& t : menu_tables)
    for (int32_t i = 0; i < t.count; ++i) {
      const MenuItemRow& r = t.rows[i];
      if (!r.label) continue;
      EXPECT_TRUE(ids.insert(r.id).second) << "id " << r.id << " twice";
      EXPECT_EQ(menu_row_by_id(r.id), &r);
    }
  EXPECT_EQ(menu_row_by_id(0), nullptr);
  EXPECT_EQ(menu_row_by_id(18), nullptr);
}

TEST(MenuItems, SubmenusHoldDeeperRowsAndMenusAreInOrder) {
  const char* titles[kMenuTables] = {"&File", "&Image", "&Quality", "&Communities", "&Help"};
  for (int m = 0; m < kMenuTables; ++m) {
    EXPECT_STREQ(menu_tables[m].title, titles[m]);
    const MenuTable& t = menu_tables[m];
    EXPECT_EQ(t.rows[0].depth, 0);
    for (int32_t i = 1; i < t.count; ++i) {
      // A row is at most one level deeper than the row before it, and only below a submenu.
      if (t.rows[i].depth > t.rows[i - 1].depth) {
        EXPECT_EQ(t.rows[i].depth, t.rows[i - 1].depth + 1);
        EXPECT_TRUE(t.rows[i - 1].submenu) << t.rows[i - 1].label;
      }
    }
  }
  const MenuItemRow* exit_row = menu_row_by_id(kMenuExitId);
  ASSERT_NE(exit_row, nullptr);
  EXPECT_STREQ(exit_row->label, "E&xit\tAlt-X");
  EXPECT_EQ(exit_row->menu_code, 0u);
}
