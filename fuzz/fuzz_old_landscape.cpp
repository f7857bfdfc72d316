// Fuzz target: landscape files of the older format: loaded, previewed, read as a region and as a colour scheme.
#include <cstddef>
#include <cstdint>

#include "engine/files/landscape_file.h"
#include "engine/files/landscape_preview.h"
#include "engine/render/color_scheme_files.h"
#include "engine/render/region_load.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".dem");
  image_free(preview_old_dem(path));
  load_scheme_old(path);
  if (read_region_header(path) == 1) load_region_tile(path);
  load_landscape(path);
  return 0;
}
