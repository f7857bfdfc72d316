// Targa rows: header fill and byte form, pixel packing and unpacking by mode, and the run-length row coder.
#include <cstring>

#include "engine/files/byte_order.h"
#include "engine/files/targa.h"

TargaHeader targa_header = {};
int32_t targa_compression = 0;
char targa_name[256] = "";
char targa_path[256] = "";
char texture_map_dir[256] = "";
int32_t loaded_image_width = 0, loaded_image_height = 0, loaded_image_bits = 0;

void targa_header_24(int32_t width, int32_t height, int32_t image_type) {
  targa_header = {};
  targa_header.image_type = static_cast<uint8_t>(image_type);
  targa_header.width = static_cast<uint16_t>(width);
  targa_header.height = static_cast<uint16_t>(height);
  targa_header.bits_per_pixel = 24;
}

void targa_header_32(int32_t width, int32_t height) {
  targa_header = {};
  targa_header.image_type = 2;
  targa_header.width = static_cast<uint16_t>(width);
  targa_header.height = static_cast<uint16_t>(height);
  targa_header.bits_per_pixel = 32;
}


void targa_header_to_bytes(const TargaHeader& h, uint8_t out[kTargaHeaderBytes]) {
  out[0] = h.id_length;
  out[1] = h.colormap_type;
  out[2] = h.image_type;
  put16(out + 3, h.colormap_first);
  put16(out + 5, h.colormap_length);
  out[7] = h.colormap_entry_bits;
  put16(out + 8, h.x_origin);
  put16(out + 10, h.y_origin);
  put16(out + 12, h.width);
  put16(out + 14, h.height);
  out[16] = h.bits_per_pixel;
  out[17] = h.descriptor;
}

void targa_header_from_bytes(const uint8_t in[kTargaHeaderBytes], TargaHeader* h) {
  h->id_length = in[0];
  h->colormap_type = in[1];
  h->image_type = in[2];
  h->colormap_first = get16(in + 3);
  h->colormap_length = get16(in + 5);
  h->colormap_entry_bits = in[7];
  h->x_origin = get16(in + 8);
  h->y_origin = get16(in + 10);
  h->width = get16(in + 12);
  h->height = get16(in + 14);
  h->bits_per_pixel = in[16];
  h->descriptor = in[17];
}

void targa_pack_row24(const uint32_t* pixels, int32_t count, uint8_t* out) {
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    *out++ = static_cast<uint8_t>(p);
    *out++ = static_cast<uint8_t>(p >> 8);
    *out++ = static_cast<uint8_t>(p >> 16);
  }
}

void targa_pack_row32(const uint32_t* pixels, int32_t count, uint8_t* out) {
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    *out++ = static_cast<uint8_t>(p);
    *out++ = static_cast<uint8_t>(p >> 8);
    *out++ = static_cast<uint8_t>(p >> 16);
    *out++ = static_cast<uint8_t>(p >> 24);
  }
}

void targa_unpack_row(const uint8_t* in, int32_t count, uint32_t* dest, int32_t mode) {
  for (int32_t i = 0; i < count; ++i, in += 3) {
    const uint32_t rgb = static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[1]) << 8 | in[0];
    if (mode == kTargaOpaque)
      dest[i] = 0xFF000000u | rgb;
    else if (mode == kTargaKeepAlpha)
      dest[i] = rgb == 0 ? 0 : 0xFF000000u | rgb;
    else if (rgb != 0)
      dest[i] = 0xFF000000u | rgb;
  }
}

void targa_unpack_row_alpha(const uint8_t* in, int32_t count, uint32_t* dest, int32_t mode) {
  for (int32_t i = 0; i < count; ++i, in += 4) {
    const uint32_t rgb = static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[1]) << 8 | in[0];
    const uint32_t a = in[3];
    if (mode == kTargaOpaque) {
      dest[i] = 0xFF000000u | rgb;
    } else if (mode == kTargaKeepAlpha) {
      dest[i] = a << 24 | rgb;
    } else if (a == 255) {
      dest[i] = 0xFF000000u | rgb;
    } else if (a != 0) {
      const uint32_t d = dest[i];
      uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t dc = (d >> shift) & 255, fc = (rgb >> shift) & 255;
        out |= ((dc * (255 - a) + fc * a) / 255) << shift;
      }
      dest[i] = out;
    }
  }
}

int32_t targa_rle_find_run(const uint32_t* p, int32_t remaining) {
  for (int32_t k = 0; k < remaining - 3; ++k)
    if (p[k] == p[k + 1] && p[k] == p[k + 2]) return k;
  return remaining;
}

int32_t targa_rle_count_run(const uint32_t* p, int32_t remaining) {
  int32_t n = 1;
  while (n < remaining && p[n] == p[0]) ++n;
  return n;
}

namespace {
uint8_t* put_pixel(uint8_t* out, uint32_t p, int32_t bytes_per_pixel) {
  *out++ = static_cast<uint8_t>(p);
  *out++ = static_cast<uint8_t>(p >> 8);
  *out++ = static_cast<uint8_t>(p >> 16);
  if (bytes_per_pixel == 4) *out++ = static_cast<uint8_t>(p >> 24);
  return out;
}
}  // namespace

int32_t targa_write_rle_row(const uint32_t* pixels, int32_t count, int32_t bytes_per_pixel, uint8_t* out) {
  uint8_t* const start = out;
  int32_t i = 0;
  while (i < count) {
    const int32_t literal = targa_rle_find_run(pixels + i, count - i);
    for (int32_t done = 0; done < literal;) {
      const int32_t n = literal - done < 128 ? literal - done : 128;
      *out++ = static_cast<uint8_t>(n - 1);
      for (int32_t j = 0; j < n; ++j) out = put_pixel(out, pixels[i + done + j], bytes_per_pixel);
      done += n;
    }
    i += literal;
    if (i >= count) break;
    const int32_t run = targa_rle_count_run(pixels + i, count - i);
    for (int32_t done = 0; done < run;) {
      const int32_t n = run - done < 128 ? run - done : 128;
      *out++ = static_cast<uint8_t>((n - 1) | 0x80);
      out = put_pixel(out, pixels[i], bytes_per_pixel);
      done += n;
    }
    i += run;
  }
  return static_cast<int32_t>(out - start);
}
