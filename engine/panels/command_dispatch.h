// The one entry of every user action: commands from panels, the map, menus, keys and the tool bar.
#pragma once

#include <cstdint>

struct PanelRecord;

// Runs the command to completion; does nothing while another command runs.
void engine_command(uint32_t command, int32_t x, int32_t y, PanelRecord* panel);
// The event callback of the control panels: one poll of the panel, and its result sent as a command.
void engine_panel_event(PanelRecord* panel);
// The event callback of the map and preview panels.
void topo_panel_event(PanelRecord* panel);
