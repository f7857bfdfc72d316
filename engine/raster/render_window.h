// The render window's output calls used by the renderer: rows, pixels, palette, fitting and the busy state.
// The platform window itself lives behind the host; this layer keeps the window's state and forwards to it.
#pragma once

#include <cstdint>

// Render window state.
extern int32_t render_dc_held;     // 1 between a showing fit and the release: live drawing reaches the window
extern int32_t render_rows_24bit;  // live rows are sent as 24-bit rows (display depth above 8)
extern int32_t render_allow_move;  // the next showing fit moves and sizes the window
extern int32_t rendering_active;   // a render is running
extern int32_t render_abort;       // stop requested through the render window

// 1 when the display found at start-up shows 15 or more bits per pixel.
int32_t display_is_hicolor();

// Live drawing at window coordinates. Each does nothing without a drawing context, or while a render runs
// with view_mode other than 1.
void render_put_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels);  // only with 24-bit rows
void render_put_row24_alias(int32_t x, int32_t y, int32_t count, const uint32_t* pixels);
void render_put_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes);   // only with 8-bit rows
void render_put_pixel(int32_t x, int32_t y, int32_t index);
void render_hline(int32_t x, int32_t y, int32_t count, int32_t index);
// Entries first .. first + count - 1 of the window's palette from red, green, blue triples.
void render_set_palette(const uint8_t* rgb, int32_t first, int32_t count);

// Sizes the window to the image, resets scroll and centring, gives it the default title; a non-zero mode
// also shows it and takes a drawing context for live drawing.
void render_window_fit(int32_t mode);
// Redraws the window and releases its drawing context.
void render_window_release();
// Releases the window and asks it to close (closing hides it).
void render_window_close();
// After the image size or display depth changed: chooses 24- or 8-bit rows, refits and redraws.
void render_window_refresh(int32_t width, int32_t height, int32_t depth);
// Sets the rendering-in-progress flag and clears a pending stop request.
void render_set_busy(int32_t flag);
