// 8-bit PCX pictures: the 128-byte header, the run-length row codec, palette blocks and a writer.
#pragma once

#include <cstdint>
#include <cstdio>

// PcxHeader, in memory order (little-endian in the file).
struct PcxHeader {
  uint8_t manufacturer;   // 10
  uint8_t version;        // 5
  uint8_t encoding;       // 1: run-length
  uint8_t bits_per_pixel; // 8
  uint16_t xmin, ymin, xmax, ymax;
  uint16_t horizontal_resolution, vertical_resolution;
  uint8_t ega_palette[48];
  uint8_t reserved;
  uint8_t planes;         // 1
  uint16_t bytes_per_line;
  uint16_t palette_info;
  uint8_t filler[58];
};
constexpr int32_t kPcxHeaderSize = 128;
constexpr int32_t kPcxPaletteBlockSize = 769;  // marker 12 and 256 red, green, blue triples
constexpr int32_t kPcxMaxWidth = 8192;

// The last header read or written.
extern PcxHeader pcx_header;

// Results shared by every PCX reader.
enum PcxResult : int32_t {
  kPcxOk = 1,
  kPcxCannotRead = 0,   // cannot open, or the header is short
  kPcxWrongKind = -3,   // not version 5, 8 bits, 1 plane, encoding 1
  kPcxBadSize = -5,     // wider than 8192, or a width or height of 0 or less
};

void pcx_header_to_bytes(const PcxHeader& h, uint8_t out[kPcxHeaderSize]);
void pcx_header_from_bytes(const uint8_t in[kPcxHeaderSize], PcxHeader* h);
// Fills pcx_header for a picture of width by height pixels as this system writes it.
void pcx_fill_header(int32_t width, int32_t height);

// Reads the header at the stream's start into pcx_header and checks it; on success gives the width,
// the height and the number of bytes each stored row codes (bytes per line when it is at least the
// width, as other programs pad odd rows; otherwise the width).
int32_t pcx_read_header(FILE* file, int32_t* width, int32_t* height, int32_t* row_bytes);

// Codes n bytes; returns the bytes written (the output must hold 2 n bytes).
int32_t encode_pcx_row(const uint8_t* row, uint8_t* output, int32_t n);
// Decodes one row of width bytes from the stream into output, which needs only width bytes: bytes of
// the last run beyond the row are dropped, and bytes missing at the end of the file decode as 255.
// Returns width.
int32_t decode_pcx_row(FILE* stream, uint8_t* output, int32_t width);
// Decodes one stored row of row_bytes bytes and keeps its first width bytes (row_bytes >= width).
void pcx_read_row(FILE* stream, uint8_t* output, int32_t width, int32_t row_bytes, uint8_t* scratch);

// Reads the palette block at the end of the file into rgb (768 bytes): 1 when the file is long
// enough to hold a header and the block and the block starts with 12, else 0 (rgb unchanged).
int32_t pcx_read_palette(FILE* file, uint8_t rgb[768]);

// Palettes as red, green, blue bytes. Grey: entry i is (i, i, i). Elevation: entry 16 a + b is hue
// 168 - 11 a (blue to red), saturation 192, value 96 + 8 b (darker to lighter).
void grey_palette(uint8_t rgb[768]);
void elevation_palette(uint8_t rgb[768]);
// 256 entries between 4-byte (red, green, blue, fourth byte) and 3-byte form; towards 4 bytes the
// fourth byte is 255.
void palette_rgba_to_rgb(const uint8_t* rgba, uint8_t* rgb);
void palette_rgb_to_rgba(const uint8_t* rgb, uint8_t* rgba);

// Supplies row y (top first) of width palette indexes.
using PcxRowSource = void (*)(void* context, int32_t y, uint8_t* out, int32_t width);
// Writes a width by height picture and its palette through a temporary file, so a failure leaves
// any previous file untouched. 1 written; 0 when the size is not 1 to 8192 wide and 1 to 65535 high,
// memory runs out, or a write, the close or the rename fails.
int32_t pcx_write_image(const char* path, int32_t width, int32_t height, PcxRowSource source, void* context,
                        const uint8_t palette_rgb[768]);
