// The table that turns the front end's menu ids into engine command ids.
#pragma once

#include <cstdint>

struct MenuCommandPair {
  uint32_t command_id;  // engine command id sent to engine_command
  uint32_t menu_id;     // the front end's menu item id
};

constexpr int32_t kMenuCommandPairs = 56;
extern const MenuCommandPair menu_command_map[kMenuCommandPairs];

// The command id of the first pair with this menu id; 0 when none has it.
uint32_t menu_to_command_id(uint32_t menu_id);
