// BMP header, row packing and the row reader and writer shared by the BMP commands and previews.
#include "engine/files/bmp_format.h"
#include "engine/files/byte_order.h"

#include <cstring>

#include "engine/files/file_open.h"
#include "engine/files/safe_write.h"
#include "engine/host/host.h"

BmpHeader bmp_header;
const char* bmp_last_error = "";

namespace {
// The shift of an 8-bit-wide channel mask, or -1 when the mask is not 8 contiguous bits.
int32_t mask_shift(uint32_t mask) {
  for (int32_t s = 0; s <= 24; ++s)
    if (mask == (0xFFu << s)) return s;
  return -1;
}

int32_t fail(int32_t code, const char* message) {
  bmp_last_error = message;
  return code;
}
}  // namespace

uint32_t bmp_padded_row_size(int32_t width) {
  const uint64_t bytes = (static_cast<uint64_t>(width > 0 ? width : 0) * 3u + 3u) / 4u * 4u;
  return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(bytes);
}

void bmp_header_to_bytes(const BmpHeader& h, uint8_t out[kBmpHeaderSize]) {
  std::memset(out, 0, kBmpHeaderSize);
  out[0] = static_cast<uint8_t>(h.magic[0]);
  out[1] = static_cast<uint8_t>(h.magic[1]);
  put32(out + 2, h.file_size);
  put16(out + 6, h.reserved1);
  put16(out + 8, h.reserved2);
  put32(out + 10, h.data_offset);
  put32(out + 14, h.info_size);
  put32(out + 18, static_cast<uint32_t>(h.width));
  put32(out + 22, static_cast<uint32_t>(h.height));
  put16(out + 26, h.planes);
  put16(out + 28, h.bits);
  put32(out + 30, h.compression);
  put32(out + 34, h.image_size);
  put32(out + 38, h.x_resolution);
  put32(out + 42, h.y_resolution);
  put32(out + 46, h.colors_used);
  put32(out + 50, h.colors_important);
}

void bmp_header_from_bytes(const uint8_t in[kBmpHeaderSize], BmpHeader* h) {
  h->magic[0] = static_cast<char>(in[0]);
  h->magic[1] = static_cast<char>(in[1]);
  h->file_size = get32(in + 2);
  h->reserved1 = get16(in + 6);
  h->reserved2 = get16(in + 8);
  h->data_offset = get32(in + 10);
  h->info_size = get32(in + 14);
  h->width = static_cast<int32_t>(get32(in + 18));
  h->height = static_cast<int32_t>(get32(in + 22));
  h->planes = get16(in + 26);
  h->bits = get16(in + 28);
  h->compression = get32(in + 30);
  h->image_size = get32(in + 34);
  h->x_resolution = get32(in + 38);
  h->y_resolution = get32(in + 42);
  h->colors_used = get32(in + 46);
  h->colors_important = get32(in + 50);
}

int32_t bmp_make_header(int32_t width, int32_t height) {
  const uint64_t size = 54u + static_cast<uint64_t>(bmp_padded_row_size(width)) * static_cast<uint64_t>(height);
  std::memset(&bmp_header, 0, sizeof bmp_header);
  bmp_header.magic[0] = 'B';
  bmp_header.magic[1] = 'M';
  bmp_header.file_size = static_cast<uint32_t>(size);
  bmp_header.data_offset = 54;
  bmp_header.info_size = 40;
  bmp_header.width = width;
  bmp_header.height = height;
  bmp_header.planes = 1;
  bmp_header.bits = 24;
  return (width > 0 && height > 0 && size <= 0xFFFFFFFFu) ? 1 : 0;
}

void bmp_pack_row(const uint32_t* pixels, uint8_t* out, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    out[3 * i] = static_cast<uint8_t>(p);
    out[3 * i + 1] = static_cast<uint8_t>(p >> 8);
    out[3 * i + 2] = static_cast<uint8_t>(p >> 16);
  }
}

void bmp_unpack_row(const uint8_t* in, uint32_t* pixels, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    pixels[i] = static_cast<uint32_t>(in[3 * i + 2]) << 16 | static_cast<uint32_t>(in[3 * i + 1]) << 8 | in[3 * i];
}

