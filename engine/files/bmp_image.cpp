// The render image saved as and loaded from BMP files.
#include "engine/files/bmp_image.h"

#include <cstdio>

#include "engine/files/bmp_format.h"
#include "engine/files/file_open.h"
#include "engine/files/frame_snapshot.h"
#include "engine/raster/frame_buffers.h"


namespace {
// The part of the render image the 32-bit frame buffer holds.
int32_t frame_columns() { return image_width < vidmem24.width ? image_width : vidmem24.width; }
int32_t frame_rows() { return image_height < vidmem24.height ? image_height : vidmem24.height; }
}  // namespace

int32_t bmp_save_render_image(const char* path) {
  if (!vidmem24.rows || frame_columns() <= 0 || frame_rows() <= 0) return 0;
  return bmp_write_rows(path, vidmem24.rows, frame_columns(), frame_rows());
}

int32_t bmp_load_render_image(const char* path) {
  if (!vidmem24.rows) return 0;
  FILE* file = open_file(path, "rb");
  if (!file) return 0;
  BmpLayout layout;
  int32_t result = 0;
  if (bmp_read_layout(file, &layout) == kBmpOk) {
    // A short file leaves the frame as it was.
    result = load_keeping_frame([&] {
      clear_vidmem24();
      return bmp_read_rows(file, layout, vidmem24.rows, frame_columns(), frame_rows());
    });
  }
  std::fclose(file);
  return result;
}
