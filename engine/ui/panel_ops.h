// Panel life (pop-up panels, enable and disable) and gadget access by command id, plus the panel event poll.
#pragma once

#include <cstdint>

#include "engine/ui/panel_record.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_input.h"

// Asks the front end to create the window of a static panel (which sets its frame and canvas).
void panel_window_create(PanelRecord* panel);
// Opens a pop-up panel on top of the parent's child stack: zero-filled record named after the title,
// box at the parent's (x0 + x, y0 + y) of the given size, front-end pop-up window opened.
// Null when memory runs out (nothing opened, the parent's stack unchanged).
PanelRecord* panel_open(PanelRecord* parent, const char* title, int32_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height, int32_t (*draw)(PanelRecord*), void (*event)(PanelRecord*));
// Frees a pop-up panel (and its open tab pages) and pops it from its parent's stack; returns null. Pop-ups
// opened from it and still alive no longer name it as their parent.
PanelRecord* panel_free(PanelRecord* panel);
// The front end destroyed a pop-up's window: the parent takes input again (one disable fewer) and the record is
// freed. Pop-ups may be destroyed in any order, a parent pop-up before its own pop-ups too.
void popup_window_destroyed(PanelRecord* panel);
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
// Value of a float field (or any gadget's value read as f32), open tab pages too; 0.0 when absent.
float gadget_float(PanelRecord* panel, int32_t id);
// The first gadget with the id gets the value and is redrawn (a selected tab reopens its page); open pages
// are updated on the way. A float field is left alone.
void set_gadget_value(PanelRecord* panel, int32_t id, int32_t value);
// The same for every kind, float fields included; the value given as the bits of an f32.
void set_gadget_float(PanelRecord* panel, int32_t id, int32_t bits);
// In every drop-down of the list, the first item with the id is unmarked.
void menu_item_uncheck(PanelRecord* panel, int32_t id);
void disable_panel_gadgets(PanelRecord* panel);
void enable_panel_gadgets(PanelRecord* panel);

// Sub-panels drawn inside the parent's canvas. Null when memory runs out.
PanelRecord* sub_panel_new(PanelRecord* parent, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t save_background, int32_t (*init)(PanelRecord*));
PanelRecord* sub_panel_open(PanelRecord* parent, int32_t x, int32_t y, int32_t width, int32_t height);
void sub_panel_free(PanelRecord* panel);
// Opens a tab's page as a sub-panel that is reached only through its tab, and draws it.
void tab_page_open(PanelRecord* panel, TabPage* page, GadgetRecord* tab);
void close_sub_panel(PanelRecord* panel, TabPage* page);
// Calls the panel's draw callback when set.
void redraw_panel(PanelRecord* panel);
// Redraws the panel and its chain of children, each child's box and gadgets included.
void redraw_panel_tree(PanelRecord* panel);

// The map panel, once its window exists (null before); its "BB" button follows bbox_enabled.
extern PanelRecord* topo_panel;
constexpr int32_t kBoundingBoxButton = 1247;
void sync_bbox_button();

// Gadget drawings so far (each gadget drawn counts one).
extern int64_t gadget_draw_count;
