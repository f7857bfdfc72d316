// The registry of the globals that point at open pop-up panels.
#include "engine/ui/popup_slots.h"

#include <cstddef>

namespace {
constexpr size_t kMaxSlots = 32;
PanelRecord** slots[kMaxSlots];
size_t slot_count = 0;

void remember(PanelRecord** slot) {
  for (size_t i = 0; i < slot_count; ++i)
    if (slots[i] == slot) return;
  if (slot_count < kMaxSlots) slots[slot_count++] = slot;
}
}  // namespace

void popup_slot_set(PanelRecord** slot, PanelRecord* panel) {
  if (!slot) return;
  remember(slot);
  *slot = panel;
}

void popup_slots_forget(const PanelRecord* panel) {
  if (!panel) return;
  for (size_t i = 0; i < slot_count; ++i)
    if (*slots[i] == panel) *slots[i] = nullptr;
}

bool popup_slots_any_open() {
  for (size_t i = 0; i < slot_count; ++i)
    if (*slots[i]) return true;
  return false;
}

void reset_popup_slots() {
  for (size_t i = 0; i < slot_count; ++i) *slots[i] = nullptr;
}
