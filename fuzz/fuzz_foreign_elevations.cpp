// Fuzz target: elevations from other programs: Scenery Animator files.
#include <cstddef>
#include <cstdint>

#include "engine/files/scenery_import.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".ter");
  load_scenery_animator(path);
  return 0;
}
