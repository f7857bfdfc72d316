// Fuzz target: the script runner on a small landscape and a 64 by 48 image. Lines that would reach
// outside the test (programs, files, folders, quitting) or only make it slower (bigger landscapes and
// images, erosion, deep surface detail, more than one render) are turned into comments first.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/animation/script_runner.h"
#include "engine/app/engine_state.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/engine_control.h"
#include "fuzz/fuzz_support.h"

namespace {
bool starts_with_word(const std::string& line, const char* prefix) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  const size_t n = std::strlen(prefix);
  if (line.size() - i < n) return false;
  for (size_t k = 0; k < n; ++k) {
    char c = line[i + k];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    char p = prefix[k];
    if (p >= 'A' && p <= 'Z') p = static_cast<char>(p - 'A' + 'a');
    if (c != p) return false;
  }
  return true;
}

const char* const kDenied[] = {"Spawn", "Exit", "Save", "Load", "CloudLoad", "DefaultDir", "BackgroundFile",
                               "ForegroundFile", "LandscapeSizeS", "LandscapeSizeL", "LandscapeSizeH",
                               "LandscapeSizeM", "LandscapeSizeO", "GrMode", "ImageSize", "Erode", "FrTextureDepth",
                               "AutoSaveOn", "Pause", "SetPriority"};

std::string tamed(const uint8_t* data, size_t size) {
  std::string out;
  std::string text(reinterpret_cast<const char*>(data), size);
  int renders = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    bool denied = false;
    for (const char* word : kDenied) denied = denied || starts_with_word(line, word);
    if (starts_with_word(line, "Render") && ++renders > 1) denied = true;
    out += denied ? "Rem " + line : line;
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_init_once();
  reset_engine_state();
  set_landscape_size(66, 66);
  set_image_size(64, 48);
  animation_state.anim_save_frames = 0;
  user_abort = 0;
  const std::string script = tamed(data, size);
  const char* path = fuzz_input_file(reinterpret_cast<const uint8_t*>(script.data()), script.size(), ".scr");
  run_script(path, nullptr, 0);
  return 0;
}