int32_t bmp_read_layout(FILE* file, BmpLayout* layout) {
  bmp_last_error = "";
  uint8_t raw[kBmpHeaderSize];
  if (!file || std::fread(raw, 1, sizeof raw, file) != sizeof raw) return fail(kBmpCannotRead, "");
  bmp_header_from_bytes(raw, &bmp_header);
  const BmpHeader& h = bmp_header;
  if (h.magic[0] != 'B' || h.magic[1] != 'M') return fail(kBmpNotBmp, "Not a BMP file.");
  // Headers shorter than 40 bytes (the old 12-byte kind) hold 16-bit sizes at other places.
  if (h.info_size < 40 || h.info_size > 0x10000u) return fail(kBmpUnsupported, kBmpUnsupportedMessage);
  if (h.planes != 1) return fail(kBmpNotBmp, "Not a BMP file.");
  if (h.bits != 8 && h.bits != 24 && h.bits != 32) return fail(kBmpUnsupported, kBmpUnsupportedMessage);
  const bool bitfields = h.compression == 3 && h.bits == 32;
  const bool run_length = h.compression == 1 && h.bits == 8;
  if (h.compression != 0 && !bitfields && !run_length) return fail(kBmpUnsupported, kBmpUnsupportedMessage);
  // Run-length pictures are stored bottom-up only.
  if (run_length && h.height < 0) return fail(kBmpUnsupported, kBmpUnsupportedMessage);
  // Sizes: the height's sign gives the row order; both sides must be positive and bounded.
  const int64_t height = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
  if (h.width <= 0 || height == 0 || h.width > kBmpMaxSide || height > kBmpMaxSide)
    return fail(kBmpBadSize, kBmpDamagedMessage);
  const uint64_t header_end = 14u + static_cast<uint64_t>(h.info_size);
  if (h.data_offset < header_end) return fail(kBmpBadSize, kBmpDamagedMessage);

  layout->width = h.width;
  layout->height = static_cast<int32_t>(height);
  layout->top_down = h.height < 0 ? 1 : 0;
  layout->bits = h.bits;
  layout->run_length = run_length ? 1 : 0;
  layout->data_offset = h.data_offset;
  layout->row_bytes = static_cast<uint32_t>((static_cast<uint64_t>(h.width) * h.bits + 31u) / 32u * 4u);
  std::memset(layout->palette, 0, sizeof layout->palette);
  layout->red_shift = 16;
  layout->green_shift = 8;
  layout->blue_shift = 0;

  if (bitfields) {
    // The masks follow a 40-byte header, or sit inside the longer headers at the same place.
    uint8_t masks[12];
    if (std::fseek(file, 54, SEEK_SET) != 0 || std::fread(masks, 1, sizeof masks, file) != sizeof masks)
      return fail(kBmpCannotRead, "");
    if (h.info_size == 40 && h.data_offset < 66u) return fail(kBmpBadSize, kBmpDamagedMessage);
    layout->red_shift = mask_shift(get32(masks));
    layout->green_shift = mask_shift(get32(masks + 4));
    layout->blue_shift = mask_shift(get32(masks + 8));
    if (layout->red_shift < 0 || layout->green_shift < 0 || layout->blue_shift < 0)
      return fail(kBmpUnsupported, kBmpUnsupportedMessage);
  }
  if (h.bits == 8) {
    // The palette follows the information header: 4 bytes per entry, never more than 256 and never
    // past the start of the pixels.
    uint64_t count = h.colors_used == 0 ? 256u : h.colors_used;
    if (count > 256u) count = 256u;
    const uint64_t room = (h.data_offset - header_end) / 4u;
    if (count > room) count = room;
    uint8_t entries[256 * 4];
    if (count > 0) {
      if (std::fseek(file, static_cast<long>(header_end), SEEK_SET) != 0 ||
          std::fread(entries, 4, static_cast<size_t>(count), file) != count)
        return fail(kBmpCannotRead, "");
    }
    for (uint64_t i = 0; i < count; ++i)
      layout->palette[i] = static_cast<uint32_t>(entries[4 * i + 2]) << 16 |
                           static_cast<uint32_t>(entries[4 * i + 1]) << 8 | entries[4 * i];
  }
  return kBmpOk;
}

namespace {
// Run-length coded 8-bit pixels, bottom row first: (count, index) runs, and after a 0 byte: 0 end of
// row, 1 end of picture, 2 a jump right and up, n >= 3 n literal indexes padded to an even count.
// Pixels beyond the row are dropped, skipped pixels stay black. The column never passes the width and
// the row never passes the last one taken, however long the stream; decoding stops at the end of the data.
int32_t read_run_length_rows(FILE* file, const BmpLayout& layout, RowTable rows, int32_t columns, int32_t taken) {
  auto line = static_cast<uint32_t*>(host().alloc_zeroed(static_cast<size_t>(layout.width) * 4));
  if (!line) return 0;
  int32_t k = 0, x = 0;
  int32_t result = 0;
  auto flush = [&]() {
    std::memcpy(rows[taken - 1 - k], line, static_cast<size_t>(columns) * 4);
    std::memset(line, 0, static_cast<size_t>(layout.width) * 4);
    ++k;
    x = 0;
  };
  auto put = [&](int value) {
    if (x < layout.width) line[x++] = layout.palette[value];
  };
  auto advance = [&](int32_t by) { x = by < layout.width - x ? x + by : layout.width; };
  while (k < taken) {
    const int count = std::getc(file), value = std::getc(file);
    if (count == EOF || value == EOF) break;
    if (count > 0) {
      for (int i = 0; i < count && x < layout.width; ++i) put(value);
    } else if (value == 0) {
      flush();
    } else if (value == 1) {
      while (k < taken) flush();
    } else if (value == 2) {
      const int dx = std::getc(file), dy = std::getc(file);
      if (dx == EOF || dy == EOF) break;
      const int32_t keep_x = x;
      for (int i = 0; i < dy && k < taken; ++i) flush();
      x = keep_x;
      advance(dx);
    } else {
      int i = 0;
      for (; i < value; ++i) {
        const int c = std::getc(file);
        if (c == EOF) break;
        put(c);
      }
      if (i < value) break;
      if (value & 1) std::getc(file);
    }
  }
  if (k >= taken) result = 1;
  host().free_block(line);
  return result;
}
}  // namespace

