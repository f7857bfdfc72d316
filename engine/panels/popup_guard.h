// Telling whether a pop-up record the engine remembers is still open: the front end frees a pop-up whose window
// the user closed with its close box, without the engine's own closing.
#pragma once

#include <cstdint>

#include "engine/ui/panel_record.h"

// A remembered pop-up and its opener.
struct PopupSlot {
  PanelRecord* panel = nullptr;
  PanelRecord* parent = nullptr;
};

// True while the slot's record still sits on its opener's child stack with the given draw callback; false (and
// the slot cleared) once it was freed. Only pointers of the opener's live stack are looked into.
inline bool popup_alive(PopupSlot& slot, int32_t (*draw)(PanelRecord*)) {
  if (!slot.panel) return false;
  if (!slot.parent) return true;  // an opener-less pop-up cannot be checked; it is closed by its own events
  int32_t guard = 0;
  for (PanelRecord* c = slot.parent->child; c && guard < 100000; c = c->sibling, ++guard)
    if (c == slot.panel && c->draw == draw) return true;
  slot = PopupSlot{};
  return false;
}
