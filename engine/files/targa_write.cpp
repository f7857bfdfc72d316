// Targa writers: rows from a row source, plain or run-length coded, through a temporary file renamed on success.
#include "engine/files/targa_writer.h"

#include <cstring>
#include <vector>

#include "engine/files/safe_write.h"
#include "engine/files/targa.h"

int32_t targa_write_rows(const char* path, int32_t width, int32_t height, int32_t bits, bool rle,
                         const TargaRowSource& source) {
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return 0;
  if (bits == 24)
    targa_header_24(width, height, rle ? 10 : 2);
  else
    targa_header_32(width, height);
  if (rle) targa_header.image_type = 10;
  SafeWrite out;
  if (!safe_write_open(&out, path)) return 0;
  uint8_t header[kTargaHeaderBytes];
  targa_header_to_bytes(targa_header, header);
  if (!safe_write_bytes(&out, header, sizeof header)) {
    safe_write_abort(&out);
    return 0;
  }
  const int32_t bpp = bits / 8;
  std::vector<uint8_t> coded(targa_rle_row_bound(width, bpp));
  std::vector<uint32_t> pixels(static_cast<size_t>(width));
  // File rows go bottom-up: the source's row index counts from the picture's bottom row.
  for (int32_t i = 0; i < height; ++i) {
    source(i, pixels.data());
    size_t n;
    if (rle) {
      n = static_cast<size_t>(targa_write_rle_row(pixels.data(), width, bpp, coded.data()));
    } else {
      if (bpp == 3)
        targa_pack_row24(pixels.data(), width, coded.data());
      else
        targa_pack_row32(pixels.data(), width, coded.data());
      n = static_cast<size_t>(width) * bpp;
    }
    if (!safe_write_bytes(&out, coded.data(), n)) {
      safe_write_abort(&out);
      return 0;
    }
  }
  return safe_write_commit(&out);
}

int32_t targa_save_texture(const char* path, const uint32_t* pixels, int32_t width, int32_t height) {
  if (!pixels) return 0;
  return targa_write_rows(path, width, height, 32, false, [&](int32_t i, uint32_t* row) {
    std::memcpy(row, pixels + static_cast<size_t>(height - 1 - i) * width, static_cast<size_t>(width) * 4);
  });
}
