// The 8-bit render image saved as and loaded from PCX files, and PCX palettes loaded alone.
#include "engine/files/pcx_image.h"

#include <cstdio>

#include "engine/files/file_open.h"
#include "engine/files/pcx_format.h"
#include "engine/host/host.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"


namespace {
int32_t frame8_columns() { return image_width < vidmem8.width ? image_width : vidmem8.width; }
int32_t frame8_rows() { return image_height < vidmem8.height ? image_height : vidmem8.height; }

void vidmem8_source(void*, int32_t y, uint8_t* out, int32_t width) { vidmem8_get_row(0, width, y, out); }

// Rewrites vidmem24 over the image from vidmem8 and the display palette.
void rebuild_rgb_from_vidmem8() {
  if (!vidmem8.rows || !vidmem24.rows) return;
  const int32_t columns = frame8_columns() < vidmem24.width ? frame8_columns() : vidmem24.width;
  const int32_t rows = frame8_rows() < vidmem24.height ? frame8_rows() : vidmem24.height;
  for (int32_t y = 0; y < rows; ++y) {
    const uint8_t* in = vidmem8_row(y);
    uint32_t* out = vidmem24_row(y);
    for (int32_t x = 0; x < columns; ++x) {
      const PaletteEntry& e = display_palette[in[x]];
      out[x] = static_cast<uint32_t>(e.red) << 16 | static_cast<uint32_t>(e.green) << 8 | e.blue;
    }
  }
}
}  // namespace

void pcx_make_header() { pcx_fill_header(image_width, image_height); }

int32_t save_screen_pcx(const char* path) {
  if (!vidmem8.rows || frame8_columns() <= 0 || frame8_rows() <= 0) return 0;
  uint8_t rgb[768];
  for (int i = 0; i < 256; ++i) {
    rgb[3 * i] = display_palette[i].red;
    rgb[3 * i + 1] = display_palette[i].green;
    rgb[3 * i + 2] = display_palette[i].blue;
  }
  return pcx_write_image(path, frame8_columns(), frame8_rows(), vidmem8_source, nullptr, rgb);
}

int32_t load_pcx_to_screen(const char* path) {
  FILE* file = open_file(path, "rb");
  if (!file) return kPcxCannotRead;
  int32_t width = 0, height = 0, row_bytes = 0;
  int32_t result = pcx_read_header(file, &width, &height, &row_bytes);
  if (result == kPcxOk && !vidmem8.rows) result = kPcxCannotRead;
  uint8_t* row = nullptr;
  if (result == kPcxOk) {
    row = static_cast<uint8_t*>(host().alloc_zeroed(static_cast<size_t>(row_bytes) * 2));
    if (!row) result = kPcxCannotRead;
  }
  if (result != kPcxOk) {
    std::fclose(file);
    return result;
  }
  uint8_t rgb[768];
  if (pcx_read_palette(file, rgb)) {
    PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) entries[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], display_palette[i].spare};
    set_palette(entries, 0, 256);
  }
  const int32_t rows = height < frame8_rows() ? height : frame8_rows();
  const int32_t columns = width < frame8_columns() ? width : frame8_columns();
  std::fseek(file, kPcxHeaderSize, SEEK_SET);
  for (int32_t y = 0; y < rows; ++y) {
    pcx_read_row(file, row, width, row_bytes, row + row_bytes);
    vidmem8_put_row(0, columns, y, row);
  }
  host().free_block(row);
  std::fclose(file);
  rebuild_rgb_from_vidmem8();
  return kPcxOk;
}

int32_t load_pcx_palette(const char* path) {
  FILE* file = open_file(path, "rb");
  if (!file) return kPcxCannotRead;
  const int32_t result = pcx_read_header(file, nullptr, nullptr, nullptr);
  uint8_t rgb[768];
  if (result == kPcxOk && pcx_read_palette(file, rgb)) {
    for (int i = 0; i < 256; ++i) {
      image_palette[i].red = rgb[3 * i];
      image_palette[i].green = rgb[3 * i + 1];
      image_palette[i].blue = rgb[3 * i + 2];
    }
  }
  std::fclose(file);
  return result;
}
