// The 32-bit and 8-bit frame buffers, the image size, the display depth and palette, and row access.
#pragma once

#include <cstdint>

#include "engine/core/grid.h"
#include "engine/raster/palette_entry.h"

// A frame buffer: a row table and its size; width and height are 0 when it is absent.
struct FrameBuffer {
  RowTable rows;
  int32_t width;
  int32_t height;
};

// RenderImage.
extern int32_t display_depth;
extern int32_t proj_width, proj_height;
extern int32_t image_width, image_height;
extern int32_t render_scroll_x, render_scroll_y;
extern int32_t render_client_width, render_client_height;
extern int32_t render_origin_x, render_origin_y;
extern int32_t render_scale;
extern int32_t frame_alloc_width, frame_alloc_height;
extern FrameBuffer vidmem8;   // u8 pixels: colour slot while drawing, image-palette index after conversion
extern FrameBuffer vidmem24;  // u32 pixels: slot << 24 | red << 16 | green << 8 | blue
extern int32_t screen_output_off;
// Polygons drawn this render. It lives on a cache line of its own (see frame_buffers.cpp).
extern int32_t& polygon_count;
extern uint32_t render_start_ms, render_end_ms;

inline uint8_t* vidmem8_row(int32_t y) { return static_cast<uint8_t*>(vidmem8.rows[y]); }
inline uint32_t* vidmem24_row(int32_t y) { return static_cast<uint32_t*>(vidmem24.rows[y]); }

// The largest frame-buffer side, after doubling for anti-aliasing or lens flare.
constexpr int32_t kMaxFrameSide = 8192;
// The image sides the image-size command accepts.
constexpr int32_t kMinImageSide = 16;
constexpr int32_t kMaxCommandImageSide = 4096;

// The palette the render window shows on an 8-bit display.
extern PaletteEntry display_palette[256];

// Makes both buffers the size the image needs (doubled both ways while anti-aliasing, else twice as tall with
// lens flare). 1 when they have it; 0 with a message when they cannot be had: then vidmem8 is absent, and
// vidmem24 too unless only the 8-bit buffer failed.
int32_t allocate_frame_buffers();
RowTable allocate_vidmem24(int32_t width, int32_t height);
RowTable allocate_vidmem8(int32_t width, int32_t height);
void free_vidmem24();
void free_vidmem8();
void clear_vidmem24();       // the image area only
void clear_vidmem8();        // the image area only
void clear_frame_buffers();  // both buffers over their whole allocated size
// 1 on success; 0 when a side lies outside 16..8192, when the buffers it needs would exceed 8192 a side
// (with a message), or when they cannot be allocated. On 0 the previous size stays in force.
int32_t set_image_size_raw(int32_t width, int32_t height);
// set_image_size_raw, then render_scale follows the image.
int32_t set_image_size(int32_t width, int32_t height);
// The image-size command: height limited to the width, 16..4096, with the fallbacks when memory runs out.
void change_image_size(int32_t width, int32_t height);
// 1, or 0 when 24 bits were asked for and the display cannot show them (the depth then becomes 8).
int32_t set_display_depth(int32_t bits);

// Copies count entries (cut at 256) into display_palette from index first and loads them into the render window.
void set_palette(const PaletteEntry* entries, int32_t first, int32_t count);
// Copies red, green and blue of display_palette entries from first (cut at 256); spare bytes are left alone.
void get_palette(PaletteEntry* entries, int32_t first, int32_t count);
int32_t refresh_display_palette();

// Centres the image in the render window's client area, or scrolls to its middle when it is larger.
void centre_image_in_window();

// Row and pixel access; coordinates are not checked, the caller keeps them inside the image.
void vidmem8_put_pixel(int32_t x, int32_t y, uint8_t value);
void vidmem8_get_row(int32_t x, int32_t count, int32_t y, uint8_t* buffer);
void vidmem8_put_row(int32_t x, int32_t count, int32_t y, const uint8_t* buffer);
void vidmem8_fill_row(int32_t x, int32_t count, int32_t y, uint8_t value);
void vidmem24_put_row(int32_t x, int32_t count, int32_t y, const uint32_t* pixels);

// Row blits at image coordinates, clipped to the render window's client area; nothing while screen_output_off.
void screen_put_row8(int32_t x, int32_t count, int32_t y, const uint8_t* indexes);
void screen_put_row24(int32_t x, int32_t count, int32_t y, const uint32_t* pixels);
void screen_put_row24_direct(int32_t x, int32_t count, int32_t y, const uint32_t* pixels);
void screen_fill_row(int32_t x, int32_t count, int32_t y, uint8_t index);

// Rebuilds vidmem8 as image-palette indexes from vidmem24 (dithered when dither_amount is set).
void convert_vidmem24_to_8();
