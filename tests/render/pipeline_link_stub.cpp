// Weak stand-ins so the pipeline tests link before the status and shading modules are merged; the real ones win.
#include <cstdint>

#include "engine/panels/status.h"
#include "engine/render/haze.h"

int32_t pipeline_stub_polls = 0;

__attribute__((weak)) int32_t poll_user_abort() {
  ++pipeline_stub_polls;
  return 1;
}
// Identity shading: the texel's own colour, so textured spans can be checked without the lighting.
__attribute__((weak)) uint32_t shade_color(int32_t red, int32_t green, int32_t blue, int32_t, int32_t, int32_t) {
  return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue);
}
