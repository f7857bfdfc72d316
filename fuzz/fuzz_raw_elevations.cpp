// Fuzz target: raw 16-bit elevation files; the first bytes choose the size and the bytes skipped.
#include <cstddef>
#include <cstdint>

#include "engine/files/raw_elevations.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  if (size < 4) return 0;
  const int32_t width = 1 + data[0] * 17 % 600, height = 1 + data[1] * 13 % 600, skip = data[2] | data[3] << 8;
  const char* path = fuzz_input_file(data + 4, size - 4, ".raw");
  load_binary_raw(path, width, height, skip);
  return 0;
}
