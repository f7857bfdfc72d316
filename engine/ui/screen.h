// The screen layer: the current canvas and its drawing bracket, the window stack, the UI palette and
// font, the drawing operations on the current canvas, saved screen rectangles and the one message poll.
#pragma once

#include <cstdint>

#include "engine/host/canvas.h"

struct PanelRecord;
struct SavedRect;

// Screen state.
extern Canvas* current_hwnd;       // the canvas the engine draws into; null when none
extern int32_t current_hdc;        // 1 while a drawing context is held for it
extern int32_t window_stack_depth;
extern int32_t main_client_width, main_client_height;  // the engine's nominal main area, 788 by 554
extern int32_t char_width, char_height;                // UI font cell
extern int32_t display_hicolor;                        // 1 when the display has 15 or more bits per pixel
extern int32_t in_dispatch;                            // 1 while a message taken by the engine is dispatched
extern uint8_t ui_palette_table[256][4];               // R, G, B, 0 of the UI palette's colours
extern uint8_t ui_palette[256][4];                     // the logical palette in force (what canvases show)

// UI palette roles.
constexpr int32_t ui_color_black = 0;
constexpr int32_t ui_color_shadow = 11;
constexpr int32_t ui_color_face = 12;
constexpr int32_t ui_color_highlight = 13;
constexpr int32_t ui_color_text = 14;
constexpr int32_t ui_color_edit = 15;
// The colour that makes a line invert what lies under it.
constexpr int32_t ui_color_invert = -1;

// Start-up: the display check, system colours, font cell and the first palette. Returns 1.
int32_t display_init();
// The three ramps, the colour cube and red in 128 to 255; loads all 256 entries.
void gui_init(void (*callback)());
// Puts the screen state back to its start values (no current canvas, empty stack, stored palette).
void screen_reset_state();

// The canvases of the map and the preview windows.
Canvas* topo_canvas();
Canvas* preview_canvas();

// Drawing bracket. A null canvas takes a context for the current canvas; a canvas (a paint context of the
// front end) becomes the current one.
void acquire_dc(Canvas* dc);
void release_dc();
void select_panel_window(PanelRecord* panel);
void select_topo_canvas();
void use_topo_window();
void select_preview_canvas();
void use_preview_window();
void use_panel_window(PanelRecord* panel);
// The window stack (10 entries; deeper pushes are counted but not stored, and their pops change nothing).
void push_window();
void window_stack_push();
void pop_window();
void window_stack_pop();
void set_current_window_title(const char* text);
void minimize_current_window();
void restore_current_window();

// UI palette.
void set_ui_palette(const uint8_t* entries, int32_t first, int32_t count);  // 4-byte R, G, B, x entries
void load_ui_palette(const uint8_t* entries, int32_t first, int32_t count);
void realize_ui_palette();
void ui_palette_ramp(int32_t a, int32_t b);

// Drawing on the current canvas, in its pixels. Everything is clipped to the canvas.
void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);  // colour -1 inverts
void fill_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);  // corners included
void fill_rect_main(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
void put_pixel(int32_t x, int32_t y, int32_t colour);
int32_t get_pixel(int32_t x, int32_t y);  // -1 outside the canvas or without one
void draw_char(int32_t character, int32_t x, int32_t y, int32_t fg, int32_t bg, int32_t transparent);
void draw_text(const char* text, int32_t x, int32_t y, int32_t fg, int32_t bg, int32_t transparent);
void put_row8(int32_t x, int32_t y, int32_t n, const uint8_t* pixels);
void put_block8(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels);  // first row at the bottom
void put_row24(int32_t x, int32_t y, int32_t n, const uint32_t* words);              // 0x00RRGGBB words

// Saved screen rectangles of the current canvas (cut to the canvas; null when memory runs out).
SavedRect* save_screen_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void restore_screen_rect(SavedRect* saved);
void free_screen_rect(SavedRect* saved);
void restore_free_screen_rect(SavedRect* saved);
// Saved rectangles not yet freed (for tests).
extern int32_t saved_rects_live;

// Takes at most one message of the current window: its key code (0x0001 to 0xFFFF), or 0. A poll made
// while another poll dispatches (from a window procedure) returns 0 at once.
int32_t poll_event();
// 0 none, 3 Shift, 4 Ctrl, 7 both.
int32_t key_modifiers();
// 1 while the current canvas is open (the user has not closed its window).
int32_t current_window_open();
