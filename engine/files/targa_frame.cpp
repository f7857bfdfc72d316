// Targa files and the 32-bit frame buffer: saving the rendered frame and loading a picture into it.
#include <cstring>

#include "engine/files/frame_snapshot.h"
#include "engine/files/targa.h"
#include "engine/files/targa_reader.h"
#include "engine/files/targa_writer.h"
#include "engine/raster/frame_buffers.h"

int32_t targa_save_frame(const char* path) {
  if (vidmem24.rows == nullptr) return 0;
  const int32_t w = image_width < vidmem24.width ? image_width : vidmem24.width;
  const int32_t h = image_height < vidmem24.height ? image_height : vidmem24.height;
  if (w <= 0 || h <= 0) return 0;
  return targa_write_rows(path, w, h, 24, targa_compression != 0, [&](int32_t i, uint32_t* row) {
    std::memcpy(row, vidmem24_row(h - 1 - i), static_cast<size_t>(w) * 4);
  });
}

int32_t targa_load_into_frame(const char* path, int32_t mode) {
  if (vidmem24.rows == nullptr) return 0;
  TargaTarget t;
  t.rows = vidmem24.rows;
  t.width = image_width < vidmem24.width ? image_width : vidmem24.width;
  t.height = image_height < vidmem24.height ? image_height : vidmem24.height;
  // A short file leaves the frame as it was.
  return load_keeping_frame([&] { return targa_read_into(path, t, mode) == kTargaReadOk ? 1 : 0; });
}
