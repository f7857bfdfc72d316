// The fuzz targets' quiet host, one-time engine start-up and scratch input file.
#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/app/engine_init.h"
#include "engine/host/system_host.h"
#include "engine/raster/frame_buffers.h"

namespace {
// Unattended like the program, but silent: questions take their first button, nothing is printed.
class QuietHost : public SystemHost {
 public:
  int ask_yes_no(const char*, const char*, const char*) override { return 1; }
  int ask_value(const char*, const char*, const char*, int32_t*) override { return 1; }
  void set_status_line(const char*) override {}
  void status_strip(const char*) override {}
  void progress_strip(const char*, int32_t) override {}
};
QuietHost quiet_host;
}  // namespace

void fuzz_init_once() {
  static bool done = false;
  if (done) return;
  done = true;
  set_host(&quiet_host);
  engine_init();
  set_image_size(64, 48);
}

const char* fuzz_input_file(const uint8_t* data, size_t size, const char* extension) {
  static std::string path;
  path = "/tmp/dalvenor_fuzz_" + std::to_string(::getpid()) + extension;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return path.c_str();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path.c_str();
}