int32_t bmp_read_rows(FILE* file, const BmpLayout& layout, RowTable rows, int32_t max_width,
                      int32_t max_height) {
  const int32_t columns = layout.width < max_width ? layout.width : max_width;
  const int32_t taken = layout.height < max_height ? layout.height : max_height;
  if (columns <= 0 || taken <= 0) return 1;
  if (std::fseek(file, static_cast<long>(layout.data_offset), SEEK_SET) != 0) return 0;
  if (layout.run_length) return read_run_length_rows(file, layout, rows, columns, taken);
  auto buffer = static_cast<uint8_t*>(host().alloc_zeroed(layout.row_bytes));
  if (!buffer) return 0;
  int32_t result = 1;
  for (int32_t k = 0; k < taken; ++k) {
    if (std::fread(buffer, 1, layout.row_bytes, file) != layout.row_bytes) {
      result = 0;
      break;
    }
    uint32_t* out = static_cast<uint32_t*>(rows[layout.top_down ? k : taken - 1 - k]);
    if (layout.bits == 24) {
      bmp_unpack_row(buffer, out, columns);
    } else if (layout.bits == 8) {
      for (int32_t i = 0; i < columns; ++i) out[i] = layout.palette[buffer[i]];
    } else {
      for (int32_t i = 0; i < columns; ++i) {
        const uint32_t v = static_cast<uint32_t>(buffer[4 * i]) | static_cast<uint32_t>(buffer[4 * i + 1]) << 8 |
                           static_cast<uint32_t>(buffer[4 * i + 2]) << 16 |
                           static_cast<uint32_t>(buffer[4 * i + 3]) << 24;
        out[i] = ((v >> layout.red_shift) & 0xFF) << 16 | ((v >> layout.green_shift) & 0xFF) << 8 |
                 ((v >> layout.blue_shift) & 0xFF);
      }
    }
  }
  host().free_block(buffer);
  return result;
}

int32_t bmp_write_rows(const char* path, RowTable rows, int32_t width, int32_t height) {
  if (!rows || !bmp_make_header(width, height)) return 0;
  const uint32_t row_size = bmp_padded_row_size(width);
  auto buffer = static_cast<uint8_t*>(host().alloc_zeroed(row_size));
  if (!buffer) return 0;
  SafeWrite w;
  if (!safe_write_open(&w, path)) {
    host().free_block(buffer);
    return 0;
  }
  uint8_t raw[kBmpHeaderSize];
  bmp_header_to_bytes(bmp_header, raw);
  int32_t ok = safe_write_bytes(&w, raw, sizeof raw);
  for (int32_t y = height - 1; ok && y >= 0; --y) {
    bmp_pack_row(static_cast<const uint32_t*>(rows[y]), buffer, width);
    ok = safe_write_bytes(&w, buffer, row_size);  // padding bytes stay 0
  }
  host().free_block(buffer);
  if (!ok) {
    safe_write_abort(&w);
    return 0;
  }
  return safe_write_commit(&w);
}

ImageBuffer* bmp_load_image(const char* path) {
  FILE* file = open_file(path, "rb");
  if (!file) return nullptr;
  BmpLayout layout;
  ImageBuffer* image = nullptr;
  if (bmp_read_layout(file, &layout) == kBmpOk &&
      static_cast<int64_t>(layout.width) * layout.height <= kBmpMaxPixels) {
    image = image_alloc(layout.width, layout.height);
    const size_t table_size = (static_cast<size_t>(layout.height) + 1) * sizeof(void*);
    auto table = image ? static_cast<RowTable>(host().alloc_zeroed(table_size)) : nullptr;
    if (table) {
      for (int32_t y = 0; y < layout.height; ++y)
        table[y] = image->pixels + static_cast<size_t>(y) * static_cast<size_t>(layout.width);
      bmp_read_rows(file, layout, table, layout.width, layout.height);  // a short file keeps what was read
      host().free_block(table);
    } else {
      image_free(image);
      image = nullptr;
    }
  }
  std::fclose(file);
  return image;
}
