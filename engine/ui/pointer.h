// The pointer layer: position and buttons in panel coordinates, cursor shapes and the drawing brackets.
#pragma once

#include <cstdint>

struct PanelRecord;

extern int32_t left_button_code, right_button_code;
extern int32_t press_x, press_y;
extern int32_t warp_home_x, warp_home_y;
extern int32_t pointer_hide_count, pointer_visible;
extern int32_t cursor_kind;

void detect_swapped_buttons();
int32_t mouse_poll(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons);
int32_t mouse_buttons(int32_t* buttons);
void mouse_last_press(int32_t which, int32_t* x, int32_t* y, int32_t* buttons);
void mouse_warp_home(PanelRecord* panel);
void mouse_relative_motion(int32_t* dx, int32_t* dy, int32_t* buttons);
void cursor_wait();
void cursor_cross();
void cursor_arrow();
void pointer_hide();
void pointer_show();
int32_t pointer_reset();
// Only the nesting counter to 0, for the fatal path.
void pointer_reset_count();
void wait_mouse_release();
