// Fuzz target: landscape files of the current format, loaded and previewed.
#include <cstddef>
#include <cstdint>

#include "engine/files/landscape_file.h"
#include "engine/files/landscape_preview.h"
#include "engine/render/region_load.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".dl4");
  image_free(preview_dl4_dem(path));
  load_landscape(path);
  return 0;
}
