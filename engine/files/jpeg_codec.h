// JPEG pictures through libjpeg: writing rows of 32-bit pixels and reading them back.
#pragma once

#include <cstdint>

#include "engine/files/image_buffer.h"
#include "engine/core/grid.h"
#include "engine/raster/frame_buffers.h"  // kMaxFrameSide

// Quality handed to the library when the render image is written (kept between 25 and 100 by the
// save command); stored in landscape files.
extern int32_t jpeg_quality;
// Size of the last picture read (set by every read that got past the header) and its depth, 24.
extern int32_t jpeg_last_width, jpeg_last_height, jpeg_last_bits;

constexpr int32_t kJpegQualityMin = 25;
constexpr int32_t kJpegQualityMax = 100;
constexpr int32_t kJpegQualityDefault = 90;
// The largest picture read, in pixels (as many as the largest frame buffer holds); larger ones are
// refused before the library allocates.
constexpr int64_t kJpegMaxPixels = int64_t{kMaxFrameSide} * kMaxFrameSide;
// The most the library may allocate for one picture: whole-picture coefficients of four components at
// two bytes each, with room for its row buffers.
constexpr long kJpegMaxLibraryBytes = static_cast<long>(kJpegMaxPixels) * 8 + (long{64} << 20);

int32_t get_jpeg_quality();
// The quality kept within 25 to 100.
int32_t clamp_jpeg_quality(int32_t quality);

// Row conversions: 0x00RRGGBB pixels to red, green, blue bytes; back (top byte 0); grey bytes g to
// 0x00gggggg.
void pack_rgb_row(const uint32_t* pixels, uint8_t* out, int32_t count);
void unpack_rgb_row(const uint8_t* in, uint32_t* pixels, int32_t count);
void unpack_grey_row(const uint8_t* in, uint32_t* pixels, int32_t count);
// CMYK bytes (inverted when the file carries an Adobe marker) to 0x00RRGGBB.
void unpack_cmyk_row(const uint8_t* in, uint32_t* pixels, int32_t count, int32_t inverted);

// Writes width by height pixels (rows top first) as a baseline RGB JPEG of the given quality,
// through a temporary file so that a failure leaves any previous file untouched.
// 1 written; 0 when memory runs out, the file cannot be created or written, or the library fails.
int32_t write_jpeg_rows(const char* path, int32_t quality, int32_t width, int32_t height, RowTable rows);

// Reads a JPEG into destination rows, clipped to max_width by max_height; rows of the picture below
// max_height are decoded and dropped. RGB, YCbCr and greyscale pictures are read as they are, CMYK
// and YCCK ones converted to RGB. 1 read; 0 when the file cannot be opened, is not a JPEG, is larger
// than kJpegMaxPixels, ends before its last row (the rows decoded so far stay), or the library fails.
int32_t read_jpeg_rows(const char* path, int32_t max_width, int32_t max_height, RowTable rows);

// A new image of the picture's size (pixels 0x00RRGGBB), or null when the file cannot be opened or
// decoded or memory runs out. A file that ends early gives the image with what could be decoded.
ImageBuffer* read_jpeg_image(const char* path);
