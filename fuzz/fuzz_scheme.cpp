// Fuzz target: colour-scheme files.
#include <cstddef>
#include <cstdint>

#include "engine/render/color_scheme_files.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  const char* path = fuzz_input_file(data, size, ".col");
  load_scheme_file(path);
  return 0;
}
