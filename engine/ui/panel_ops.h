// Panel life (pop-up panels, enable and disable) and gadget access by command id, plus the panel event poll.
#pragma once

#include <cstdint>

#include "engine/ui/panel_record.h"

// Opens a pop-up panel on top of the parent's child stack: zero-filled record named after the title,
// box at the parent's (x0 + x, y0 + y) of the given size, front-end pop-up window opened.
// Null when memory runs out (nothing opened, the parent's stack unchanged).
PanelRecord* panel_open(PanelRecord* parent, const char* title, int32_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height, int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*));
// Frees a pop-up panel (and its open tab pages) and pops it from its parent's stack; returns null.
PanelRecord* panel_free(PanelRecord* panel);
// Makes the list the panel's gadget list, enables the panel and draws the list. Null panel: nothing.
void panel_set_gadgets(PanelRecord* panel, GadgetRecord* list);
// The same without drawing.
void panel_attach_gadgets(PanelRecord* panel, GadgetRecord* list);
void panel_disable(PanelRecord* panel);
void panel_enable(PanelRecord* panel);

// State of the first gadget with the id (open tab pages too); 3 when absent or the panel is null.
int32_t gadget_state(PanelRecord* panel, int32_t id);
// Value of the first gadget with the id (open tab pages too); 0 when absent or the panel is null.
int32_t gadget_value(PanelRecord* panel, int32_t id);
// Every button and knob with the id (open tab pages too) gets state 1 and is redrawn.
void gadget_select(PanelRecord* panel, int32_t id);
// The same with state 0.
void gadget_deselect(PanelRecord* panel, int32_t id);
// Redraws the first gadget with the id in the panel's own list.
void redraw_gadget(PanelRecord* panel, int32_t id);
// Redraws every gadget of the panel's list.
void draw_gadgets(PanelRecord* panel, GadgetRecord* list);

// Gadget drawings requested so far (each gadget drawn counts one); the screen layer will draw them.
extern int64_t gadget_draw_count;

// One poll of the panel's input: a gadget's result, 1 for a click on no gadget, 3 for the right
// button, 0x10000 + key code, or 0 for nothing. x and y receive the panel-relative position.
int32_t panel_event(PanelRecord* panel, int32_t* x, int32_t* y);

// Scripted input for panel_event until the pointer-driven input exists: each call takes one entry.
// A click runs the gadget's button interaction (toggle on press, radio handling when released over
// it, toggled back when released outside) and gives its result.
void panel_event_queue_click(int32_t id, bool released_inside = true);
// A raw result given back as it is.
void panel_event_queue_result(int32_t result);
void panel_event_clear_queue();
