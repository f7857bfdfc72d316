// Test support for the landscape file tests: a clean engine state, patterned grids, textures, a fingerprint
// of everything a load may replace, and byte patching of saved files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/files/background_image.h"
#include "engine/files/byte_order.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_header.h"
#include "engine/core/landscape_names.h"
#include "engine/render/settings_snapshot.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/waves.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/scene/texture_slots.h"
#include "tests/files/image_test_support.h"
#include "tests/support/engine_test.h"

namespace landtest {

// A clean start: defaults, no textures, any-size grids of 34 by 26 samples.
inline void reset_state() {
  reset_settings_defaults();
  reset_color_table();
  reset_class_attributes();
  reset_color_class_settings();
  reset_wave_settings();
  reset_camera_state();
  texture_slots_free_all();
  reset_grid_spacing();
  grid_spacing_z = 1.0f;
  landscape_view.origin_x = landscape_view.origin_y = landscape_view.origin_z = 0;
  region_mode = 1;
  background_name[0] = foreground_name[0] = 0;
  std::memset(landscape_name, 0, sizeof landscape_name);
  std::memset(landscape_description, 0, sizeof landscape_description);
  file_errors_shown = 0;
}

// Distinct contents in every grid: steps small and large, the extremes, all byte values.
inline void fill_grids(uint32_t seed) {
  for (int32_t r = 0; r < grid_height; ++r) {
    for (int32_t c = 0; c < grid_width; ++c) {
      const uint32_t v = (static_cast<uint32_t>(r) * 7919u + static_cast<uint32_t>(c) * 104729u + seed) * 2654435761u;
      int16_t e = static_cast<int16_t>((r * 37 + c * 3 + static_cast<int32_t>(seed)) % 3000);
      if (v % 17 == 0) e = static_cast<int16_t>(v >> 16);
      if (c == 1 && r == 1) e = -32768;
      if (c == 2 && r == 1) e = 32767;
      elevation_row(r)[c] = e;
      cover_row(r)[c].color_class = static_cast<uint8_t>(v >> 8);
      cover_row(r)[c].object = static_cast<uint8_t>((c / 4) % 3 == 0 ? 0 : v >> 24);
      shade_row(r)[c] = static_cast<uint16_t>(r % 5 == 0 ? 0x0180 : v >> 12);
    }
  }
}

// A texture slot of w by h pixels made in memory as the texture loader makes it.
inline void make_texture(int32_t n, int32_t w, int32_t h, uint32_t seed, const char* name) {
  TextureSlot& s = texture_slots[n];
  texture_slot_free(n);
  const uint64_t bytes = texture_block_bytes(static_cast<uint32_t>(w), static_cast<uint32_t>(h));
  auto* block = static_cast<uint32_t*>(global_alloc_zeroed(static_cast<size_t>(bytes)));
  ASSERT_NE(block, nullptr);
  for (int32_t i = 0; i < w * h; ++i) block[i] = (static_cast<uint32_t>(i) * 2654435761u + seed) | 0xFF000000u;
  s.levels[0] = TextureLevel{static_cast<uint32_t>(w), static_cast<uint32_t>(h), static_cast<uint32_t>(bytes), block};
  for (int32_t l = 0; l < kTextureLevels - 1; ++l) {
    const TextureLevel& src = s.levels[l];
    TextureLevel& dst = s.levels[l + 1];
    dst.width = src.width / 2 > 0 ? src.width / 2 : 1;
    dst.height = src.height / 2 > 0 ? src.height / 2 : 1;
    dst.bytes = 0;
    dst.pixels = src.pixels + static_cast<size_t>(src.width) * src.height;
    texture_build_mip_level(src.pixels, dst.pixels, static_cast<int32_t>(src.width), static_cast<int32_t>(src.height));
  }
  std::snprintf(s.name, sizeof s.name, "%s", name);
  s.deformation = static_cast<int16_t>(n * 3 - 100);
  s.loaded = static_cast<uint8_t>(n);
}

inline std::vector<uint32_t> texture_pixels(int32_t n) {
  const TextureSlot& s = texture_slots[n];
  if (!s.levels[0].pixels) return {};
  return std::vector<uint32_t>(s.levels[0].pixels, s.levels[0].pixels + s.levels[0].bytes / 4);
}

// Everything a landscape load may replace, for "nothing changed" checks.
struct Fingerprint {
  int32_t width, height, ox, oy, oz;
  float sx, sy, sz;
  std::vector<int16_t> elevations;
  std::vector<uint16_t> cover, shades;
  std::vector<uint8_t> colors, attributes, palette, snapshot;
  std::vector<std::string> texture_names;
  std::vector<int32_t> texture_loaded;
  std::string name, background, foreground;
  bool operator==(const Fingerprint&) const = default;
};

inline Fingerprint fingerprint() {
  Fingerprint f{grid_width, grid_height, landscape_view.origin_x, landscape_view.origin_y, landscape_view.origin_z, grid_spacing_x, grid_spacing_y, grid_spacing_z,
                {}, {}, {}, {}, {}, {}, {}, {}, {}, landscape_name, background_name, foreground_name};
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) {
      f.elevations.push_back(elevation_row(r)[c]);
      f.cover.push_back(static_cast<uint16_t>(cover_row(r)[c].color_class | cover_row(r)[c].object << 8));
      f.shades.push_back(shade_row(r)[c]);
    }
  auto bytes = [](const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    return std::vector<uint8_t>(b, b + n);
  };
  f.colors = bytes(color_table, sizeof color_table);
  f.attributes = bytes(class_attributes, sizeof class_attributes);
  f.palette = bytes(image_palette, sizeof image_palette);
  std::vector<uint8_t> header(kDl4HeaderSize, 0);
  fill_dl4_snapshot(header.data());
  f.snapshot = header;
  for (const TextureSlot& s : texture_slots) {
    f.texture_names.emplace_back(s.name);
    f.texture_loaded.push_back(s.loaded);
  }
  return f;
}

// The first message shown, or "".
inline std::string first_message(const HeadlessHost& h) { return h.messages.empty() ? "" : h.messages[0].text; }

inline void patch32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) { put32(bytes.data() + at, v); }
inline uint32_t read32(const std::vector<uint8_t>& bytes, size_t at) { return get32(bytes.data() + at); }

// The fixture: a headless host, a temporary folder and a clean state before and after.
class LandscapeFileTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_state();
    ASSERT_EQ(set_landscape_size(34, 26), 1);
  }
  void TearDown() override {
    reset_state();
    set_landscape_size(258, 258);
  }
  std::string file(const std::string& name) const { return dir_.file(name); }
  ScopedHeadlessHost host_;
  imgtest::TempDir dir_;
};

}  // namespace landtest
