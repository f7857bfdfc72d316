// Targa files: types 2 and 10 at 24 and 32 bits, read into frames, textures and images, and written from them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/files/default_dirs.h"  // targa_dir and set_default_dir_targa
#include "engine/files/image_buffer.h"
#include "engine/raster/frame_buffers.h"  // kMaxFrameSide

struct TargaHeader {
  uint8_t id_length;
  uint8_t colormap_type;
  uint8_t image_type;
  uint16_t colormap_first;
  uint16_t colormap_length;
  uint8_t colormap_entry_bits;
  uint16_t x_origin, y_origin;
  uint16_t width, height;
  uint8_t bits_per_pixel;
  uint8_t descriptor;
};
constexpr int32_t kTargaHeaderBytes = 18;
constexpr uint8_t kTargaTopDown = 0x20;

// Pixel conversion when reading.
enum TargaMode : int32_t {
  kTargaOverlay = 0,     // black (24-bit) or alpha 0 leaves the destination; partial alpha blends
  kTargaOpaque = 1,      // alpha 255, the file's alpha ignored
  kTargaKeepAlpha = 2,   // 24-bit black becomes 0 (transparent); 32-bit pixels kept as read
};

// Largest image accepted from a file, in pixels: as many as the largest frame buffer holds, which also
// keeps every byte count within 32 bits.
constexpr uint64_t kTargaMaxPixels = static_cast<uint64_t>(kMaxFrameSide) * kMaxFrameSide;

extern TargaHeader targa_header;  // the last header read or written
extern int32_t targa_compression;  // frames and texture maps are written run-length coded while non-zero
extern char targa_name[256];
extern char targa_path[256];
extern char texture_map_dir[256];
extern int32_t loaded_image_width, loaded_image_height, loaded_image_bits;

// Header fill and byte form.
void targa_header_24(int32_t width, int32_t height, int32_t image_type);
void targa_header_32(int32_t width, int32_t height);
void targa_header_to_bytes(const TargaHeader& h, uint8_t out[kTargaHeaderBytes]);
void targa_header_from_bytes(const uint8_t in[kTargaHeaderBytes], TargaHeader* h);

// Outcome of checking a file's header, for callers that explain a refusal.
enum TargaCheck : int32_t {
  kTargaOk = 0,
  kTargaUnreadable = 1,   // missing, short header, wrong type or depth
  kTargaEmpty = 2,        // width or height 0
  kTargaTooLarge = 3,     // more than kTargaMaxPixels pixels
  kTargaTruncated = 4,    // far less data than the smallest coding of the picture it claims
};
TargaCheck targa_check_file(const char* path, int32_t* width, int32_t* height);

// Row conversions. Packing writes blue, green, red (and alpha); unpacking converts the first count pixels.
void targa_pack_row24(const uint32_t* pixels, int32_t count, uint8_t* out);
void targa_pack_row32(const uint32_t* pixels, int32_t count, uint8_t* out);
void targa_unpack_row(const uint8_t* in, int32_t count, uint32_t* dest, int32_t mode);
void targa_unpack_row_alpha(const uint8_t* in, int32_t count, uint32_t* dest, int32_t mode);

// Run-length coding of one row. The finder gives the first position k < remaining - 3 that starts three equal
// pixels (remaining when there is none); the counter the length of the run of pixels equal to the first.
int32_t targa_rle_find_run(const uint32_t* pixels, int32_t remaining);
int32_t targa_rle_count_run(const uint32_t* pixels, int32_t remaining);
// Codes count pixels into out (room for count * (bytes_per_pixel + 1) bytes); result the bytes written.
int32_t targa_write_rle_row(const uint32_t* pixels, int32_t count, int32_t bytes_per_pixel, uint8_t* out);
// Upper bound of a coded row's size.
inline size_t targa_rle_row_bound(int32_t count, int32_t bytes_per_pixel) {
  return static_cast<size_t>(count) * static_cast<size_t>(bytes_per_pixel + 1);
}

// Readers: 1 read, 0 failed (never a message).
int32_t targa_read_size(const char* path, int32_t* width, int32_t* height);
int32_t targa_load_texture(const char* path, ImageBuffer* image, int32_t mode);
ImageBuffer* targa_load_image(const char* path);
int32_t targa_load_into_frame(const char* path, int32_t mode);

// Writers: 1 written, 0 failed. A failed write leaves any earlier file of that name untouched.
int32_t targa_save_frame(const char* path);
int32_t targa_save_texture(const char* path, const uint32_t* pixels, int32_t width, int32_t height);
int32_t texture_map_save_targa(const char* path);

// Commands: ask for a file and run the load or save; -1 when cancelled or replacing is refused.
int32_t save_targa_dialog();
int32_t load_targa_dialog();
int32_t save_texture_map_dialog();
