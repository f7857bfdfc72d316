// The render window: shows the frame buffers 1:1 with panning or scaled, draws live during a render, and stops
// a render by the right button, Esc or closing. Its pixels are the host's render canvas (client area).
#pragma once

#include <cstdint>

struct Canvas;

// Render window state.
extern int32_t render_dc_held;     // 1 between a showing fit and the release, and while painting
extern int32_t render_rows_24bit;  // live rows are sent as 24-bit rows (display depth above 8)
extern int32_t render_allow_move;  // the next showing fit moves and sizes the window
extern int32_t rendering_active;   // a render is running
extern int32_t render_abort;       // stop requested through the render window
extern int32_t blit_24bit;         // render_blit sends 24-bit rows
extern int32_t scaled_view;        // render_blit shrinks the whole image into the window
extern int32_t render_window_width, render_window_height;   // outer size
extern int32_t render_vscroll_steps, render_hscroll_steps;  // scroll ranges in steps of 50 pixels; 0: no bar
extern int32_t render_vscroll_pos, render_hscroll_pos;      // scroll bar positions
extern const char* render_menu;                             // "RENDER_EXIT", "RENDERING" or "SMALL_MENU"
extern int32_t render_screen_width, render_screen_height;   // the screen the window is placed on

// Window metrics of the platform: frame, caption, border, menu bar and scroll bar sizes.
constexpr int32_t kRenderFrame = 4, kRenderCaption = 19, kRenderBorder = 1, kRenderMenu = 19, kRenderScrollBar = 16;

// 1 when the display found at start-up shows 15 or more bits per pixel.
int32_t display_is_hicolor();
// The render window's canvas (its client area).
Canvas* render_canvas();

// Live drawing at window coordinates. Each does nothing without a drawing context, or while a render runs
// with view_mode other than 1.
void render_put_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels);  // only with 24-bit rows
void render_put_row24_alias(int32_t x, int32_t y, int32_t count, const uint32_t* pixels);
void render_put_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes);   // only with 8-bit rows
void render_put_row8_any(int32_t x, int32_t y, int32_t count, const uint8_t* indexes);  // without the conditions
void render_put_row24_raw(int32_t x, int32_t y, int32_t count, const uint32_t* pixels);  // always
void render_put_pixel(int32_t x, int32_t y, int32_t index);
void render_hline(int32_t x, int32_t y, int32_t count, int32_t index);
// Entries first .. first + count - 1 of the window's palette from red, green, blue triples.
void render_set_palette(const uint8_t* rgb, int32_t first, int32_t count);

// Geometry.
void render_client_from_window(int32_t w, int32_t h, int32_t* cw, int32_t* ch);
void render_window_from_client(int32_t cw, int32_t ch, int32_t* w, int32_t* h);
void render_view_geometry(int32_t client_w, int32_t client_h);
void render_set_scroll_ranges(int32_t client_w, int32_t client_h);

// Sizes the window to the image, resets scroll and centring, gives it the default title; a non-zero mode
// also shows it and takes a drawing context for live drawing.
void render_window_fit(int32_t mode);
void render_window_show();
// Redraws the window and releases its drawing context.
void render_window_release();
// Releases the window and asks it to close (closing hides it).
void render_window_close();
// After the image size or display depth changed: chooses 24- or 8-bit rows, refits and redraws.
void render_window_refresh(int32_t width, int32_t height, int32_t depth);
// Sets the rendering-in-progress flag and clears a pending stop request.
void render_set_busy(int32_t flag);
void render_window_set_title(const char* text);
// 1 while a drawing context is held for the window.
int32_t render_window_dc();
// 1 when the "&Pan" menu's items are enabled (the image can be panned).
int32_t render_pan_menu_enabled();

// Pans or switches modes by the command (0 to 17) and, with draw, redraws the visible part from the frame
// buffers. update, when given, receives the drawn rectangle's corners.
void render_blit(int32_t command, int32_t draw, int32_t* update);

// Messages of the window as the host delivers them.
enum RenderMessage : int32_t {
  kRenderPaint = 1,
  kRenderClose,
  kRenderKeyDown,   // a: key code
  kRenderChar,      // a: character
  kRenderCommand,   // a: menu command id
  kRenderVScroll,   // a: 0 line up, 1 line down, 2 page up, 3 page down, 4 thumb position (b)
  kRenderHScroll,   // the same, left and right
  kRenderLeftUp,
  kRenderRightUp,
  kRenderSize,      // a, b: the new client size
};
constexpr int32_t kKeyPadSlash = 0x352F;
void render_window_message(int32_t message, int32_t a, int32_t b);
// Puts the window state back to its start values.
void render_window_reset();
