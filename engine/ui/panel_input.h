// Gadget input and panel events: the one poll a panel's event callback makes, hit tests, clicks, slider
// drags, drop-down tracking and hover help.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

// Toolkit state between calls.
extern PanelRecord* drag_panel;
extern GadgetRecord* vslider_drag;
extern GadgetRecord* hslider_drag;
extern int32_t drag_start_value, drag_start_x, drag_start_y;
extern int32_t click_latch;
extern PanelRecord* hover_panel;
extern GadgetRecord* hover_gadget;

// One poll of the panel's input: a gadget's result, 1 for a press on no gadget, 3 for the right button,
// 0x10000 + key code, or 0 for nothing. x and y receive the panel-relative position where the Part says so.
int32_t panel_event(PanelRecord* panel, int32_t* x, int32_t* y);
// The first gadget of the panel's own list whose hit box (moved by the panel's origin) holds the canvas point.
GadgetRecord* gadget_at(PanelRecord* panel, int32_t x, int32_t y);
// Runs the gadget kind's interaction for a press at the canvas point and returns its result.
int32_t gadget_click(PanelRecord* panel, GadgetRecord* gadget, int32_t x, int32_t y);
// Pointer position relative to the panel and the button code.
int32_t panel_mouse(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons);
int32_t panel_mouse_raw(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons);
int32_t poll_event_panel();
int32_t key_modifiers_panel();
// Shows the tooltip of the gadget under the canvas point on the status line; (-1, -1) clears it.
void panel_hover_help(PanelRecord* panel, int32_t x, int32_t y);
// 1 while the panel's window is open: the modal loops end when it closes.
int32_t panel_window_open(const PanelRecord* panel);
// Puts the toolkit state back to its start values.
void panel_input_reset();
