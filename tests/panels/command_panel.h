// A sending panel for command tests: a headless panel holding one gadget per command id, whose state or value
// a test sets before sending the command.
#pragma once

#include <bit>
#include <cstdint>
#include <deque>

#include "engine/panels/gadget_table.h"
#include "tests/ui/ui_test_support.h"

class CommandPanel {
 public:
  CommandPanel() : panel_(400, 300) {}
  PanelRecord* get() { return &panel_.panel; }
  // The gadget of the id, made on first use (a button; `kind` for a new field).
  GadgetRecord& gadget(int32_t id, int32_t kind = kGadgetButton) {
    for (GadgetRecord& g : gadgets_)
      if (g.id == id) return g;
    gadgets_.push_back(gadget_table::make(kind, 0, 10, 10 + 12 * static_cast<int32_t>(gadgets_.size()), id, "x", nullptr));
    relink();
    return gadgets_.back();
  }
  void on(int32_t id) { gadget(id).state = kGadgetOn; }
  void off(int32_t id) { gadget(id).state = kGadgetOff; }
  int32_t state(int32_t id) { return gadget(id).state; }
  void value(int32_t id, int32_t v) { gadget(id, kGadgetInteger).value = v; }
  void value_float(int32_t id, float v) { gadget(id, kGadgetFloat).value = std::bit_cast<int32_t>(v); }
  int32_t value_of(int32_t id) { return gadget(id, kGadgetInteger).value; }

 private:
  void relink() {
    GadgetRecord* prev = nullptr;
    for (GadgetRecord& g : gadgets_) {
      g.next = nullptr;
      if (prev) prev->next = &g;
      prev = &g;
    }
    panel_.panel.gadgets = gadgets_.empty() ? nullptr : &gadgets_.front();
  }
  ui_test::TestPanel panel_;
  std::deque<GadgetRecord> gadgets_;  // stable addresses as gadgets are added
};
