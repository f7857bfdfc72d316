// The status line, the progress read-out and abort polling of long operations.
#pragma once

#include <cstdint>

extern int32_t last_status_time;
extern int32_t last_progress_time, last_progress_percent;
extern int32_t last_poll_tick, last_pump_time, last_redraw_time;
extern int32_t render_abort;     // stop request of the render window; stays set until a render starts
extern int32_t repaint_pending;  // the render window asked to paint during a dispatch
extern int32_t in_dispatch;      // 1 while the engine dispatches messages

// Shows the text centred in the 32-character status strip (cut to 32) and as the render
// window's title; dropped when the last status drawing is less than 55 ms old.
void show_status(const char* text);
// Clears the strip to the landscape's file name, then shows the text formatted from the format
// and the four numbers with show_status. Each conversion takes the next number; "%s" is not supported.
void show_status_printf(const char* format, int32_t a, int32_t b, int32_t c, int32_t d);
// Shows the current landscape file name (first 32 characters) centred on the strip and gives the
// render window its default title.
void status_show_landscape_name();
// Progress read-out "label: nn%" with a bar; a total of 0 counts as 1. Throttled to one drawing
// every 165 ms, except the last step; an unchanged percentage draws nothing.
void show_progress(const char* label, int32_t done, int32_t total);
// 1 to go on, -1 to stop (user_abort, render_abort, Esc or the right button). Pumps messages at
// most every 10 ms and redraws the render window when due.
int32_t poll_user_abort();
void sleep_ms(int32_t ms);
uint32_t tick_count();

// The 32-character line shown for a status text: centred in blanks from position (32 - length) / 2,
// or the first 32 characters of a longer text. out holds at least 33 bytes.
void status_line_text(const char* text, char* out);
// Puts the throttles and poll ticks back to "never drawn" (start-up and tests).
void status_reset_state();
