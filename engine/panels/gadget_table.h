// Helpers for the static gadget tables of the panels: one gadget from its table row, and linking a table.
#pragma once

#include <cstdint>

#include "engine/ui/panel_record.h"

namespace gadget_table {

// A gadget from its table row. Labels of buttons and labels are never written; fields get their own buffer.
inline GadgetRecord make(int32_t kind, uint32_t group, int32_t x, int32_t y, int32_t id, const char* text,
                         const char* tooltip, int32_t value = 0, int32_t width = 0, int32_t range = 0,
                         char* buffer = nullptr, int32_t buffer_size = 0) {
  GadgetRecord g{};
  g.kind = kind;
  g.group = group;
  g.x = x;
  g.y = y;
  g.id = id;
  g.text = buffer ? buffer : const_cast<char*>(text);
  g.text_size = buffer ? buffer_size : 0;
  g.value = value;
  g.width = width;
  g.range = range;
  g.tooltip = tooltip;
  g.help_x = 8;
  g.help_y = 538;
  return g;
}

// Links the table in order and returns its head.
inline GadgetRecord* link(GadgetRecord* table, int32_t count) {
  for (int32_t i = 0; i + 1 < count; ++i) table[i].next = &table[i + 1];
  if (count > 0) table[count - 1].next = nullptr;
  return count > 0 ? &table[0] : nullptr;
}

// The gadget with the id in the list, or null.
inline GadgetRecord* find(GadgetRecord* list, int32_t id) {
  for (GadgetRecord* g = list; g; g = g->next)
    if (g->id == id) return g;
  return nullptr;
}

}  // namespace gadget_table
