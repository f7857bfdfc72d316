// PCX header, row codec, palette block and the picture writer shared by every PCX file kind.
#include "engine/files/pcx_format.h"
#include "engine/files/byte_order.h"

#include <cstring>

#include "engine/files/safe_write.h"
#include "engine/host/host.h"
#include "engine/raster/image_palette.h"

PcxHeader pcx_header;

void pcx_header_to_bytes(const PcxHeader& h, uint8_t out[kPcxHeaderSize]) {
  std::memset(out, 0, kPcxHeaderSize);
  out[0] = h.manufacturer;
  out[1] = h.version;
  out[2] = h.encoding;
  out[3] = h.bits_per_pixel;
  put16(out + 4, h.xmin);
  put16(out + 6, h.ymin);
  put16(out + 8, h.xmax);
  put16(out + 10, h.ymax);
  put16(out + 12, h.horizontal_resolution);
  put16(out + 14, h.vertical_resolution);
  std::memcpy(out + 16, h.ega_palette, 48);
  out[64] = h.reserved;
  out[65] = h.planes;
  put16(out + 66, h.bytes_per_line);
  put16(out + 68, h.palette_info);
  std::memcpy(out + 70, h.filler, 58);
}

void pcx_header_from_bytes(const uint8_t in[kPcxHeaderSize], PcxHeader* h) {
  h->manufacturer = in[0];
  h->version = in[1];
  h->encoding = in[2];
  h->bits_per_pixel = in[3];
  h->xmin = get16(in + 4);
  h->ymin = get16(in + 6);
  h->xmax = get16(in + 8);
  h->ymax = get16(in + 10);
  h->horizontal_resolution = get16(in + 12);
  h->vertical_resolution = get16(in + 14);
  std::memcpy(h->ega_palette, in + 16, 48);
  h->reserved = in[64];
  h->planes = in[65];
  h->bytes_per_line = get16(in + 66);
  h->palette_info = get16(in + 68);
  std::memcpy(h->filler, in + 70, 58);
}

void pcx_fill_header(int32_t width, int32_t height) {
  std::memset(&pcx_header, 0, sizeof pcx_header);
  pcx_header.manufacturer = 10;
  pcx_header.version = 5;
  pcx_header.encoding = 1;
  pcx_header.bits_per_pixel = 8;
  pcx_header.xmax = static_cast<uint16_t>(width - 1);
  pcx_header.ymax = static_cast<uint16_t>(height - 1);
  pcx_header.horizontal_resolution = static_cast<uint16_t>(width);
  pcx_header.vertical_resolution = static_cast<uint16_t>(height);
  std::memset(pcx_header.ega_palette + 3, 0xFF, 45);
  pcx_header.planes = 1;
  pcx_header.bytes_per_line = static_cast<uint16_t>(width);
}

int32_t pcx_read_header(FILE* file, int32_t* width, int32_t* height, int32_t* row_bytes) {
  uint8_t raw[kPcxHeaderSize];
  if (!file || std::fread(raw, 1, sizeof raw, file) != sizeof raw) return kPcxCannotRead;
  pcx_header_from_bytes(raw, &pcx_header);
  const PcxHeader& h = pcx_header;
  if (h.version != 5 || h.bits_per_pixel != 8 || h.planes != 1 || h.encoding != 1) return kPcxWrongKind;
  const int32_t w = static_cast<int32_t>(h.xmax) - static_cast<int32_t>(h.xmin) + 1;
  const int32_t ht = static_cast<int32_t>(h.ymax) - static_cast<int32_t>(h.ymin) + 1;
  if (w > kPcxMaxWidth || w <= 0 || ht <= 0) return kPcxBadSize;
  if (width) *width = w;
  if (height) *height = ht;
  if (row_bytes) *row_bytes = h.bytes_per_line >= w ? h.bytes_per_line : w;
  return kPcxOk;
}

int32_t encode_pcx_row(const uint8_t* row, uint8_t* output, int32_t n) {
  int32_t out = 0;
  int32_t i = 0;
  while (i < n) {
    const uint8_t value = row[i];
    int32_t count = 1;
    while (i + count < n && row[i + count] == value && count < 63) ++count;
    if (count >= 2) {
      output[out++] = static_cast<uint8_t>(0xC0 | count);
      output[out++] = value;
    } else if (value >= 0xC0) {
      output[out++] = 0xC1;
      output[out++] = value;
    } else {
      output[out++] = value;
    }
    i += count;
  }
  return out;
}

