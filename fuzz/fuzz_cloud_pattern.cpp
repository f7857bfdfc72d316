// Fuzz target: cloud pattern files.
#include <cstddef>
#include <cstdint>

#include "engine/scene/cloud_pattern_file.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".cld");
  load_cloud_pattern_file(path);
  return 0;
}
