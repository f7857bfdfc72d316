// Engine globals that point at an open pop-up panel: forgotten when the panel's record is freed, so that no
// such pointer outlives its panel and an opener can tell whether its pop-up is still open.
#pragma once

struct PanelRecord;

// Registers the global (once per global; the registry holds a few dozen) and stores the panel in it.
void popup_slot_set(PanelRecord** slot, PanelRecord* panel);
// Every registered global that holds the panel becomes null (panel_free calls it).
void popup_slots_forget(const PanelRecord* panel);
// True while any registered global holds a panel.
bool popup_slots_any_open();
// Every registered global becomes null (engine reset).
void reset_popup_slots();
