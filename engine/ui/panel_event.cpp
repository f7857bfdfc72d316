// Scripted panel input: panel_event takes queued clicks and results until pointer-driven input exists.
#include <deque>

#include "engine/ui/panel_ops.h"

namespace {
struct QueuedEvent {
  bool click;
  int32_t value;  // gadget id for a click, the result otherwise
  bool inside;
};
std::deque<QueuedEvent> queue;

GadgetRecord* find_gadget(PanelRecord* panel, int32_t id) {
  for (GadgetRecord* g = panel->gadgets; g; g = g->next)
    if (g->id == id) return g;
  return nullptr;
}

// Toggle on press, settle on release, with radio handling for a grouped button.
int32_t button_click(PanelRecord* panel, GadgetRecord* g, bool inside, bool radio) {
  const int32_t old = g->state;
  const int32_t toggled = old == kGadgetOn ? kGadgetOff : kGadgetOn;  // a greyed gadget turns on too
  g->state = toggled;
  if (!inside) {
    g->state = old;
  } else if (radio && g->group != 0) {
    for (GadgetRecord* other = panel->gadgets; other; other = other->next) {
      if (other->kind == kGadgetButton && (other->group & g->group) && other->state == kGadgetOn) {
        other->state = kGadgetOff;
      }
    }
    g->state = toggled;
  }
  return g->state != old ? g->id : 0;
}
}  // namespace

void panel_event_queue_click(int32_t id, bool released_inside) { queue.push_back({true, id, released_inside}); }
void panel_event_queue_result(int32_t result) { queue.push_back({false, result, true}); }
void panel_event_clear_queue() { queue.clear(); }

int32_t panel_event(PanelRecord* panel, int32_t* x, int32_t* y) {
  if (x) *x = 0;
  if (y) *y = 0;
  if (queue.empty()) return kEventNothing;
  const QueuedEvent e = queue.front();
  queue.pop_front();
  if (!e.click) return e.value;
  // A press on a disabled panel or on no gadget is a click on nothing.
  if (!panel || panel->disabled > 0) return kEventClickNoGadget;
  GadgetRecord* g = find_gadget(panel, e.value);
  if (!g) return kEventClickNoGadget;
  switch (g->kind) {
    case kGadgetButton:
      return button_click(panel, g, e.inside, true);
    case kGadgetKnob:  // toggles like a button, without radio handling
      return button_click(panel, g, e.inside, false);
    case kGadgetReadOnly:
      return g->id;
    default:
      return 0;
  }
}
