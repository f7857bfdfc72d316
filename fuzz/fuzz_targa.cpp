// Fuzz target: Targa pictures read into the frame, as a texture and into a new image (the preview).
#include <cstddef>
#include <cstdint>

#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".tga");
  targa_load_into_frame(path, kTargaOverlay);
  int32_t w = 0, h = 0;
  targa_read_size(path, &w, &h);
  ImageBuffer* texture = image_alloc(16, 16);
  targa_load_texture(path, texture, kTargaKeepAlpha);
  image_free(texture);
  image_free(targa_load_image(path));
  return 0;
}
