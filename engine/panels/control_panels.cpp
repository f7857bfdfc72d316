// The registry of control panel records and the dispatcher's hooks.
#include "engine/panels/control_panels.h"

#include "engine/ui/panel_ops.h"

PanelRecord* control_panels[18] = {};
void (*startup_hook)() = nullptr;
void (*altitude_profile_hook)(int32_t) = nullptr;
int32_t (*path_click_hook)(int32_t, int32_t, int32_t, PanelRecord*) = nullptr;

PanelRecord* control_panel(int32_t type) { return type >= 0 && type < 18 ? control_panels[type] : nullptr; }

void release_on_panel(int32_t type, int32_t id) {
  if (PanelRecord* p = control_panel(type)) gadget_deselect(p, id);
}
