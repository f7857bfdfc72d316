// Fuzz target: BMP pictures read into the frame and into a new image (the file requester preview).
#include <cstddef>
#include <cstdint>

#include "engine/files/bmp_format.h"
#include "engine/files/bmp_image.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".bmp");
  bmp_load_render_image(path);
  image_free(bmp_load_image(path));
  return 0;
}
