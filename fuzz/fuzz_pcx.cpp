// Fuzz target: PCX pictures read into the 8-bit frame, as palettes, as cloud patterns and as elevations.
#include <cstddef>
#include <cstdint>

#include "engine/files/elevation_pcx.h"
#include "engine/files/pcx_image.h"
#include "engine/scene/cloud_pattern_file.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".pcx");
  load_pcx_to_screen(path);
  load_pcx_palette(path);
  cloud_pattern_load_pcx(path);
  load_elevations_pcx(path, 0, 0, 10);
  load_ground_colors_pcx(path, static_cast<int32_t>(size & 1));
  return 0;
}
