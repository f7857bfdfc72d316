// Panel drawing primitives: filling, text, lines, frames, circles and the rubber band, in panel coordinates.
#pragma once

#include <cstdint>

struct PanelRecord;
struct SavedRect;

void panel_fill_rect(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
void panel_fill_rect_main(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
void panel_draw_text(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg, int32_t bg);
void panel_draw_text_bg(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg, int32_t second,
                        int32_t bg);
void panel_draw_label(PanelRecord* panel, int32_t x, int32_t y, const char* text);
void panel_draw_char(PanelRecord* panel, int32_t character, int32_t x, int32_t y, int32_t fg, int32_t bg);
void panel_draw_text_spaced(PanelRecord* panel, const char* text, int32_t x, int32_t y, int32_t fg);
void panel_put_pixel(PanelRecord* panel, int32_t x, int32_t y, int32_t colour);
// Visible length: characters counted, a backspace counting one back while the count is at least 1.
int32_t text_length_bs(const char* text);

void panel_draw_line(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
// The line cut to the panel's area 0 .. width - 1 by 0 .. height - 1.
void panel_draw_line_clipped(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
// Left and top edges in c1, right and bottom edges in c2; drawn only when the frame lies within the panel's
// x1 and y1 fields.
void draw_frame(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t c1, int32_t c2);
void draw_frame_flat(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
void draw_raised_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void draw_sunken_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void draw_circle(PanelRecord* panel, int32_t cx, int32_t cy, int32_t r, int32_t colour);
// Rubber-band rectangle: one at a time, inverted; all -1 erases it.
void draw_xor_box(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void draw_xor_box_forget();  // forgets the remembered band without drawing (start-up, tests)
// Clips a segment to a rectangle {left, top, right, bottom} (put in order in place), tested half-open.
// 1 when something is left.
int32_t clip_line(int32_t* rect, int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1);
SavedRect* panel_save_rect(PanelRecord* panel, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void panel_restore_free_rect(PanelRecord* panel, SavedRect* saved);
