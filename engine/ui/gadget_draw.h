// Gadget looks: every gadget kind drawn into its panel's canvas, writing its hit box; the drop-down list.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;
struct SavedRect;

// Draws one gadget with its kind's look (tabs: without opening the page). Unknown kinds draw nothing.
void draw_gadget(PanelRecord* panel, GadgetRecord* gadget);
// Draws a list in order; a selected tab also opens its page.
void draw_gadgets(PanelRecord* panel, GadgetRecord* list);
// The joint between a selected tab and its open page.
void draw_tab_joint(PanelRecord* panel, GadgetRecord* tab);
// A float field's text: at most 8 digits before the decimals run out, trailing zeros removed. out holds size bytes.
void format_float(char* out, int32_t size, float value);

// The drop-down list of a kind-8 gadget: layout (writes list_x0 .. list_y1), number of items.
int32_t menu_layout(GadgetRecord* dropdown);
// Saves the screen under the list and draws it; returns the saved copy (null when none could be made).
SavedRect* menu_open(PanelRecord* panel, GadgetRecord* dropdown);
// Draws item i plain or highlighted.
void menu_draw_item(PanelRecord* panel, GadgetRecord* dropdown, int32_t item, bool highlighted);
// Restores the screen under the list and frees the copy.
void menu_close(PanelRecord* panel, SavedRect* saved);
