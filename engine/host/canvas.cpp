// The host's default canvases: plain rasters in memory, and the host's serial number.
#include <atomic>

#include "engine/host/host.h"

namespace {
std::atomic<uint64_t> next_serial{1};
}

Host::Host() : serial_(next_serial++) {}

Host::~Host() {
  for (Canvas*& c : main_canvases_) {
    delete c;
    c = nullptr;
  }
}

Canvas* Host::canvas_create(const char* name, int32_t width, int32_t height, int32_t depth) {
  auto* canvas = new Canvas;
  canvas->name = name ? name : "";
  canvas->depth = depth == 24 ? 24 : 8;
  canvas->resize(width, height);
  return canvas;
}

void Host::canvas_destroy(Canvas* canvas) { delete canvas; }

Canvas* Host::main_canvas(MainCanvas which) {
  static const char* const kNames[3] = {"Topo", "Preview", "Render"};
  static const int32_t kSizes[3][3] = {{340, 385, 8}, {300, 500, 8}, {320, 200, 24}};
  const int i = static_cast<int>(which);
  if (i < 0 || i > 2) return nullptr;
  if (!main_canvases_[i]) main_canvases_[i] = canvas_create(kNames[i], kSizes[i][0], kSizes[i][1], kSizes[i][2]);
  return main_canvases_[i];
}
