// A canvas: the pixels of one native window as the engine draws them, owned by the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit canvas holds UI palette indexes (panels, map, preview); a 24-bit canvas holds 0x00RRGGBB words
// (the render window). Row 0 is the top row. The host shows the pixels; the engine only draws them.
struct Canvas {
  std::string name;               // window name, for the developer and the desktop host
  int32_t width = 0, height = 0;  // client size in pixels
  int32_t depth = 8;              // 8 or 24
  std::vector<uint8_t> pixels;    // depth 8: width * height palette indexes
  std::vector<uint32_t> rgb;      // depth 24: width * height 0x00RRGGBB words
  std::string title;
  int32_t needs_repaint = 0;      // set by every drawing; the host clears it after showing the canvas
  int32_t open = 1;               // 0 once the user closed the window: modal loops running in it end
  int32_t visible = 0;
  int32_t minimized = 0;

  // Resizes the raster (contents cleared to 0).
  void resize(int32_t w, int32_t h) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (depth == 24) {
      rgb.assign(n, 0);
      pixels.clear();
    } else {
      pixels.assign(n, 0);
      rgb.clear();
    }
  }
};
