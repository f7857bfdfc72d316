// Fuzz target: surface-feature (vector) files; the first bytes choose the columns, the code and the width.
#include <cstddef>
#include <cstdint>

#include "engine/files/surface_features.h"
#include "engine/host/host.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  if (size < 4) return 0;
  const char* path = fuzz_input_file(data + 4, size - 4, ".txt");
  import_vector_file(path, data[0] % 8, data[1] % 8, data[2], (data[3] & 1) ? 3 : 1);
  return 0;
}
