// BMP pictures: the 54-byte header, row packing, and reading and writing rows of 32-bit pixels.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/files/image_buffer.h"
#include "engine/core/grid.h"
#include "engine/raster/frame_buffers.h"  // kMaxFrameSide

// BmpHeader: file header and the 40-byte information header, in memory order.
struct BmpHeader {
  char magic[2];          // "BM"
  uint32_t file_size;     // 54 + padded row size * height when written
  uint16_t reserved1, reserved2;
  uint32_t data_offset;   // where the pixel rows start
  uint32_t info_size;     // 40 when written
  int32_t width;
  int32_t height;         // positive: rows bottom-up; negative: top-down
  uint16_t planes;        // 1
  uint16_t bits;          // 24 when written; 8, 24 and 32 are read
  uint32_t compression;   // 0 none, 1 run-length (8-bit only), 3 bit fields (32-bit only); others refused
  uint32_t image_size, x_resolution, y_resolution, colors_used, colors_important;
};
constexpr int32_t kBmpHeaderSize = 54;
// The largest side a BMP may have to be read: larger files are refused before any allocation.
constexpr int32_t kBmpMaxSide = 32768;
// The largest picture read into a new image, in pixels: as many as the largest frame buffer holds.
constexpr int64_t kBmpMaxPixels = int64_t{kMaxFrameSide} * kMaxFrameSide;

// The last header read or written.
extern BmpHeader bmp_header;

// Why the last BMP read failed, as a message for the user; empty after a success.
extern const char* bmp_last_error;
constexpr const char* kBmpUnsupportedMessage =
    "Unsupported BMP file: only 8-bit (plain or run-length), 24-bit and 32-bit pictures can be read.";
constexpr const char* kBmpDamagedMessage = "Damaged BMP file: its header sizes are not valid.";

// Everything a reader needs to know about a file's pixels.
struct BmpLayout {
  int32_t width, height;    // height always positive
  int32_t top_down;         // 1 when the first stored row is the top row
  int32_t bits;             // 8, 24 or 32
  int32_t run_length;       // 1 for run-length coded 8-bit pixels
  uint32_t data_offset;
  uint32_t row_bytes;       // stored bytes per row, padding included
  uint32_t palette[256];    // 8-bit files: 0x00RRGGBB per index (missing entries black)
  int32_t red_shift, green_shift, blue_shift;  // 32-bit files: where each 8-bit channel sits
};

// Results of bmp_read_layout.
enum BmpReadResult : int32_t {
  kBmpOk = 1,
  kBmpCannotRead = 0,      // short header or read error
  kBmpNotBmp = -3,         // no "BM", not one plane
  kBmpUnsupported = -4,    // compression, bit depth or header kind this reader does not take
  kBmpBadSize = -5,        // width <= 0, height 0, sides over kBmpMaxSide, offsets inside the header
};

// Row size of a 24-bit file: width * 3 rounded up to a multiple of 4.
uint32_t bmp_padded_row_size(int32_t width);
// Fills bmp_header for a 24-bit bottom-up picture; 0 when the file size would not fit 32 bits.
int32_t bmp_make_header(int32_t width, int32_t height);
void bmp_header_to_bytes(const BmpHeader& h, uint8_t out[kBmpHeaderSize]);
void bmp_header_from_bytes(const uint8_t in[kBmpHeaderSize], BmpHeader* h);
// 32-bit pixels to blue, green, red bytes, and back (top byte 0).
void bmp_pack_row(const uint32_t* pixels, uint8_t* out, int32_t count);
void bmp_unpack_row(const uint8_t* in, uint32_t* pixels, int32_t count);

// Reads and checks the header (into bmp_header), any bit-field masks and the palette, leaving the
// stream anywhere; sets bmp_last_error on failure.
int32_t bmp_read_layout(FILE* file, BmpLayout* layout);
// Reads the pixel rows into destination rows (top row first), clipped to max_width by max_height.
// Bottom-up files fill rows taken - 1 down to 0 from their first stored row (so a taller picture
// shows its bottom part); top-down files fill rows 0 upward. Returns 1 when every row taken was
// read in full, 0 on a short read (the rows read so far stay filled) or when memory runs out.
int32_t bmp_read_rows(FILE* file, const BmpLayout& layout, RowTable rows, int32_t max_width,
                      int32_t max_height);

// Writes width by height pixels given as rows (top row first) as a 24-bit bottom-up BMP, through a
// temporary file so that a failure leaves any previous file untouched; 1 written, 0 failed.
int32_t bmp_write_rows(const char* path, RowTable rows, int32_t width, int32_t height);

// A new image of the file's full size (pixels 0x00RRGGBB), or null when the file cannot be opened,
// is of another kind or memory runs out; a short file gives the image with the rows read so far.
ImageBuffer* bmp_load_image(const char* path);