int32_t decode_pcx_row(FILE* stream, uint8_t* output, int32_t width) {
  int32_t produced = 0;
  while (produced < width) {
    int c = std::getc(stream);
    if (c == EOF) c = 0xFF;
    if (c < 0xC0) {
      output[produced++] = static_cast<uint8_t>(c);
      continue;
    }
    int value = std::getc(stream);
    if (value == EOF) value = 0xFF;
    int32_t count = c & 0x3F;
    if (count > width - produced) count = width - produced;  // the rest of the run lies past the row
    std::memset(output + produced, value, static_cast<size_t>(count));
    produced += count;
  }
  return width;
}

void pcx_read_row(FILE* stream, uint8_t* output, int32_t width, int32_t row_bytes, uint8_t* scratch) {
  if (row_bytes <= width) {
    decode_pcx_row(stream, output, width);
    return;
  }
  decode_pcx_row(stream, scratch, row_bytes);
  std::memcpy(output, scratch, static_cast<size_t>(width));
}

int32_t pcx_read_palette(FILE* file, uint8_t rgb[768]) {
  if (!file || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(file);
  if (size < kPcxHeaderSize + kPcxPaletteBlockSize) return 0;
  uint8_t block[kPcxPaletteBlockSize];
  if (std::fseek(file, size - kPcxPaletteBlockSize, SEEK_SET) != 0 ||
      std::fread(block, 1, sizeof block, file) != sizeof block || block[0] != 12)
    return 0;
  std::memcpy(rgb, block + 1, 768);
  return 1;
}

void grey_palette(uint8_t rgb[768]) {
  for (int i = 0; i < 256; ++i) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = static_cast<uint8_t>(i);
}

void elevation_palette(uint8_t rgb[768]) {
  for (int a = 0; a < 16; ++a)
    for (int b = 0; b < 16; ++b) {
      ColorHSV c{0, 0, 0, static_cast<uint8_t>(168 - 11 * a), 192, static_cast<uint8_t>(96 + 8 * b)};
      hsv_to_rgb(c);
      uint8_t* e = rgb + 3 * (16 * a + b);
      e[0] = c.r;
      e[1] = c.g;
      e[2] = c.b;
    }
}

void palette_rgba_to_rgb(const uint8_t* rgba, uint8_t* rgb) {
  for (int i = 0; i < 256; ++i) std::memcpy(rgb + 3 * i, rgba + 4 * i, 3);
}

void palette_rgb_to_rgba(const uint8_t* rgb, uint8_t* rgba) {
  for (int i = 0; i < 256; ++i) {
    std::memcpy(rgba + 4 * i, rgb + 3 * i, 3);
    rgba[4 * i + 3] = 255;
  }
}

int32_t pcx_write_image(const char* path, int32_t width, int32_t height, PcxRowSource source, void* context,
                        const uint8_t palette_rgb[768]) {
  if (!source || !palette_rgb || width <= 0 || width > kPcxMaxWidth || height <= 0 || height > 65535) return 0;
  // One block: the row (width bytes) then its coding (at most 2 width bytes).
  auto buffer = static_cast<uint8_t*>(host().alloc_zeroed(static_cast<size_t>(width) * 3));
  if (!buffer) return 0;
  uint8_t* coded = buffer + width;
  SafeWrite w;
  if (!safe_write_open(&w, path)) {
    host().free_block(buffer);
    return 0;
  }
  pcx_fill_header(width, height);
  uint8_t raw[kPcxHeaderSize];
  pcx_header_to_bytes(pcx_header, raw);
  int32_t ok = safe_write_bytes(&w, raw, sizeof raw);
  for (int32_t y = 0; ok && y < height; ++y) {
    source(context, y, buffer, width);
    const int32_t n = encode_pcx_row(buffer, coded, width);
    ok = safe_write_bytes(&w, coded, static_cast<size_t>(n));
  }
  const uint8_t marker = 12;
  if (ok) ok = safe_write_bytes(&w, &marker, 1) && safe_write_bytes(&w, palette_rgb, 768);
  host().free_block(buffer);
  if (!ok) {
    safe_write_abort(&w);
    return 0;
  }
  return safe_write_commit(&w);
}
