// The main frame's menus as data: every item with its id, label, help text, menu code and engine command.
#pragma once

#include <cstdint>

// One row of the menu tables, in the order the menus show them.
struct MenuItemRow {
  int32_t depth;         // 0 top level of its menu, 1 inside a submenu, 2 inside a submenu's submenu
  int32_t id;            // the item's toolkit id; 0 for a separator
  const char* label;     // null for a separator
  const char* help;      // shown on the status line while the item is highlighted
  uint32_t menu_code;    // 0 for submenus, separators and Exit
  uint32_t command;      // the engine command the menu code stands for; 0 when none
  bool submenu;          // the row opens a submenu made of the deeper rows that follow it
};

// The top-level menus and their rows.
struct MenuTable {
  const char* title;
  const MenuItemRow* rows;
  int32_t count;
};
constexpr int32_t kMenuTables = 5;
extern const MenuTable menu_tables[kMenuTables];

// The Exit item's id.
constexpr int32_t kMenuExitId = 1;
// The row of the item with this toolkit id, or null.
const MenuItemRow* menu_row_by_id(int32_t id);
