// Reading a PCX picture into a heap image through the file's own palette, without touching any palette.
#include "engine/files/pcx_preview.h"

#include <cstdio>

#include "engine/files/file_open.h"
#include "engine/files/pcx_format.h"
#include "engine/host/host.h"

ImageBuffer* pcx_preview_image(const char* path) {
  FILE* file = path ? open_file(path, "rb") : nullptr;
  if (!file) return nullptr;
  int32_t width = 0, height = 0, row_bytes = 0;
  ImageBuffer* image = nullptr;
  uint8_t* row = nullptr;
  if (pcx_read_header(file, &width, &height, &row_bytes) == kPcxOk) {
    uint8_t rgb[768];
    if (!pcx_read_palette(file, rgb)) grey_palette(rgb);
    image = image_alloc(width, height);
    row = static_cast<uint8_t*>(host().alloc_zeroed(static_cast<size_t>(row_bytes) * 2));
    if (image && row && std::fseek(file, kPcxHeaderSize, SEEK_SET) == 0) {
      for (int32_t y = 0; y < height; ++y) {
        pcx_read_row(file, row, width, row_bytes, row + row_bytes);
        uint32_t* out = image->pixels + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
          const uint8_t* e = rgb + 3 * row[x];
          out[x] = 0xFF000000u | (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2];
        }
      }
    } else {
      image_free(image);
      image = nullptr;
    }
  }
  if (row) host().free_block(row);
  std::fclose(file);
  return image;
}
