// Fuzz target: JPEG pictures read into the frame and into a new image (the preview).
#include <cstddef>
#include <cstdint>

#include "engine/files/jpeg_codec.h"
#include "engine/files/jpeg_image.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".jpg");
  load_jpeg_to_screen(path);
  image_free(read_jpeg_image(path));
  return 0;
}
