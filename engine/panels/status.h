// The status line, the progress read-out and abort polling of long operations.
#pragma once

#include <cstdint>

extern int32_t last_status_time;
extern int32_t last_progress_time, last_progress_percent;
extern int32_t last_poll_tick, last_pump_time, last_redraw_time;
extern int32_t render_abort;
extern int32_t repaint_pending;
extern int32_t in_dispatch;

void show_status(const char* text);
void show_status_printf(const char* format, int32_t a, int32_t b, int32_t c, int32_t d);
void status_show_landscape_name();
void show_progress(const char* label, int32_t done, int32_t total);
int32_t poll_user_abort();
void sleep_ms(int32_t ms);
uint32_t tick_count();
