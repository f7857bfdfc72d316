// The render image saved as and loaded from JPEG files.
#include "engine/files/jpeg_image.h"

#include "engine/files/frame_snapshot.h"
#include "engine/files/jpeg_codec.h"
#include "engine/ui/pointer.h"
#include "engine/raster/frame_buffers.h"


namespace {
int32_t frame_columns() { return image_width < vidmem24.width ? image_width : vidmem24.width; }
int32_t frame_rows() { return image_height < vidmem24.height ? image_height : vidmem24.height; }
}  // namespace

int32_t save_jpeg_screen(const char* path) {
  if (!vidmem24.rows || frame_columns() <= 0 || frame_rows() <= 0) return 0;
  cursor_wait();
  const int32_t result =
      write_jpeg_rows(path, clamp_jpeg_quality(jpeg_quality), frame_columns(), frame_rows(), vidmem24.rows);
  cursor_arrow();
  return result;
}

int32_t load_jpeg_to_screen(const char* path) {
  if (!vidmem24.rows) return 0;
  cursor_wait();
  // A missing, damaged or short file leaves the frame as it was.
  const int32_t result = load_keeping_frame([&] {
    clear_vidmem24();
    return read_jpeg_rows(path, frame_columns(), frame_rows(), vidmem24.rows);
  });
  cursor_arrow();
  return result;
}
